#pragma once

#include <QIcon>

namespace murkwell {

// The program's icon in both of its sizes.
QIcon LoadMainIcon();

}  // namespace murkwell
