#pragma once

#include <string>

#include "murkwell/conversion.h"

namespace murkwell {

// What the dialog's "&Start" button does: take the two path boxes, convert,
// and show the outcome. A dialog derives from it and supplies the two things
// a run needs from the user.
class CReportRun {
public:
    CReportRun() = default;
    CReportRun(const CReportRun&) = delete;
    CReportRun& operator=(const CReportRun&) = delete;
    virtual ~CReportRun() = default;

    void OnStart();

protected:
    // Copies the texts of the log and page path boxes into m_strLogEdit and m_strHtmlEdit.
    virtual void ReadPathBoxes() = 0;
    // Shows the outcome to the user and returns when it has been acknowledged.
    virtual void ShowMessage(const Outcome& outcome) = 0;

    // The paths of the last run; a file chooser sets them too, and the next run overwrites them.
    std::string m_strHtmlPath;
    std::string m_strLogPath;
    // What the two path boxes held when last read.
    std::string m_strLogEdit;
    std::string m_strHtmlEdit;
};

}  // namespace murkwell
