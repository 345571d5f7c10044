// String resources, loaded in the user's language by the platform's
// ordinary resource lookup.
#pragma once

#include <windows.h>

#include <string>

// The string with this identifier ("" when it does not exist), whatever its length.
std::string LoadResString(UINT id);

// Caption of a dialog template in the user's language ("" when it has none).
std::string LoadDialogCaption(UINT dialogId);
