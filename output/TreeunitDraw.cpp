// Drawing the laid-out family tree on one PDF page.
#include "Bazadanych.h"
#include "Miniaturyunit.h"
#include "Pdfmanager.h"
#include "Person.h"
#include "Picture.h"
#include "TreeSetings.h"
#include "TreeWalk.h"
#include "Treeunit.h"

#include <algorithm>

namespace {

// The PDF format allows no page side longer than 14,400 pt (508 cm); a larger tree is drawn reduced.
constexpr double largestPageSideCm = 508.0;
// Every box is outlined in this grey; the chosen border colour stays in the settings only.
constexpr int boxBorderColour = 0xC0C0C0;
constexpr double boxBorderMm = 0.1;
constexpr int photoFrameColour = 0x808080;
constexpr int photoBackground = 0xFFFFFF;
constexpr double emptyPhotoFrameMm = 0.2;
// Photos are rendered at this many pixels per point drawn, so that they stay sharp when printed or zoomed.
constexpr double photoZoom = 3.0;
// A title is never shrunk below this size.
constexpr int smallestTitleSize = 5;

enum PdfAlign { AlignTop = 0, AlignCentre = 1 };
enum GradientDirection { TopToBottom = 1 };
enum PictureShape { Rectangle = 1 };

const KV_FrameStyle& frameOf(const KV_Person& person)
{
    // A sex outside the three known ones is drawn as an unspecified one, as everywhere in the program.
    const int sex = person.IsFemale() || person.IsMale() ? person.Sex : 2;
    return gTreeSetings.Frames[sex];
}

} // namespace

bool KV_Tree::DrawPdf(const QString& path)
{
    KV_TreeSetings& settings = gTreeSetings;
    PDFManager& pdf = gPDFManager;
    const double factor = std::min({1.0, largestPageSideCm / PageWidth, largestPageSideCm / PageHeight});
    pdf.PageWidthCm = PageWidth * factor;
    pdf.PageHeightCm = PageHeight * factor;
    pdf.MarginLeft = pdf.MarginRight = settings.LeftMargin;
    pdf.ShowPageText2 = false;

    // The PDF layer reduces every coordinate by the factor, so the tree is drawn in unreduced points.
    pdf.BeginDocument(false);
    pdf.SetScale(factor);
    settings.UseDrawingScale();
    const double pageWidth = PageWidth * settings.LengthScale;
    pdf.DrawPageTexts(1, settings.ScaledLeftMargin(), pageWidth - settings.ScaledLeftMargin(),
                      PageHeight * settings.LengthScale - settings.ScaledFooterHeight());

    LoadFonts(false);
    // Font sizes are not reduced by the PDF layer.
    settings.NameFontSize *= factor;
    settings.DatesFontSize *= factor;
    settings.SpouseFontSize *= factor;

    SetDescendantSide();
    DrawSubtree(DescendantsRoot);
    SetAncestorSide();
    DrawSubtree(AncestorsRoot);
    DrawTitle();
    return pdf.EndDocument(path);
}

void KV_Tree::DrawSubtree(KV_TreeItem& root)
{
    // In a full tree the ancestors' root lies under the descendants' root, which shows the person.
    const bool rootHidden = Kind == FullTree && AncestorSide;
    visitTopDown(root, [&](KV_TreeItem& box) {
        if (&box != &root || !rootHidden)
            DrawBox(box);
        DrawConnectors(box);
    });
}

void KV_Tree::DrawBox(const KV_TreeItem& box)
{
    const KV_TreeSetings& settings = gTreeSetings;
    PDFManager& pdf = gPDFManager;
    const double mm = pdf.MmToPt(1.0);
    const double left = box.Left();
    const double top = box.Top();
    const double width = box.ScaledWidth();
    const double height = box.ScaledHeight();

    const KV_FrameStyle& frame = frameOf(*box.Person);
    switch (frame.fill) {
    case KV_FrameStyle::TextureFill:
        pdf.DrawImageFile(gAppFolder + QStringLiteral("TEMPLATE/include/frame.jpg"), left, top, width, height);
        break;
    case KV_FrameStyle::SolidFill:
        pdf.DrawBox(left + mm, top + mm, width, height, true, int(frame.fill_color_from), false, 0, 0);
        break;
    case KV_FrameStyle::GradientFill:
        pdf.DrawGradientBox(left, top, width, height, int(frame.fill_color_from), int(frame.fill_color_to),
                            TopToBottom);
        break;
    default:
        break;
    }
    if (frame.border == KV_FrameStyle::ColouredBorder)
        pdf.DrawBox(left, top, width, height, false, 0, true, boxBorderColour, boxBorderMm);

    double y = top + settings.ScaledTenth(settings.InsetY * 10);
    for (const KV_TreeItemDesc& line : box.Lines) {
        if (line.text.isEmpty())
            continue;
        switch (line.kind) {
        case KV_TreeItemDesc::Photo:
            drawPhoto(box, line.text, y);
            y += settings.ScaledPhotoLineHeight();
            break;
        case KV_TreeItemDesc::Separator: {
            const double inset = width * 0.05;
            const double half = pdf.CmToPt(SeparatorHeightCm / 2);
            pdf.DrawLine(left + inset, y + half, box.Right() - inset, y + half, int(settings.ColorToChild), true,
                         settings.ScaledTenth(0.1));
            y += 2 * half;
            break;
        }
        default: {
            const LineFont f = lineFont(line.kind);
            pdf.SetTextColor(f.colour);
            y += pdf.DrawTextBox(f.font, line.text, AlignCentre, left, y, QString(), f.size, width, height, false, 1,
                                 false);
            break;
        }
        }
    }
}

