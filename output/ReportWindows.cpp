#include "ReportWindows.h"

ReportWindows gReportWindows;

void OpenPersonReport(const QString& personID, bool rangeLocked)
{
    if (gReportWindows.ShowPersonReport)
        gReportWindows.ShowPersonReport(personID, rangeLocked);
}

void OpenListReport()
{
    if (gReportWindows.ShowListReport)
        gReportWindows.ShowListReport();
}

void OpenTreeReport(TreeType type, const QString& personID)
{
    if (gReportWindows.ShowTreeReport)
        gReportWindows.ShowTreeReport(type, personID);
}
