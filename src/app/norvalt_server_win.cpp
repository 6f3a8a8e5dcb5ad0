#include "app/norvalt_server.h"

#include <objbase.h>

#include "automation/norvalt_tlb.h"

namespace {

std::wstring ClassIdText(const CLSID& classId) {
  wchar_t text[40] = {};
  ::StringFromGUID2(classId, text, static_cast<int>(std::size(text)));
  return text;
}

}  // namespace

TNorvaltServer MakeNorvaltServer(const std::shared_ptr<TServerProcess>& earlier) {
  const std::wstring image = LocalServerImage(ClassIdText(CLSID_CoNorvaltx));
  const std::vector<TProcessId> before = image.empty() ? std::vector<TProcessId>() : ProcessesOfImage(image);
  TNorvaltServer server;
  server.Object = CoNorvaltx::Create();
  if (image.empty()) return server;
  TServerProcess serving = TServerProcess::Identify(image, before, ProcessesOfImage(image));
  if (earlier && earlier->Ours() && earlier->Alive() && serving.Known() && serving.Id() == earlier->Id())
    server.Process = earlier;
  else
    server.Process = std::make_shared<TServerProcess>(std::move(serving));
  return server;
}
