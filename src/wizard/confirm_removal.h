// The question both uninstallers ask before anything is removed.
#pragma once

#include <windows.h>

// "This will remove <product>. ..." from the resources textId (two %s) and
// captionId, OK / Cancel with Cancel preselected, no owner; true for OK.
bool ConfirmRemoval(UINT textId, UINT captionId);
