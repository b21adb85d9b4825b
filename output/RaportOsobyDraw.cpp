// The person details report's pages: the header with picture, name, birth, death and parents, and the facts and
// additional information sections, with the rows and headings every section shares.
#include "RaportOsobyUnit.h"

#include "Bazadanych.h"
#include "Fact.h"
#include "Miniaturyunit.h"
#include "Pdfmanager.h"
#include "Person.h"
#include "Picture.h"
#include "Settings.h"
#include "Unitdata.h"
#include "Vh_langmanager.h"

#include <algorithm>

namespace {

constexpr int alignLeft = 0;
constexpr int alignRight = 2;
// Text boxes of the report: wrapped, starting at the top of the box.
constexpr int boxOption = 1;

// The picture area in millimetres, and the picture drawn inside it.
constexpr double pictureWidthMm = 40;
constexpr double pictureHeightMm = 50;
constexpr double pictureInsetMm = 1;
// The report image's box in points (the area's size with the fraction dropped), and its zoom.
constexpr int reportImageWidth = 113;
constexpr int reportImageHeight = 141;
constexpr double reportImageZoom = 3.0;
constexpr double fitWholePicture = -1;
constexpr int pictureFrameColour = 0xC0C0C0;
constexpr int pictureFillColour = 0xFFFFFF;
constexpr double headerLabelWidthMm = 15;
constexpr double ruleWidthMm = 0.2;

} // namespace

double TFormRaportOsoby::drawText(int font, const QString& text, int align, double x, double y, double size,
                                  double width, double height)
{
    return gPDFManager.DrawTextBox(font, text, align, x, y, QString(), size, width, height, false, boxOption, false);
}

double TFormRaportOsoby::roomBelow(double y) const
{
    return gPDFManager.BottomEdge() - y;
}

double TFormRaportOsoby::newPage()
{
    PDFManager& pdf = gPDFManager;
    pdf.BreakPageIfNeeded(pdf.PageHeightPt, pdf.PageHeightPt, true);
    return ContentTop;
}

bool TFormRaportOsoby::DrawPerson(KV_Person* person)
{
    if (!person)
        return false;
    PDFManager& pdf = gPDFManager;
    double y = drawHeader(person);
    // The sections start below the picture area.
    y = std::max(y, ContentTop + (pictureHeightMm + 5) * OneMm);
    y = DrawFamily(person, pdf.LeftEdge(), y);
    y = DrawFacts(person, pdf.LeftEdge(), y);
    DrawAttributes(person, pdf.LeftEdge(), y);
    return true;
}

void TFormRaportOsoby::drawPicture(KV_Person* person, double left)
{
    PDFManager& pdf = gPDFManager;
    const KV_Picture* picture = gDB.FindPicture(person->GetProfilePictureID());
    const QString file = picture ? picture->GetFullPath() : QString();
    if (file.isEmpty()) {
        pdf.DrawBox(left, ContentTop, pictureWidthMm * OneMm, pictureHeightMm * OneMm, false, 0, true, RuleColor,
                    ruleWidthMm);
        return;
    }
    // A picture that cannot be read leaves the area blank.
    const QString image = gMiniaturyUnit.MakeReportImage(fitWholePicture, file, QString(), gTempFolder,
                                                         reportImageWidth, reportImageHeight, reportImageZoom);
    if (image.isEmpty())
        return;
    reportImages.append(image);
    const double inset = pictureInsetMm * OneMm;
    pdf.DrawPictureFitted(image, left + inset, ContentTop + inset, (pictureWidthMm - 2 * pictureInsetMm) * OneMm,
                          (pictureHeightMm - 2 * pictureInsetMm) * OneMm, 1.0, 1, 0, 1, true, pictureFrameColour,
                          pictureFillColour);
}

