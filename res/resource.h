#pragma once

// Numeric ids of the desktop program's dialogs, controls, strings and
// commands. The values are the ones the program has always used, so the
// tables, the tests and anyone reading a trace agree on them.
namespace murkwell::res {

// Buttons every dialog understands.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int ID_HELP = 0xE146;

// Controls nobody refers to by id (labels, pictures).
inline constexpr int IDC_STATIC = -1;

// Dialog templates, strings and pictures.
inline constexpr int IDD_ABOUTBOX = 100;
inline constexpr int IDS_ABOUTBOX = 101;
inline constexpr int IDD_MURKWELL_DIALOG = 102;
inline constexpr int IDP_SOCKETS_INIT_FAILED = 103;
inline constexpr int IDR_MAINFRAME = 128;  // the program icon
inline constexpr int IDB_LOGO = 129;       // the main dialog's logo

// Controls of the main dialog.
inline constexpr int IDC_LOG_FILE = 1001;
inline constexpr int IDC_HTML_FILE = 1002;
inline constexpr int IDC_BROWSE_LOG = 1003;
inline constexpr int IDC_BROWSE_HTML = 1004;
inline constexpr int IDC_START = 1005;
inline constexpr int IDC_ABOUT = 1007;

// Window-menu commands. The low four bits of a window-menu command are
// reserved for the window system, so commands are compared with them masked.
inline constexpr unsigned IDM_ABOUTBOX = 0x0010;
inline constexpr unsigned SC_MOVE = 0xF010;
inline constexpr unsigned SC_CLOSE = 0xF060;
inline constexpr unsigned kSysCommandMask = 0xFFF0;

}  // namespace murkwell::res
