// The family-tree report's settings: page geometry, box styles by sex, fonts and colours, and what a box shows.
// One global instance; the settings file keeps the user's choices of style and content between runs.
#pragma once

#include "Toolkit.h"

#include <QString>

// How the box of a person of one sex is drawn.
struct KV_FrameStyle
{
    int fill = 0;   // 0 none, 1 default texture, 2 solid colour, 3 gradient
    int border = 0; // 0 none, 1 coloured border
    TColor fill_color_from = 0;
    TColor fill_color_to = 0;
    TColor border_color = 0;
};

class KV_TreeSetings
{
public:
    KV_TreeSetings();

    // Gives the three frame styles (index 0 woman, 1 man, 2 unspecified) their default look.
    void SetDefaultFrames();

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
