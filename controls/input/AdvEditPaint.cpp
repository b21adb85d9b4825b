// How the edit looks: colours by state (focused, disabled, modified, in error, link), the flat look, the focus and
// 3-D borders, the placeholder, the error marker and the link look with its click.
#include "AdvEdit.h"

#include "EditLook.h"
#include "UrlOpener.h"

#include <QEvent>
#include <QPaintEvent>
#include <QToolTip>

void TAdvEdit::setFontColorShown(TColor color)
{
    TCustomEdit::SetFontColor(color);
}

void TAdvEdit::setColorShown(TColor color)
{
    TCustomEdit::SetColor(color);
}

void TAdvEdit::SetColorEx(TColor value)
{
    setColorShown(value);
    normalColor = value;
}

void TAdvEdit::SetFontColor(TColor value)
{
    // The windows colour a value red from their change handlers, while the edit has the focus: that colour must
    // outlast the focus.
    savedFontColor = value;
    setFontColorShown(value);
}

void TAdvEdit::enterFocusLook()
{
    if (focusColor != clNone)
        setColorShown(focusColor);
    if (!(error && showError) && !showModified && !urlLook) {
        savedFontColor = TCustomEdit::GetFontColor();
        if (focusFontColor != clNone)
            setFontColorShown(focusFontColor);
    }
    if ((!emptyText.isEmpty() && GetText().isEmpty()) || focusBorder || focusBorderColor != clNone) {
        if (GetBorderStyle() == bsNone)
            SetFlatRect(true);
        update();
    }
}

void TAdvEdit::leaveFocusLook()
{
    if (!error && GetColor() != normalColor)
        setColorShown(normalColor);
    if (!(error && showError) && !showModified && !(showURL && TestURL()))
        setFontColorShown(savedFontColor);
}

void TAdvEdit::SetTextInsets(int left, int right)
{
    leftInset = left;
    rightInset = right;
    SetFlatRect(flat);
}

void TAdvEdit::SetFlatRect(bool flatRect)
{
    const int extra = flatRect ? 2 : 0;
    setTextMargins(leftInset + extra, 0, rightInset + extra, 0);
}

void TAdvEdit::SetFlat(bool value)
{
    if (flat == value)
        return;
    flat = value;
    if (value) {
        const TColor former = GetColor();
        if (flatParentColor) {
            const TColor parent = ParentBrushColor(*this);
            setColorShown(parent);
            focusColor = parent;
        } else {
            setColorShown(normalColor);
        }
        normalColor = former;
        SetBorderStyle(bsNone);
    } else {
        setColorShown(normalColor);
        SetBorderStyle(savedBorderStyle);
    }
    SetFlatRect(value);
    update();
}

void TAdvEdit::SetFlatLineColor(TColor value)
{
    flatLineColor = value;
    update();
}

void TAdvEdit::SetFlatParentColor(bool value)
{
    flatParentColor = value;
    update();
}

void TAdvEdit::SetSoftBorder(bool value)
{
    if (softBorder == value)
        return;
    softBorder = value;
    update();
}

void TAdvEdit::SetTransparent(bool value)
{
    if (transparent == value)
        return;
    transparent = value;
    setColorShown(value ? clNone : normalColor);
    update();
}

void TAdvEdit::SetBorder3D(bool value)
{
    border3D = value;
    update();
}

void TAdvEdit::SetFocusBorder(bool value)
{
    focusBorder = value;
    update();
}

void TAdvEdit::SetFocusBorderColor(TColor value)
{
    focusBorderColor = value;
    update();
}

void TAdvEdit::SetDisabledColor(TColor value)
{
    disabledColor = value;
    if (!isEnabled())
        setColorShown(value);
    update();
}

void TAdvEdit::SetDisabledBorder(bool value)
{
    disabledBorder = value;
    update();
}

void TAdvEdit::SetEmptyText(const QString& value)
{
    emptyText = value;
    update();
}

void TAdvEdit::SetErrorMarkerPos(int value)
{
    errorMarkerPos = value;
    update();
}

void TAdvEdit::SetErrorMarkerLen(int value)
{
    errorMarkerLen = value;
    update();
}

bool TAdvEdit::TestURL() const
{
    const QString value = GetText();
    return value.contains(QLatin1String("://")) || value.indexOf(u'@') > 0 ||
           value.toLower().startsWith(QLatin1String("www."));
}

void TAdvEdit::applyURL(bool on)
{
    if (on == urlLook)
        return;
    QFont shown = font();
    shown.setUnderline(on);
    setFont(shown);
    if (on) {
        parentFontFlag = false;
        setFontColorShown(urlColor);
        setCursor(Qt::PointingHandCursor);
    } else {
        setFontColorShown(savedFontColor);
        setCursor(Qt::IBeamCursor);
    }
    urlLook = on;
    update();
}

