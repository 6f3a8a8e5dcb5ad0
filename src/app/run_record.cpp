#include "app/run_record.h"

#include <algorithm>
#include <charconv>
#include <tuple>

#include "base/file_names.h"
#include "base/text.h"

namespace {

constexpr char kTitle[] = "Velbrook run record";
constexpr char kMissing[] = "-";
// Longer lists in a message would push its buttons off the screen.
constexpr std::size_t kListedAtMost = 10;

std::wstring Digits(int value, std::size_t width) {
  std::wstring text = std::to_wstring(value);
  return std::wstring(text.size() < width ? width - text.size() : 0, L'0') + text;
}

std::wstring TimeText(const TLocalTime& t, wchar_t timeSeparator) {
  return Digits(t.Year, 4) + L'-' + Digits(t.Month, 2) + L'-' + Digits(t.Day, 2) + L' ' + Digits(t.Hour, 2) +
         timeSeparator + Digits(t.Minute, 2) + timeSeparator + Digits(t.Second, 2);
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// UTF-8 of UTF-16 text. A lone surrogate, which a Windows file name may hold, is encoded on
// its own, so that the name reads back as it was.
std::string WideToUtf8(std::wstring_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = static_cast<char32_t>(text[i]);
    if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(static_cast<char32_t>(text[i + 1]))) {
      c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char32_t>(text[++i]) - 0xDC00);
    }
    AppendUtf8(out, c);
  }
  return out;
}

// A value as one field of a line: tabs and line breaks would split it.
std::string FieldText(std::wstring value) {
  const auto splitsLine = [](wchar_t c) { return c == L'\t' || c == L'\r' || c == L'\n'; };
  std::replace_if(value.begin(), value.end(), splitsLine, L' ');
  return WideToUtf8(value);
}

std::string OptionalField(const std::wstring& value) { return value.empty() ? kMissing : FieldText(value); }

std::string OptionalField(const std::optional<std::uint64_t>& value) {
  return value ? std::to_string(*value) : kMissing;
}

std::string Line(const std::vector<std::string>& fields) {
  std::string line;
  for (const std::string& field : fields) line += (line.empty() ? "" : "\t") + field;
  return line + "\r\n";
}

const char* OutcomeWord(TFileOutcome outcome) {
  switch (outcome) {
    case TFileOutcome::Treated: return "treated";
    case TFileOutcome::Failed: return "failed: ";
    case TFileOutcome::Stopped: return "stopped";
    case TFileOutcome::NotReached: return "not reached";
  }
  return "";
}

std::wstring WideField(std::string_view field) { return Utf8ToWide(std::string(field)); }

std::wstring OptionalWide(std::string_view field) { return field == kMissing ? std::wstring() : WideField(field); }

std::optional<std::uint64_t> OptionalNumber(std::string_view field) {
  std::uint64_t number = 0;
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), number);
  if (error != std::errc() || end != field.data() + field.size()) return std::nullopt;
  return number;
}

std::vector<std::string_view> SplitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  for (;;) {
    const std::size_t tab = line.find('\t');
    fields.push_back(line.substr(0, tab));
    if (tab == std::string_view::npos) return fields;
    line.remove_prefix(tab + 1);
  }
}

// The file of a File line; none when the outcome is not one the record writes.
std::optional<TRecordedFile> ParseFileFields(const std::vector<std::string_view>& fields) {
  constexpr std::string_view failed = "failed: ";
  TRecordedFile file;
  const std::string_view outcome = fields[1];
  if (outcome.substr(0, failed.size()) == failed) {
    file.Outcome = TFileOutcome::Failed;
    file.Error = WideField(outcome.substr(failed.size()));
  } else if (outcome == OutcomeWord(TFileOutcome::Treated)) {
    file.Outcome = TFileOutcome::Treated;
  } else if (outcome == OutcomeWord(TFileOutcome::Stopped)) {
    file.Outcome = TFileOutcome::Stopped;
  } else if (outcome == OutcomeWord(TFileOutcome::NotReached)) {
    file.Outcome = TFileOutcome::NotReached;
  } else {
    return std::nullopt;
  }
  file.SizeBefore = OptionalNumber(fields[2]);
  file.SizeAfter = OptionalNumber(fields[3]);
  file.HashAfter = OptionalWide(fields[4]);
  file.BackupName = OptionalWide(fields[5]);
  file.Path = WideField(fields[6]);
  return file;
}

