# Shared set-up for scripts/test and scripts/run: packages, builds, display and Wine.
# Sourced, not run. Everything lives under build/ so a clean clone needs nothing else.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# Inside a lane's chroot (scripts/lane) VELBROOK_LANE names the lane, and its trees, Wine
# prefix and setup live apart from the first lane's, so that both can run at once.
if [ -n "${VELBROOK_LANE:-}" ]; then
  BUILD="$ROOT/build/lanes/$VELBROOK_LANE"
else
  BUILD="$ROOT/build"
fi
PACKAGES=(g++ cmake ninja-build libgtest-dev googletest g++-mingw-w64-x86-64-posix mingw-w64-tools
          libwine-dev wine wine64 fonts-wine fonts-crosextra-carlito fonts-liberation2 clang-format
          xvfb xauth imagemagick xdotool nsis)

log() { printf '== %s\n' "$*"; }

# Installs what is missing of the packages named.
install_missing() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  log "installing ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Installs what is missing of PACKAGES and of any packages named as arguments.
ensure_packages() { install_missing "${PACKAGES[@]}" "$@"; }

build_host_tree() {
  log "building native logic and tests (${BUILD#"$ROOT"/}/host)"
  cmake -S "$ROOT" -B "$BUILD/host" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
  cmake --build "$BUILD/host" -j "$(nproc)"
}

# build_win_tree [target...]: the whole tree, or only the targets named.
build_win_tree() {
  local targets=()
  for t in "$@"; do targets+=(--target "$t"); done
  log "building ${*:-Windows program, stand-in, tests and benchmarks} (${BUILD#"$ROOT"/}/win)"
  cmake -S "$ROOT" -B "$BUILD/win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64.cmake" >/dev/null
  cmake --build "$BUILD/win" -j "$(nproc)" "${targets[@]}"
}

build_trees() {
  build_host_tree
  build_win_tree
}

# One Xvfb for the whole run, on the first display number from :90 that Xvfb takes. Only
# Xvfb itself knows: a server in another mount namespace (a chroot) shows no socket file
# here, yet holds the display's abstract socket, and Xvfb refuses that display.
start_display() {
  local ready n
  ready=$(mktemp)
  for n in $(seq 90 189); do
    # -displayfd: Xvfb writes the number once it listens, and exits when it cannot.
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -displayfd 3 3>"$ready" >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 300); do
      kill -0 "$XVFB_PID" 2>/dev/null && [ ! -s "$ready" ] || break
      sleep 0.1
    done
    if [ -s "$ready" ]; then
      rm -f "$ready"
      export DISPLAY=":$n"
      return 0
    fi
    kill "$XVFB_PID" 2>/dev/null || true  # refused, or silent for 30 s
    wait "$XVFB_PID" 2>/dev/null || true
  done
  rm -f "$ready"
  unset XVFB_PID
  echo "Xvfb did not start on any display from :90 to :189" >&2
  return 1
}

# Debian's Wine leaves its own fonts out of a new prefix, so MS Sans Serif, Tahoma and the
# Marlett title-bar symbols would all fall back to some system font with other metrics.
WINE_FONTS=/usr/share/wine/fonts
install_wine_fonts() {
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  [ -d "$WINE_FONTS" ] && [ -d "$fonts" ] && [ ! -e "$fonts/marlett.ttf" ] || return 0
  cp "$WINE_FONTS"/* "$fonts/"
}

# start_wine [prefix]: a private 64-bit prefix ($BUILD/wineprefix unless named), created
# once, with one wineserver kept alive.
start_wine() {
  export WINEPREFIX="${1:-$BUILD/wineprefix}" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  mkdir -p "$WINEPREFIX"
  # One fresh server for the whole run: one left over from an earlier run may hold an old
  # state of the prefix.
  wineserver -k 2>/dev/null || true
  wineserver -p 2>/dev/null || true
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    log "creating Wine prefix (${WINEPREFIX#"$ROOT"/})"
    # Without 32-bit Wine, wineboot reports a missing syswow64 helper; the 64-bit prefix is fine.
    wineboot -i >/dev/null 2>&1 || true
    # The first boot leaves its own service manager running, and the boot below would start
    # a second one beside it; with two, COM activation of a local server can fail or hang.
    # A new server for the finished prefix avoids that.
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    wineserver -p 2>/dev/null || true
  fi
  install_wine_fonts
  # Boot now, so that Wine's own services start here and not inside a test: a service
  # started by a test would hold the test's output open and stall CTest.
  wineboot >/dev/null 2>&1 || true
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 || true
  # Segoe UI is not free. Carlito's letters are no wider than Segoe UI's, so texts sized
  # for Windows fit here too; the fonts Wine would pick otherwise are wider and clip them.
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Segoe UI' /d Carlito /f >/dev/null 2>&1 || true
  # The same for Microsoft Sans Serif, which stands in for the bitmap MS Sans Serif above 96 DPI.
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Microsoft Sans Serif' /d 'Liberation Sans' /f >/dev/null 2>&1 || true
}

stop_all() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" >/dev/null 2>&1
  return 0
}
