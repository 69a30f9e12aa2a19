#pragma once

namespace murkwell {

class CDialog;

// The application: it runs the main dialog and answers the commands the
// dialog leaves to it ("&Help"). There is one, made by main(); Instance()
// finds it.
class CMurkwellApp {
public:
    CMurkwellApp();
    ~CMurkwellApp();
    CMurkwellApp(const CMurkwellApp&) = delete;
    CMurkwellApp& operator=(const CMurkwellApp&) = delete;

    static CMurkwellApp* Instance();

    // Shows the main dialog and returns once it has closed. Always false:
    // the program has nothing left to do then.
    bool InitInstance();
    // Carries out command `id` if the application handles it.
    void OnCmdMsg(int id);

    CDialog* m_pMainWnd = nullptr;

private:
    void OnHelp();
};

}  // namespace murkwell
