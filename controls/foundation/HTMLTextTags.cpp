// What each tag of the markup does. Tags are recognised by their first letters, in any case; attributes by their
// whole names. Closing tags return to fixed values (the base font, the one colour saved), not to a stack, so
// nested tags of one kind end together.
#include "HTMLText.h"
#include "HTMLTextRender.h"

#include <algorithm>

namespace markup {

namespace {

constexpr int listIndent = 12;
constexpr int maxFontPoints = 144;

// FONT SIZE: 1 to 5 are the classic steps, larger numbers are points; 0 or no number keeps the size.
int fontPoints(const QString& value)
{
    const int size = MarkupParseInt(value);
    switch (size) {
    case 1:
        return 8;
    case 2:
        return 10;
    case 3:
        return 12;
    case 4:
        return 14;
    case 5:
        return 16;
    default:
        return size <= 0 ? 0 : std::min(size, maxFontPoints);
    }
}

// The anchor's target: its HREF, or else the first value in double quotes.
QString anchorTarget(const Tag& tag)
{
    return tag.hasAttribute(u"HREF") ? tag.quotedValue(u"HREF") : tag.firstQuotedValue();
}

} // namespace

void Renderer::handleTag(const Tag& tag, Line& line)
{
    if (tag.isClosing())
        closeTag(tag, line);
    else
        openTag(tag, line);
}

void Renderer::openTag(const Tag& tag, Line& line)
{
    const QChar second = tag.letter(2);
    switch (tag.letter(1).unicode()) {
    case u'A':
        anchorStart(tag, line);
        break;
    case u'B':
        if (second == u'>') {
            setStyle(fsBold, true);
        } else if (second == u'L') {
            // The hidden phase of blinking.
            if (!call.blinkVisible)
                canvas.Font.Color = initialBrush.Style == bsClear ? clNone : initialBrush.Color;
        } else if (second == u'O') {
            body(tag, line);
        } else if (second == u'R') {
            line.done = true;
            if (line.measuring())
                call.plainText += u'\r';
        }
        break;
    case u'E':
        if (line.painting())
            errorUnderline = true;
        break;
    case u'F':
        if (tag.isClosed())
            fontStart(tag, line);
        break;
    case u'H':
        if (second == u'I')
            highlight(line, true);
        else if (second == u'R')
            horizontalRule(line);
        break;
    case u'I':
        if (second == u'>')
            setStyle(fsItalic, true);
        else if (second == u'N')
            indentPosition(tag, line);
        else if (second == u'M')
            image(tag, line);
        break;
    case u'L':
        listItem(line);
        break;
    case u'O':
        if (second == u'F')
            offset(tag, line);
        break;
    case u'P':
        if (tag.isClosed())
            paragraphStart(tag, line);
        break;
    case u'R':
        rotate(tag);
        break;
    case u'S':
        if (second == u'>')
            setStyle(fsStrikeOut, true);
        else if (second == u'H')
            shadow = true;
        else if (tag.is(u"SUB"))
            subscript = true;
        else if (tag.is(u"SUP"))
            superscript = true;
        break;
    case u'U':
        if (second == u'>') {
            setStyle(fsUnderline, true);
        } else {
            ++listLevel;
            line.done = true;
        }
        break;
    case u'Z':
        hidden = true;
        break;
    default:
        break;
    }
}

void Renderer::closeTag(const Tag& tag, Line& line)
{
    const QChar second = tag.letter(3);
    switch (tag.letter(2).unicode()) {
    case u'A':
        anchorEnd(line);
        break;
    case u'B':
        if (second == u'>')
            setStyle(fsBold, false);
        else
            canvas.Font.Color = baseFont.Color;
        break;
    case u'E':
        if (line.painting())
            errorUnderline = false;
        break;
    case u'F':
        fontEnd(line);
        break;
    case u'H':
        highlight(line, false);
        break;
    case u'I':
        setStyle(fsItalic, false);
        break;
    case u'L':
        line.done = true;
        break;
    case u'O':
        ofsOffset = 0;
        break;
    case u'P':
        paragraphEnd(line);
        break;
    case u'R':
        if (orientationBeforeRotation) {
            canvas.Font.Orientation = *orientationBeforeRotation;
            orientationBeforeRotation.reset();
        }
        break;
    case u'S':
        if (second == u'U') {
            subscript = superscript = false;
        } else if (second == u'H') {
            shadow = false;
        } else {
            setStyle(fsStrikeOut, false);
        }
        break;
    case u'U':
        if (second != u'>' && listLevel > 0)
            --listLevel;
        else
            setStyle(fsUnderline, false);
        break;
    case u'Z':
        hidden = false;
        break;
    default:
        break;
    }
}

void Renderer::anchorStart(const Tag& tag, Line& line)
{
    if (line.painting() && call.focusIndex == call.anchorCount) {
        focusRect.Left = line.work.Left;
        focusRect.Top = line.rect.Top;
    }
    const int number = ++call.anchorCount;
    if (line.painting() && (!call.hoverEnabled || call.hoverNumber == number)) {
        setStyle(fsUnderline, true);
        if (call.hoverColor != clNone) {
            anchorSavedBrush = brushColor();
            setBrushColor(call.hoverColor);
        }
        if (call.hoverFontColor != clNone) {
            anchorSavedFont = canvas.Font.Color;
            canvas.Font.Color = call.hoverFontColor;
        }
    }
    if (!call.keepColors && (call.hoverFontColor == clNone || call.hoverNumber != number || !call.hoverEnabled))
        canvas.Font.Color = call.urlColor;
    inAnchor = true;
    href = anchorTarget(tag);
    anchorStartWidth = m.width;
    anchorStartTop = line.rect.Top;
}

void Renderer::anchorEnd(Line& line)
{
    if (line.painting() && (!call.hoverEnabled || call.hoverNumber == call.anchorCount)) {
        setStyle(fsUnderline, false);
        if (call.hoverColor != clNone)
            setBrushColor(anchorSavedBrush);
        if (call.hoverFontColor != clNone)
            canvas.Font.Color = anchorSavedFont;
    }
    if (!call.keepColors)
        canvas.Font.Color = baseFont.Color;
    inAnchor = false;
    if (pointInAnchor) {
        call.hoverRect =
            Rect(line.rect.Left + anchorStartWidth, anchorStartTop, line.rect.Left + m.width, line.rect.Bottom);
        call.anchorNumberAtPoint = call.anchorCount;
        pointInAnchor = false;
    }
    if (call.focusIndex == call.anchorCount - 1) {
        focusRect.Right = line.work.Left + 1;
        focusRect.Bottom = line.work.Bottom - m.textOffset;
        focusRect.Top = focusRect.Bottom - textHeight();
        focusRect.Left -= 1;
        if (line.painting())
            canvas.DrawFocusRect(focusRect);
    }
}

void Renderer::fontStart(const Tag& tag, Line& line)
{
    const QString face = tag.quotedValue(u"FACE");
    if (!face.isEmpty())
        canvas.Font.Name = face;
    const QString color = tag.quotedValue(u"COLOR");
    if (!call.keepColors && !color.isEmpty())
        canvas.Font.Color = colorFromValue(color);
    if (tag.hasAttribute(u"BGCOLOR") && line.painting() && !call.keepColors) {
        fontSavedBrush = brushColor();
        const QString background = tag.quotedValue(u"BGCOLOR");
        if (!background.isEmpty())
            setBrushColor(colorFromValue(background));
    }
    if (tag.hasAttribute(u"SIZE")) {
        const int points = fontPoints(tag.anyValue(u"SIZE"));
        if (points > 0)
            canvas.Font.SetSize(points);
    }
}

void Renderer::fontEnd(Line& line)
{
    canvas.Font.Name = baseFont.Name;
    canvas.Font.SetHeight(baseFont.GetHeight());
    if (line.painting() && !call.keepColors) {
        canvas.Font.Color = baseFont.Color;
        setBrushColor(fontSavedBrush);
    }
}

void Renderer::highlight(Line& line, bool on)
{
    if (!line.painting())
        return;
    if (on) {
        highlightSavedFont = canvas.Font.Color;
        highlightSavedBrush = brushColor();
        setBrushColor(clHighlight);
        canvas.Font.Color = clHighlightText;
    } else {
        canvas.Font.Color = highlightSavedFont;
        setBrushColor(highlightSavedBrush);
    }
}

void Renderer::horizontalRule(Line& line)
{
    line.done = true;
    if (!line.painting())
        return;
    const TColor color = canvas.Pen.Color;
    canvas.Pen.Color = clBlack;
    const int y = line.work.Bottom + 1;
    canvas.MoveTo(line.rect.Left, y);
    canvas.LineTo(line.rect.Right, y);
    canvas.Pen.Color = color;
}

// IND x="n": the following content starts n pixels from the left edge, unless the line is already wider.
void Renderer::indentPosition(const Tag& tag, Line& line)
{
    bool whole = false;
    const int n = clampPosition(tag.quotedValue(u"X").toInt(&whole));
    if (!whole || m.width >= n)
        return;
    m.width = n;
    line.work.Left = call.bounds.Left + n;
}

// OFS x="n": this and the following lines start n pixels further right, until /OFS.
void Renderer::offset(const Tag& tag, Line& line)
{
    const int n = clampPosition(MarkupParseInt(tag.quotedValue(u"X")));
    ofsOffset = n;
    m.width = n;
    line.work.Left = line.rect.Left + n;
}

void Renderer::listItem(Line& line)
{
    if (line.firstItem && line.measuring()) {
        line.full = true;
        return;
    }
    line.firstItem = true;
    m.width += listLevel * listIndent;
    line.work.Left += (listLevel - 1) * listIndent;
    // No Symbol font exists here: the bullets are Unicode characters of the current font.
    if (line.painting() && !hidden)
        canvas.TextOut(line.work.Left, line.rect.Top,
                       listLevel % 2 ? QStringLiteral("\u2022") : QStringLiteral("\u03BF"));
    line.work.Left += listIndent;
}

void Renderer::paragraphStart(const Tag& tag, Line& line)
{
    const QString align = tag.quotedValue(u"ALIGN");
    if (align.contains(QLatin1String("RIGHT"), Qt::CaseInsensitive))
        alignment = 1;
    if (align.contains(QLatin1String("LEFT"), Qt::CaseInsensitive))
        alignment = 0;
    if (align.contains(QLatin1String("CENTER"), Qt::CaseInsensitive))
        alignment = 2;
    if (tag.hasAttribute(u"INDENT"))
        indent = clampPosition(MarkupParseInt(tag.quotedValue(u"INDENT")));
    if (!tag.hasAttribute(u"BGCOLOR") || !line.painting())
        return;
    const QString from = tag.quotedValue(u"BGCOLOR");
    const TColor color = from.isEmpty() ? clNone : colorFromValue(from);
    paragraphFill = true;
    if (!tag.hasAttribute(u"BGCOLORTO")) {
        paragraphSavedBrush = brushColor();
        setBrushColor(color);
        canvas.Pen.Color = color;
        if (color != clNone)
            canvas.FillRect(Rect(call.bounds.Left, line.rect.Top, call.bounds.Right, line.rect.Bottom));
        return;
    }
    const QString to = tag.quotedValue(u"BGCOLORTO");
    canvas.Pen.Color = color;
    MarkupFillGradient(&canvas, color, to.isEmpty() ? clNone : colorFromValue(to), clNone, 64,
                       Rect(call.bounds.Left, line.rect.Top, call.bounds.Right, line.rect.Bottom + 2), true);
    setBrushColor(clNone);
}

void Renderer::paragraphEnd(Line& line)
{
    line.done = true;
    if (!line.painting())
        return;
    setBrushColor(paragraphSavedBrush);
    paragraphFill = false;
}

// R a="degrees": the text turns by the angle until /R.
void Renderer::rotate(const Tag& tag)
{
    bool whole = false;
    const int degrees = tag.quotedValue(u"A").toInt(&whole);
    if (!whole)
        return;
    orientationBeforeRotation = canvas.Font.Orientation;
    canvas.Font.Orientation = (degrees % 360) * 10;
}

} // namespace markup
