#include <gtest/gtest.h>

#include <map>
#include <set>

#include "app/run_record.h"

namespace {

const std::wstring kHash(64, L'a');

TRecordedFile Recorded(const std::wstring& path, TFileOutcome outcome, const std::wstring& hash,
                       const std::wstring& backup) {
  TRecordedFile file;
  file.Path = path;
  file.Outcome = outcome;
  file.HashAfter = hash;
  file.BackupName = backup;
  return file;
}

TEST(RunRecord, ReadsBackWhatWasWrittenUpToTheLastWholeLine) {
  TRunRecord written;
  written.Started = RecordTimeText({2026, 12, 9, 8, 5, 4});
  written.Script = L"C:\\NC\\tidy \u00E9t\u00E9.nvs";
  written.Folder = L"C:\\NC\\Jobs\\";
  written.Mask = L"*.*";
  TRecordedFile treated = Recorded(L"C:\\NC\\Jobs\\A \u65E5.NC", TFileOutcome::Treated, kHash, L"A \u65E5.NC");
  treated.SizeBefore = 1234;
  treated.SizeAfter = 5000000000ull;
  TRecordedFile failed = Recorded(L"C:\\NC\\Jobs\\B.NC", TFileOutcome::Failed, kHash, L"B.NC");
  failed.Error = L"Access\tdenied.\r\nTry again.";
  failed.SizeBefore = failed.SizeAfter = 7;
  const TRecordedFile stopped = Recorded(L"C:\\NC\\Jobs\\C.NC", TFileOutcome::Stopped, L"", L"");
  const TRecordedFile notReached = Recorded(L"C:\\NC\\Jobs\\D.NC", TFileOutcome::NotReached, L"", L"");

  const std::string header = RecordHeaderText(written);
  EXPECT_EQ(header.substr(0, header.find("\r\nScript")),
            "Velbrook run record\r\n"
            "Started\t2026-12-09 08:05:04");
  EXPECT_EQ(RecordFileLine(notReached), "File\tnot reached\t-\t-\t-\t-\tC:\\NC\\Jobs\\D.NC\r\n");
  const std::string lines[] = {RecordFileLine(treated),
                               RecordFileLine(failed),
                               RecordFileLine(stopped),
                               RecordFileLine(notReached),
                               RecordEndLine(L"2026-12-09 08:05:09"),
                               RecordUndoLine(L"2026-12-09 09:00:00", 1, {L"C:\\NC\\Jobs\\B.NC", L"C:\\X\tY.NC"})};
  std::string text = header;
  for (const std::string& line : lines) text += line;

  const TRunRecord read = ParseRunRecord(text + "Undone\t2026-12-10 10:00:00\t0");  // cut off mid-line
  EXPECT_EQ(read.Started, L"2026-12-09 08:05:04");
  EXPECT_EQ(read.Script, written.Script);
  EXPECT_EQ(read.Folder, written.Folder);
  EXPECT_EQ(read.Mask, written.Mask);
  ASSERT_EQ(read.Files.size(), 4u);
  EXPECT_EQ(read.Files[0].Path, treated.Path);
  EXPECT_EQ(read.Files[0].Outcome, TFileOutcome::Treated);
  EXPECT_EQ(read.Files[0].SizeBefore, 1234u);
  EXPECT_EQ(read.Files[0].SizeAfter, 5000000000ull);
  EXPECT_EQ(read.Files[0].HashAfter, kHash);
  EXPECT_EQ(read.Files[0].BackupName, L"A \u65E5.NC");
  EXPECT_EQ(read.Files[1].Outcome, TFileOutcome::Failed);
  EXPECT_EQ(read.Files[1].Error, L"Access denied.  Try again.");
  EXPECT_EQ(read.Files[2].Outcome, TFileOutcome::Stopped);
  EXPECT_EQ(read.Files[3].Outcome, TFileOutcome::NotReached);
  EXPECT_FALSE(read.Files[3].SizeBefore);
  EXPECT_TRUE(read.Files[3].HashAfter.empty());
  EXPECT_TRUE(read.Files[3].BackupName.empty());
  EXPECT_EQ(read.Ended, L"2026-12-09 08:05:09");
  EXPECT_EQ(read.Undone, L"2026-12-09 09:00:00");
  EXPECT_EQ(read.PutBack, 1);
  EXPECT_EQ(read.Skipped, (std::vector<std::wstring>{L"C:\\NC\\Jobs\\B.NC", L"C:\\X Y.NC"}));

  // A record cut off by a crash after the second file, with a line it does not know.
  const std::string cut = header + "Comment\tfrom a later version\r\n" + lines[0] + lines[1] + lines[2].substr(0, 9);
  const TRunRecord partial = ParseRunRecord(cut);
  EXPECT_EQ(partial.Files.size(), 2u);
  EXPECT_TRUE(partial.Ended.empty());
  EXPECT_TRUE(partial.Undone.empty());
}

TEST(RunRecord, NamesFoldersAfterTheStartAndNeverReusesAName) {
  const std::set<std::wstring> present{L"A.NC", L"A (2).NC", L"2026-01-02 03.04.05", L"run (2).txt"};
  const auto taken = [&](const std::wstring& name) { return present.count(name) != 0; };
  EXPECT_EQ(UniqueName(L"B.NC", taken), L"B.NC");
  EXPECT_EQ(UniqueName(L"A.NC", taken), L"A (3).NC");
  EXPECT_EQ(NewRunFolderName({2026, 1, 2, 3, 4, 5}, taken), L"2026-01-02 03.04.05 (2)");
  const auto nothing = [](const std::wstring&) { return false; };
  EXPECT_EQ(BackupName(L".nc", [](const std::wstring& name) { return name == L".nc"; }), L".nc (2)");
  EXPECT_EQ(BackupName(L"Run.TXT", nothing), L"Run (2).TXT");
  EXPECT_EQ(BackupName(L"run.txt", taken), L"run (3).txt");
  EXPECT_EQ(BackupName(L"-", nothing), L"- (2)");
}

TEST(RunRecord, KeepsTheNewestRunsWithinCountAndSize) {
  const std::vector<TRunOnDisk> runs{{L"2026-01-01 10.00.00", 10},     {L"2026-01-03 10.00.00 (10)", 10},
                                     {L"2026-01-03 10.00.00 (2)", 10}, {L"2026-01-03 10.00.00", 10},
                                     {L"2026-01-02 10.00.00", 10},     {L"Notes", 10}};
  EXPECT_EQ(RunsNewestFirst(runs).front().Name, L"2026-01-03 10.00.00 (10)");
  EXPECT_EQ(RunsToRemove(runs, 3), (std::vector<std::wstring>{L"2026-01-02 10.00.00", L"2026-01-01 10.00.00"}));
  EXPECT_EQ(RunsToRemove(runs, 20, 25),
            (std::vector<std::wstring>{L"2026-01-03 10.00.00", L"2026-01-02 10.00.00", L"2026-01-01 10.00.00"}));
  // The newest stays even when it alone is over the limit.
  EXPECT_EQ(RunsToRemove({{L"2026-01-02 10.00.00", 50}, {L"2026-01-01 10.00.00", 1}}, 20, 40),
            std::vector<std::wstring>{L"2026-01-01 10.00.00"});
}

TEST(RunRecord, UndoPutsBackOnlyFilesUnchangedSinceTheRun) {
  TRunRecord record;
  record.Files = {Recorded(L"C:\\A.NC", TFileOutcome::Treated, L"a1", L"A.NC"),
                  Recorded(L"C:\\B.NC", TFileOutcome::Failed, L"b1", L"B.NC"),
                  Recorded(L"C:\\C.NC", TFileOutcome::Treated, L"c1", L"C.NC"),
                  Recorded(L"C:\\D.NC", TFileOutcome::Treated, L"d1", L"D.NC"),
                  Recorded(L"C:\\E.NC", TFileOutcome::NotReached, L"", L"")};
  const std::map<std::wstring, std::wstring> now{
      {L"C:\\A.NC", L"a1"}, {L"C:\\B.NC", L"b1"}, {L"C:\\C.NC", L"edited"}, {L"C:\\E.NC", L"e"}};
  const TUndoPlan plan = PlanUndo(record, [&](const std::wstring& path) -> std::optional<std::wstring> {
    const auto found = now.find(path);
    if (found == now.end()) return std::nullopt;
    return found->second;
  });
  ASSERT_EQ(plan.Restore.size(), 2u);
  EXPECT_EQ(plan.Restore[0], &record.Files[0]);
  EXPECT_EQ(plan.Restore[1], &record.Files[1]);
  EXPECT_EQ(plan.Skipped, (std::vector<std::wstring>{L"C:\\C.NC", L"C:\\D.NC"}));
  EXPECT_EQ(UndoableCount(record), 4);
  EXPECT_TRUE(CanUndo(record));
  record.Undone = L"2026-01-01 00:00:00";
  EXPECT_FALSE(CanUndo(record));
  TRunRecord nothingToPutBack;
  nothingToPutBack.Files = {record.Files[4]};
  EXPECT_FALSE(CanUndo(nothingToPutBack));
}

TEST(RunRecord, TextsListTenThenCountTheRest) {
  EXPECT_EQ(UndoQuestion(2, L"2026-12-09 18:58:14"),
            L"Put back 2 files as they were before the run of 2026-12-09 18:58:14?");
  EXPECT_EQ(UndoResultText(1, {}), L"Put back 1 file.");
  std::vector<std::wstring> skipped;
  std::vector<std::pair<std::wstring, std::wstring>> failed;
  for (int i = 1; i <= 12; ++i) {
    skipped.push_back(L"C:\\F" + std::to_wstring(i));
    failed.emplace_back(L"C:\\NC\\F" + std::to_wstring(i) + L".NC", L"Error " + std::to_wstring(i));
  }
  const std::wstring undone = UndoResultText(0, skipped);
  EXPECT_TRUE(undone.starts_with(L"Put back 0 files.\r\nSkipped because they changed since the run:\r\nC:\\F1\r\n"));
  EXPECT_NE(undone.find(L"\r\nC:\\F10\r\nand 2 more"), std::wstring::npos) << undone;
  EXPECT_EQ(undone.find(L"F11"), std::wstring::npos);
  EXPECT_EQ(FailureSummary(3, 5, {failed[1], failed[3]}),
            L"Treated 3 of 5 files. 2 failed:\r\nF2.NC: Error 2\r\nF4.NC: Error 4");
  const std::wstring summary = FailureSummary(38, 50, failed);
  EXPECT_TRUE(summary.starts_with(L"Treated 38 of 50 files. 12 failed:\r\nF1.NC: Error 1\r\n")) << summary;
  EXPECT_TRUE(summary.ends_with(L"\r\nF10.NC: Error 10\r\nand 2 more")) << summary;
}

}  // namespace
