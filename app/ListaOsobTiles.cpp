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

// Draws the text at the top of the box and returns the height it took.
float drawTileText(TGPGraphics& graphics, const QString& text, const TGPFont& font, const TGPRectF& box)
{
    TGPStringFormat format;
    format.SetAlignment(StringAlignmentNear);
    format.SetTrimming(StringTrimmingEllipsisCharacter);
    const TGPSolidBrush grey(MakeColor(255, 128, 128, 128));
    graphics.DrawString(text, -1, &font, box, &format, &grey);
    TGPRectF bounds;
    graphics.MeasureString(text, -1, &font, box, &format, bounds);
    return bounds.Height;
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
    TGPRectF box = MakeRect(textArea.Left, textArea.Top + 15, textArea.Width() - 3, 400);
    const float nameHeight =
        drawTileText(graphics, person->GetDisplayName(DisplayNameMode::Plain, false, false), nameFont, box);
    box.Y += nameHeight + canvas.TextHeight(QStringLiteral("pH")) / 4;
    const QString unknown = QStringLiteral("?");
    for (const QString& text :
         {person->GetBirthText(true, true, true, unknown), person->GetDeathText(true, true, unknown)}) {
        if (text.isEmpty())
            continue;
        drawTileText(graphics, text, dateFont, box);
        box.Y += 18;
    }

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
