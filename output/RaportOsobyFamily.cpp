// The person details report's family section: each union with the partner, the union's facts and the couple's
// children, then the person's other children, then the siblings.
#include "RaportOsobyUnit.h"

#include "Bazadanych.h"
#include "Fact.h"
#include "Pdfmanager.h"
#include "Person.h"
#include "Vh_langmanager.h"

namespace {

constexpr int alignLeft = 0;
constexpr double ruleWidthMm = 0.2;
// The summary of a fact that gives its date and place.
constexpr int datePlaceSummary = 2;

QString personText(const QString& id)
{
    return gDB.GetPersonDisplayName(id, DisplayNameMode::Plain, true, true, QStringLiteral("?"));
}

} // namespace

double TFormRaportOsoby::DrawFamily(KV_Person* person, double x, double y)
{
    QStringList unionChildren;
    if (UnionsMode != 0) {
        for (int k = 0; k < person->GetPartnerCount(); ++k)
            y = drawUnion(person, k, unionChildren, x, y);
    }
    QStringList otherChildren;
    for (int i = 0; i < person->GetChildCount(); ++i) {
        const QString id = person->GetChildID(i);
        if (!unionChildren.contains(id))
            otherChildren.append(id);
    }
    y = drawPersonList(gLangM.Get(QStringLiteral("LABEL_CHILDREN")), otherChildren, x, y);
    if (SiblingsMode == 1) {
        QStringList siblings;
        KV_DB::CollectChildren(gDB.FindPerson(person->FID), gDB.FindPerson(person->MID), person->ID, siblings);
        y = drawPersonList(gLangM.Get(QStringLiteral("LABEL_RODZENSTWO")), siblings, x, y);
    }
    return y;
}

double TFormRaportOsoby::drawUnion(KV_Person* person, int index, QStringList& unionChildren, double x, double y)
{
    PDFManager& pdf = gPDFManager;
    const double valueWidth = ContentWidth - LabelColumnWidth;
    y += 4 * OneMm;
    const QString partnerID = person->GetPartnerID(index);
    const QString partner = personText(partnerID);
    y = pdf.EnsureRoomForText(y, ContentTop, partner, valueWidth, BoldFontId, TextFontSize, false, true, false, 0);
    drawText(BoldFontId, gLangM.Get(QStringLiteral("LABEL_FAMILY")) + QStringLiteral(" #") + QString::number(index + 1),
             alignLeft, x, y, TextFontSize, ContentWidth, roomBelow(y));
    const double height =
        drawText(BoldFontId, partner, alignLeft, x + LabelColumnWidth, y, TextFontSize, valueWidth, roomBelow(y));
    pdf.DrawLineMm(x, y + height, x + ContentWidth, y + height, RuleColor, ruleWidthMm, false, 0);
    y += height + 2 * OneMm;

    bool factListed = false;
    for (int i = 0; i < person->GetFactCount(); ++i) {
        const KV_Fact* fact = gDB.FindFact(person->GetFactID(i));
        if (!fact || !fact->IsUnionFact() || fact->GetOtherPersonID(person->ID) != partnerID)
            continue;
        y = drawFamilyRow(fact->Name + u':', gDB.GetFactSummary(fact->ID, datePlaceSummary), x, y);
        factListed = true;
    }
    if (factListed)
        y += 2 * OneMm;

    int number = 1;
    for (int i = 0; i < person->GetChildCount(); ++i) {
        const QString childID = person->GetChildID(i);
        const KV_Person* child = gDB.FindPerson(childID);
        if (!child || !child->HasParents(person->ID, partnerID))
            continue;
        unionChildren.append(childID);
        const QString label = number == 1 ? gLangM.Get(QStringLiteral("LABEL_CHILDREN")) + QStringLiteral(":  1)")
                                          : QString::number(number) + u')';
        y = drawFamilyRow(label, personText(childID), x, y);
        ++number;
    }
    return y;
}

double TFormRaportOsoby::drawPersonList(const QString& heading, const QStringList& ids, double x, double y)
{
    if (ids.isEmpty())
        return y;
    y = drawHeading(heading + QStringLiteral(" (") + QString::number(ids.size()) + u')', x, y);
    for (qsizetype i = 0; i < ids.size(); ++i)
        y = drawFamilyRow(QString::number(i + 1) + u')', personText(ids[i]), x, y);
    return y;
}
