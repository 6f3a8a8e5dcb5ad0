#pragma once
// Norvalt's object together with the process that serves it, and whether Velbrook's own
// request started that process: only such a process may Velbrook ever end.
#include <wrl/client.h>

#include <memory>

#include "norvalt_h.h"
#include "platform/server_process.h"

struct TNorvaltServer {
  Microsoft::WRL::ComPtr<INorvaltx> Object;
  // Never null; not Known() when the server's process could not be told (an in-process
  // server, or a request that other programs' starts made ambiguous).
  std::shared_ptr<TServerProcess> Process = std::make_shared<TServerProcess>();
};

// Makes Norvalt's object, listing the server's processes before and after the request.
// earlier is the process of the object made before, if any: a new object served by that same
// process is Velbrook's own as much as the first was. Raises as CoNorvaltx::Create does.
TNorvaltServer MakeNorvaltServer(const std::shared_ptr<TServerProcess>& earlier);
