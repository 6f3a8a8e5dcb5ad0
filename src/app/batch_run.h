#pragma once
// The batch run behind "Process": checks the inputs, hands the script to Norvalt once and
// has it open, treat and save every selected file of the list in display order.
#include <string>

// The program's button on the taskbar, which mirrors a run for a user who works elsewhere.
class ITaskbarButton {
 public:
  virtual ~ITaskbarButton() = default;
  // Progress in the normal state; position 0 shows none.
  virtual void ShowProgress(int position, int max) = 0;
  // The run failed: the progress stays where it stopped, in the error state.
  virtual void ShowFailure() = 0;
  // Flashes the button until the user comes back, unless the window is in front already.
  virtual void FlashUnlessInFront() = 0;
};

// What the run reads from the main window and shows on it.
class IBatchWindow {
 public:
  virtual ~IBatchWindow() = default;
  virtual std::wstring ScriptPath() = 0;
  virtual int SelCount() = 0;
  virtual int EntryCount() = 0;
  virtual bool EntrySelected(int index) = 0;
  virtual std::wstring EntryText(int index) = 0;
  virtual std::wstring Folder() = 0;
  // True when a file (not a folder) exists at the path, links followed.
  virtual bool ScriptFileExists(const std::wstring& path) = 0;
  virtual void SetProgressMax(int max) = 0;
  // Also lets the progress bar repaint, so that a long run does not look hung.
  virtual void SetProgressPosition(int position) = 0;
  // The program's message dialog with message type 0.
  virtual void ShowMessage(const std::wstring& title, const std::wstring& text) = 0;
  virtual ITaskbarButton& TaskbarButton() = 0;
};

// The Norvalt operations of a run; each raises the program's exceptions on failure.
class INcProcessor {
 public:
  virtual ~INcProcessor() = default;
  virtual void LoadScript(const std::wstring& path) = 0;
  virtual void OpenNcFile(const std::wstring& path) = 0;
  virtual void ScriptStep1() = 0;
  virtual void ScriptStep2() = 0;
  virtual void SaveNcFileAs(const std::wstring& path) = 0;
};

// Runs the batch. norvalt is null when the program is not linked to Norvalt. A failing
// call ends the run by its exception; what was saved before stays saved. The taskbar
// button follows the progress bar, and calls the user back when the run ends.
void RunBatch(IBatchWindow& window, INcProcessor* norvalt);