void ParseLine(const std::vector<std::string_view>& fields, TRunRecord& record) {
  const std::string_view key = fields[0];
  if (fields.size() == 2) {
    const std::pair<std::string_view, std::wstring*> texts[] = {{"Started", &record.Started},
                                                                {"Ended", &record.Ended},
                                                                {"Script", &record.Script},
                                                                {"Folder", &record.Folder},
                                                                {"Mask", &record.Mask}};
    for (const auto& [name, value] : texts)
      if (key == name) *value = WideField(fields[1]);
  } else if (key == "File" && fields.size() == 7) {
    if (std::optional<TRecordedFile> file = ParseFileFields(fields)) record.Files.push_back(std::move(*file));
  } else if (key == "Undone" && fields.size() >= 3) {
    record.Undone = WideField(fields[1]);
    record.PutBack = static_cast<int>(OptionalNumber(fields[2]).value_or(0));
    record.Skipped.clear();
    for (std::size_t i = 3; i < fields.size(); ++i) record.Skipped.push_back(WideField(fields[i]));
  }
}

// A run folder's name: the start time, perhaps with a " (n)" for runs of the same second.
// Gives the time and n (1 without a suffix), by which runs order; none for another name.
std::optional<std::pair<std::wstring, unsigned long>> RunFolderOrder(const std::wstring& name) {
  constexpr std::wstring_view shape = L"0000-00-00 00.00.00";
  if (name.size() < shape.size()) return std::nullopt;
  for (std::size_t i = 0; i < shape.size(); ++i) {
    const bool digit = name[i] >= L'0' && name[i] <= L'9';
    if (shape[i] == L'0' ? !digit : name[i] != shape[i]) return std::nullopt;
  }
  const std::wstring time = name.substr(0, shape.size());
  const std::wstring rest = name.substr(shape.size());
  if (rest.empty()) return std::make_pair(time, 1ul);
  if (rest.size() < 4 || rest.rfind(L" (", 0) != 0 || rest.back() != L')') return std::nullopt;
  const std::wstring number = rest.substr(2, rest.size() - 3);
  if (!std::all_of(number.begin(), number.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; }) || number.size() > 9)
    return std::nullopt;
  return std::make_pair(time, std::stoul(number));
}

bool SameIgnoringAsciiCase(std::wstring_view a, std::wstring_view b) {
  const auto lower = [](wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; };
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [&](wchar_t x, wchar_t y) { return lower(x) == lower(y); });
}

// stem + tail, or else stem + " (n)" + tail with the first n from 2 on that is not taken.
std::wstring NumberedName(const std::wstring& stem, const std::wstring& tail,
                          const std::function<bool(const std::wstring&)>& taken) {
  std::wstring name = stem + tail;
  for (int number = 2; taken(name); ++number) name = stem + L" (" + std::to_wstring(number) + L")" + tail;
  return name;
}

bool IsUndoable(const TRecordedFile& file) { return !file.BackupName.empty() && !file.HashAfter.empty(); }

std::wstring FilesText(int count) { return std::to_wstring(count) + (count == 1 ? L" file" : L" files"); }

// Each line on a line of its own, the first ones only, then how many more there are.
std::wstring ListedLines(const std::vector<std::wstring>& lines) {
  std::wstring text;
  for (std::size_t i = 0; i < lines.size() && i < kListedAtMost; ++i) text += L"\r\n" + lines[i];
  if (lines.size() > kListedAtMost) text += L"\r\nand " + std::to_wstring(lines.size() - kListedAtMost) + L" more";
  return text;
}

}  // namespace

std::wstring RecordTimeText(const TLocalTime& time) { return TimeText(time, L':'); }

std::wstring RunFolderName(const TLocalTime& time) { return TimeText(time, L'.'); }

std::string RecordHeaderText(const TRunRecord& record) {
  return std::string(kTitle) + "\r\n" + Line({"Started", FieldText(record.Started)}) +
         Line({"Script", FieldText(record.Script)}) + Line({"Folder", FieldText(record.Folder)}) +
         Line({"Mask", FieldText(record.Mask)});
}

std::string RecordFileLine(const TRecordedFile& file) {
  std::string outcome = OutcomeWord(file.Outcome);
  if (file.Outcome == TFileOutcome::Failed) outcome += FieldText(file.Error);
  return Line({"File", outcome, OptionalField(file.SizeBefore), OptionalField(file.SizeAfter),
               OptionalField(file.HashAfter), OptionalField(file.BackupName), FieldText(file.Path)});
}

std::string RecordEndLine(const std::wstring& time) { return Line({"Ended", FieldText(time)}); }

