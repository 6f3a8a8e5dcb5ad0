#include <gtest/gtest.h>

#include <map>
#include <set>

#include "app/run_names.h"
#include "app/run_pruning.h"
#include "app/run_record_format.h"
#include "app/run_texts.h"
#include "app/undo_plan.h"

namespace {

const std::wstring kHash(64, L'a');

std::string ToNarrow(const std::wstring& ascii) { return std::string(ascii.begin(), ascii.end()); }

TFileEntry Recorded(const std::wstring& path, TFileOutcome outcome, const std::wstring& hash,
                    const std::wstring& backup) {
  TFileEntry file;
  file.Path = path;
  file.Outcome = outcome;
  file.HashAfter = hash;
  file.BackupName = backup;
  return file;
}

TEST(RunRecord, ReadsBackWhatWasWrittenUpToTheLastWholeLine) {
  TRecordedRun written;
  written.Started = RecordTimeText({2026, 12, 9, 8, 5, 4});
  written.Number = 17;
  written.Script = L"C:\\NC\\tidy \u00E9t\u00E9.nvs";
  written.Folder = L"C:\\NC\\Jobs\\";
  written.Mask = L"*.*";
  TFileEntry treated = Recorded(L"C:\\NC\\Jobs\\A \u65E5.NC", TFileOutcome::Treated, kHash, L"A \u65E5.NC");
  treated.SizeBefore = 1234;
  treated.SizeAfter = 5000000000ull;
  TFileEntry failed = Recorded(L"C:\\NC\\Jobs\\B.NC", TFileOutcome::Failed, kHash, L"B.NC");
  failed.Error = L"Access\tdenied.\r\nTry again.";
  failed.SizeBefore = failed.SizeAfter = 7;
  const TFileEntry stopped = Recorded(L"C:\\NC\\Jobs\\C.NC", TFileOutcome::Stopped, L"", L"");
  const TFileEntry notReached = Recorded(L"C:\\NC\\Jobs\\D.NC", TFileOutcome::NotReached, L"", L"");

  const std::string header = RecordHeaderText(written);
  EXPECT_EQ(header.substr(0, header.find("\r\nScript")),
            "Velbrook run record\r\n"
            "Started\t2026-12-09 08:05:04\r\n"
            "Run\t17");
  EXPECT_EQ(RecordFileLine(notReached), "File\tnot reached\t-\t-\t-\t-\tC:\\NC\\Jobs\\D.NC\r\n");
  const std::string lines[] = {RecordHandedLine({treated.Path, treated.BackupName, kHash}),
                               RecordFileLine(treated),
                               RecordFileLine(failed),
                               RecordFileLine(stopped),
                               RecordFileLine(notReached),
                               RecordEndLine(L"2026-12-09 08:05:09"),
                               RecordUndoLine(L"2026-12-09 09:00:00", 1, {L"C:\\NC\\Jobs\\B.NC", L"C:\\X\tY.NC"})};
  std::string text = header;
  for (const std::string& line : lines) text += line;

  const TRecordedRun read = ParseRunRecord(text + "Undone\t2026-12-10 10:00:00\t0");  // cut off mid-line
  EXPECT_EQ(read.Started, L"2026-12-09 08:05:04");
  EXPECT_EQ(read.Number, 17u);
  ASSERT_EQ(read.Handed.size(), 1u);
  EXPECT_EQ(read.Handed[0].Path, treated.Path);
  EXPECT_EQ(read.Handed[0].BackupName, treated.BackupName);
  EXPECT_EQ(read.Handed[0].BackupHash, kHash);
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
  const std::string cut = header + "Comment\tfrom a later version\r\n" + lines[1] + lines[2] + lines[3].substr(0, 9);
  const TRecordedRun partial = ParseRunRecord(cut);
  EXPECT_EQ(partial.Files.size(), 2u);
  EXPECT_TRUE(partial.Ended.empty());
  EXPECT_TRUE(partial.Undone.empty());
}

TEST(RunRecord, ReadsEveryCutAndTheUndoLineAppendedAfterIt) {
  TRecordedRun head;
  head.Started = L"2026-12-09 08:05:04";
  head.Script = L"C:\\S.nvs";
  const TFileEntry treated = Recorded(L"C:\\NC\\A.NC", TFileOutcome::Treated, kHash, L"A.NC");
  const std::string whole = RecordHeaderText(head) + RecordHandedLine({treated.Path, treated.BackupName, kHash}) +
                            RecordFileLine(treated) + RecordEndLine(L"2026-12-09 08:05:09");
  const std::string undone = RecordUndoLine(L"2026-12-09 09:00:00", 1, {});
  for (std::size_t size = 0; size <= whole.size(); ++size) {
    const std::string cut = whole.substr(0, size);
    const TRecordedRun read = ParseRunRecord(cut);
    // A File line counts only whole: a cut in its path or hash must not pass for another file.
    const bool fileWhole = cut.find(RecordFileLine(treated)) != std::string::npos;
    ASSERT_EQ(read.Files.size(), fileWhole ? 1u : 0u) << size;
    if (fileWhole) {
      EXPECT_EQ(read.Files[0].Path, treated.Path);
    }
    for (const THandedFile& handed : read.Handed) EXPECT_EQ(handed.Path, treated.Path) << size;
    // The record writer continues a cut record on a line of its own.
    const bool lineCut = !cut.empty() && cut.back() != '\n';
    EXPECT_EQ(ParseRunRecord(cut + (lineCut ? "\n" : "") + undone).Undone, L"2026-12-09 09:00:00") << size;
  }
  // A hand-edited line with a field too many or a word it does not know is left out.
  const TRecordedRun edited = ParseRunRecord(RecordHeaderText(head) + "File\ttreated\t1\t2\t" + ToNarrow(kHash) +
                                             "\tA.NC\tC:\\A.NC\textra\r\nFile\tdone\t-\t-\t-\t-\tC:\\B.NC\r\n");
  EXPECT_TRUE(edited.Files.empty());
}

TEST(RunRecord, NamesFoldersAfterTheStartAndNeverReusesAName) {
  const std::set<std::wstring> present{L"A.NC", L"A (2).NC", L"2026-01-02 03.04.05", L"run (2).txt"};
  const auto taken = [&](const std::wstring& name) { return present.count(name) != 0; };
  EXPECT_EQ(UniqueName(L"B.NC", taken), L"B.NC");
  EXPECT_EQ(UniqueName(L"A.NC", taken), L"A (3).NC");
  EXPECT_EQ(RunFolderName({2026, 1, 2, 3, 4, 5}, 12), L"2026-01-02 03.04.05 #12");
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
  // Numbered runs are newer than the runs of earlier versions and go by their number, however
  // the clock went; the newest that can still be undone is never removed.
  const std::vector<TRunOnDisk> numbered{{L"2026-01-05 10.00.00 #2", 10},
                                         {L"2026-01-04 09.00.00 #3", 10},
                                         {L"2026-01-09 10.00.00", 10},
                                         {L"2026-01-04 08.00.00 #10", 10}};
  const std::vector<TRunOnDisk> order = RunsNewestFirst(numbered);
  EXPECT_EQ(order[0].Name, L"2026-01-04 08.00.00 #10");
  EXPECT_EQ(order[1].Name, L"2026-01-04 09.00.00 #3");
  EXPECT_EQ(order[3].Name, L"2026-01-09 10.00.00");
  EXPECT_EQ(NextRunNumber(numbered), 11u);
  EXPECT_EQ(NextRunNumber(runs), 1u);
  EXPECT_EQ(RunsToRemove(numbered, 2, 1000, L"2026-01-05 10.00.00 #2"),
            std::vector<std::wstring>{L"2026-01-09 10.00.00"});
  // The newest stays even when it alone is over the limit.
  EXPECT_EQ(RunsToRemove({{L"2026-01-02 10.00.00", 50}, {L"2026-01-01 10.00.00", 1}}, 20, 40),
            std::vector<std::wstring>{L"2026-01-01 10.00.00"});
}

TEST(RunRecord, UndoPutsBackOnlyFilesUnchangedSinceTheRun) {
  TRecordedRun record;
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
  EXPECT_EQ(plan.Changed, (std::vector<std::wstring>{L"C:\\C.NC", L"C:\\D.NC"}));
  EXPECT_EQ(UndoableCount(record), 4);
  EXPECT_TRUE(CanUndo(record));
  record.Undone = L"2026-01-01 00:00:00";
  EXPECT_FALSE(CanUndo(record));
  TRecordedRun nothingToPutBack;
  nothingToPutBack.Files = {record.Files[4]};
  EXPECT_FALSE(CanUndo(nothingToPutBack));
}

TEST(RunRecord, UndoChecksTheLinesAndAccountsForFilesHandedWithoutAnOutcome) {
  TRecordedRun record;
  record.Handed = {{L"C:\\A.NC", L"A.NC", L"a0"},
                   {L"C:\\B.NC", L"B.NC", L"b0"},
                   {L"C:\\C.NC", L"C.NC", L"c0"},
                   {L"\\\\server\\D.NC", L"D.NC", L"d0"}};
  record.Files = {Recorded(L"C:\\A.NC", TFileOutcome::Treated, L"a1", L"A.NC"),
                  Recorded(L"C:\\E.NC", TFileOutcome::Treated, L"e1", L"..\\..\\x"),
                  Recorded(L"NC\\F.NC", TFileOutcome::Treated, L"f1", L"F.NC")};
  EXPECT_TRUE(CanUndo(record));
  // A is back as before the run already (an Undo that was stopped); B is still its backup;
  // C was written after Velbrook ended.
  const std::map<std::wstring, std::wstring> now{{L"C:\\A.NC", L"a0"}, {L"C:\\B.NC", L"b0"}, {L"C:\\C.NC", L"c2"}};
  const auto hash = [&](const std::wstring& path) -> std::optional<std::wstring> {
    const auto found = now.find(path);
    if (found == now.end()) return std::nullopt;
    return found->second;
  };
  const TUndoPlan plan = PlanUndo(record, hash);
  EXPECT_TRUE(plan.Restore.empty());
  EXPECT_TRUE(plan.Changed.empty());
  EXPECT_EQ(plan.Unchanged, std::vector<std::wstring>{L"C:\\B.NC"});
  ASSERT_EQ(plan.Unknown.size(), 1u);
  EXPECT_EQ(plan.Unknown[0].Path, L"C:\\C.NC");
  EXPECT_EQ(UnknownOutcomes(record, hash).size(), 1u);
  EXPECT_EQ(plan.Damaged, (std::vector<std::wstring>{L"C:\\E.NC", L"NC\\F.NC", L"\\\\server\\D.NC"}));

  // Undo offers the newest run it can undo.
  TRecordedRun undone = record;
  undone.Undone = L"2026-01-01 00:00:00";
  const std::map<std::wstring, TRecordedRun> records{{L"new", undone}, {L"middle", record}, {L"old", record}};
  const auto offered = NewestUndoable({{L"new", 0}, {L"middle", 0}, {L"old", 0}},
                                      [&](const std::wstring& name) { return records.at(name); });
  ASSERT_TRUE(offered);
  EXPECT_EQ(offered->Name, L"middle");
  EXPECT_FALSE(NewestUndoable({{L"new", 0}}, [&](const std::wstring& name) { return records.at(name); }));
}

TEST(RunRecord, TextsListTenThenCountTheRest) {
  EXPECT_EQ(UndoQuestion(2, L"2026-12-09 18:58:14"),
            L"Put back 2 files as they were before the run of 2026-12-09 18:58:14?");
  TUndoOutcome one;
  one.PutBack = 1;
  EXPECT_EQ(UndoResultText(one), L"Put back 1 file.");
  std::vector<std::wstring> skipped;
  std::vector<std::pair<std::wstring, std::wstring>> failed;
  for (int i = 1; i <= 12; ++i) {
    skipped.push_back(L"C:\\F" + std::to_wstring(i));
    failed.emplace_back(L"C:\\NC\\F" + std::to_wstring(i) + L".NC", L"Error " + std::to_wstring(i));
  }
  TUndoOutcome none;
  none.Changed = skipped;
  const std::wstring undone = UndoResultText(none);
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
