#include "res/dialogs.h"

#include "res/resource.h"
#include "res/strings.h"
#include "murkwell/version.h"

namespace murkwell::res {

namespace {

using enum ControlKind;

constexpr ControlTemplate kMurkwellControls[] = {
    // id               kind        text              x    y    w    h    styles
    {IDOK,              PushButton, "&Exit",          317, 7,   50,  14,  kTabStop},
    {ID_HELP,           PushButton, "&Help",          317, 25,  50,  14,  kTabStop},
    {IDC_LOG_FILE,      Edit,       "",               184, 76,  129, 14,  kBorder | kTabStop},
    {IDC_HTML_FILE,     Edit,       "",               184, 97,  129, 14,  kBorder | kTabStop},
    {IDC_BROWSE_LOG,    PushButton, "Browse..",       317, 76,  50,  14,  kTabStop},
    {IDC_BROWSE_HTML,   PushButton, "Browse..",       317, 97,  50,  14,  kTabStop},
    {IDC_STATIC,        Label,      "Log:",           160, 78,  15,  8,   kNoStyle},
    {IDC_STATIC,        Label,      "HTML:",          153, 98,  23,  8,   kNoStyle},
    {IDC_START,         PushButton, "&Start",         183, 134, 170, 22,  kDefPushButton | kTabStop},
    {IDC_STATIC,        Picture,    "",               7,   7,   135, 175, kSunken, IDB_LOGO},
    {IDC_STATIC,        Label,      kDialogCredit,    191, 175, 151, 8,   kNoStyle},
    {IDC_ABOUT,         PushButton, "&About",         317, 43,  50,  14,  kTabStop},
};

constexpr ControlTemplate kAboutControls[] = {
    // id               kind        text              x    y    w    h    styles
    {IDC_STATIC,        Picture,    "",               11,  17,  21,  20,  kNoStyle, IDR_MAINFRAME},
    {IDC_STATIC,        Label,      kAboutVersionLine, 40, 10, 119, 8, kNoStyle},
    {IDC_STATIC,        Label,      kAboutCredit,     40,  25,  160, 8,   kNoStyle},
    {IDOK,              PushButton, "OK",             306, 7,   50,  14,  kDefPushButton | kTabStop},
    {IDC_STATIC,        Label,      kAboutCopyright,  40,  34,  82,  8,   kNoStyle},
    {IDC_STATIC,        Label,      kAboutLicence,    137, 34,  166, 8,   kNoStyle},
};

}  // namespace

const DialogTemplate kMurkwellDialog = {
    IDD_MURKWELL_DIALOG, "Murkwell", 374, 190, "MS Sans Serif", 8, kMurkwellControls,
};

const DialogTemplate kAboutBox = {
    IDD_ABOUTBOX, "About Murkwell", 363, 53, "MS Sans Serif", 8, kAboutControls,
};

}  // namespace murkwell::res
