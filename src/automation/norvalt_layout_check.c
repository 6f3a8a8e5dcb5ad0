/* Velbrook binds to Norvalt by vtable position: operation p of INorvaltx's own list must sit
 * at slot p + 6 (after IUnknown's three and IDispatch's four). The build fails if the
 * interface description ever drifts. */
#include <stddef.h>

#include "norvalt_h.h"

#define NORVALT_SLOT(position) (((position) + 6) * sizeof(void*))

_Static_assert(offsetof(INorvaltxVtbl, OpenNcFile) == NORVALT_SLOT(136), "OpenNcFile must be operation 136");
_Static_assert(offsetof(INorvaltxVtbl, ScriptStep1) == NORVALT_SLOT(150), "ScriptStep1 must be operation 150");
_Static_assert(offsetof(INorvaltxVtbl, ScriptStep2) == NORVALT_SLOT(151), "ScriptStep2 must be operation 151");
_Static_assert(offsetof(INorvaltxVtbl, SaveNcFileAs) == NORVALT_SLOT(152), "SaveNcFileAs must be operation 152");
_Static_assert(offsetof(INorvaltxVtbl, GetFolder) == NORVALT_SLOT(170), "GetFolder must be operation 170");
_Static_assert(offsetof(INorvaltxVtbl, LoadScript) == NORVALT_SLOT(171), "LoadScript must be operation 171");
_Static_assert(sizeof(INorvaltxVtbl) == NORVALT_SLOT(180), "INorvaltx must have 179 operations of its own");
