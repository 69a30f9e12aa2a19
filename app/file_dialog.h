#pragma once

#include <QFileDialog>

namespace murkwell {

// What differs between the program's file choosers.
struct FileChooserKind {
    const char* defaultSuffix;  // added to a name typed without one
    const char* filesFilter;    // offered first; "All Files" follows
    bool askToCreate;           // ask before accepting a name that does not exist
};

// An open-file chooser. It accepts names of files that do not exist (asking
// first when its kind says so) and never asks about overwriting. Qt's own
// chooser is used on every desktop, because the question must come before
// the chooser closes.
class CFileDialog : public QFileDialog {
public:
    CFileDialog(const FileChooserKind& kind, const QString& fileName, QWidget* owner);

    // IDOK when a name was chosen, IDCANCEL otherwise.
    int DoModal();
    // The chosen file's full path.
    QString GetPathName() const;

    void accept() override;

private:
    bool AskToCreate(const QString& path);

    bool m_bAskToCreate;
};

}  // namespace murkwell
