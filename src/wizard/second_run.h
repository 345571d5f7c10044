// How both programs end when another run of the product's programs is
// going on (common/single_run.h decides).
#pragma once

// Logs why, brings the running run's window to the front unless the start
// is unattended (nothing may appear on screen then), and returns the exit
// code: Windows Installer's "another installation is already in progress".
int EndSecondRun(bool bSilent);
