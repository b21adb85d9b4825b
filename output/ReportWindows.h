// How the person list, the person editor and the family view open the report windows. Each report window's unit
// connects its entry once the window exists; until then opening that report does nothing.
#pragma once

#include <QString>
#include <functional>

// The trees the tree report draws, as its window takes them.
enum class TreeType { Ancestors = 1, Descendants = 2, AncestorsAndDescendants = 3 };

struct ReportWindows
{
    // The person details report: the range starts on the given person (when there is one); rangeLocked keeps the
    // range choice disabled.
    std::function<void(const QString& personID, bool rangeLocked)> ShowPersonReport;
    // The list report, of the persons of the person list's last search or of all persons.
    std::function<void()> ShowListReport;
    // The tree report of a type for a person.
    std::function<void(TreeType type, const QString& personID)> ShowTreeReport;
};

extern ReportWindows gReportWindows;

void OpenPersonReport(const QString& personID, bool rangeLocked);
void OpenListReport();
void OpenTreeReport(TreeType type, const QString& personID);
