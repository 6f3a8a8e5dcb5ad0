#include "identity/verinfo2.h"

void TEPInfoExe::Execute() { Execute(*CreateVersionInfo()); }
