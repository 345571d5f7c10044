// Dialogs from resource templates, modal or modeless, with data exchange
// between controls and members.
#pragma once

#include <string>

#include "framework/wnd.h"

class CDialog;

// Direction and target of one data exchange.
class CDataExchange {
public:
    CDataExchange(CWnd* dialog, bool saveAndValidate)
        : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}
    CWnd* m_pDlgWnd;
    bool m_bSaveAndValidate;  // true: controls to members; false: members to controls
};

// Text of control id <-> a string member.
void DDX_Text(CDataExchange& dx, int id, std::string& value);

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, HWND parent = nullptr)
        : m_nIDTemplate(templateId), m_hParent(parent) {}

    // Runs the dialog modally, owned by the parent or, with none, as
    // framework/modal_owner.h says; the value passed to EndDialog, or -1.
    virtual INT_PTR DoModal();
    // Creates the dialog modeless; FALSE on failure.
    BOOL Create(HWND parent);
    void EndDialog(INT_PTR result) { ::EndDialog(m_hWnd, result); }
    // Moves data between controls and members; FALSE when saving failed.
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    UINT m_nIDTemplate;

    // Dialog procedure of every dialog and property page of the framework.
    static INT_PTR CALLBACK StdDlgProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

protected:
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange&) {}
    virtual void OnOK();
    virtual void OnCancel();
    // A command from a control or menu; TRUE when handled.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // Dialogs leave unhandled messages to the dialog manager.
    LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    // Runs one message through an attached dialog object.
    static INT_PTR Dispatch(CDialog* dialog, HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND m_hParent;
};
