// The question both uninstallers ask before anything is removed.
#pragma once

#include <windows.h>

// "This will remove <product>. ..." from the resources textId (two %s) and
// captionId, OK / Cancel with Cancel preselected, owned as
// framework/modal_owner.h says (asked before there is a window: none, unless
// the program was started hidden); true for OK.
bool ConfirmRemoval(UINT textId, UINT captionId);
