#include "main_icon.h"

#include "res/embedded_files.h"

namespace murkwell {

QIcon LoadMainIcon() {
    QIcon icon;
    icon.addFile(QString::fromUtf8(res::kIconPicture32), QSize(32, 32));
    icon.addFile(QString::fromUtf8(res::kIconPicture16), QSize(16, 16));
    return icon;
}

}  // namespace murkwell
