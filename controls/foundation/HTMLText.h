// The mini-HTML engine of the control library: one routine that paints, measures and hit-tests a short markup
// text (font and colour tags, anchors, pictures, lists, paragraphs) inside a rectangle of a canvas, and the text
// services on markup that do not draw (plain text, search highlighting, escaping).
#pragma once

#include "Toolkit.h"

#include <QString>
#include <QStringView>

class TCanvas;
class TImageList;
class THTMLPictureCache;
class TPictureContainer;

// Paints (HitTestOnly and MeasureOnly false), hit-tests (HitTestOnly) or measures (MeasureOnly) Markup inside
// Bounds with the canvas's current font as the base font. True when (PointX, PointY) lies on an anchor's text or
// on a picture inside an anchor; the anchor outputs (AnchorAtPoint, AnchorNumberAtPoint, HoverRect) are
// meaningful only then. The canvas's font and brush colour are as before the call when it returns.
bool MarkupRender(TCanvas* Canvas, const QString& Markup, const TRect& Bounds, TImageList* Images, int PointX,
                  int PointY, int FocusIndex, int HoverNumber, int ShadowOffset, bool HitTestOnly, bool MeasureOnly,
                  bool ScaleImages, bool KeepColors, bool BlinkVisible, bool HoverEnabled, bool WordWrap,
                  double ScaleFactor, TColor URLColor, TColor HoverColor, TColor HoverFontColor, TColor ShadowColor,
                  QString& AnchorAtPoint, QString& PlainText, QString& FocusedHref, int& MarkupWidth, int& MarkupHeight,
                  int& AnchorCount, int& AnchorNumberAtPoint, TRect& HoverRect, THTMLPictureCache* PictureCache,
                  TPictureContainer* PictureContainer, int LineSpacing);

// MarkupRender without focus, hover, word wrap (overflowing runs end in an ellipsis), picture cache or container.
bool MarkupRenderDefault(TCanvas* Canvas, const QString& Markup, const TRect& Bounds, TImageList* Images, int PointX,
                         int PointY, bool HitTestOnly, bool MeasureOnly, bool ScaleImages, bool KeepColors,
                         bool BlinkVisible, double ScaleFactor, TColor URLColor, QString& AnchorAtPoint,
                         QString& PlainText, int& MarkupWidth, int& MarkupHeight);

// Plain text for display and export: BR and HR become CR LF, hidden (Z) blocks go with their content, every other
// tag is removed; entities stay as written.
QString MarkupToPlainText(const QString& markup);
// The visible text: everything outside tags; a "<" without ">" hides the rest.
QString MarkupRemoveTags(const QString& markup);
// 1-based position in markup of visible character n (tags in front of it included); length + 1 just past the end;
// 0 when the markup has fewer visible characters.
int MarkupPosOfVisibleChar(const QString& markup, int n);
// 1-based position in visible of the first match of search after the first offset characters; 0 when none.
int MarkupFindNextMatch(const QString& search, const QString& visible, int offset, int& position, bool caseSensitive);
// Every match of search in the visible text wrapped in "<tag>" and "</tag>".
QString MarkupWrapMatches(const QString& markup, const QString& search, const QString& tag, bool caseSensitive);
// The markup without any "<tag>" or "</tag>", letters in any case.
QString MarkupUnwrapTag(const QString& markup, const QString& tag);

// Text made safe to put into markup: "<", ">" and "&" become entities.
QString MarkupEscape(const QString& text);

// Lower-case colour names ("clred", "clbtnface", ...); 0 for a name not known.
TColor MarkupColorFromName(const QString& name);
// "#RRGGBB" as a colour value (red in the low byte); hexadecimal letters in either case.
TColor MarkupColorFromHex(const QString& text);
// The byte written by the first two hexadecimal characters of text; 0 when text is shorter.
int MarkupHexByte(QStringView text);
// The integer at the start of text: decimal, or hexadecimal after "$", "x" or "0x"; 0 when no digit comes first.
int MarkupParseInt(QStringView text);
// A placeholder written "<#name>" shows as "#name" (the first one only).
QString MarkupUnwrapHashTag(const QString& text);
// Drops LF; each CR becomes "<BR>" when convertCR is set, else it is dropped as well.
QString MarkupLineBreaksToTags(const QString& text, bool convertCR);

// Fills rect with bandCount bands of colour from colorFrom to colorTo, left to right when horizontal, else top to
// bottom, and outlines it in frameColor unless that is clNone. Bands overlap by a pixel so no gap shows.
void MarkupFillGradient(TCanvas* canvas, TColor colorFrom, TColor colorTo, TColor frameColor, int bandCount,
                        const TRect& rect, bool horizontal);
