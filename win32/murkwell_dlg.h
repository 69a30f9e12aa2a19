#pragma once

#include <string>

#include "windows_api.h"

#include "file_chooser.h"
#include "murkwell/report_run.h"
#include "settings_key.h"

namespace murkwell {

// The main dialog: the two path boxes with their "Browse.." buttons,
// "&Start", "&About", "&Help" and "&Exit". It loads the two paths from the
// registry when it opens and stores them when it closes.
class CMurkwellDlg : public CReportRun {
public:
    explicit CMurkwellDlg(HINSTANCE instance);

    // Runs the dialog until "&Exit", Escape or its close button ends it.
    INT_PTR DoModal();

protected:
    void ReadPathBoxes() override { UpdateData(true); }
    void ShowMessage(const Outcome& outcome) override;

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

    BOOL OnInitDialog();
    bool OnSysCommand(WPARAM command);
    bool OnPaint();
    bool OnCommand(WORD id);
    void OnBrowseLog();
    void OnBrowseHtml();
    void Browse(const FileChooser& chooser, std::string& editText, std::string& runPath);
    void OnAbout();
    void OnHelp();
    void OnDestroy();

    // Settings, in murkwell_settings.cpp.
    void LoadSettings();
    void SaveSettings();

    // true: copies the two path boxes into m_strLogEdit and m_strHtmlEdit;
    // false: writes those two into the boxes.
    void UpdateData(bool saveAndValidate);

    HINSTANCE m_hInstance;
    HWND m_hWnd = nullptr;
    CSettingsKey m_SettingsKey;
    HICON m_hIcon;
    HICON m_hSmallIcon;
};

}  // namespace murkwell
