#include "settings_key.h"

#include <cerrno>
#include <filesystem>
#include <optional>
#include <system_error>

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>

#include "res/strings.h"

namespace murkwell {

namespace {

// Values are read from the first MiB of the file; whatever lies beyond is
// kept as it is when the file is written back.
constexpr qint64 kReadLimit = 1 << 20;
// Another copy holds the lock only while it writes its few lines.
constexpr int kLockWaitMs = 5000;

// Opens `file` and reads its whole lines within the read limit, leaving the
// file at the first byte after them. A missing file reads as empty. Only
// plain files and directories are opened (the latter to fail with Qt's
// reason): a named pipe would hold up the start.
std::optional<std::string> ReadHead(QFile& file, QString& error) {
    const QFileInfo info(file.fileName());
    if (!info.exists()) {
        return std::string();
    }
    if (!info.isFile() && !info.isDir()) {
        error = QString::fromUtf8(res::kNotAPlainFile);
        return std::nullopt;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return std::nullopt;
    }
    QByteArray head = file.read(kReadLimit);
    if (file.error() != QFileDevice::NoError) {
        error = file.errorString();
        return std::nullopt;
    }
    if (!file.atEnd()) {
        head.truncate(head.lastIndexOf('\n') + 1);
        file.seek(head.size());
    }
    return head.toStdString();
}

bool CopyRest(QFile& from, QSaveFile& to, QString& error) {
    while (!from.atEnd()) {
        const QByteArray block = from.read(1 << 16);
        if (from.error() != QFileDevice::NoError) {
            error = from.errorString();
            return false;
        }
        to.write(block);
    }
    return true;
}

// Makes the key's folders and reads what the file holds.
std::optional<std::string> OpenKeyFile(const QString& path, QString& error) {
    std::error_code madeFolder;
    std::filesystem::create_directories(QFileInfo(path).dir().filesystemAbsolutePath(), madeFolder);
    if (madeFolder) {
        error = QString::fromStdString(madeFolder.message());
        return std::nullopt;
    }
    QFile file(path);
    return ReadHead(file, error);
}

QString LockErrorString(QLockFile::LockError error) {
    return QString::fromUtf8(error == QLockFile::LockFailedError ? res::kSettingsLocked : res::kNoSettingsLock);
}

}  // namespace

QString UserConfigFolder() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir::isAbsolutePath(folder) ? folder : QDir::homePath() + "/.config";
}

bool CSettingsKey::Create(const QString& root, const QString& subKey) {
    const QString path = QDir(root).filePath(subKey + ".conf");
    QString error;
    const std::optional<std::string> head = OpenKeyFile(path, error);
    if (!head) {
        if (!m_bOpen) {
            m_strPath = path;
            m_strError = error;
        }
        return false;
    }
    Close();
    m_strPath = path;
    m_bOpen = true;
    m_Stored = SettingsText(*head);
    return true;
}

int CSettingsKey::QueryValue(std::string& text, const char* name, std::size_t bufferSize) const {
    if (!m_bOpen) {
        return EBADF;
    }
    const auto changed = m_Changes.find(name);
    const std::optional<std::string> value = changed != m_Changes.end() ? changed->second : m_Stored.Find(name);
    if (!value) {
        return ENOENT;
    }
    if (value->size() + 1 > bufferSize) {
        return EOVERFLOW;
    }
    text = *value;
    return 0;
}

void CSettingsKey::SetValue(const std::string& text, const char* name) {
    if (!m_bOpen) {
        return;
    }
    if (m_Stored.Find(name) == text) {
        m_Changes.erase(name);
        return;
    }
    m_Changes.insert_or_assign(name, text);
}

// The new file is made first, so a folder that takes no file fails with the
// system's reason; the lock then keeps another copy from writing between
// this copy's reading of the file and its replacing it.
bool CSettingsKey::Flush() {
    if (m_Changes.empty()) {
        return true;
    }
    QSaveFile replacement(m_strPath);
    if (!replacement.open(QIODevice::WriteOnly)) {
        return Fail(replacement.errorString());
    }
    QLockFile lock(m_strPath + ".lock");
    if (!lock.tryLock(kLockWaitMs)) {
        return Fail(LockErrorString(lock.error()));
    }
    QFile current(m_strPath);
    const std::optional<std::string> head = ReadHead(current, m_strError);
    if (!head) {
        return false;
    }
    SettingsText merged(*head);
    for (const auto& [name, value] : m_Changes) {
        merged.Set(name, value);
    }
    const std::string text = merged.Text();
    replacement.write(text.data(), static_cast<qint64>(text.size()));
    if (!CopyRest(current, replacement, m_strError)) {
        return false;
    }
    if (!replacement.commit()) {
        return Fail(replacement.errorString());
    }
    m_Stored = std::move(merged);
    m_Changes.clear();
    return true;
}

void CSettingsKey::Close() {
    m_bOpen = false;
    m_Stored = SettingsText();
    m_Changes.clear();
}

bool CSettingsKey::Fail(const QString& reason) {
    m_strError = reason;
    return false;
}

}  // namespace murkwell
