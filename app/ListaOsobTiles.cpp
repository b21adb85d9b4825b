// The tile view of the person list: the grid's columns from its width, and one tile per person with the picture,
// the name and the birth and death texts.
#include "ListaOsobForm.h"

#include "Bazadanych.h"
#include "Fonts.h"
#include "GdiPlus.h"
#include "Grids.h"
#include "Miniaturyunit.h"
#include "Picture.h"
#include "Rotate.h"

#include <QTextLayout>

namespace {

constexpr int narrowestTile = 300;
constexpr TColor separatorColor = 0xC0C0C0;
constexpr TColor selectedFrameColor = 0xFF0000;
constexpr TColor focusedFrameColor = 0x0000FF;
constexpr int frameAlpha = 25;

// The tile texts' face: the layout's, or the stand-in when it is not installed.
const TGPFontFamily& tileFontFamily()
{
    static const TGPFontFamily family(Fonts::familyFor(QStringLiteral("Tahoma")));
    return family;
}

// Draws a line of a tile's texts, trimmed with an ellipsis where it is wider than its box.
void drawTileLine(TGPGraphics& graphics, const QString& line, const TGPFont& font, const QRectF& box)
{
    TGPStringFormat format(StringFormatFlagsNoWrap);
    format.SetAlignment(StringAlignmentNear);
    format.SetTrimming(StringTrimmingEllipsisCharacter);
    const TGPSolidBrush grey(MakeColor(255, 128, 128, 128));
    graphics.DrawString(line, -1, &font,
                        MakeRect(float(box.x()), float(box.y()), float(box.width()), float(box.height())), &format,
                        &grey);
}

} // namespace

QString GetAvatarPath(int sex)
{
    return gAppFolder + (sex != 0 ? QStringLiteral("TEMPLATE/include/avatar_male.png")
                                  : QStringLiteral("TEMPLATE/include/avatar_female.png"));
}

QString GetTilePicturePath(const KV_Person& person)
{
    const KV_Picture* picture = gDB.FindPicture(person.GetProfilePictureID());
    if (!picture)
        return GetAvatarPath(person.Sex);
    // A tile is far smaller than a thumbnail: scrolling never decodes a full-size picture.
    const QString file = picture->GetFullPath();
    const QString thumbnail = gMiniaturyUnit.GetThumbnail(file);
    return thumbnail.isEmpty() ? file : thumbnail;
}

QVector<TileTextLine> LayoutTileTexts(const QStringList& texts, const QList<QFont>& fonts, const QRectF& area,
                                      qreal gap)
{
    QVector<int> heights;
    for (const QFont& font : fonts)
        heights.append(Fonts::lineHeight(font));
    QVector<TileTextLine> lines;
    qreal top = area.top();
    for (int text = 0; text < int(texts.size()); ++text) {
        if (texts[text].isEmpty())
            continue;
        qreal keptForLater = 0;
        for (int later = text + 1; later < int(texts.size()); ++later) {
            if (!texts[later].isEmpty())
                keptForLater += gap + heights[later];
        }
        const int room = int((area.bottom() - keptForLater - top) / heights[text]);
        if (room < 1)
            continue;
        QTextLayout layout(texts[text], fonts[text]);
        layout.beginLayout();
        for (int count = 0; count < room; ++count) {
            QTextLine line = layout.createLine();
            if (!line.isValid())
                break;
            line.setLineWidth(area.width());
            // The last line there is room for takes the rest of the text, for the drawing to trim.
            const QString shown = count + 1 == room ? texts[text].mid(line.textStart())
                                                    : texts[text].mid(line.textStart(), line.textLength());
            lines.append({text, shown.trimmed(), QRectF(area.left(), top, area.width(), heights[text])});
            top += heights[text];
        }
        layout.endLayout();
        top += gap;
    }
    return lines;
}

void TFormListaOsob::LayoutTiles()
{
    TDrawGrid* grid = DrawGridListaOsob;
    grid->SetRowCount(0);
    const int width = grid->width() - 30;
    int columns = width / narrowestTile;
    int columnWidth = narrowestTile;
    if (columns <= 0)
        columns = 1;
    else
        columnWidth = width / columns;
    grid->SetColCount(columns);
    for (int col = 0; col < columns; ++col)
        grid->SetColWidth(col, columnWidth);
    grid->SetRowCount((rowCount() + columns - 1) / columns);
}

void TFormListaOsob::DrawGridListaOsobDrawCell(int col, int row, const TRect& rect, int state, TCanvas& canvas)
{
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = clWhite;
    canvas.FillRect(rect);
    TRect square = rect;
    square.Top += 2;
    square.Bottom -= 2;
    square.Right = square.Left + square.Height();
    TRect textArea = square;
    textArea.Left = square.Right + 5;
    textArea.Right = rect.Right;

    const int columns = DrawGridListaOsob->GetColCount();
    KV_Person* person = row * columns + col < rowCount() ? gDB.GetResultPerson(row * columns + col) : nullptr;
    if (!person)
        return;

    TGPGraphics graphics(canvas);
    graphics.SetSmoothingMode(SmoothingModeAntiAlias);
    graphics.SetPageUnit(UnitPixel);
    const QString picture = GetTilePicturePath(*person);
    DrawPictureInRect(&graphics, &canvas, square, 15, true, picture, picture, clWhite, true, nullptr, nullptr, nullptr,
                      false, true, true, false);

    static const TGPFont nameFont(&tileFontFamily(), 14, FontStyleBold, UnitPixel);
    static const TGPFont dateFont(&tileFontFamily(), 13, FontStyleRegular, UnitPixel);
    const TGPFont* fonts[] = {&nameFont, &dateFont, &dateFont};
    const QString unknown = QStringLiteral("?");
    const QStringList texts = {person->GetDisplayName(DisplayNameMode::Plain, false, false),
                               person->GetBirthText(true, true, true, unknown),
                               person->GetDeathText(true, true, unknown)};
    const QRectF area(textArea.Left, textArea.Top + 15, textArea.Width() - 3, textArea.Height() - 15);
    for (const TileTextLine& line : LayoutTileTexts(texts, {nameFont.ToQFont(), dateFont.ToQFont(), dateFont.ToQFont()},
                                                    area, canvas.TextHeight(QStringLiteral("pH")) / 4))
        drawTileLine(graphics, line.shown, *fonts[line.text], line.box);

    canvas.Pen.Color = separatorColor;
    canvas.Pen.Style = psSolid;
    canvas.Pen.Width = 1;
    canvas.MoveTo(rect.Left + 5, rect.Bottom - 1);
    canvas.LineTo(rect.Right - 5, rect.Bottom - 1);
    if (col < columns - 1) {
        canvas.MoveTo(rect.Right - 1, rect.Top + 5);
        canvas.LineTo(rect.Right - 1, rect.Bottom - 5);
    }
    if (state & gdSelected)
        DrawRoundedFrame(&graphics, &canvas, rect, selectedFrameColor, frameAlpha);
    if (state & gdFocused)
        DrawRoundedFrame(&graphics, &canvas, rect, focusedFrameColor, frameAlpha);
}