double TFormRaportOsoby::drawHeaderLine(const QString& label, const QString& value, int font, double size, double y)
{
    const double labelLeft = gPDFManager.LeftEdge() + (pictureWidthMm + 2) * OneMm;
    const double valueLeft = labelLeft + headerLabelWidthMm * OneMm;
    // However long a name, the header keeps to the upper half of the page.
    const double height = ContentWidth * 0.5;
    if (!label.isEmpty())
        drawText(RegularFontId, label, alignRight, labelLeft, y, TextFontSize, headerLabelWidthMm * OneMm, height);
    return drawText(font, value, alignLeft, valueLeft, y, size, ContentWidth - valueLeft, height);
}

double TFormRaportOsoby::drawHeader(KV_Person* person)
{
    drawPicture(person, gPDFManager.LeftEdge());
    double y = ContentTop;
    y += drawHeaderLine(QString(), person->GetDisplayName(DisplayNameMode::Plain, false, false), BoldFontId,
                        NameFontSize, y) +
         5 * OneMm;
    const QString unknown = QStringLiteral("?");
    y += drawHeaderLine(gSettings.BirthPrefix.trimmed() + u' ', person->GetBirthText(true, true, false, unknown),
                        RegularFontId, TextFontSize, y) +
         2 * OneMm;
    // A living person's death line stays as an empty line.
    const QString deathLabel = person->IsDead() ? gSettings.DeathPrefix.trimmed() + u' ' : QString();
    y += drawHeaderLine(deathLabel, person->GetDeathText(true, false, unknown), RegularFontId, TextFontSize, y) +
         2 * OneMm;
    y += 3 * OneMm;
    const struct
    {
        QString id;
        const char* label;
    } parents[] = {{person->FID, "LABEL_OJCIEC"}, {person->MID, "LABEL_MATKA"}};
    for (const auto& parent : parents) {
        const KV_Person* found = parent.id == QStringLiteral("-1") ? nullptr : gDB.FindPerson(parent.id);
        if (!found)
            continue;
        y += drawHeaderLine(gLangM.Get(QLatin1String(parent.label)) + QStringLiteral(": "),
                            found->GetDisplayName(DisplayNameMode::Plain, true, true), RegularFontId, TextFontSize, y) +
             2 * OneMm;
    }
    return y;
}

double TFormRaportOsoby::drawHeading(const QString& text, double x, double y)
{
    PDFManager& pdf = gPDFManager;
    y += 4 * OneMm;
    // A heading is never left alone at the foot of a page.
    y = pdf.EnsureRoomForText(y, ContentTop, text, ContentWidth, BoldFontId, TextFontSize, false, true, false, 10);
    const double height = drawText(BoldFontId, text, alignLeft, x, y, TextFontSize, ContentWidth, roomBelow(y));
    pdf.DrawLineMm(x, y + height, x + ContentWidth, y + height, RuleColor, ruleWidthMm, false, 0);
    return y + height + 2 * OneMm;
}

double TFormRaportOsoby::drawRow(const QString& label, const QString& value, double x, double y, double labelSize,
                                 double valueSize, double labelShift)
{
    PDFManager& pdf = gPDFManager;
    const double labelWidth = LabelColumnWidth - 3 * OneMm;
    const double valueWidth = ContentWidth - LabelColumnWidth;
    // Room is measured at the text size, which neither part is drawn above.
    int lines = 0;
    const double needed =
        std::max(pdf.MeasureTextHeight(RegularFontId, label, labelWidth, QString(), TextFontSize, false, lines),
                 pdf.MeasureTextHeight(RegularFontId, value, valueWidth, QString(), TextFontSize, false, lines));
    if (needed <= pdf.BottomEdge() - ContentTop) {
        if (pdf.BreakPageIfNeeded(y, needed, true))
            y = ContentTop;
        const double labelHeight = drawText(RegularFontId, label, alignRight, x, y + labelShift, labelSize, labelWidth,
                                            roomBelow(y + labelShift));
        const double valueHeight =
            drawText(RegularFontId, value, alignLeft, x + LabelColumnWidth, y, valueSize, valueWidth, roomBelow(y));
        return y + std::max(valueHeight, labelShift + labelHeight);
    }

    // A value taller than a page starts a page of its own and is drawn a page's worth of lines at a time.
    if (y > ContentTop)
        y = newPage();
    const double labelBottom =
        y + labelShift +
        drawText(RegularFontId, label, alignRight, x, y + labelShift, labelSize, labelWidth, roomBelow(y + labelShift));
    const QStringList valueLines = pdf.WrapText(RegularFontId, valueSize, value, valueWidth);
    const double lineHeight = pdf.LineHeight(RegularFontId, valueSize);
    qsizetype drawn = 0;
    bool firstPage = true;
    for (;;) {
        const qsizetype fitting = std::max<qsizetype>(1, qsizetype((pdf.BottomEdge() - y) / lineHeight));
        y += drawText(RegularFontId, valueLines.mid(drawn, fitting).join(u'\n'), alignLeft, x + LabelColumnWidth, y,
                      valueSize, valueWidth, roomBelow(y));
        drawn += fitting;
        if (drawn >= valueLines.size())
            break;
        y = newPage();
        firstPage = false;
    }
    return firstPage ? std::max(y, labelBottom) : y;
}

