#pragma once
// The stand-in's script: rules for the two processing steps, plus directives that make
// chosen calls fail, wait, show a box, crash the server, answer GetFolder or write a trace. The same syntax
// serves the start-up settings file. Text is UTF-8 (ASCII in practice).
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

enum class TRuleKind { Replace, Renumber, StripComments, Uppercase };

struct TRule {
  TRuleKind Kind = TRuleKind::Replace;
  std::string From, To;           // Replace
  long long Start = 0, Step = 0;  // Renumber
};

// The calls of INorvaltx the stand-in serves for real.
enum class TCall { OpenNcFile, ScriptStep1, ScriptStep2, SaveNcFileAs, GetFolder, LoadScript };

std::string_view CallName(TCall call);

struct TCallDirective {
  enum TAction { Fail, Crash, Delay, Box } Action = Fail;
  TCall Call = TCall::OpenNcFile;
  std::optional<std::string> File;         // only for this file (full path or name)
  std::optional<std::string> Description;  // Fail: the error description, if any
  std::uint32_t Status = 0x80004005u;      // Fail: the status returned
  std::uint32_t Milliseconds = 0;          // Delay: how long the call waits
  bool After = false;                      // Delay: the wait comes after the call's work
  std::string Caption, Text;               // Box: what the message box shows
};

// What a call looks for among the directives: it may wait before and after its work, show a
// box, and still fail or crash, each by a directive of its own.
enum class TDirectiveStage { Outcome, DelayBefore, Box, DelayAfter };

struct TFolderAnswer {
  enum class TKind { Text, Number, Empty } Kind = TKind::Text;
  std::string Text;
  std::int32_t Number = 0;
};

struct TScript {
  std::vector<TRule> Step1, Step2;
  std::vector<TCallDirective> Directives;
  std::optional<std::string> TracePath;
  std::optional<TFolderAnswer> Folder;
};

class TScriptError : public std::runtime_error {
 public:
  TScriptError(int line, const std::string& message);
  int Line() const noexcept { return FLine; }

 private:
  int FLine;
};

// Parses a whole script; the first bad line raises TScriptError ("line N: ...").
TScript ParseScript(std::string_view text);

// The first directive among `directives` for `call` whose file (if any) is `filePath`,
// compared without regard to ASCII case either as a full path or as the file's name, among
// the directives of stage (fail and crash directives for Outcome).
const TCallDirective* FindDirective(const std::vector<TCallDirective>& directives, TCall call,
                                    std::string_view filePath, TDirectiveStage stage = TDirectiveStage::Outcome);
