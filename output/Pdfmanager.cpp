#include "Pdfmanager.h"

#include "FileFailure.h"
#include "FontDescription.h"
#include "Fonts.h"
#include "PdfLibrary.h"
#include "Prompter.h"
#include "Toolkit.h"
#include "Vh_langmanager.h"

#include <QCoreApplication>
#include <QFont>
#include <QRawFont>

#include <algorithm>

PDFManager gPDFManager;

namespace {

// Text is never drawn smaller than this when shrunk to fit, and a size that is not positive (a description
// reading "pt" alone) is drawn at this size.
constexpr double smallestFontSize = 5.0;
constexpr double inchesPerCm = 1.0 / 2.54;

} // namespace

// Colours

PDFColor::PDFColor(int colour)
{
    Set(colour);
    Color = colour;
}

void PDFColor::Set(int colour)
{
    if (colour == -1) {
        R = G = B = 255;
        Color = 0;
        return;
    }
    const TColor plain = ColorToRGB(TColor(colour));
    R = GetRValue(plain);
    G = GetGValue(plain);
    B = GetBValue(plain);
    Color = colour;
}

QString FontCharacters(const QString& face, bool bold, bool italic)
{
    QFont font(Fonts::familyFor(face));
    font.setBold(bold);
    font.setItalic(italic);
    const QRawFont raw = QRawFont::fromFont(font);
    QString characters;
    for (uint code = 0; code <= 0xFFFF; ++code) {
        if (!QChar::isSurrogate(code) && raw.supportsCharacter(code))
            characters += QChar(code);
    }
    return characters;
}

void ReportUnwritableFile(const QString& path, const QString& reason)
{
    prompter().message(FileFailureText(FileError::Operation::Write, path, reason), QCoreApplication::applicationName(),
                       Prompter::Icon::Error);
}

PDFManager::PDFManager() = default;
PDFManager::~PDFManager() = default;

PdfLibrary& PDFManager::document()
{
    if (!library)
        library = std::make_unique<PdfLibrary>();
    return *library;
}

// Documents and pages

void PDFManager::BeginDocument(bool pageTexts)
{
    library = std::make_unique<PdfLibrary>();
    leftMarginPt = rightMarginPt = -1;
    pageTextFont = -1;
    gradientCounter = 1;
    fontCache.clear();
    SetupPage();
    if (pageTexts)
        DrawPageTexts(1, LeftEdge(), RightEdge(), BottomEdge());
}

void PDFManager::SetScale(double scale)
{
    Scale = scale;
    if (library)
        library->SetScale(scale);
}

bool PDFManager::EndDocument(const QString& path)
{
    const std::unique_ptr<PdfLibrary> ended = std::move(library);
    if (!ended || path.isEmpty())
        return false;
    QString reason;
    if (ended->SaveToFile(path, &reason))
        return true;
    ReportUnwritableFile(path, reason);
    return false;
}

void PDFManager::SetupPage()
{
    PdfLibrary& pdf = document();
    pdf.SetPageSize(CmToPt(PageWidthCm), CmToPt(PageHeightCm));
    PageWidthPt = pdf.PageWidth();
    PageHeightPt = pdf.PageHeight();
}

bool PDFManager::BreakPageIfNeeded(double y, double needed, bool pageTexts, bool)
{
    if (y + needed <= PageHeightPt - CmToPt(MarginBottom))
        return false;
    document().NewPage();
    SetupPage();
    if (pageTexts)
        DrawPageTexts(document().PageNumber(), LeftEdge(), RightEdge(), BottomEdge());
    return true;
}