std::string RecordUndoLine(const std::wstring& time, int putBack, const std::vector<std::wstring>& skipped) {
  std::vector<std::string> fields{"Undone", FieldText(time), std::to_string(putBack)};
  for (const std::wstring& path : skipped) fields.push_back(FieldText(path));
  return Line(fields);
}

TRunRecord ParseRunRecord(std::string_view utf8) {
  TRunRecord record;
  // Only whole lines count: what follows the last line break was cut off.
  for (std::size_t end = utf8.find('\n'); end != std::string_view::npos; end = utf8.find('\n')) {
    std::string_view line = utf8.substr(0, end);
    utf8.remove_prefix(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    ParseLine(SplitFields(line), record);
  }
  return record;
}

std::wstring NewRunFolderName(const TLocalTime& start, const std::function<bool(const std::wstring&)>& taken) {
  return NumberedName(RunFolderName(start), L"", taken);
}

std::wstring UniqueName(const std::wstring& wanted, const std::function<bool(const std::wstring&)>& taken) {
  // A leading dot starts a name, not an extension.
  const std::size_t dot = wanted.rfind(L'.');
  const std::size_t stemEnd = dot == std::wstring::npos || dot == 0 ? wanted.size() : dot;
  return NumberedName(wanted.substr(0, stemEnd), wanted.substr(stemEnd), taken);
}

std::wstring BackupName(const std::wstring& fileName, const std::function<bool(const std::wstring&)>& taken) {
  return UniqueName(fileName, [&](const std::wstring& name) {
    return SameIgnoringAsciiCase(name, kRecordFileName) || name == L"-" || taken(name);
  });
}

std::vector<TRunOnDisk> RunsNewestFirst(std::vector<TRunOnDisk> listed) {
  std::erase_if(listed, [](const TRunOnDisk& run) { return !RunFolderOrder(run.Name); });
  std::sort(listed.begin(), listed.end(),
            [](const TRunOnDisk& a, const TRunOnDisk& b) { return *RunFolderOrder(b.Name) < *RunFolderOrder(a.Name); });
  return listed;
}

std::vector<std::wstring> RunsToRemove(std::vector<TRunOnDisk> runs, std::size_t keepCount, std::uint64_t keepBytes) {
  const std::vector<TRunOnDisk> newestFirst = RunsNewestFirst(std::move(runs));
  std::size_t kept = 0;
  std::uint64_t keptBytes = 0;
  for (const TRunOnDisk& run : newestFirst) {
    const bool fits = kept < keepCount && keptBytes + run.Bytes <= keepBytes;
    if (kept > 0 && !fits) break;
    ++kept;
    keptBytes += run.Bytes;
  }
  std::vector<std::wstring> names;
  for (std::size_t i = kept; i < newestFirst.size(); ++i) names.push_back(newestFirst[i].Name);
  return names;
}

TUndoPlan PlanUndo(const TRunRecord& record,
                   const std::function<std::optional<std::wstring>(const std::wstring& path)>& currentHash) {
  TUndoPlan plan;
  for (const TRecordedFile& file : record.Files) {
    if (!IsUndoable(file)) continue;
    if (currentHash(file.Path) == file.HashAfter)
      plan.Restore.push_back(&file);
    else
      plan.Skipped.push_back(file.Path);
  }
  return plan;
}

int UndoableCount(const TRunRecord& record) {
  return static_cast<int>(std::count_if(record.Files.begin(), record.Files.end(), IsUndoable));
}

bool CanUndo(const TRunRecord& record) { return record.Undone.empty() && UndoableCount(record) > 0; }

std::wstring UndoQuestion(int count, const std::wstring& started) {
  return L"Put back " + FilesText(count) + L" as they were before the run of " + started + L"?";
}

std::wstring UndoResultText(int putBack, const std::vector<std::wstring>& skipped) {
  std::wstring text = L"Put back " + FilesText(putBack) + L".";
  if (!skipped.empty()) text += L"\r\nSkipped because they changed since the run:" + ListedLines(skipped);
  return text;
}

std::wstring FailureSummary(int treated, int count,
                            const std::vector<std::pair<std::wstring, std::wstring>>& failedPathsAndErrors) {
  std::wstring text = L"Treated " + std::to_wstring(treated) + L" of " + FilesText(count) + L".";
  if (failedPathsAndErrors.empty()) return text;
  std::vector<std::wstring> lines;
  for (const auto& [path, error] : failedPathsAndErrors) lines.push_back(FileNameOf(path) + L": " + error);
  return text + L" " + std::to_wstring(lines.size()) + L" failed:" + ListedLines(lines);
}
