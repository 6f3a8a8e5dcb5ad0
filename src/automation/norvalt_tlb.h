#pragma once
// Norvalt_TLB: the link to Norvalt's automation object. `CoNorvaltx` creates it;
// `TNorvalt` offers the six operations Velbrook uses, raising the program's exceptions
// when Norvalt reports a failure.
#include <wrl/client.h>

#include <string>

#include "norvalt_h.h"

class CoNorvaltx {
 public:
  // Makes Norvalt's object on this machine; raises Exception when the class is not
  // registered, the server does not start or the object lacks INorvaltx.
  static Microsoft::WRL::ComPtr<INorvaltx> Create();
};

class TNorvalt {
 public:
  explicit TNorvalt(Microsoft::WRL::ComPtr<INorvaltx> server);

  long OpenNcFile(const std::wstring& path);
  void ScriptStep1();
  void ScriptStep2();
  long SaveNcFileAs(const std::wstring& path);
  // The answer as text by the ordinary variant rules; an empty variant gives "".
  std::wstring GetFolder(long selector);
  long LoadScript(const std::wstring& path);

 private:
  void Check(HRESULT status) const;

  Microsoft::WRL::ComPtr<INorvaltx> FServer;
};
