// setup's one application object; the framework's entry point runs it.
#include "app/setup_app.h"

CSetupApp theApp;
