// The font faces the program draws with. Layouts are designed for Tahoma: the Tahoma-compatible face and
// Wingdings that fonts-wine installs outside the system's font path are registered with the application, and
// DejaVu Sans stands in for every face that is not installed (Tahoma on a machine without them, Segoe Print).
#pragma once

#include <QString>

class QFont;

namespace Fonts {

// Registers the bundled faces once; later calls do nothing. Needs the GUI application object.
void registerApplicationFonts();

// The installed family to draw the face with: the face itself when it is installed (letter case ignored, as
// face names are), DejaVu Sans otherwise. Registers the bundled faces first when that has not happened yet.
QString familyFor(const QString& face);

// The face that stands in for faces that are not installed.
QString substituteFamily();

// How far a font reaches above and below the baseline, as fractions of its size: the extents the face declares
// for whole lines of text, which the report layouts were designed with and which leave room for the accents of
// Polish capitals. A face declaring none gets the font engine's ascent and descent.
struct LineExtents
{
    double ascent = 0;
    double descent = 0;
};
LineExtents lineExtents(const QFont& font);

// The height in pixels that a line of the font needs so that nothing of it is cut off, the accents of Polish
// capitals included: those extents, never less than the font engine's own line height.
int lineHeight(const QFont& font);
// The height a row needs for a line of the font centred in it, as item views place their text on the font engine's
// line: room for the accents above that line, and as much below it.
int centredLineHeight(const QFont& font);

} // namespace Fonts
