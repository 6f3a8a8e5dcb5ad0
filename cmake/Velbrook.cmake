# Shared build helpers for both trees: the native one (VELBROOK_HOST, sanitizers, logic only)
# and the MinGW one (WIN32, the program, the stand-in and the Wine tests).

if(WIN32)
  add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00 WINVER=0x0A00)
  # Win32 structures are customarily filled with a size member and zeroes.
  add_compile_options(-Wall -Wextra -Wno-missing-field-initializers)
  # Unused functions and data stay out of the program file; the debug information is
  # moved into a file of its own after linking (see velbrook_split_debug_info).
  add_compile_options(-g -ffunction-sections -fdata-sections)
  add_link_options(-static -Wl,--gc-sections)
  # -O2 keeps the program file smaller than -O3 at no cost a user could notice.
  set(CMAKE_C_FLAGS_RELEASE "-O2 -DNDEBUG")
  set(CMAKE_CXX_FLAGS_RELEASE "-O2 -DNDEBUG")
  # Every source file includes the platform's large headers; compiled in batches, they are
  # read once per batch, which halves the build. The native tree compiles the logic file by
  # file, so a logic file that lacks an include of its own still fails there.
  set(CMAKE_UNITY_BUILD ON)
else()
  set(VELBROOK_HOST ON)
  add_compile_options(-Wall -Wextra -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
  # A clang tree for the fuzz targets: the logic is built with libFuzzer's coverage hooks.
  option(VELBROOK_FUZZ "Build the libFuzzer targets (clang)" OFF)
  if(VELBROOK_FUZZ)
    add_compile_options(-fsanitize=fuzzer-no-link)
  endif()
endif()

# Adds every direct child folder of DIR that holds a CMakeLists.txt, in name order.
function(velbrook_add_children dir)
  file(GLOB children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}/${dir} ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*)
  list(SORT children)
  foreach(child IN LISTS children)
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/${child}/CMakeLists.txt)
      add_subdirectory(${dir}/${child})
    endif()
  endforeach()
endfunction()

# GoogleTest: the system package natively, Debian's sources compiled with MinGW for Windows.
if(WIN32)
  if(NOT TARGET gtest)
    set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    target_compile_options(gtest PRIVATE -w)
    target_compile_options(gtest_main PRIVATE -w)
  endif()
  set(VELBROOK_GTEST gtest)
else()
  find_package(GTest REQUIRED)
  set(VELBROOK_GTEST GTest::gtest)
endif()

# velbrook_host_test(NAME SOURCES ... LIBS ...): a native gtest executable, one ctest test.
function(velbrook_host_test name)
  if(NOT VELBROOK_HOST)
    return()
  endif()
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} ${VELBROOK_GTEST} velbrook_test_main)
  add_test(NAME ${name} COMMAND ${name})
endfunction()

# velbrook_win_test(NAME SOURCES ... LIBS ... [LOCKS ...] [FIXTURES ...]): a MinGW gtest
# executable run under Wine as one ctest test (a Wine start costs seconds).
function(velbrook_win_test name)
  if(NOT WIN32)
    return()
  endif()
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;LOCKS;FIXTURES" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  # Fixtures live in anonymous namespaces, which batched compiling would merge.
  set_target_properties(${name} PROPERTIES UNITY_BUILD OFF)
  target_link_libraries(${name} PRIVATE ${T_LIBS} ${VELBROOK_GTEST} velbrook_test_main)
  add_test(NAME ${name} COMMAND wine $<TARGET_FILE:${name}>)
  set_tests_properties(${name} PROPERTIES TIMEOUT 300)
  if(T_LOCKS)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK "${T_LOCKS}")
  endif()
  if(T_FIXTURES)
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED "${T_FIXTURES}")
  endif()
endfunction()

# velbrook_subsystem(NAME [DEPENDS libs...] [WIN_LIBS system libs...] [EXCLUDE files...] [FOLDERS subfolders...]):
# the .cpp files of the calling folder (and of the subfolders named) become two libraries. Files ending in _win.cpp use the Windows API and
# go into velbrook_NAME (MinGW tree only); every other .cpp file includes no Windows header
# and goes into velbrook_NAME_logic, built in both trees and tested natively.
function(velbrook_subsystem name)
  cmake_parse_arguments(S "" "" "DEPENDS;LOGIC_DEPENDS;WIN_LIBS;EXCLUDE;FOLDERS" ${ARGN})
  set(patterns ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  foreach(folder IN LISTS S_FOLDERS)
    list(APPEND patterns ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
  endforeach()
  file(GLOB all_sources CONFIGURE_DEPENDS ${patterns})
  foreach(excluded IN LISTS S_EXCLUDE)
    list(REMOVE_ITEM all_sources ${CMAKE_CURRENT_SOURCE_DIR}/${excluded})
  endforeach()
  set(logic_sources ${all_sources})
  list(FILTER logic_sources EXCLUDE REGEX "_win\\.cpp$")
  set(win_sources ${all_sources})
  list(FILTER win_sources INCLUDE REGEX "_win\\.cpp$")
  if(logic_sources)
    add_library(velbrook_${name}_logic STATIC ${logic_sources})
  else()
    add_library(velbrook_${name}_logic INTERFACE)
  endif()
  get_target_property(logic_type velbrook_${name}_logic TYPE)
  if(logic_type STREQUAL "INTERFACE_LIBRARY")
    set(scope INTERFACE)
  else()
    set(scope PUBLIC)
  endif()
  target_include_directories(velbrook_${name}_logic ${scope} ${PROJECT_SOURCE_DIR}/src)
  if(S_LOGIC_DEPENDS)
    target_link_libraries(velbrook_${name}_logic ${scope} ${S_LOGIC_DEPENDS})
  endif()
  if(WIN32)
    if(win_sources)
      add_library(velbrook_${name} STATIC ${win_sources})
      target_link_libraries(velbrook_${name} PUBLIC velbrook_${name}_logic ${S_DEPENDS} ${S_WIN_LIBS})
    else()
      add_library(velbrook_${name} INTERFACE)
      target_link_libraries(velbrook_${name} INTERFACE velbrook_${name}_logic ${S_DEPENDS} ${S_WIN_LIBS})
    endif()
  endif()
endfunction()

# Moves target's debug information into <target>.debug next to it and leaves a stripped
# program file that names that file, so debuggers still find it.
function(velbrook_split_debug_info target)
  if(NOT WIN32)
    return()
  endif()
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE:${target}> $<TARGET_FILE:${target}>.debug
    COMMAND ${CMAKE_STRIP} --strip-all $<TARGET_FILE:${target}>
    COMMAND ${CMAKE_OBJCOPY} --add-gnu-debuglink=$<TARGET_FILE:${target}>.debug $<TARGET_FILE:${target}>
    WORKING_DIRECTORY $<TARGET_FILE_DIR:${target}>
    VERBATIM)
endfunction()

# velbrook_resources(): the program's resource script for a target in the current folder,
# rebuilt whenever a file it takes in changes (the layouts, the style, pictures, manifest).
function(velbrook_resources out)
  set(script ${PROJECT_SOURCE_DIR}/resources/velbrook.rc)
  file(GLOB_RECURSE inputs CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/*)
  list(REMOVE_ITEM inputs ${script})
  set_source_files_properties(${script} PROPERTIES OBJECT_DEPENDS "${inputs}")
  set(${out} ${script} PARENT_SCOPE)
endfunction()
