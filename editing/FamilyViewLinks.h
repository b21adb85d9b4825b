// The links of the family view's page are commands, not addresses. A link to a file in the temporary folder names
// its command by its file name, as on the start page; the page's own load goes through; every other link is
// cancelled in the view and handed to the program's link policy, so the family view never shows another page.
#pragma once

#include "WebBrowser.h"

#include <QString>
#include <QUrl>
#include <functional>

// What the commands do; the family view fills it, tests record the calls. An entry left empty does nothing.
struct FamilyViewCommands
{
    // "person_form_" + ID: that person's family.
    std::function<void(const QString& personID)> ShowPerson;
    // "person_edit_" + ID.
    std::function<void(const QString& personID)> EditPerson;
    // "person_add_type_" + number: the relative or new person of that number.
    std::function<void(int type)> AddRelative;
    // "person_delete_" + two-digit kind + one separator + ID: the relation of that kind with the person.
    std::function<void(int kind, const QString& personID)> DeleteRelation;
};

// What the view does with a navigation to url while page (the page file last built) is shown, and the command to
// run once the navigation has been cancelled.
TCppWebBrowser::Decision FamilyViewLinkDecision(const QUrl& url, const QUrl& page, const FamilyViewCommands& commands);
