#include "dialog_template_builder.h"

#include <string>

#include "murkwell/windows_text.h"
#include "res/resource.h"

namespace murkwell {

namespace {

using res::ControlKind;
using res::ControlTemplate;

// The window classes of the controls, by the ordinals Windows knows them by.
constexpr WORD kButtonClass = 0x0080;
constexpr WORD kEditClass = 0x0081;
constexpr WORD kStaticClass = 0x0082;

// The picture resources that are icons; every other picture is a bitmap.
bool IsIcon(int picture) { return picture == res::IDR_MAINFRAME; }

// Appends to the template as a stream of 16-bit words, the unit all of its
// fields are counted in.
class TemplateWriter {
public:
    void Word(WORD value) { m_words.push_back(value); }
    void Dword(DWORD value) {
        Word(LOWORD(value));
        Word(HIWORD(value));
    }
    void Text(const char* utf8) {
        const std::wstring wide = WideFromUtf8(utf8);
        for (wchar_t character : wide) {
            Word(static_cast<WORD>(character));
        }
        Word(0);
    }
    // A resource or a window class named by its number instead of its name.
    void Ordinal(WORD value) {
        Word(0xFFFF);
        Word(value);
    }
    void AlignToDword() {
        if (m_words.size() % 2 != 0) {
            Word(0);
        }
    }
    std::vector<DWORD> Finish() {
        AlignToDword();
        std::vector<DWORD> dwords(m_words.size() / 2);
        for (std::size_t i = 0; i < dwords.size(); ++i) {
            dwords[i] = MAKELONG(m_words[2 * i], m_words[2 * i + 1]);
        }
        return dwords;
    }

private:
    std::vector<WORD> m_words;
};

DWORD ControlStyle(const ControlTemplate& control) {
    DWORD style = WS_CHILD | WS_VISIBLE;
    if (control.styles & res::kTabStop) {
        style |= WS_TABSTOP;
    }
    if (control.styles & res::kBorder) {
        style |= WS_BORDER;
    }
    switch (control.kind) {
    case ControlKind::PushButton:
        return style | ((control.styles & res::kDefPushButton) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    case ControlKind::Edit:
        return style | ES_LEFT | ES_AUTOHSCROLL;
    case ControlKind::Label:
        return style | SS_LEFT | SS_NOPREFIX | WS_GROUP;
    case ControlKind::Picture:
        return style | (IsIcon(control.picture) ? SS_ICON : SS_BITMAP) |
               ((control.styles & res::kSunken) ? SS_SUNKEN : 0);
    }
    return style;
}

WORD ControlClass(ControlKind kind) {
    switch (kind) {
    case ControlKind::PushButton:
        return kButtonClass;
    case ControlKind::Edit:
        return kEditClass;
    case ControlKind::Label:
    case ControlKind::Picture:
        return kStaticClass;
    }
    return kStaticClass;
}

void WriteControl(TemplateWriter& out, const ControlTemplate& control) {
    out.AlignToDword();
    out.Dword(0);  // help id
    out.Dword(0);  // extended style
    out.Dword(ControlStyle(control));
    out.Word(static_cast<WORD>(control.x));
    out.Word(static_cast<WORD>(control.y));
    out.Word(static_cast<WORD>(control.width));
    out.Word(static_cast<WORD>(control.height));
    out.Dword(static_cast<DWORD>(control.id));
    out.Ordinal(ControlClass(control.kind));
    // A picture control loads its picture itself, from the resource it names.
    if (control.kind == ControlKind::Picture) {
        out.Ordinal(static_cast<WORD>(control.picture));
    } else {
        out.Text(control.text);
    }
    out.Word(0);  // no creation data
}

}  // namespace

std::vector<DWORD> BuildDialogTemplate(const res::DialogTemplate& dialog, DialogFrame frame) {
    TemplateWriter out;
    out.Word(1);       // version of the extended template
    out.Word(0xFFFF);  // the mark of an extended template
    out.Dword(0);      // help id
    out.Dword(frame.extendedStyle);
    // The templates place no dialog: each is centred over its owner, or the screen.
    out.Dword(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER | frame.style);
    out.Word(static_cast<WORD>(dialog.controls.size()));
    out.Word(0);  // x and y
    out.Word(0);
    out.Word(static_cast<WORD>(dialog.width));
    out.Word(static_cast<WORD>(dialog.height));
    out.Word(0);  // no menu
    out.Word(0);  // the dialog's own window class
    out.Text(dialog.caption);
    out.Word(static_cast<WORD>(dialog.fontPoints));
    out.Word(FW_DONTCARE);
    out.Word(MAKEWORD(FALSE, DEFAULT_CHARSET));  // not italic; the default character set
    out.Text(dialog.fontFace);
    for (const ControlTemplate& control : dialog.controls) {
        WriteControl(out, control);
    }
    return out.Finish();
}

}  // namespace murkwell
