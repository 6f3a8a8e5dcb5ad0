// The order in which a run's backups and record lines reach the disk, and Undo's second
// look, against a store in memory that logs every step.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <mutex>
#include <set>

#include "app/run_keeper.h"
#include "app/run_names.h"
#include "app/run_record_format.h"
#include "app/undo_run.h"

// The file system's name order, which the keeper's backup names use; the Windows one
// ignores case beyond ASCII too, which these tests do not need.
bool TFileNameOrder::operator()(const std::wstring& a, const std::wstring& b) const { return a < b; }

namespace {

const std::wstring kRuns = L"R:\\Runs\\";

class TMemoryStore : public IRunStore {
 public:
  std::wstring RunsFolder() override { return kRuns; }
  TLocalTime Now() override { return {2026, 3, 1, 12, 0, 0}; }
  std::vector<TRunOnDisk> ListRuns(const std::wstring&) override {
    const std::lock_guard<std::mutex> lock(FLock);
    std::vector<TRunOnDisk> runs;
    for (const std::wstring& folder : Folders) runs.push_back({folder.substr(kRuns.size()), 1});
    return runs;
  }
  std::string ReadRecord(const std::wstring& folder) override { return Text(folder + kRecordFileName); }
  bool MakeFolder(const std::wstring& folder) override {
    Log(L"folder " + folder);
    const std::lock_guard<std::mutex> lock(FLock);
    return Folders.insert(folder.substr(0, folder.size() - 1)).second;
  }
  void RemoveRun(const std::wstring& runs, const std::wstring& name) override {
    Log(L"remove " + name);
    const std::lock_guard<std::mutex> lock(FLock);
    Folders.erase(runs + name);
  }
  TFileStamp CopyForBackup(const std::wstring& from, const std::wstring& to) override {
    Log(L"copy " + from);
    const std::lock_guard<std::mutex> lock(FLock);
    const auto found = Files.find(from);
    if (found == Files.end()) throw EInOutError(L"Could not back up " + from + L": gone", 2);
    Files[to] = found->second;
    return {found->second.size(), 0};
  }
  TFileStamp StampOf(const std::wstring& path) override { return {Text(path).size(), 0}; }
  TFileDigest DigestOf(const std::wstring& path) override {
    if (BeforeHash) BeforeHash(path);
    const std::lock_guard<std::mutex> lock(FLock);
    const auto found = Files.find(path);
    if (found == Files.end()) throw EInOutError(L"Could not read " + path, 2);
    return {found->second.size(), std::wstring(found->second.begin(), found->second.end())};
  }
  void RemoveBackup(const std::wstring& path) override {
    const std::lock_guard<std::mutex> lock(FLock);
    Files.erase(path);
  }
  void PutBack(const std::wstring& backup, const std::wstring& target) override {
    Log(L"put back " + target);
    const std::lock_guard<std::mutex> lock(FLock);
    Files[target] = Files.at(backup);
  }
  std::unique_ptr<IRecordAppender> OpenRecord(const std::wstring& path) override {
    if (RecordFails) throw EInOutError(L"Could not open the run record " + path + L": in use", 32);
    return std::make_unique<TAppender>(*this, path);
  }

  std::string Text(const std::wstring& path) {
    const std::lock_guard<std::mutex> lock(FLock);
    const auto found = Files.find(path);
    return found == Files.end() ? std::string() : found->second;
  }
  void Write(const std::wstring& path, const std::string& text) {
    const std::lock_guard<std::mutex> lock(FLock);
    Files[path] = text;
  }
  void Log(const std::wstring& step) {
    const std::lock_guard<std::mutex> lock(FLock);
    Steps.push_back(step);
  }
  // The position of the first step that starts with text; the steps' count when none does.
  std::size_t StepOf(const std::wstring& text) {
    const std::lock_guard<std::mutex> lock(FLock);
    return static_cast<std::size_t>(
        std::find_if(Steps.begin(), Steps.end(), [&](const std::wstring& step) { return step.starts_with(text); }) -
        Steps.begin());
  }

  std::set<std::wstring> Folders;  // without their trailing "\"
  std::map<std::wstring, std::string> Files;
  std::vector<std::wstring> Steps;
  std::function<void(const std::wstring& path)> BeforeHash;
  bool RecordFails = false;

