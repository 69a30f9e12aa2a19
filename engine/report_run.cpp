#include "murkwell/report_run.h"

namespace murkwell {

void CReportRun::OnStart() {
    ReadPathBoxes();
    m_strLogPath = m_strLogEdit;
    m_strHtmlPath = m_strHtmlEdit;
    ShowMessage(ConvertLog(m_strLogPath, m_strHtmlPath));
}

}  // namespace murkwell