void PDFManager::DrawPageTexts(int pageNo, double left, double right, double y)
{
    const QString number = QString::number(pageNo);
    const QString pageNumberMark = QStringLiteral("#NR_STRONY#");
    const QString text1 = QString(PageText1).replace(pageNumberMark, number);
    const QString text2 = ShowPageText2 ? QString(PageText2).replace(pageNumberMark, number) : QString();

    PdfLibrary& pdf = document();
    if (pageTextFont < 0)
        pageTextFont =
            SelectFontDescription(QStringLiteral("Tahoma"), text1 + text2 + QStringLiteral("0123456789 "), 0);
    else
        pdf.SelectFont(pageTextFont);
    setTextSize(9 * Scale);
    SetTextColor(0);

    const bool swapped = MirrorMargins && pageNo % 2 == 0;
    const double top = y + MmToPt(0.5);
    const double height = 3 * pdf.TextHeight();
    pdf.SetTextAlign(swapped ? PdfLibrary::AlignRight : PdfLibrary::AlignLeft);
    PutTextBox(left, top, right - left, height, text1, 1);
    pdf.SetTextAlign(swapped ? PdfLibrary::AlignLeft : PdfLibrary::AlignRight);
    PutTextBox(left, top, right - left, height, text2, 1);

    SetLineColor(0x808080);
    pdf.SetLineWidth(MmToPt(0.1));
    // A dashed line left behind by the drawing before a page break must not dash the rule.
    pdf.SetLineDash(0, 0);
    pdf.DrawLine(left, y, right, y);
}

double PDFManager::CmToPt(double cm) const
{
    return cm * inchesPerCm * pointsPerInch;
}

double PDFManager::MmToPt(double mm) const
{
    return CmToPt(mm * 0.1);
}

void PDFManager::computeMargins()
{
    if (leftMarginPt < 0) {
        leftMarginPt = CmToPt(MarginLeft);
        rightMarginPt = CmToPt(MarginRight);
    }
}

double PDFManager::LeftEdge()
{
    computeMargins();
    const bool swapped = MirrorMargins && document().PageNumber() % 2 == 0;
    return swapped ? rightMarginPt : leftMarginPt;
}

double PDFManager::RightMarginPt()
{
    computeMargins();
    const bool swapped = MirrorMargins && document().PageNumber() % 2 == 0;
    return swapped ? leftMarginPt : rightMarginPt;
}

double PDFManager::RightEdge()
{
    return PageWidthPt - RightMarginPt();
}

double PDFManager::BottomEdge() const
{
    return PageHeightPt - CmToPt(MarginBottom);
}

// Text and fonts

void PDFManager::setTextSize(double size)
{
    document().SetTextSize(size > 0 ? size : smallestFontSize);
}

void PDFManager::selectFont(int font, const QString& text, const QString& face, bool bold)
{
    if (font == -1)
        UseFont(text, face, bold, false);
    else
        document().SelectFont(font);
}

bool PDFManager::ParseFontDescription(const QString& description)
{
    FontFace = QStringLiteral("Tahoma");
    FontSize = 10;
    FontBold = FontItalic = false;
    const FontDescription read = readFontDescription(description);
    if (read.ItemCount >= 1)
        FontFace = read.Face;
    if (read.ItemCount >= 2) {
        if (read.SizeGiven)
            FontSize = read.Size;
        FontBold = read.Bold;
        FontItalic = read.Italic;
    }
    return true;
}

int PDFManager::UseFont(const QString&, const QString& face, bool bold, bool italic)
{
    QString key = face;
    if (bold && italic)
        key += QLatin1String(" [BoldItalic]");
    else if (bold)
        key += QLatin1String(" [Bold]");
    else if (italic)
        key += QLatin1String(" [Italic]");

    PdfLibrary& pdf = document();
    const QString folded = key.toCaseFolded();
    auto found = fontCache.constFind(folded);
    if (found == fontCache.constEnd())
        found = fontCache.insert(folded, pdf.AddTrueTypeFont(key));
    pdf.SelectFont(*found);
    return *found;
}

int PDFManager::SelectFontDescription(const QString& description, const QString& subset, int colour)
{
    ParseFontDescription(description);
    const int font = UseFont(subset, FontFace, FontBold, FontItalic);
    setTextSize(FontSize);
    SetTextColor(colour);
    return font;
}

double PDFManager::LineHeight(int font, double size)
{
    document().SelectFont(font);
    setTextSize(size);
    return document().TextHeight();
}