 private:
  class TAppender : public IRecordAppender {
   public:
    TAppender(TMemoryStore& store, const std::wstring& path) : FStore(store), FPath(path) {}
    void Append(const std::string& utf8) override {
      FStore.Log(L"line " + std::wstring(utf8.begin(), utf8.begin() + static_cast<long>(utf8.find('\t'))) + L" " +
                 std::wstring(utf8.begin(), utf8.end() - 2).substr(utf8.rfind('\t') + 1));
      FStore.Write(FPath, FStore.Text(FPath) + utf8);
    }

   private:
    TMemoryStore& FStore;
    std::wstring FPath;
  };

  std::mutex FLock;
};

TRunPlan PlanOf(std::initializer_list<const wchar_t*> files) {
  TRunPlan plan;
  plan.Script = L"C:\\S.nvs";
  plan.Folder = L"C:\\NC";
  plan.Mask = L"*.*";
  for (const wchar_t* file : files) plan.Files.push_back(file);
  return plan;
}

// Runs numbered 1 to count, whose records are undone, except the run numbered undoable.
void AddOldRuns(TMemoryStore& store, int count, int undoable) {
  for (int number = 1; number <= count; ++number) {
    const std::wstring folder = kRuns + RunFolderName({2026, 1, 1, 0, 0, 0}, static_cast<std::uint64_t>(number));
    store.Folders.insert(folder);
    TFileEntry file{L"C:\\NC\\X.NC", TFileOutcome::Treated, L"", 1, 1, L"x", L"X.NC"};
    store.Write(folder + L"\\" + kRecordFileName,
                RecordFileLine(file) + (number == undoable ? "" : RecordUndoLine(L"2026-01-01 00:00:00", 1, {})));
  }
}

}  // namespace

TEST(RunKeeper, LeavesNothingBehindWhenARunEndsBeforeItsFirstBackupIsTaken) {
  TMemoryStore store;
  AddOldRuns(store, 25, 0);
  const std::set<std::wstring> before = store.Folders;
  const TRunPlan plan = PlanOf({L"C:\\NC\\A.NC"});
  {
    TRunKeeper keeper(plan, store);  // LoadScript refused: no file is backed up
    keeper.Close(false);
  }
  EXPECT_TRUE(store.Steps.empty());
  {
    TRunKeeper keeper(plan, store);  // A is gone: its backup fails, and the message names it once
    try {
      keeper.BackUp(0);
      ADD_FAILURE() << "the backup of a file that is gone did not fail";
    } catch (const EBackupFailed& e) {
      EXPECT_EQ(e.Message(), L"Can't back up C:\\NC\\A.NC, so it was left as it was: gone");
    }
    keeper.Close(false);
  }
  EXPECT_EQ(store.Folders, before);
}

