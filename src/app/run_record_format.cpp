#include "app/run_record_format.h"

#include <algorithm>
#include <charconv>
#include <utility>

#include "app/utf8_line.h"
#include "base/file_names.h"
#include "base/text.h"

namespace {

constexpr char kTitle[] = "Velbrook run record";
constexpr char kMissing[] = "-";

std::wstring Digits(int value, std::size_t width) {
  std::wstring text = std::to_wstring(value);
  return std::wstring(text.size() < width ? width - text.size() : 0, L'0') + text;
}

std::string OptionalField(const std::wstring& value) { return value.empty() ? kMissing : Utf8Field(value); }

std::string OptionalField(const std::optional<std::uint64_t>& value) {
  return value ? std::to_string(*value) : kMissing;
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
std::optional<TFileEntry> ParseFileFields(const std::vector<std::string_view>& fields) {
  constexpr std::string_view failed = "failed: ";
  TFileEntry file;
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

void ParseLine(const std::vector<std::string_view>& fields, TRecordedRun& record) {
  const std::string_view key = fields[0];
  if (key == "Run" && fields.size() == 2) {
    record.Number = OptionalNumber(fields[1]).value_or(0);
  } else if (fields.size() == 2) {
    const std::pair<std::string_view, std::wstring*> texts[] = {{"Started", &record.Started},
                                                                {"Ended", &record.Ended},
                                                                {"Script", &record.Script},
                                                                {"Folder", &record.Folder},
                                                                {"Mask", &record.Mask}};
    for (const auto& [name, value] : texts)
      if (key == name) *value = WideField(fields[1]);
  } else if (key == "Handed" && fields.size() == 4) {
    record.Handed.push_back({WideField(fields[3]), WideField(fields[1]), WideField(fields[2])});
  } else if (key == "File" && fields.size() == 7) {
    if (std::optional<TFileEntry> file = ParseFileFields(fields)) record.Files.push_back(std::move(*file));
  } else if (key == "Undone" && fields.size() >= 3) {
    record.Undone = WideField(fields[1]);
    record.PutBack = static_cast<int>(OptionalNumber(fields[2]).value_or(0));
    record.Skipped.clear();
    for (std::size_t i = 3; i < fields.size(); ++i) record.Skipped.push_back(WideField(fields[i]));
  }
}

}  // namespace

std::wstring TimeText(const TLocalTime& t, wchar_t timeSeparator) {
  return Digits(t.Year, 4) + L'-' + Digits(t.Month, 2) + L'-' + Digits(t.Day, 2) + L' ' + Digits(t.Hour, 2) +
         timeSeparator + Digits(t.Minute, 2) + timeSeparator + Digits(t.Second, 2);
}

std::wstring RecordTimeText(const TLocalTime& time) { return TimeText(time, L':'); }

std::string RecordHeaderText(const TRecordedRun& record) {
  const std::string number = record.Number ? TabSeparatedLine({"Run", std::to_string(record.Number)}) : std::string();
  return std::string(kTitle) + "\r\n" + TabSeparatedLine({"Started", Utf8Field(record.Started)}) + number +
         TabSeparatedLine({"Script", Utf8Field(record.Script)}) +
         TabSeparatedLine({"Folder", Utf8Field(record.Folder)}) + TabSeparatedLine({"Mask", Utf8Field(record.Mask)});
}

std::string RecordFileLine(const TFileEntry& file) {
  std::string outcome = OutcomeWord(file.Outcome);
  if (file.Outcome == TFileOutcome::Failed) outcome += Utf8Field(file.Error);
  return TabSeparatedLine({"File", outcome, OptionalField(file.SizeBefore), OptionalField(file.SizeAfter),
                           OptionalField(file.HashAfter), OptionalField(file.BackupName), Utf8Field(file.Path)});
}

std::string RecordHandedLine(const THandedFile& file) {
  return TabSeparatedLine({"Handed", Utf8Field(file.BackupName), Utf8Field(file.BackupHash), Utf8Field(file.Path)});
}

std::string RecordEndLine(const std::wstring& time) { return TabSeparatedLine({"Ended", Utf8Field(time)}); }

std::string RecordUndoLine(const std::wstring& time, int putBack, const std::vector<std::wstring>& skipped) {
  std::vector<std::string> fields{"Undone", Utf8Field(time), std::to_string(putBack)};
  for (const std::wstring& path : skipped) fields.push_back(Utf8Field(path));
  return TabSeparatedLine(fields);
}

std::string RecordUndoStoppedLine(const std::wstring& time, int putBack, int left) {
  return TabSeparatedLine({"Undo stopped", Utf8Field(time), std::to_string(putBack), std::to_string(left)});
}

TRecordedRun ParseRunRecord(std::string_view utf8) {
  TRecordedRun record;
  // Only whole lines count: what follows the last line break was cut off, and so was a line
  // without its CR, which the next line's writer ended.
  for (std::size_t end = utf8.find('\n'); end != std::string_view::npos; end = utf8.find('\n')) {
    std::string_view line = utf8.substr(0, end);
    utf8.remove_prefix(end + 1);
    if (line.empty() || line.back() != '\r') continue;
    line.remove_suffix(1);
    ParseLine(SplitFields(line), record);
  }
  return record;
}
