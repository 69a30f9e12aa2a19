#pragma once

// Windows' headers, as every file of the dialog includes them. The resource
// tables in res/ name the buttons every dialog understands and the window
// menu's commands just as Windows does, with the same values; Windows' macros
// of those names would hide them, so they go, and res:: spells them.
#include <windows.h>

#undef IDOK
#undef IDCANCEL
#undef SC_MOVE
#undef SC_CLOSE