double TFormRaportOsoby::drawDetailRow(const QString& label, const QString& value, double x, double y)
{
    // The smaller label stands on the value's first line.
    const double shift = gPDFManager.HalfHeightDifference(RegularFontId, label, TextFontSize, TextFontSize - 2);
    return drawRow(label, value, x, y, TextFontSize - 2, TextFontSize - 1, shift);
}

double TFormRaportOsoby::drawFamilyRow(const QString& label, const QString& value, double x, double y)
{
    return drawRow(label, value, x, y, TextFontSize, TextFontSize, 0);
}

double TFormRaportOsoby::DrawFacts(KV_Person* person, double x, double y)
{
    if (FactsMode == NoFacts)
        return y;
    const bool publicOnly = FactsMode == PublicFacts || FactsMode == OtherPublicFacts;
    const bool othersOnly = FactsMode == OtherFacts || FactsMode == OtherPublicFacts;
    QList<const KV_Fact*> facts;
    for (int i = 0; i < person->GetFactCount(); ++i) {
        const KV_Fact* fact = person->LookupFact(person->GetFactID(i));
        if (!fact || (publicOnly && fact->Private) ||
            (othersOnly && (fact->IsUnionFact() || fact->IsDeath() || fact->IsBirth())))
            continue;
        facts.append(fact);
    }
    if (facts.isEmpty())
        return y;
    y = drawHeading(gLangM.FormatInt(QStringLiteral("LABEL_FAKTY/ZDARZENIA_(%D)"), int(facts.size())), x, y);
    for (const KV_Fact* fact : std::as_const(facts)) {
        const QString datePlace =
            KV_DB::NormalizeLineBreaks(fact->GetDatePlaceText(QString(), true, QString(), QStringLiteral(" ")));
        const QString value =
            JoinNonEmpty(datePlace, QStringLiteral("\r\n"), QString(), KV_DB::NormalizeLineBreaks(fact->Description));
        y = drawDetailRow(KV_DB::NormalizeLineBreaks(fact->Name) + u':', value, x, y);
    }
    return y;
}

double TFormRaportOsoby::DrawAttributes(KV_Person* person, double x, double y)
{
    if (AttributesMode == NoAttributes)
        return y;
    QList<const KV_Atribute*> attributes;
    for (int i = 0; i < person->GetAttributeCount(); ++i) {
        const KV_Atribute* attribute = person->GetAttribute(i);
        if (attribute && !(AttributesMode == PublicAttributes && attribute->Private))
            attributes.append(attribute);
    }
    if (attributes.isEmpty())
        return y;
    y = drawHeading(gLangM.FormatInt(QStringLiteral("LABEL_INFORMACJE_DODATKOWE_(%D)"), int(attributes.size())), x, y);
    for (const KV_Atribute* attribute : std::as_const(attributes))
        y = drawDetailRow(KV_DB::NormalizeLineBreaks(attribute->Name) + u':',
                          KV_DB::NormalizeLineBreaks(attribute->Value), x, y);
    return y;
}
