#pragma once

#include <string>

#include <QIcon>

#include "dialog.h"
#include "murkwell/report_run.h"
#include "settings_key.h"

namespace murkwell {

struct FileChooserKind;

// The program's main window: the two path boxes with their choosers, and
// "&Start", which runs the conversion of the engine this dialog derives from.
// The paths are loaded from the settings when the window opens and saved
// when it closes, however it closes.
class CMurkwellDlg : public CDialog, public CReportRun {
public:
    explicit CMurkwellDlg(QWidget* parent = nullptr);
    ~CMurkwellDlg() override;

protected:
    // Shows one message in a modal box with one "OK" button and returns when
    // it has been closed; `detail`, if any, stands below it. Every message of
    // the window goes through here.
    virtual void ShowMessageBox(const QString& text, const QString& detail);

    void DoDataExchange(bool saveAndValidate) override;
    bool OnInitDialog() override;
    void OnDestroy() override;
    void OnSysCommand(unsigned command) override;

    void ReadPathBoxes() override;
    void ShowMessage(const Outcome& outcome) override;

    void OnBrowseLog();
    void OnBrowseHtml();
    void OnAbout();
    void OnStartButton();

    void LoadSettings();
    void SaveSettings();

    CSettingsKey m_SettingsKey;
    QIcon m_hIcon;

private:
    void Browse(const FileChooserKind& kind, std::string& editText, std::string& runPath);
};

}  // namespace murkwell