double PDFManager::TextWidth(const QString& text, int font, double size)
{
    document().SelectFont(font);
    setTextSize(size);
    return document().TextWidth(text);
}

double PDFManager::WrappedTextHeight(int font, double size, const QString& text, double width)
{
    int lines = 0;
    return MeasureTextHeight(font, text, width, QString(), size, false, lines);
}

double PDFManager::MeasureTextHeight(int font, const QString& text, double width, const QString& face, double size,
                                     bool bold, int& lines)
{
    selectFont(font, text, face, bold);
    setTextSize(size);
    PdfLibrary& pdf = document();
    lines = pdf.WrappedLineCount(text, width);
    return lines * pdf.TextHeight();
}

QStringList PDFManager::WrapText(int font, double size, const QString& text, double width)
{
    document().SelectFont(font);
    setTextSize(size);
    return document().WrappedLines(text, width);
}

double PDFManager::HalfHeightDifference(int font, const QString&, double size1, double size2)
{
    return (LineHeight(font, size1) - LineHeight(font, size2)) / 2;
}

double PDFManager::DrawTextBox(int font, const QString& text, int align, double x, double y, const QString& face,
                               double size, double width, double height, bool bold, int boxOption, bool shrinkToFit)
{
    const QString shown = text.isEmpty() ? QStringLiteral(" ") : text;
    selectFont(font, shown, face, bold);
    PdfLibrary& pdf = document();
    double drawnSize = size > 0 ? size : smallestFontSize;
    setTextSize(drawnSize);
    while (shrinkToFit && drawnSize > smallestFontSize && pdf.TextWidth(shown) > width) {
        drawnSize = std::max(drawnSize - 1, smallestFontSize);
        setTextSize(drawnSize);
    }
    const double lineHeight = pdf.TextHeight();
    pdf.SetTextAlign(align);
    return PutTextBox(x, y, width, height, shown, boxOption) * lineHeight;
}

int PDFManager::PutTextBox(double x, double y, double width, double height, const QString& text, int)
{
    if (text.isEmpty())
        return 0;
    return document().DrawTextBox(x, y, width, height, text);
}

void PDFManager::DrawTextAt(int font, double size, const QString& text, double x, double y, int align)
{
    PdfLibrary& pdf = document();
    pdf.SelectFont(font);
    setTextSize(size);
    pdf.SetTextAlign(align);
    pdf.DrawText(x, y + pdf.TextAscent(), text);
}

double PDFManager::EnsureRoomForText(double y, double yTop, const QString& text, double width, int font, double size,
                                     bool bold, bool pageTexts, bool, double spacingMm)
{
    int lines = 0;
    const double needed = MeasureTextHeight(font, text, width, QString(), size, bold, lines) + MmToPt(spacingMm);
    return BreakPageIfNeeded(y, needed, pageTexts) ? yTop : y;
}

// Colours, lines, shapes and pictures

double PDFManager::ColorComponent(int component)
{
    return component / 255.0;
}

PdfRgb PDFManager::rgb(int colour) const
{
    const PDFColor c(colour);
    return {ColorComponent(c.R), ColorComponent(c.G), ColorComponent(c.B)};
}

void PDFManager::SetTextColor(int colour)
{
    document().SetTextColor(rgb(colour));
}

void PDFManager::SetLineColor(int colour)
{
    document().SetLineColor(rgb(colour));
}

void PDFManager::SetFillColor(int colour)
{
    document().SetFillColor(rgb(colour));
}

void PDFManager::DrawLine(double x1, double y1, double x2, double y2, int colour, bool solid, double widthPt)
{
    SetLineColor(colour);
    PdfLibrary& pdf = document();
    pdf.SetLineWidth(widthPt);
    const double dash = solid ? 0 : 2 * widthPt;
    pdf.SetLineDash(dash, dash);
    pdf.DrawLine(x1, y1, x2, y2);
    pdf.SetLineDash(0, 0);
}

