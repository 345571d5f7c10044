// The stand-alone uninstaller's one application object; the framework's
// entry point runs it.
#include "drvsweep/drvsweep_app.h"

CDrvSweepApp theApp;