TEST(RunKeeper, BacksUpAFileAndRecordsItBeforeItIsHandedOverTheFilesBeforeItBeforeItIsSavedAndPutsBackAFileThatFailed) {
  TMemoryStore store;
  AddOldRuns(store, 25, 2);
  store.Write(L"C:\\NC\\A.NC", "a0");
  store.Write(L"C:\\NC\\B.NC", "b0");
  const TRunPlan plan = PlanOf({L"C:\\NC\\A.NC", L"C:\\NC\\B.NC"});
  TRunKeeper keeper(plan, store);
  keeper.BackUp(0);
  const std::wstring run = kRuns + L"2026-03-01 12.00.00 #26\\";
  EXPECT_LT(store.StepOf(L"folder " + run), store.StepOf(L"copy C:\\NC\\A.NC"));
  EXPECT_LT(store.StepOf(L"copy C:\\NC\\A.NC"), store.StepOf(L"line Handed C:\\NC\\A.NC"));
  EXPECT_LT(store.StepOf(L"line Handed C:\\NC\\A.NC"), store.Steps.size());
  // The 20 newest stay, the new one counted, and so does the newest run that can be undone.
  EXPECT_EQ(store.Folders.size(), 21u);
  EXPECT_TRUE(store.Folders.count(kRuns + L"2026-01-01 00.00.00 #2"));
  keeper.FileSaving();
  store.Write(L"C:\\NC\\A.NC", "a1");
  keeper.FileEnded(0, nullptr);
  keeper.BackUp(1);
  EXPECT_LT(store.StepOf(L"line File C:\\NC\\A.NC"), store.StepOf(L"line Handed C:\\NC\\B.NC"));
  EXPECT_LT(store.StepOf(L"line Handed C:\\NC\\B.NC"), store.Steps.size());
  // Norvalt wrote B, then its call was cut off: B fails, and is put back as it was.
  store.Write(L"C:\\NC\\B.NC", "b1");
  const std::wstring cutOff = L"Norvalt did not answer in 10s; Velbrook ended it";
  keeper.FileEnded(1, &cutOff);
  keeper.FileSaving();
  EXPECT_LT(store.StepOf(L"put back C:\\NC\\B.NC"), store.StepOf(L"line File C:\\NC\\B.NC"));
  EXPECT_LT(store.StepOf(L"line File C:\\NC\\B.NC"), store.Steps.size());
  keeper.Close(false);
  EXPECT_EQ(store.Text(L"C:\\NC\\B.NC"), "b0");
  EXPECT_EQ(store.StepOf(L"put back C:\\NC\\A.NC"), store.Steps.size());

  const TRecordedRun record = ParseRunRecord(store.Text(run + kRecordFileName));
  EXPECT_EQ(record.Number, 26u);
  ASSERT_EQ(record.Handed.size(), 2u);
  EXPECT_EQ(record.Handed[1].BackupHash, L"b0");
  ASSERT_EQ(record.Files.size(), 2u);
  EXPECT_EQ(record.Files[1].HashAfter, L"b0");
  EXPECT_EQ(record.Files[1].Error, cutOff + L"; put back as it was");
  EXPECT_FALSE(record.Ended.empty());
}

TEST(UndoRun, LooksAgainRightBeforeReplacingStopsAfterAFileAndKeepsWhatItPutBack) {
  TMemoryStore store;
  const std::wstring run = kRuns + L"r\\";
  TUndoableRun undoable{run, {}};
  for (const wchar_t* name : {L"A.NC", L"B.NC", L"C.NC", L"D.NC"}) {
    const std::wstring path = std::wstring(L"C:\\NC\\") + name;
    store.Write(run + name, "before");
    store.Write(path, "after");
    undoable.Record.Handed.push_back({path, name, L"before"});
    undoable.Record.Files.push_back({path, TFileOutcome::Treated, L"", 6, 5, L"after", name});
  }
  // D is saved by someone else between Undo's first look and its turn.
  std::map<std::wstring, int> hashed;
  store.BeforeHash = [&](const std::wstring& path) {
    if (++hashed[path] == 2 && path == L"C:\\NC\\D.NC") store.Write(path, "edited");
  };
  int done = 0;
  TUndoProgress progress;
  progress.StopRequested = [&] { return done == 1; };
  progress.FileDone = [&](int files, int total) {
    done = files;
    EXPECT_EQ(total, 4);
  };
  const TUndoOutcome stopped = UndoRecordedRun(undoable, store, progress);
  EXPECT_TRUE(stopped.Stopped);
  EXPECT_EQ(stopped.PutBack, 1);
  EXPECT_EQ(stopped.Left, 3);
  EXPECT_EQ(store.Text(L"C:\\NC\\A.NC"), "before");
  EXPECT_EQ(store.Text(L"C:\\NC\\B.NC"), "after");
  // The record tells how far it came, and the run stays to be undone.
  const std::string line = store.Text(run + kRecordFileName);
  EXPECT_TRUE(line.starts_with("Undo stopped\t") && line.ends_with("\t1\t3\r\n")) << line;
  EXPECT_TRUE(ParseRunRecord(line).Undone.empty());

  // Undo again: A is back already; the record cannot be written now.
  store.RecordFails = true;
  const TUndoOutcome rest = UndoRecordedRun(undoable, store, {});
  EXPECT_EQ(rest.PutBack, 2);
  EXPECT_EQ(rest.Changed, std::vector<std::wstring>{L"C:\\NC\\D.NC"});
  EXPECT_EQ(store.Text(L"C:\\NC\\D.NC"), "edited");
  EXPECT_EQ(store.Text(L"C:\\NC\\C.NC"), "before");
  EXPECT_NE(rest.RecordError.find(L"in use"), std::wstring::npos);
}