void KV_Tree::drawPhoto(const KV_TreeItem& box, const QString& pictureId, double y)
{
    PDFManager& pdf = gPDFManager;
    const double mm = pdf.MmToPt(1.0);
    const double left = box.Left();
    const double width = box.ScaledWidth();
    const double height = gTreeSetings.ScaledPhotoSize();
    const KV_Picture* picture = gDB.FindPicture(pictureId);
    const QString path = picture ? picture->GetFullPath() : QString();
    if (path.isEmpty()) {
        pdf.DrawBox(left + mm, y + mm, width - 2 * mm, height - 2 * mm, false, 0, true, photoFrameColour,
                    emptyPhotoFrameMm);
        return;
    }
    const QString image =
        gMiniaturyUnit.MakeReportImage(-1.0, path, QString(), gTempFolder, int(width), int(height), photoZoom);
    pdf.DrawPictureFitted(image, left + mm, y + mm, width - 2 * mm, height - 2 * mm, 1.0, AlignCentre, AlignTop,
                          Rectangle, true, photoFrameColour, photoBackground);
}

void KV_Tree::DrawConnectors(const KV_TreeItem& box)
{
    if (box.Children.empty())
        return;
    const KV_TreeSetings& settings = gTreeSetings;
    PDFManager& pdf = gPDFManager;
    const double gap = settings.ScaledLevelGap();
    const double r = gap * 0.25;
    const double width = settings.ScaledLineWidth();
    const int colour = int(settings.ColorToChild);
    const KV_TreeItem& first = box.Children.front();
    const KV_TreeItem& last = box.Children.back();

    // The children lie above the box where the ancestors are drawn upwards.
    const bool reversed = (Kind == AncestorsTree && Mirror) || (Kind == FullTree && AncestorSide);
    const double a = reversed ? first.Bottom() + r : box.Bottom() + r;
    const double b = reversed ? box.Top() - r : first.Top() - r;
    const double bar = reversed ? box.Top() - 2 * r : first.Top() - 2 * r;
    const double bandEnd = reversed ? box.Top() - gap : first.Top() - gap;

    if (box.Children.size() == 1) {
        pdf.DrawLine(box.CentreX(), a, first.CentreX(), b, colour, true, width);
        return;
    }
    pdf.DrawBracket(first.CentreX(), last.CentreX(), box.CentreX(), bar, r, !reversed, colour, true, width);
    // A box lower than the tallest of its generation reaches down to the bottom of the band.
    if (bandEnd > a && !Mirror && DescendantSide)
        pdf.DrawLine(box.CentreX(), a, box.CentreX(), bandEnd, colour, true, width);
}

void KV_Tree::DrawTitle()
{
    const KV_TreeSetings& settings = gTreeSetings;
    if (settings.Title.isEmpty())
        return;
    PDFManager& pdf = gPDFManager;
    const int font = pdf.SelectFontDescription(settings.TitleFont, settings.Title, int(settings.TitleColor));
    const double parsedSize = pdf.FontSize;
    const double scale = pdf.Scale;
    double width = pdf.TextWidth(settings.Title, font, parsedSize * scale);
    const double full = pdf.LineHeight(font, parsedSize * scale);
    const double available = (PageWidth - 2 * settings.LeftMargin) * settings.LengthScale;

    double centre = (Kind == AncestorsTree ? AncestorsRoot : DescendantsRoot).CentreX();
    if (centre + width * 0.5 > available || centre - width * 0.5 < 0)
        centre = pdf.PageWidthPt / scale / 2; // the middle of the unreduced page
    int size = int(parsedSize);
    while (width > available && size > smallestTitleSize) {
        --size;
        width = pdf.TextWidth(settings.Title, font, size * scale);
    }
    const double top = settings.ScaledSavedTopMargin() + (full - pdf.LineHeight(font, size * scale)) * 0.5;
    pdf.DrawTextAt(font, size * scale, settings.Title, centre, top, AlignCentre);
}
