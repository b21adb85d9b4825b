// Mending the character maps (ToUnicode) of the fonts Qt's PDF writer embeds, so that text copied from a report
// or extracted from it reads as it was written.
#pragma once

#include <QByteArray>

// Qt draws a tab with the space glyph, and each map names a glyph by the lowest code point drawn with it: the
// space glyph reads back as U+0009. Every map in the document gets U+0020 for it instead. The maps are written
// uncompressed and the mended value has the same length, so no offset in the file moves.
void mendSpaceInCharacterMaps(QByteArray& pdf);
