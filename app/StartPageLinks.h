// The links of the start page are commands, not addresses. A link to a file in the temporary folder names its
// command by its file name (without extension); the page's own index.html loads as a page; every other link is
// cancelled in the browser and handed to the program's link policy.
#pragma once

#include "WebBrowser.h"

#include <QUrl>
#include <functional>

// What the commands do; the main window fills it, tests record the calls. An entry left empty does nothing.
struct StartPageCommands
{
    // 1 surnames, 2 forenames, 3 places of birth, 4 places of death.
    std::function<void(int statisticKind)> ShowStatistic;
    std::function<void(const QString& personID)> EditPerson;
    std::function<void(const QString& personID)> ShowFamilyView;
    // 0 a woman, 1 a man.
    std::function<void(int sex)> AddPerson;
    std::function<void()> ImportGedcom;
};

// What the browser does with a navigation to url, and the command to run once it has been cancelled.
TCppWebBrowser::Decision StartPageLinkDecision(const QUrl& url, const StartPageCommands& commands);