void PDFManager::DrawHairline(double x1, double y1, double x2, double y2, int colour, bool solid)
{
    SetLineColor(colour);
    PdfLibrary& pdf = document();
    pdf.SetLineWidth(MmToPt(1.0 / 6));
    const double dash = solid ? 0 : MmToPt(2.0 / 3);
    pdf.SetLineDash(dash, dash);
    pdf.DrawLine(x1, y1, x2, y2);
    pdf.SetLineWidth(MmToPt(0.5));
    pdf.SetLineDash(0, 0);
}

void PDFManager::DrawLineMm(double x1, double y1, double x2, double y2, int colour, double widthMm, bool dashed,
                            double dashPt)
{
    SetLineColor(colour);
    PdfLibrary& pdf = document();
    pdf.SetLineWidth(MmToPt(widthMm));
    const double dash = dashed ? dashPt : 0;
    pdf.SetLineDash(dash, dash);
    pdf.DrawLine(x1, y1, x2, y2);
}

void PDFManager::DrawBracket(double xLeft, double xRight, double xNotch, double y, double r, bool notchUp, int colour,
                             bool solid, double widthPt)
{
    SetLineColor(colour);
    PdfLibrary& pdf = document();
    pdf.SetLineWidth(widthPt);
    const double dash = solid ? 0 : 2 * widthPt;
    pdf.SetLineDash(dash, dash);
    const double s = notchUp ? r : -r;
    pdf.StartPath(xLeft, y + s);
    pdf.AddCurveToPath(xLeft, y, xLeft, y, xLeft + r, y);
    pdf.AddLineToPath(xNotch - 1.3 * r, y);
    pdf.AddCurveToPath(xNotch - 0.4 * r, y, xNotch - 0.4 * r, y, xNotch, y - s);
    pdf.AddCurveToPath(xNotch + 0.4 * r, y, xNotch + 0.4 * r, y, xNotch + 1.3 * r, y);
    pdf.AddLineToPath(xRight - r, y);
    pdf.AddCurveToPath(xRight, y, xRight, y, xRight, y + s);
    pdf.DrawPath(PdfLibrary::Paint::Outline);
}

void PDFManager::DrawBox(double x, double y, double w, double h, bool fill, int fillColour, bool border,
                         int borderColour, double borderMm)
{
    if (!fill && !border)
        return;
    PdfLibrary& pdf = document();
    if (fill)
        SetFillColor(fillColour);
    if (border) {
        pdf.SetLineWidth(MmToPt(borderMm));
        SetLineColor(borderColour);
    }
    const PdfLibrary::Paint paint = !border ? PdfLibrary::Paint::Fill
                                    : fill  ? PdfLibrary::Paint::FillAndOutline
                                            : PdfLibrary::Paint::Outline;
    pdf.DrawBox(x, y, w, h, paint);
}

void PDFManager::DrawBoxCorners(double x1, double y1, double x2, double y2, bool fill, int fillColour, bool border,
                                int borderColour, double borderMm)
{
    DrawBox(x1, y1, x2 - x1, y2 - y1, fill, fillColour, border, borderColour, borderMm);
}

void PDFManager::DrawGradientBox(double x, double y, double w, double h, int colourA, int colourB, int direction)
{
    PdfLibrary& pdf = document();
    const QString name = QStringLiteral("ramka_") + QString::number(gradientCounter++);
    const bool created = direction == 1
                             ? pdf.NewLinearGradient(name, x, y, rgb(colourB), x, y + h, rgb(colourA))
                             : pdf.NewLinearGradient(name, x, y + h / 2, rgb(colourB), x + w, y + h / 2, rgb(colourA));
    if (created)
        pdf.SetFillGradient(name);
    pdf.DrawBox(x, y, w, h, PdfLibrary::Paint::Fill);
}

