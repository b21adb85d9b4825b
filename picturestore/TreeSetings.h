// The family-tree report's settings: page geometry, box styles by sex, fonts and colours, and what a box shows.
// One global instance; the settings file keeps the user's choices of style and content between runs.
#pragma once

#include "Toolkit.h"

#include <QString>

// How the box of a person of one sex is drawn.
struct KV_FrameStyle
{
    // Fills.
    static constexpr int NoFill = 0;
    static constexpr int TextureFill = 1;
    static constexpr int SolidFill = 2;
    static constexpr int GradientFill = 3;
    // Borders.
    static constexpr int NoBorder = 0;
    static constexpr int ColouredBorder = 1;

    int fill = NoFill;
    int border = NoBorder;
    TColor fill_color_from = 0;
    TColor fill_color_to = 0;
    TColor border_color = 0;
};

class KV_TreeSetings
{
public:
    // Points per centimetre: the length scale while drawing.
    static constexpr double PointsPerCm = 72 / 2.54;
    // Centimetres per point: turns a length measured by the PDF layer into the layout's unit.
    static constexpr double CmPerPoint = 2.54 / 72;

    KV_TreeSetings();

    // Gives the three frame styles (index 0 woman, 1 man, 2 unspecified) their default look.
    void SetDefaultFrames();

    // The top, left (and right) and bottom margins all take the value.
    void SetMargins(double cm);
    // Makes room for a title of the given height in the top margin, with the old margin above and below it; the
    // title is drawn at SavedTopMargin.
    void ReserveTitleBand(double titleHeightCm);
    // Scaled lengths in centimetres, for laying the tree out.
    void UseLayoutScale();
    // Scaled lengths in points, for drawing the tree.
    void UseDrawingScale();

    // Lengths multiplied by LengthScale.
    double ScaledTopMargin() const { return TopMargin * LengthScale; }
    double ScaledLeftMargin() const { return LeftMargin * LengthScale; }
    double ScaledBottomMargin() const { return BottomMargin * LengthScale; }
    double ScaledSiblingGap() const { return SiblingGap * LengthScale; }
    double ScaledLevelGap() const { return LevelGap * LengthScale; }
    double ScaledLineWidth() const { return LineWidth * LengthScale; }
    double ScaledFooterHeight() const { return FooterHeight * LengthScale; }
    double ScaledSavedTopMargin() const { return SavedTopMargin * LengthScale; }
    double ScaledPhotoSize() const { return PhotoSize * LengthScale; }
    // The photo area with the space below it.
    double ScaledPhotoLineHeight() const { return (PhotoSize + PhotoGap) * LengthScale; }
    // A tenth of x, scaled: the top inset is ScaledTenth(InsetY * 10).
    double ScaledTenth(double x) const { return x * LengthScale * 0.1; }

    // Lengths in centimetres.
    double TopMargin = 2.0;
    double LeftMargin = 1.0; // also the right margin
    double BottomMargin = 2.0;
    double SiblingGap = 1.0;
    double LevelGap = 1.0;
    double FooterHeight = 1.5;
    double LineWidth = 0.05;
    double SavedTopMargin = 0.0; // the top margin before the title band was added
    double MinPageWidth = 29.7;
    double MinPageHeight = 21.0;

    KV_FrameStyle Frames[3];

    bool MirrorWidok = false;
    QString PDFFontName = QStringLiteral("Tahoma, 10pt, pogrubienie");
    QString PDFFontDaty = QStringLiteral("Tahoma, 9pt");
    QString PDFFontWsp = QStringLiteral("Tahoma, 9pt");
    TColor PDFFontDatyColor = 0;
    TColor PDFFontNameColor = 0;
    TColor PDFFontWspColor = 0x808080;
    QString TitleFont = QStringLiteral("Segoe Print, 36pt, pogrubienie");
    TColor TitleColor = 0;
    TColor ColorToChild = 0x808080;
    bool ShowPicture = true;
    bool ShowNamesInOneLines = true;
    bool ShowPlaces = false;
    bool ShowSpouses = true;
    bool ShowOnlyManDescendents = false;
    bool ShowAncestorsFamilyName = true;

    double PhotoSize = 2.0;
    double PhotoGap = 0.3;
    double InsetX = 0.1;
    double InsetY = 0.1;
    // Multiplier of every length read through the scaled accessors: 1 while laying out, points per cm while drawing.
    double LengthScale = 1.0;
    // Point sizes, taken from the font descriptions whenever the tree loads its fonts.
    double NameFontSize = 10.0;
    double DatesFontSize = 9.0;
    double SpouseFontSize = 9.0;
    QString Title; // empty: no title
};

extern KV_TreeSetings gTreeSetings;
