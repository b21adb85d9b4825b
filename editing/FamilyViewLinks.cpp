#include "FamilyViewLinks.h"

#include "Bazadanych.h"
#include "UrlOpener.h"

namespace {

// A number made of decimal digits only: no sign, no blanks, nothing the page would not write itself.
bool readNumber(const QString& text, int& number)
{
    if (text.isEmpty() || text.size() > 9)
        return false;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    number = text.toInt();
    return true;
}

} // namespace

TCppWebBrowser::Decision FamilyViewLinkDecision(const QUrl& url, const QUrl& page, const FamilyViewCommands& commands)
{
    const QString name = StartPageCommandName(url, gTempFolder);
    const QString formPrefix = QStringLiteral("person_form_");
    const QString editPrefix = QStringLiteral("person_edit_");
    const QString addPrefix = QStringLiteral("person_add_type_");
    const QString deletePrefix = QStringLiteral("person_delete_");

    if (name.startsWith(formPrefix)) {
        if (!commands.ShowPerson)
            return {true, {}};
        return {true, [show = commands.ShowPerson, id = name.mid(formPrefix.size())] { show(id); }};
    }
    if (name.startsWith(editPrefix)) {
        if (!commands.EditPerson)
            return {true, {}};
        return {true, [edit = commands.EditPerson, id = name.mid(editPrefix.size())] { edit(id); }};
    }
    if (name.startsWith(addPrefix)) {
        int type = 0;
        if (!readNumber(name.mid(addPrefix.size()), type) || !commands.AddRelative)
            return {true, {}};
        return {true, [add = commands.AddRelative, type] { add(type); }};
    }
    if (name.startsWith(deletePrefix)) {
        // The kind's two digits, one separator the page puts between, then the other person's ID.
        const QString rest = name.mid(deletePrefix.size());
        int kind = 0;
        if (rest.size() < 2 || !readNumber(rest.left(2), kind) || !commands.DeleteRelation)
            return {true, {}};
        return {true, [remove = commands.DeleteRelation, kind, id = rest.mid(3)] { remove(kind, id); }};
    }
    if (!page.isEmpty() && url == page)
        return {false, {}};
    return {true, [address = url.toString()] { openLink(address); }};
}
