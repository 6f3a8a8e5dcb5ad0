#pragma once
// Norvalt's operations as the batch run uses them; results are not looked at.
#include "app/batch_run.h"
#include "automation/norvalt_tlb.h"

class TNorvaltProcessor : public INcProcessor {
 public:
  explicit TNorvaltProcessor(TNorvalt& norvalt) : FNorvalt(norvalt) {}
  void LoadScript(const std::wstring& path) override { FNorvalt.LoadScript(path); }
  void OpenNcFile(const std::wstring& path) override { FNorvalt.OpenNcFile(path); }
  void ScriptStep1() override { FNorvalt.ScriptStep1(); }
  void ScriptStep2() override { FNorvalt.ScriptStep2(); }
  void SaveNcFileAs(const std::wstring& path) override { FNorvalt.SaveNcFileAs(path); }

 private:
  TNorvalt& FNorvalt;
};
