// The font files a PDF document embeds: the TrueType face cut down to the glyphs the document draws.
#pragma once

#include <QByteArray>
#include <QRawFont>

#include <functional>
#include <vector>

// The font file a PDF document embeds for a TrueType face: the face's own tables, with the outlines of every glyph the
// document does not draw left out. Glyphs keep their numbers, so that the document's text can name them directly.
// glyphs: the glyph numbers drawn (any order, repeats allowed); glyph 0 and the parts of composite glyphs are kept too.
// Empty when the face has no TrueType outlines (no 'glyf' and 'loca' tables).
QByteArray trueTypeSubset(const QRawFont& font, const std::vector<quint32>& glyphs);

namespace PdfFontSubsetDetail {

// A face's table by its four-character tag, empty when the face has none.
using FontTables = std::function<QByteArray(const char* tag)>;

// trueTypeSubset of the face whose tables are given, so that damaged tables can be tried. The face is read as
// untrusted: a missing table or one too short for the fields read from it gives an empty result; a glyph that
// 'loca' does not place wholly inside 'glyf' is kept without its outline, and a component beyond the face is left
// out.
QByteArray trueTypeSubset(const FontTables& tables, const std::vector<quint32>& glyphs);

} // namespace PdfFontSubsetDetail
