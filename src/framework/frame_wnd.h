// Top-level frame window. Frames are created with new and delete themselves
// when their window is destroyed.
#pragma once

#include "framework/wnd.h"

class CFrameWnd : public CWnd {
public:
    // Creates the window; FALSE when the platform refused it.
    BOOL Create(const char* className, const char* title, DWORD style, const RECT& rect,
                DWORD exStyle = 0);

protected:
    // Last chance to change the creation parameters.
    virtual BOOL PreCreateWindow(CREATESTRUCTA& cs);
    // A frame whose creation failed is not deleted here: its creator still
    // holds it and gets a null window handle back.
    void PostNcDestroy() override {
        if (m_bCreated) DeleteWhenUnwound();
    }

private:
    bool m_bCreated = false;
};

// Registers (once per distinct set of values) a window class that sends its
// messages to the framework, and returns its name, which holds until the
// next call.
const char* RegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon);
