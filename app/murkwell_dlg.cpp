#include "murkwell_dlg.h"

#include <QMenu>

#include "about_dlg.h"
#include "cursor_override.h"
#include "file_dialog.h"
#include "main_icon.h"
#include "message_box.h"
#include "res/dialogs.h"
#include "res/resource.h"
#include "res/strings.h"
#include "murkwell/version.h"

namespace murkwell {

namespace {

const FileChooserKind kLogChooser = {"log", res::kLogFilesFilter, false};
const FileChooserKind kHtmlChooser = {"html", res::kHtmlFilesFilter, true};

}  // namespace

CMurkwellDlg::CMurkwellDlg(QWidget* parent) : CDialog(res::kMurkwellDialog, parent), m_hIcon(LoadMainIcon()) {
    ConnectButton(res::IDC_BROWSE_LOG, [this] { OnBrowseLog(); });
    ConnectButton(res::IDC_BROWSE_HTML, [this] { OnBrowseHtml(); });
    ConnectButton(res::IDC_START, [this] { OnStartButton(); });
    ConnectButton(res::IDC_ABOUT, [this] { OnAbout(); });
}

CMurkwellDlg::~CMurkwellDlg() {
    DestroyWindow();
}

void CMurkwellDlg::DoDataExchange(bool saveAndValidate) {
    ExchangeText(saveAndValidate, res::IDC_LOG_FILE, m_strLogEdit);
    ExchangeText(saveAndValidate, res::IDC_HTML_FILE, m_strHtmlEdit);
}

bool CMurkwellDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    if (QMenu* menu = GetSystemMenu()) {
        const std::string_view about = res::LoadString(res::IDS_ABOUTBOX);
        if (!about.empty()) {
            menu->addSeparator();
            menu->addAction(QString::fromUtf8(about.data(), static_cast<qsizetype>(about.size())))
                ->setData(res::IDM_ABOUTBOX);
        }
    }
    setWindowIcon(m_hIcon);
    setWindowTitle(QString::fromUtf8(res::kCaptionPrefix) + QString::fromUtf8(kVersionText));
    LoadSettings();
    return true;
}

void CMurkwellDlg::OnDestroy() {
    SaveSettings();
    WinHelp(HelpCommand::Quit);
    CDialog::OnDestroy();
}

void CMurkwellDlg::OnSysCommand(unsigned command) {
    if ((command & res::kSysCommandMask) == res::IDM_ABOUTBOX) {
        OnAbout();
        return;
    }
    CDialog::OnSysCommand(command);
}

void CMurkwellDlg::ReadPathBoxes() {
    UpdateData(true);
}

// The busy cursor of a run must not stand over the box that ends it.
void CMurkwellDlg::ShowMessage(const Outcome& outcome) {
    const CursorOverride arrow(Qt::ArrowCursor);
    ShowMessageBox(QString::fromStdString(outcome.message), QString::fromStdString(outcome.detail));
}

// A box shown while the window is still hidden (the settings load) stands on
// its own, centred on the screen rather than on a window nobody sees yet.
void CMurkwellDlg::ShowMessageBox(const QString& text, const QString& detail) {
    RunMessageBox(isVisible() ? this : nullptr, text, detail);
}

void CMurkwellDlg::OnStartButton() {
    const CursorOverride busy(Qt::WaitCursor);
    OnStart();
}

void CMurkwellDlg::OnBrowseLog() {
    Browse(kLogChooser, m_strLogEdit, m_strLogPath);
}

void CMurkwellDlg::OnBrowseHtml() {
    Browse(kHtmlChooser, m_strHtmlEdit, m_strHtmlPath);
}

// On "OK" the box and the run's path both take the chosen file; otherwise
// only the boxes' texts have been taken into the members.
void CMurkwellDlg::Browse(const FileChooserKind& kind, std::string& editText, std::string& runPath) {
    UpdateData(true);
    CFileDialog chooser(kind, QString::fromStdString(editText), this);
    if (chooser.DoModal() != res::IDOK) {
        return;
    }
    editText = chooser.GetPathName().toStdString();
    runPath = chooser.GetPathName().toStdString();
    UpdateData(false);
}

void CMurkwellDlg::OnAbout() {
    CAboutDlg about(this);
    about.DoModal();
}

}  // namespace murkwell
