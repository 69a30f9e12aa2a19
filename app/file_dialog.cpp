#include "file_dialog.h"

#include <QFileInfo>
#include <QMessageBox>

#include "res/resource.h"
#include "res/strings.h"

namespace murkwell {

CFileDialog::CFileDialog(const FileChooserKind& kind, const QString& fileName, QWidget* owner)
    : QFileDialog(owner), m_bAskToCreate(kind.askToCreate) {
    setOption(QFileDialog::DontUseNativeDialog);
    setAcceptMode(QFileDialog::AcceptOpen);
    setFileMode(QFileDialog::AnyFile);
    setNameFilters({QString::fromUtf8(kind.filesFilter), QString::fromUtf8(res::kAllFilesFilter)});
    setDefaultSuffix(QString::fromUtf8(kind.defaultSuffix));
    if (!fileName.isEmpty()) {
        selectFile(fileName);
    }
}

int CFileDialog::DoModal() {
    return exec() == QDialog::Accepted ? res::IDOK : res::IDCANCEL;
}

QString CFileDialog::GetPathName() const {
    return selectedFiles().value(0);
}

void CFileDialog::accept() {
    const QString chosen = selectedFiles().value(0);
    if (m_bAskToCreate && !chosen.isEmpty() && !QFileInfo::exists(chosen) && !AskToCreate(chosen)) {
        return;
    }
    QFileDialog::accept();
}

// "Yes" lets the chooser close with the name; nothing is created here.
bool CFileDialog::AskToCreate(const QString& path) {
    QMessageBox question(QMessageBox::Warning, windowTitle(),
                         QString::fromUtf8(res::kCreatePrompt).arg(QFileInfo(path).fileName()),
                         QMessageBox::Yes | QMessageBox::No, this);
    question.setTextFormat(Qt::PlainText);
    question.setDefaultButton(QMessageBox::Yes);
    return question.exec() == QMessageBox::Yes;
}

}  // namespace murkwell
