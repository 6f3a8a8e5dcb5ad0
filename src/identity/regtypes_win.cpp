#include "identity/regtypes.h"

#include "base/file_names.h"
#include "platform/shell_folders.h"

void RefreshIdentity() { RefreshIdentity(*CreateVersionInfo(), FileNameOf(ProgramFilePath())); }