void TAdvEdit::followLink()
{
    const QString value = GetText();
    bool show = true;
    if (OnURLClick)
        OnURLClick(this, value, show);
    if (!show)
        return;
    // A bare address becomes a link of its kind; the link policy decides what reaches the desktop.
    QString target = value.trimmed();
    if (!target.contains(QLatin1String("://")) && !target.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive)) {
        if (target.indexOf(u'@') > 0)
            target.prepend(QLatin1String("mailto:"));
        else if (target.startsWith(QLatin1String("www."), Qt::CaseInsensitive))
            target.prepend(QLatin1String("http://"));
    }
    openLink(target);
}

int TAdvEdit::GetTextSize() const
{
    return fontMetrics().horizontalAdvance(GetText());
}

int TAdvEdit::CharFromPos(const QPoint& point)
{
    return cursorPositionAt(point);
}

QPoint TAdvEdit::PosFromChar(int index) const
{
    // The caret's rectangle is the one position the edit reports; other characters lie at their text's advance
    // from it.
    const QString shown = displayText();
    const QFontMetrics metrics = fontMetrics();
    const int caret = cursorPosition();
    const QRect caretRect = cursorRect();
    const int caretX = caretRect.x() + 5;
    const int x = caretX + metrics.horizontalAdvance(shown.left(qBound(0, index, int(shown.size())))) -
                  metrics.horizontalAdvance(shown.left(caret));
    return QPoint(x, caretRect.y());
}

bool TAdvEdit::Is3DBorderButton() const
{
    return ((hot || hasFocus()) && focusBorder) || border3D;
}

void TAdvEdit::paintEvent(QPaintEvent* event)
{
    TCustomEdit::paintEvent(event);
    TCanvas canvas(this);
    paintEdit(canvas);
    if (border3D || focusBorderColor != clNone || (!isEnabled() && disabledBorder) ||
        (focusBorder && !flat && (hot || hasFocus())))
        drawControlBorder(canvas);
}

void TAdvEdit::paintEdit(TCanvas& canvas)
{
    const int w = width();
    const int h = height();
    if (flat) {
        if (focusBorder) {
            drawControlBorder(canvas);
        } else {
            DrawFlatEditLine(canvas, isEnabled() ? flatLineColor : clGray, softBorder, Rect(leftInset, 0, w - 1, h - 1),
                             2 + leftInset, w - rightInset);
        }
    }
    if (dropCaret.x() >= 0) {
        canvas.Brush = TBrush{clBlack, bsSolid};
        canvas.FillRect(Rect(dropCaret.x(), dropCaret.y(), dropCaret.x() + 1, dropCaret.y() + fontMetrics().height()));
    }
    if (GetText().isEmpty() && !hasFocus() && !emptyText.isEmpty()) {
        // The placeholder is written in the toolkit's default font, where the text begins.
        const QPoint origin = PosFromChar(0);
        canvas.Font = TFont();
        canvas.Font.Color = clGray;
        canvas.Brush.Style = bsClear;
        const int top = (h - canvas.TextHeight(emptyText)) / 2;
        canvas.TextOut(origin.x(), top, emptyText);
    }
    if (!hasFocus() && errorMarkerLen > 0)
        drawErrorLines(canvas, errorMarkerPos, errorMarkerLen);
}

void TAdvEdit::drawErrorLines(TCanvas& canvas, int pos, int len)
{
    const int length = int(GetText().size());
    QPoint start = pos < length ? PosFromChar(pos) : PosFromChar(length) + QPoint(4, 0);
    QPoint end;
    if (pos + len < length) {
        end = PosFromChar(pos + len - 1);
    } else {
        end = PosFromChar(qMax(0, length - 1)) + QPoint(4, 0);
        end.setY(start.y());
    }
    canvas.Pen = TPen{clRed, 2, psSolid};
    canvas.Font = TFont::FromQFont(font());
    const int h = canvas.TextHeight(QStringLiteral("gh")) - 1;
    canvas.MoveTo(start.x(), start.y() + h + 3);
    int x = start.x();
    int offset = 0;
    while (x <= end.x()) {
        canvas.LineTo(x + 3, end.y() + h + offset);
        x += 3;
        offset = offset == 0 ? 3 : 0;
    }
    canvas.LineTo(x + 3, end.y() + h + offset);
}

void TAdvEdit::drawControlBorder(TCanvas& canvas)
{
    DrawEditControlBorder(canvas, *this, disabledBorder, focusBorderColor, Is3DBorderButton());
}

void TAdvEdit::keepCaretOutOfAffixes()
{
    const int prefixEnd = int(prefix.size());
    const int end = valueEnd();
    if (!prefix.isEmpty() && GetSelStart() < prefixEnd) {
        setSelection(prefixEnd, end - prefixEnd);
        return;
    }
    if (suffix.isEmpty())
        return;
    if (!hasSelectedText() && cursorPosition() > end)
        setCursorPosition(end);
    else if (hasSelectedText() && selectionEnd() > end)
        setSelection(selectionStart(), end - selectionStart());
}

bool TAdvEdit::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && hintShowLargeText && GetTextSize() > width()) {
        QToolTip::showText(mapToGlobal(QPoint(0, 0)), GetText(), this);
        return true;
    }
    return TCustomEdit::event(event);
}

void TAdvEdit::resizeEvent(QResizeEvent* event)
{
    TCustomEdit::resizeEvent(event);
    SetFlatRect(flat);
}
