// The family view's page: the template "form.html" with its placeholders filled, and one script call per member
// of the probant's closest family, which the template's own script turns into the boxes of the family picture.
// Texts from the data reach the page only escaped: as JavaScript string literals inside the script, as HTML
// character data elsewhere.
#pragma once

#include <QString>
#include <QStringList>

class KV_Person;

// The template's include files, relative to the template folder. The page refers to them relative to itself,
// so each build copies them beside it, into the temporary folder.
QStringList FamilyViewIncludeFiles();

// The script lines for the probant, in the order the page runs them; the empty page's when emptyPage is set
// (probant is then a person with no data).
QStringList FamilyViewScript(const KV_Person& probant, bool emptyPage);
// The items of the page's add menu, each enabled or disabled by what the probant already has.
QString FamilyViewAddMenu(const KV_Person& probant, bool emptyPage);
// The class of the probant's frame: "frame-container-background-" + "female", "male" or "unknown".
QString FamilyViewBackgroundClass(const KV_Person& probant, bool emptyPage);
// The template's text with every placeholder filled for the person with the ID; the empty page when no person
// has it.
QString FamilyViewPageText(const QString& templateText, const QString& personID);

// gTempFolder + ID + ".html" for an ID of a person's form, gTempFolder + ".html" for any other text, so no path
// is ever made of a forged link's text.
QString FamilyViewPageFile(const QString& personID);
// Brings the include copies in the temporary folder up to the program's files: a missing or different copy is
// written anew, an identical one left alone. Failures are passed over: the page then shows unstyled.
void CopyFamilyViewIncludes();
// Builds the page for the ID from gAppFolder's template and writes it; returns the page file. A template that
// cannot be read or a page that cannot be written raises the toolkit's Exception.
QString WriteFamilyViewPage(const QString& personID);
