// Property pages and the sheet that holds them, used in wizard mode: the
// sheet runs its own modal loop so that a page can end the whole wizard
// with a result of its choosing.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <string>
#include <vector>

#include "framework/dialog.h"

// Identifiers of the sheet's wizard buttons.
constexpr int kIdBack = 12323;
constexpr int kIdNext = 12324;
constexpr int kIdFinish = 12325;

class CPropertySheet;

class CPropertyPage : public CDialog {
public:
    explicit CPropertyPage(UINT templateId) : CDialog(templateId) {}

    // The sheet window that holds this page.
    HWND GetSheet() const { return ::GetParent(m_hWnd); }
    CPropertySheet* m_pSheet = nullptr;

    static INT_PTR CALLBACK StdPageProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

protected:
    // TRUE: the page may become active.
    virtual BOOL OnSetActive();
    // TRUE: the page may be left (its data was taken).
    virtual BOOL OnKillActive();
    // TRUE: the sheet may close by Cancel.
    virtual BOOL OnQueryCancel() { return TRUE; }
    // 0: go to the next page; -1: stay.
    virtual LRESULT OnWizardNext() { return 0; }
    virtual LRESULT OnWizardBack() { return 0; }
    // TRUE: the wizard may finish.
    virtual BOOL OnWizardFinish() { return TRUE; }

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnNotify(const NMHDR& header);
    bool m_bFirstSetActive = true;
};

class CPropertySheet {
public:
    explicit CPropertySheet(const char* caption, HWND parent = nullptr);

    void AddPage(CPropertyPage* page);
    // Runs the sheet: kIdFinish after Finish, the EndDialog value, else IDCANCEL.
    INT_PTR DoModal();
    // Ends the whole sheet with this result, from any page.
    void EndDialog(INT_PTR result);

    PROPSHEETHEADERA m_psh;
    HWND m_hWnd = nullptr;
    INT_PTR m_nResult = IDCANCEL;

private:
    std::string m_strCaption;
    std::vector<CPropertyPage*> m_pages;
    bool m_bEnded = false;
};
