#include "identity/regtypes.h"
#include "platform/shell_folders.h"

void RefreshIdentity() { RefreshIdentity(*CreateVersionInfo(), FileNameOf(ProgramFilePath())); }
