// The painted background window behind the wizards. Its one-shot timer
// starts the run (the install or the removal wizard) a moment after
// start-up; after the removal wizard it closes itself. Closing it ends the
// program.
#pragma once

#include "framework/frame_wnd.h"

class CMainFrame;

// What the frame's timer starts: the program's install or removal wizard,
// with all it works with.
class FrameRun {
public:
    virtual ~FrameRun() = default;
    virtual void Start(CMainFrame& frame) = 0;
};

// What differs between the programs that use the frame.
struct FrameSettings {
    int bUninstall;             // 1: timer 102 (the removal wizard), 0: timer 101 (the install)
    const char* szProgramDir;   // where the product INF lies, whose version the title shows
    const char* szTitleStart;   // painted before the version suffix
    bool bScreenSized;          // screen size + borders instead of the maximized size
    bool bToolWindow;           // keep the hidden frame out of the task list
    UINT nBitmapId;             // background picture; 0 for none
    FrameRun* pRun;             // what the timer starts; may be null
};

constexpr UINT_PTR kInstallTimer = 101;
constexpr UINT_PTR kUninstallTimer = 102;

// The painted title; starts as the program's title text.
extern char g_szTitle[64];

class CMainFrame : public CFrameWnd {
public:
    explicit CMainFrame(const FrameSettings& settings);

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    int OnCreate();
    void OnPaint();
    void OnTimer(UINT_PTR id);
    void OnDestroy();
    RECT WindowRect() const;

    FrameSettings m_settings;
    char m_szSoftwareVersion[32];
    HBITMAP m_bitmap = nullptr;
    HFONT m_font = nullptr;
    int m_bBitmapLoaded = 0;
};

// Creates the frame and shows it with showCommand (SW_HIDE for the removal
// wizards); nullptr when its window could not be made.
CMainFrame* OpenMainFrame(const FrameSettings& settings, int showCommand);

// The frame of this process, found as every step finds it: by its title,
// among this process's windows only.
HWND FindMainFrame();