void PDFManager::AddShapePath(double cx, double cy, double w, double h, int shape)
{
    PdfLibrary& pdf = document();
    const double left = cx - w / 2;
    const double top = cy - h / 2;
    switch (shape) {
    case 1:
        pdf.AddBoxToPath(left, top, w, h);
        break;
    case 2:
        pdf.StartPath(cx, top);
        pdf.AddCurveToPath(cx + 2 * w / 3, top, cx + 2 * w / 3, top + h, cx, top + h);
        pdf.AddCurveToPath(cx - 2 * w / 3, top + h, cx - 2 * w / 3, top, cx, top);
        pdf.ClosePath();
        break;
    case 3: {
        const double right = left + w;
        const double bottom = top + h;
        const double c = 0.2 * w;
        pdf.StartPath(left + c, top);
        pdf.AddLineToPath(right - c, top);
        pdf.AddLineToPath(right, top + c);
        pdf.AddLineToPath(right, bottom - c);
        pdf.AddLineToPath(right - c, bottom);
        pdf.AddLineToPath(left + c, bottom);
        pdf.AddLineToPath(left, bottom - c);
        pdf.AddLineToPath(left, top + c);
        pdf.ClosePath();
        break;
    }
    default:
        break;
    }
}

double PDFManager::DrawImageFile(const QString& file, double x, double y, double w, double h)
{
    PdfLibrary& pdf = document();
    const int image = pdf.LoadImageFromFile(file);
    if (image < 0)
        return 0;
    pdf.DrawImage(image, x, y, w, h);
    return w;
}

double PDFManager::DrawPictureFitted(const QString& file, double x, double y, double w, double h, double scale,
                                     int hAlign, int vAlign, int shape, bool framed, int lineColour, int fillColour)
{
    if (w == 0 || h == 0)
        return 0;
    PdfLibrary& pdf = document();
    const int image = pdf.LoadImageFromFile(file);
    if (image < 0)
        return 0;
    const int pw = pdf.ImageWidth(image);
    const int ph = pdf.ImageHeight(image);
    if (pw == 0 || ph == 0)
        return 0;

    double x1 = x * scale;
    double y1 = y * scale;
    double x2 = (x + w) * scale;
    double y2 = (y + h) * scale;
    // A picture is never drawn larger than one point per pixel.
    const double f = std::min({(x2 - x1) / pw, (y2 - y1) / ph, 1.0});
    const double dx = hAlign == -1 ? 0 : ((x2 - x1) - pw * f) / 2;
    const double dy = vAlign == -1 ? 0 : ((y2 - y1) - ph * f) / 2;
    switch (hAlign) {
    case 0:
        x2 -= 2 * dx;
        break;
    case 1:
        x1 += dx;
        x2 -= dx;
        break;
    case 2:
        x1 += 2 * dx;
        break;
    default:
        break;
    }
    switch (vAlign) {
    case 0:
        y2 -= 2 * dy;
        break;
    case 1:
        y1 += dy;
        y2 -= dy;
        break;
    case 2:
        y1 += 2 * dy;
        break;
    default:
        break;
    }

    if (framed && shape != 0) {
        AddShapePath((x1 + x2) / 2, (y1 + y2) / 2, x2 - x1, y2 - y1, shape == 3 ? 1 : shape);
        SetFillColor(fillColour);
        SetLineColor(lineColour);
        pdf.SetLineWidth(0.5);
        pdf.DrawPath(PdfLibrary::Paint::FillAndOutline);
        x1 -= 2;
        y1 -= 2;
        x2 += 2;
        y2 += 2;
    }

    if (shape == 0) {
        pdf.DrawImage(image, x1, y1, x2 - x1, y2 - y1);
        return x2 - x1;
    }
    const double cx = (x1 + x2) / 2;
    const double cy = (y1 + y2) / 2;
    AddShapePath(cx, cy, x2 - x1, y2 - y1, shape);
    pdf.SaveState();
    pdf.SetClippingPath();
    pdf.DrawImage(image, x1, y1, x2 - x1, y2 - y1);
    pdf.RestoreState();
    AddShapePath(cx, cy, x2 - x1, y2 - y1, shape);
    SetLineColor(lineColour);
    pdf.SetLineWidth(1);
    pdf.DrawPath(PdfLibrary::Paint::Outline);
    return x2 - x1;
}
