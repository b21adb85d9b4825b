#include "StartPageLinks.h"

#include "Bazadanych.h"
#include "UrlOpener.h"

namespace {

// A command that runs only when the main window has filled its entry.
template <typename Function, typename... Args>
std::function<void()> bind(const Function& function, Args... args)
{
    if (!function)
        return {};
    return [function, args...] { function(args...); };
}

} // namespace

TCppWebBrowser::Decision StartPageLinkDecision(const QUrl& url, const StartPageCommands& commands)
{
    const QString name = StartPageCommandName(url, gTempFolder);
    const struct
    {
        const char* name;
        int kind;
    } statistics[] = {{"stat_surname", 1}, {"stat_firstname", 2}, {"stat_birth_place", 3}, {"stat_death_place", 4}};
    for (const auto& statistic : statistics) {
        if (name == QLatin1String(statistic.name))
            return {true, bind(commands.ShowStatistic, statistic.kind)};
    }

    const QString editPrefix = QStringLiteral("person_edit_");
    const QString familyPrefix = QStringLiteral("person_form_");
    const QString addPrefix = QStringLiteral("person_add_type_");
    if (name.startsWith(editPrefix))
        return {true, bind(commands.EditPerson, name.mid(editPrefix.size()))};
    if (name.startsWith(familyPrefix))
        return {true, bind(commands.ShowFamilyView, name.mid(familyPrefix.size()))};
    if (name.startsWith(addPrefix)) {
        bool isNumber = false;
        const int type = name.mid(addPrefix.size()).toInt(&isNumber, 10);
        if (isNumber && (type == 100 || type == 101))
            return {true, bind(commands.AddPerson, type - 100)};
        return {true, {}};
    }
    if (name.startsWith(QLatin1String("import_gedcom")))
        return {true, bind(commands.ImportGedcom)};
    if (name == QLatin1String("index"))
        return {false, {}};
    return {true, [address = url.toString()] { openLink(address); }};
}
