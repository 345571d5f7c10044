// setup's one application object; the framework's WinMain runs it.
#include "app/setup_app.h"

CSetupApp theApp;
