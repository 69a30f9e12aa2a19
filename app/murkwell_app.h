#pragma once

namespace murkwell {

class CDialog;

// The application: it runs the main dialog and answers the command the
// dialog leaves to it ("&Help"). There is one, made by main().
class CMurkwellApp {
public:
    CMurkwellApp() = default;
    CMurkwellApp(const CMurkwellApp&) = delete;
    CMurkwellApp& operator=(const CMurkwellApp&) = delete;

    // Shows the main dialog and returns once it has closed. Always false:
    // the program has nothing left to do then.
    bool InitInstance();

    CDialog* m_pMainWnd = nullptr;

private:
    void OnHelp();
};

}  // namespace murkwell
