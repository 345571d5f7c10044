// The destination page: shows the product directory, lets the user pick
// another one, and its Next ends the install wizard.
#pragma once

#include <string>

#include "framework/property_sheet.h"
#include "wizard/side_picture.h"

class ProductFolder;

class CDestinationDlg : public CPropertyPage {
public:
    // folder: the install's product folder, which the page shows and edits.
    explicit CDestinationDlg(ProductFolder& folder);
    ~CDestinationDlg() override;

    // Low byte of the language of the system's USER.EXE (17: Japanese); 0 when unknown.
    static int GetSystemLanguage();

    ProductFolder& m_folder;

protected:
    void DoDataExchange(CDataExchange& dx) override;
    BOOL OnInitDialog() override;
    BOOL OnQueryCancel() override;
    LRESULT OnWizardNext() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void OnBrowse();

    CSidePicture m_sidePicture;
};

// The one destination page; the Choose Directory hook reaches it through this.
extern CDestinationDlg* g_pDestinationDlg;

UINT_PTR CALLBACK ChooseDirectoryHook(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
