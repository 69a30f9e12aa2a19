// Murkwell.exe driven as a user would, through window messages from outside:
// what it shows at start from what the registry holds, what it stores when it
// closes, a conversion, and the About box from both of its places.

#include <windows.h>

#include <chrono>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "murkwell/conversion.h"
#include "murkwell/version.h"
#include "murkwell/windows_text.h"
#include "scratch_folder.h"

namespace murkwell::testing {
namespace {

const wchar_t* const kKey = L"SOFTWARE\\Orvek\\Murkwell";
const std::wstring kMainCaption = L"Murkwell v" + WideFromUtf8(kVersionText);
constexpr int kLogBox = 1001;
constexpr int kHtmlBox = 1002;
constexpr int kStart = 1005;
constexpr int kAbout = 1007;
constexpr UINT kAboutCommand = 0x0010;

void ClearSettings() { RegDeleteTreeW(HKEY_CURRENT_USER, kKey); }

void Store(const wchar_t* name, const std::wstring& value) {
    RegSetKeyValueW(HKEY_CURRENT_USER, kKey, name, REG_SZ, value.c_str(),
                    static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

std::optional<std::wstring> Stored(const wchar_t* name) {
    std::vector<wchar_t> value(40000);
    DWORD bytes = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    if (RegGetValueW(HKEY_CURRENT_USER, kKey, name, RRF_RT_REG_SZ, nullptr, value.data(), &bytes) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::wstring(value.data());
}

// The system's words for an error, as a box of the program quotes them.
std::wstring Reason(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM, nullptr, error,
                                        0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message(text, length);
    LocalFree(text);
    return message.substr(0, message.find_last_not_of(L"\r\n .") + 1);
}

// A window's caption, as the system keeps it, without asking the window.
std::wstring CaptionOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// The text of a control of another process, which only a message can read or change.
std::wstring TextOf(HWND control) {
    std::wstring text(static_cast<std::size_t>(SendMessageW(control, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

void Type(HWND dialog, int box, const std::wstring& text) {
    SendMessageW(GetDlgItem(dialog, box), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

using Action = void (*)(HWND);

// One run of the program, in a folder of its own.
class RunningDialog {
public:
    explicit RunningDialog(const std::filesystem::path& folder) {
        std::wstring commandLine = L"\"" + WideFromUtf8(MURKWELL_DIALOG_PATH) + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            folder.wstring().c_str(), &startup, &m_process)) {
            throw std::runtime_error("cannot start Murkwell.exe");
        }
    }
    ~RunningDialog() {
        if (WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(m_process.hProcess, 1);
        }
        CloseHandle(m_process.hThread);
        CloseHandle(m_process.hProcess);
    }

    // The visible top-level window of the program with this caption, waited for.
    HWND Window(const std::wstring& caption) const {
        for (int tries = 0; tries < 200; ++tries) {
            if (const HWND window = Find(caption)) {
                return window;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        ADD_FAILURE() << "no window \"" << Utf8FromWide(caption) << '"';
        return nullptr;
    }
    // Waits for the main dialog, pressing OK on every message box that comes first; their texts.
    std::vector<std::wstring> BoxesBeforeTheDialog() const {
        std::vector<std::wstring> texts;
        for (int tries = 0; tries < 200 && Find(kMainCaption) == nullptr; ++tries) {
            if (const HWND box = Find(L"Murkwell")) {
                texts.push_back(Dismiss(box));
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return texts;
    }
    // The text of the message box the last action brought up, closed with OK.
    std::wstring AnswerBox() const {
        const HWND box = Window(L"Murkwell");
        return box == nullptr ? L"" : Dismiss(box);
    }
    // A message box's text, once it is closed with OK.
    static std::wstring Dismiss(HWND box) {
        const std::wstring text = TextOf(GetDlgItem(box, 0xFFFF));
        Press(box, IDOK);
        WaitUntilGone(box);
        return text;
    }
    static void Press(HWND window, int id) {
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
    }
    static void WaitUntilGone(HWND window) {
        for (int tries = 0; tries < 200 && IsWindow(window); ++tries) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
    // The exit code, once the program has ended.
    DWORD Ended() const {
        DWORD code = STILL_ACTIVE;
        if (WaitForSingleObject(m_process.hProcess, 10000) == WAIT_OBJECT_0) {
            GetExitCodeProcess(m_process.hProcess, &code);
        }
        return code;
    }
    DWORD ThreadId() const { return m_process.dwThreadId; }

private:
    struct Search {
        DWORD process;
        const std::wstring* caption;
        HWND found;
    };
    HWND Find(const std::wstring& caption) const {
        Search search{m_process.dwProcessId, &caption, nullptr};
        EnumWindows(
            [](HWND window, LPARAM context) -> BOOL {
                auto& s = *reinterpret_cast<Search*>(context);
                DWORD process = 0;
                GetWindowThreadProcessId(window, &process);
                if (process == s.process && IsWindowVisible(window) && CaptionOf(window) == *s.caption) {
                    s.found = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    PROCESS_INFORMATION m_process{};
};

struct StartState {
    const char* what;
    std::optional<std::wstring> log;
    std::optional<std::wstring> html;
    std::vector<std::wstring> boxes;
    std::wstring logShown;
    std::wstring htmlShown;
};

// What the registry holds is shown, each missing value's default is stored at
// once, and whatever is typed then is stored however the dialog closes.
TEST(Win32Dialog, StartsWithWhatIsStoredAndStoresTheBoxesHoweverItCloses) {
    const std::wstring kNotStored =
        L"No log path has been stored yet (" + Reason(ERROR_FILE_NOT_FOUND) + L"); using games.log.";
    const std::wstring longest(1023, L'p');  // with its ending zero, the whole read buffer
    const StartState states[] = {
        {"first start", {}, {}, {kNotStored}, L"games.log", L"murkwells.html"},
        {"both stored", L"C:\\Spiel-ä\\1.log", L"ゲーム.html", {}, L"C:\\Spiel-ä\\1.log", L"ゲーム.html"},
        {"page missing", L"ä.log", {}, {}, L"ä.log", L"murkwells.html"},
        {"log missing", {}, L"ゲーム.html", {kNotStored}, L"games.log", L"ゲーム.html"},
        {"emptied boxes", L"", L"", {}, L"", L""},
        {"longest path", longest, L"p.html", {}, longest, L"p.html"},
        {"too long", longest + L"p", L"p.html",
         {L"The stored log path is too long (" + Reason(ERROR_MORE_DATA) + L"); using games.log."}, L"games.log", L"p.html"},
    };
    const Action closeWith[] = {
        [](HWND dialog) { RunningDialog::Press(dialog, IDOK); },      // "&Exit"
        [](HWND dialog) { RunningDialog::Press(dialog, IDCANCEL); },  // Escape
        [](HWND dialog) { PostMessageW(dialog, WM_CLOSE, 0, 0); },     // the caption's close button
    };
    int run = 0;
    for (const StartState& state : states) {
        SCOPED_TRACE(state.what);
        ClearSettings();
        if (state.log) {
            Store(L"LogFilename", *state.log);
        }
        if (state.html) {
            Store(L"HTMLFilename", *state.html);
        }
        const ScratchFolder folder;
        const RunningDialog program(folder.Root());
        EXPECT_EQ(program.BoxesBeforeTheDialog(), state.boxes);
        const HWND dialog = program.Window(kMainCaption);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(TextOf(GetDlgItem(dialog, kLogBox)), state.logShown);
        EXPECT_EQ(TextOf(GetDlgItem(dialog, kHtmlBox)), state.htmlShown);
        EXPECT_EQ(Stored(L"LogFilename"), state.logShown);
        EXPECT_EQ(Stored(L"HTMLFilename"), state.htmlShown);
        const std::wstring typed = L"D:\\Spiel-ä\\" + std::to_wstring(++run) + L".ゲーム";
        Type(dialog, kLogBox, typed);
        Type(dialog, kHtmlBox, typed + L".html");
        closeWith[run % 3](dialog);
        EXPECT_EQ(program.Ended(), 0u);
        EXPECT_EQ(Stored(L"LogFilename"), typed);
        EXPECT_EQ(Stored(L"HTMLFilename"), typed + L".html");
    }
}

TEST(Win32Dialog, StartConvertsWhatTheBoxesSayAndShowsTheOutcome) {
    const ScratchFolder folder;
    const std::filesystem::path log = folder.Root() / L"Spiel-ä" / L"ゲーム.log";
    std::filesystem::create_directory(log.parent_path());
    std::ofstream(log, std::ios::binary) << SampleLog();
    ASSERT_TRUE(ConvertLog(Utf8FromWide(log.wstring()), folder.Path("expected.html").string()).Succeeded());
    struct Run {
        std::wstring log;
        std::wstring html;
        std::wstring outcome;  // the message, then the path and reason as a paragraph of its own
    };
    const Run runs[] = {
        {log.wstring(), L"Spiel-ä\\page.html", L"Done!"},
        {L"", L"page.html", L"Log Filename missing."},
        {L"missing.log", L"page.html", L"Unable to open Log File.\n\nmissing.log: No such file or directory"},
        {log.wstring(), L"SPIEL-Ä\\ゲーム.LOG",
         L"The HTML File would overwrite the Log File.\n\nSPIEL-Ä\\ゲーム.LOG: the same file as " + log.wstring()},
    };
    Store(L"LogFilename", L"games.log");
    const RunningDialog program(folder.Root());
    const HWND dialog = program.Window(kMainCaption);
    ASSERT_NE(dialog, nullptr);
    for (const Run& run : runs) {
        SCOPED_TRACE(Utf8FromWide(run.log + L" " + run.html));
        Type(dialog, kLogBox, run.log);
        Type(dialog, kHtmlBox, run.html);
        RunningDialog::Press(dialog, kStart);
        EXPECT_EQ(program.AnswerBox(), run.outcome);
    }
    EXPECT_EQ(ReadBytes(log.parent_path() / L"page.html"), ReadBytes(folder.Path("expected.html")));
    EXPECT_EQ(ReadBytes(log), SampleLog());
    RunningDialog::Press(dialog, IDOK);
    program.Ended();
}

TEST(Win32Dialog, OpensWithTheFocusOnExitAndShowsAboutFromTheButtonAndTheWindowMenu) {
    Store(L"LogFilename", L"games.log");
    const ScratchFolder folder;
    const RunningDialog program(folder.Root());
    const HWND dialog = program.Window(kMainCaption);
    ASSERT_NE(dialog, nullptr);
    GUITHREADINFO focus{};
    focus.cbSize = sizeof focus;
    ASSERT_TRUE(GetGUIThreadInfo(program.ThreadId(), &focus));
    EXPECT_EQ(GetDlgCtrlID(focus.hwndFocus), IDOK);

    const Action openAbout[] = {
        [](HWND main) { RunningDialog::Press(main, kAbout); },
        [](HWND main) { PostMessageW(main, WM_SYSCOMMAND, kAboutCommand, 0); },
    };
    for (const Action open : openAbout) {
        for (const int close : {IDOK, IDCANCEL}) {
            open(dialog);
            const HWND about = program.Window(L"About Murkwell");
            ASSERT_NE(about, nullptr);
            EXPECT_NE(FindWindowExW(about, nullptr, L"Static", WideFromUtf8(kAboutVersionLine).c_str()), nullptr);
            EXPECT_FALSE(IsWindowEnabled(dialog)) << "the About box is modal";
            RunningDialog::Press(about, close);
            RunningDialog::WaitUntilGone(about);
        }
    }
    EXPECT_TRUE(IsWindowEnabled(dialog));
    RunningDialog::Press(dialog, IDOK);
    EXPECT_EQ(program.Ended(), 0u);
}

}  // namespace
}  // namespace murkwell::testing
