// Unattended runs from the command line, as a nightly scheduled job starts them: each ends
// with its exit code and leaves no window behind.
#include "e2e_fixture.h"

namespace {

const std::string kTreated = "N100 G00 X0\r\nN110 G1 X5\r\n";

class CommandLineTest : public EndToEndTest {
 protected:
  // Runs Velbrook with the arguments to its end; its exit code, or nothing when it hangs.
  std::optional<DWORD> RunVelbrook(const std::wstring& arguments) {
    if (!FDriver.Launch(VelbrookExe(), arguments)) return std::nullopt;
    return FDriver.WaitForExit(kTimeoutMs);
  }
  std::wstring Arguments(const std::wstring& script, const std::wstring& more = L"") {
    return L"/Process \"" + FFiles.Path() + L"\" /Script \"" + script + L"\"" + more;
  }
  std::vector<std::wstring> Saved() {
    std::vector<std::wstring> saved;
    for (const std::wstring& line : Trace())
      if (line.rfind(L"SaveNcFileAs\t", 0) == 0) saved.push_back(line.substr(line.find_last_of(L'\\') + 1));
    return saved;
  }
};

}  // namespace

TEST_F(CommandLineTest, ARunTreatsTheMatchingFilesAndSaysHowItEndedInItsExitCode) {
  FFiles.Write(L"B.TAP", kBracket);
  FFiles.Write(L"NOTES.TXT", "not NC\r\n");
  const std::wstring script = WriteScript("");
  // Switches in any case, a quoted mask with blanks round a pattern.
  EXPECT_EQ(RunVelbrook(Arguments(script, L" /mask \"*.tap; A.NC ;C.NC\"")), 0u);
  EXPECT_EQ(Saved(), (std::vector<std::wstring>{L"A.NC", L"B.TAP", L"C.NC"}));
  EXPECT_EQ(FileText(L"B.NC"), kBracket);

  // With /Continue a failing file ends only itself: exit code 1, the others treated.
  const std::wstring failing = WriteScript("fail OpenNcFile file B.NC status 0x80070005\r\n");
  EXPECT_EQ(RunVelbrook(Arguments(failing, L" /Mask *.NC /Continue")), 1u);
  EXPECT_EQ(FileText(L"E.NC"), kTreated);
  EXPECT_EQ(FileText(L"B.NC"), kBracket);

  EXPECT_EQ(RunVelbrook(Arguments(script, L" /Mask *.XYZ")), 5u);
  EXPECT_EQ(RunVelbrook(L"/Bogus"), 2u);
  EXPECT_EQ(RunVelbrook(Arguments(FScriptDir.Path() + L"\\missing.nvs")), 2u);
  // The settings stay as they were: no script remembered.
  EXPECT_EQ(GetFileAttributesW((ProgramFolder() + L"\\velbrook.ini").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(CommandLineTest, WithoutNorvaltTheExitCodeSaysSo) {
  RunStandIn(L"/UnregServer");
  const auto code = RunVelbrook(Arguments(WriteScript("")));
  RunStandIn(L"/RegServer");
  EXPECT_EQ(code, 3u);
}
