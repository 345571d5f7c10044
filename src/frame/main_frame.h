// The painted background window behind the wizards. It owns the directory
// names every install and removal step reads, and its one-shot timer starts
// the install or the uninstall wizard a moment after start-up. Closing it
// ends the program.
#pragma once

#include "common/bounded_string.h"
#include "common/locations.h"
#include "framework/frame_wnd.h"

class CMainFrame;

// What differs between the programs that use the frame.
struct FrameSettings {
    int bNtPaths;               // OS flag of the running program
    int bUninstall;             // 1: timer 102 (uninstall wizard), 0: timer 101 (install)
    const char* szProgramDir;   // where the product INF lies
    const char* szTitleStart;   // painted before the version suffix
    bool bScreenSized;          // screen size + borders instead of the maximized size
    bool bToolWindow;           // keep the hidden frame out of the task list
    UINT nBitmapId;             // background picture; 0 for none
    void (*pfnSelectFileTable)(int bNtPaths);   // setup's copy table choice; may be null
    const char* szCommandLine;  // the directory the removal wizard works for
    void (*pfnRunInstall)(CMainFrame& frame);   // timer 101; may be null
    // Timer 102: runs the removal wizard's sheet; may be null.
    void (*pfnRunUninstallSheet)(CMainFrame& frame, const char* sourceDir);
};

constexpr UINT_PTR kInstallTimer = 101;
constexpr UINT_PTR kUninstallTimer = 102;

// The painted title; starts as the program's title text.
extern char g_szTitle[64];

class CMainFrame : public CFrameWnd {
public:
    explicit CMainFrame(const FrameSettings& settings);

    // Runs the removal wizard, then closes the frame, which ends the program.
    void RunUninstallWizard();

    int NtPaths() const { return m_settings.bNtPaths; }
    const char* ProgramDir() const { return m_settings.szProgramDir; }
    // The frame's directories for a pass over the file tables.
    FolderSet Folders(const char* destination) const {
        return {m_szWindowsDir, m_szSystemDir, m_szInfDir, destination, m_settings.bNtPaths};
    }

    char m_szSoftwareVersion[32];
    char m_szWindowsDir[kPathChars];
    char m_szSystemDir[kPathChars];
    char m_szDriversDir[kPathChars];
    char m_szInfDir[kPathChars];

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    int OnCreate();
    void OnPaint();
    void OnTimer(UINT_PTR id);
    void OnDestroy();
    void FillDirectories();
    RECT WindowRect() const;

    FrameSettings m_settings;
    HBITMAP m_bitmap = nullptr;
    HFONT m_font = nullptr;
    int m_bBitmapLoaded = 0;
};

// The frame of this process, found as every step finds it: by its title,
// among this process's windows only.
HWND FindMainFrame();
