#include "wizard/second_run.h"

#include "common/exit_codes.h"
#include "common/single_run.h"
#include "traces/run_log.h"

int EndSecondRun(bool bSilent) {
    LogText("not started: setup or DRVSWEEP of this product is already running");
    if (!bSilent) BringRunningRunToFront();
    return kExitAnotherRun;
}
