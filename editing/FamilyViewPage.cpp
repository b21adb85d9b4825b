#include "FamilyViewPage.h"

#include "Bazadanych.h"
#include "FileSystem.h"
#include "HtmlEscape.h"
#include "PageFile.h"
#include "Person.h"
#include "Picture.h"
#include "Vh_langmanager.h"

#include <QFileInfo>

namespace {

// The slot numbers of the family picture; the page's removal links carry them back as the relation's kind.
enum SlotNumber {
    ProbantSlot = 0,
    FatherSlot = 1,
    MotherSlot = 2,
    PartnerSlot = 3,
    ChildSlot = 4,
    SiblingSlot = 6,
    FathersFatherSlot = 21,
    FathersMotherSlot = 22,
    MothersFatherSlot = 31,
    MothersMotherSlot = 32,
};

// The add links of the empty page's probant box: a new woman or a new man.
constexpr int NewWomanType = 100;
constexpr int NewManType = 101;

QString label(const char* key)
{
    return gLangM.Get(QLatin1String(key));
}

QString boolText(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

// One box of the family picture: who fills it, or what an empty one offers.
struct Slot
{
    int number;
    QString elementID;
    QString personID;
    bool canAdd = false;
    QString firstLabel;
    QString secondLabel;
    QString extra;
};

// The box of a partner, child or sibling: always a person, so nothing to add and no labels.
Slot memberSlot(int number, const QString& elementID, const QString& personID)
{
    return {number, elementID, personID, false, QString(), QString(), QString()};
}

QString pictureUrl(const KV_Person& person)
{
    const KV_Picture* picture = gDB.FindPicture(person.GetProfilePictureID());
    const QString path = picture ? picture->GetFullPath() : QString();
    return path.isEmpty() ? QString() : fileUrlText(path);
}

QString slotCall(const Slot& slot, const QString& shownID)
{
    KV_Person* person = gDB.FindPerson(slot.personID);
    if (!person) {
        return QStringLiteral("setEmpty(%1,%2,false,%3,%4,%5);")
            .arg(QString::number(slot.number), jsString(slot.elementID), boolText(slot.canAdd),
                 jsString(slot.firstLabel), jsString(slot.secondLabel));
    }
    const QStringList arguments{
        jsString(QStringLiteral("%1").arg(slot.number, 2, 10, QLatin1Char('0'))),
        boolText(person->ID == shownID),
        jsString(person->ID),
        boolText(person->IsMale()),
        jsString(slot.elementID),
        jsString(person->GetDisplayName(DisplayNameMode::Plain, false, false)),
        jsString(person->GetBirthText(true, false, true, QStringLiteral("?"))),
        jsString(person->GetDeathText(true, true, QStringLiteral("?"))),
        jsString(pictureUrl(*person)),
        jsString(slot.extra),
    };
    return QStringLiteral("setDane(") + arguments.join(u',') + QStringLiteral(");");
}

// A grandparent's box: its person and extra text stay empty while the parent it hangs on is missing.
Slot grandparentSlot(int number, const char* elementID, const KV_Person* parent, bool mother, const char* labelKey)
{
    Slot slot{number, QLatin1String(elementID), QString(), parent != nullptr, label(labelKey), QString(), QString()};
    if (parent) {
        slot.personID = mother ? parent->MID : parent->FID;
        slot.extra = parent->ID;
    }
    return slot;
}

// The other parent of a child of the probant, whose group the child joins: "empty" when the child has none.
QString otherParentOf(const KV_Person& child, const QString& probantID)
{
    QString other;
    if (child.MID == probantID)
        other = child.FID;
    else if (child.FID == probantID)
        other = child.MID;
    return other.isEmpty() ? QStringLiteral("empty") : other;
}

// The call that places a partner, child or sibling box: number, sex, element id, last-entry flag and, but for
// siblings, the children's group.
QString placeCall(const char* function, int number, const KV_Person& person, const QString& elementID, bool last,
                  const QString& group)
{
    QString call = QLatin1String(function) + u'(' + QString::number(number) + u',' + boolText(person.IsMale()) + u',' +
                   jsString(elementID) + u',' + boolText(last);
    if (!group.isNull())
        call += u',' + jsString(QStringLiteral("group_") + group);
    return call + QStringLiteral(");");
}

const KV_Person* findOrNull(const QString& id)
{
    return id.isEmpty() ? nullptr : gDB.FindPerson(id);
}

QStringList siblingsOf(const KV_Person& probant)
{
    QStringList ids;
    KV_DB::CollectChildren(findOrNull(probant.FID), findOrNull(probant.MID), probant.ID, ids);
    return ids;
}

} // namespace

QStringList FamilyViewIncludeFiles()
{
    return {QStringLiteral("include/form.css"), QStringLiteral("include/form.js")};
}

QStringList FamilyViewScript(const KV_Person& probant, bool emptyPage)
{
    const QString shownID = probant.ID;
    QStringList lines;
    if (emptyPage)
        lines << QStringLiteral("hideNotUsedItems();");
    lines << QStringLiteral("setProbantSex(%1);").arg(emptyPage ? 2 : probant.IsMale() ? 1 : 0);
    lines << slotCall({ProbantSlot, QStringLiteral("id_probant"), emptyPage ? QString() : probant.ID, true,
                       label("LABEL_KOBIETA"), label("MEZCZYZNA"), QString()},
                      shownID);

    const KV_Person* father = findOrNull(probant.FID);
    const KV_Person* mother = findOrNull(probant.MID);
    lines << slotCall(
        {FatherSlot, QStringLiteral("id_father"), probant.FID, !emptyPage, label("LABEL_OJCIEC"), QString(), QString()},
        shownID);
    lines << slotCall(
        {MotherSlot, QStringLiteral("id_mother"), probant.MID, !emptyPage, label("LABEL_MATKA"), QString(), QString()},
        shownID);
    lines << slotCall(grandparentSlot(FathersFatherSlot, "id_grand-parents_1", father, false, "LABEL_DZIADEK"),
                      shownID);
    lines << slotCall(grandparentSlot(FathersMotherSlot, "id_grand-parents_2", father, true, "LABEL_BABCIA"), shownID);
    lines << slotCall(grandparentSlot(MothersFatherSlot, "id_grand-parents_3", mother, false, "LABEL_DZIADEK"),
                      shownID);
    lines << slotCall(grandparentSlot(MothersMotherSlot, "id_grand-parents_4", mother, true, "LABEL_BABCIA"), shownID);

    // Entries whose person is missing are passed over but keep their numbers, so the last-entry flag stays with
    // the list's last position.
    const int partners = probant.GetPartnerCount();
    for (int i = 0; i < partners; ++i) {
        const KV_Person* partner = findOrNull(probant.GetPartnerID(i));
        if (!partner)
            continue;
        const QString elementID = QStringLiteral("id_probant_spouse_") + partner->ID;
        lines << placeCall("putSpouse", i + 1, *partner, elementID, i == partners - 1, partner->ID);
        lines << slotCall(memberSlot(PartnerSlot, elementID, partner->ID), shownID);
    }
    const int children = probant.GetChildCount();
    for (int j = 0; j < children; ++j) {
        const KV_Person* child = findOrNull(probant.GetChildID(j));
        if (!child)
            continue;
        const QString elementID = QStringLiteral("id_probant_child_") + child->ID;
        lines << placeCall("putChild", j + 1, *child, elementID, j == children - 1, otherParentOf(*child, probant.ID));
        lines << slotCall(memberSlot(ChildSlot, elementID, child->ID), shownID);
    }
    const QStringList siblings = emptyPage ? QStringList() : siblingsOf(probant);
    for (qsizetype k = 0; k < siblings.size(); ++k) {
        const KV_Person* sibling = findOrNull(siblings[k]);
        if (!sibling)
            continue;
        const QString elementID = QStringLiteral("id_probant_sibling_") + sibling->ID;
        lines << placeCall("putSibling", int(k + 1), *sibling, elementID, k == siblings.size() - 1, QString());
        lines << slotCall(memberSlot(SiblingSlot, elementID, sibling->ID), shownID);
    }
    return lines;
}

QString FamilyViewAddMenu(const KV_Person& probant, bool emptyPage)
{
    const bool hasParent = !probant.FID.isEmpty() || !probant.MID.isEmpty();
    const struct
    {
        int type; // 0 for a divider
        const char* key;
        bool available;
    } items[] = {
        {1, "LABEL_OJCIEC", emptyPage || probant.FID.isEmpty()},
        {2, "LABEL_MATKA", emptyPage || probant.MID.isEmpty()},
        {0, nullptr, false},
        {6, "LABEL_BRAT", !emptyPage && hasParent},
        {7, "LABEL_SIOSTRA", !emptyPage && hasParent},
        {0, nullptr, false},
        {3, "LABEL_WSPOLMALZONEK/PARTNER", !emptyPage},
        {0, nullptr, false},
        {4, "LABEL_SYN", !emptyPage},
        {5, "LABEL_CORKA", !emptyPage},
    };
    QString menu;
    for (const auto& item : items) {
        if (item.type == 0) {
            menu += QStringLiteral("<div class=\"dropdown-divider\"></div>");
            continue;
        }
        menu += QStringLiteral("<a class=\"dropdown-item ") +
                (item.available ? QString() : QStringLiteral("disabled href-no-click")) +
                QStringLiteral("\" href=\"person_add_type_") + QString::number(item.type) + QStringLiteral("\">") +
                htmlEscape(label(item.key)) + QStringLiteral("</a>");
    }
    return menu;
}

QString FamilyViewBackgroundClass(const KV_Person& probant, bool emptyPage)
{
    const QString prefix = QStringLiteral("frame-container-background-");
    if (!emptyPage && probant.IsFemale())
        return prefix + QStringLiteral("female");
    if (!emptyPage && probant.IsMale())
        return prefix + QStringLiteral("male");
    return prefix + QStringLiteral("unknown");
}

QString FamilyViewPageText(const QString& templateText, const QString& personID)
{
    // A person that is not found leaves the ID on show; a stand-in with no data fills the page meanwhile.
    KV_Person noPerson;
    KV_Person* found = personID.isEmpty() ? nullptr : gDB.FindPerson(personID);
    const bool emptyPage = found == nullptr;
    KV_Person& probant = found ? *found : noPerson;

    const int siblings = emptyPage ? 0 : int(siblingsOf(probant).size());
    const auto escapedLabel = [](const char* key) { return htmlEscape(label(key)); };
    const struct
    {
        const char* placeholder;
        QString text;
    } replacements[] = {
        {"<#PATH#>", htmlEscape(fileUrlText(gAppFolder + QStringLiteral("TEMPLATE/")))},
        {"<#SPOUSE_NUM#>",
         htmlEscape(gLangM.FormatInt(QStringLiteral("LABEL_ZWIAZKI_(%D)"), probant.GetPartnerCount()))},
        {"<#CHILDREN_NUM#>",
         htmlEscape(gLangM.FormatInt(QStringLiteral("LABEL_DZIECI_(%D)"), probant.GetChildCount()))},
        {"<#SIBLINGS_NUM#>", htmlEscape(gLangM.FormatInt(QStringLiteral("LABEL_RODZENSTWO_(%D)"), siblings))},
        {"<#LABEL_GRANDPARENTS#>", escapedLabel("LABEL_DZIADKOWIE")},
        {"<#LABEL_PARTENTS#>", escapedLabel("LABEL_RODZICE")},
        {"<#LABEL_DELETE_PERSON#>", escapedLabel("LABEL_USUN_RELACJE_LACZACA_TE_OSOBE_Z_PROBANTEM")},
        {"<#LABEL_FORM_PERSON#>", escapedLabel("LABEL_POKAZ_WIDOK_NAJBLIZSZEJ_RODZINY_DLA_TEJ_OSOBY")},
        {"<#LABEL_GENERATION_MOVE#>", escapedLabel("LABEL_PRZESUN_WIDOK_W_GORE_O_JEDNO_POKOLENIE")},
        {"<#MENU_LABEL#>", escapedLabel("LABEL_DODAJ")},
        {"<#MENU_ITEMS#>", FamilyViewAddMenu(probant, emptyPage)},
        {"<#BACKGROUND_SEX#>", FamilyViewBackgroundClass(probant, emptyPage)},
        {"<#FILL_CONTENT#>",
         FamilyViewScript(probant, emptyPage).join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")},
    };
    QString page = templateText;
    for (const auto& replacement : replacements)
        page.replace(QLatin1String(replacement.placeholder), replacement.text);
    return page;
}

QString FamilyViewPageFile(const QString& personID)
{
    return gTempFolder + (isPersonID(personID) ? personID : QString()) + QStringLiteral(".html");
}

void CopyFamilyViewIncludes()
{
    for (const QString& name : FamilyViewIncludeFiles()) {
        const QString source = gAppFolder + QStringLiteral("TEMPLATE/") + name;
        const QString copy = gTempFolder + name;
        if (FileSystem::sameContents(source, copy))
            continue;
        FileSystem::createFolders(QFileInfo(copy).absolutePath());
        FileSystem::atomicCopy(source, copy);
    }
}

QString WriteFamilyViewPage(const QString& personID)
{
    CopyFamilyViewIncludes();
    const QString page = FamilyViewPageFile(personID);
    writePageFile(page,
                  FamilyViewPageText(readPageTemplate(gAppFolder + QStringLiteral("TEMPLATE/form.html")), personID));
    return page;
}
