// The install road that the frame's timer 101 starts.
#pragma once

class CMainFrame;

void RunInstall(CMainFrame& frame);
