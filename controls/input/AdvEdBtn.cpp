#include "AdvEdBtn.h"

#include "Theme.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QStyle>

namespace {

// The height of the text of a font, as the toolkit measured a line.
int lineHeight(const QFont& font)
{
    return QFontMetrics(font).height();
}

} // namespace

TAdvSpeedButton::TAdvSpeedButton(TAdvEditBtn* edit, QWidget* parent) : QAbstractButton(parent), edit(edit)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
}

void TAdvSpeedButton::SetEtched(bool value)
{
    if (etched == value)
        return;
    etched = value;
    update();
}

void TAdvSpeedButton::SetFocused(bool value)
{
    if (focused == value)
        return;
    focused = value;
    update();
}

void TAdvSpeedButton::SetFlat(bool value)
{
    flat = value;
    update();
}

void TAdvSpeedButton::SetNumGlyphs(int value)
{
    numGlyphs = qBound(1, value, 4);
    update();
}

void TAdvSpeedButton::enterEvent(QEnterEvent* event)
{
    QAbstractButton::enterEvent(event);
    mouseInControl = true;
    update();
}

void TAdvSpeedButton::leaveEvent(QEvent* event)
{
    QAbstractButton::leaveEvent(event);
    mouseInControl = false;
    update();
}

int TAdvSpeedButton::paintState(bool disabled) const
{
    if (disabled)
        return PBS_DISABLED;
    if (isDown())
        return PBS_PRESSED;
    return mouseInControl ? PBS_HOT : PBS_NORMAL;
}

void TAdvSpeedButton::paintEvent(QPaintEvent*)
{
    TCanvas canvas(this);
    const bool disabled = !edit->isEnabled() || edit->isReadOnly();
    if (edit->GetButtonStyle() == bsButton)
        paintButton(canvas, disabled);
    else
        paintDropDown(canvas, disabled);
}

QImage TAdvSpeedButton::glyphImage(bool disabled, bool themed) const
{
    if (glyph.GetEmpty())
        return QImage();
    // A strip of glyphs holds the normal one first and the disabled one second.
    const int sliceWidth = glyph.GetWidth() / numGlyphs;
    const int slice = disabled && numGlyphs > 1 ? 1 : 0;
    TBitmap part;
    part.SetImage(glyph.Image().copy(slice * sliceWidth, 0, sliceWidth, glyph.GetHeight()));
    part.SetTransparent(true);
    if (!themed)
        part.SetTransparentColor(FromQColor(part.Image().pixelColor(0, 0)));
    return part.DrawnImage();
}

void TAdvSpeedButton::paintGlyphAndCaption(TCanvas& canvas, bool disabled, bool themed)
{
    const QImage image = glyphImage(disabled, themed);
    const QString caption = text();
    const int shift = isDown() ? 1 : 0;
    TRect r = Rect(0, 0, width(), height());
    if (!image.isNull()) {
        TRect g = Rect(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2);
        int x = g.Left;
        if (!caption.isEmpty())
            x += 2;
        else if (image.width() < g.Width())
            x += (g.Width() - image.width()) / 2;
        int y = g.Top;
        if (image.height() < g.Height())
            y += (g.Height() - image.height()) / 2;
        canvas.Painter().drawImage(QPoint(x + shift, y + shift), image);
    }
    if (caption.isEmpty())
        return;
    canvas.Brush.Style = bsClear;
    if (disabled)
        canvas.Font.Color = clGray;
    if (image.isNull()) {
        TRect t = Rect(r.Left + 3 + shift, r.Top + 1 + shift, r.Right - 3 + shift, r.Bottom - 1 + shift);
        canvas.DrawText(caption, t, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    } else {
        TRect t = Rect(r.Left + image.width() + 2 + 2, r.Top - 1, r.Right, r.Bottom);
        canvas.DrawText(caption, t, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    }
}

void TAdvSpeedButton::paintButton(TCanvas& canvas, bool disabled)
{
    canvas.Font = TFont::FromQFont(edit->font());
    const TRect bounds = Rect(0, 0, width(), height());
    if (HTHEME theme = OpenThemeData(this, QStringLiteral("button"))) {
        canvas.Brush = TBrush{clBtnFace, bsSolid};
        canvas.FillRect(bounds);
        DrawThemeBackground(theme, canvas, BP_PUSHBUTTON, paintState(disabled), Rect(0, 0, width() + 1, height() + 1));
        CloseThemeData(theme);
        paintGlyphAndCaption(canvas, disabled, true);
        return;
    }
    canvas.Brush = TBrush{clBtnFace, bsSolid};
    canvas.FillRect(bounds);
    TRect edge = bounds;
    if (flat) {
        edge = Rect(0, 0, width() + 1, height() + 1);
        DrawEdge(canvas, edge, etched ? EDGE_ETCHED : EDGE_RAISED, BF_RECT | (isDown() ? BF_FLAT : 0));
    } else {
        DrawEdge(canvas, edge, isDown() ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    }
    paintGlyphAndCaption(canvas, disabled, false);
}

void TAdvSpeedButton::paintDropDown(TCanvas& canvas, bool disabled)
{
    if (HTHEME theme = OpenThemeData(this, QStringLiteral("combobox"))) {
        DrawThemeBackground(theme, canvas, CP_DROPDOWNBUTTON, paintState(disabled),
                            Rect(1, -1, width() + 1, height() + 1));
        CloseThemeData(theme);
        return;
    }
    unsigned state = DFCS_SCROLLCOMBOBOX | (disabled ? DFCS_INACTIVE : 0) | (isDown() ? DFCS_PUSHED : 0);
    DrawFrameControl(canvas, Rect(0, 0, width(), height()), DFC_SCROLL, state);
    // Two lines merge the button into the edit.
    canvas.Pen = TPen{clBtnFace, 1, psSolid};
    canvas.Polyline({Point(width() - 2, 0), Point(0, 0), Point(0, height() - 1)});
    canvas.Pen = TPen{clWhite, 1, psSolid};
    canvas.Polyline({Point(width() - 3, 1), Point(1, 1), Point(1, height() - 2)});
}

TEditButton::TEditButton(TAdvEditBtn* edit, QWidget* parent) : QWidget(parent), button(new TAdvSpeedButton(edit, this))
{
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::ArrowCursor);
    connect(button, &QAbstractButton::pressed, this, [this] { pressed(); });
}

void TEditButton::SetButtonWidth(int value)
{
    buttonWidth = value;
    resize(value, height());
}

void TEditButton::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (width() != buttonWidth)
        resize(buttonWidth, height());
    button->setGeometry(0, 0, buttonWidth, height());
}

void TEditButton::pressed()
{
    if (OnClick)
        OnClick(this);
    if (focusControl && focusControl->focusPolicy() != Qt::NoFocus && focusControl->isEnabled() &&
        !focusControl->hasFocus())
        focusControl->setFocus(Qt::MouseFocusReason);
}

TAdvEditBtn::TAdvEditBtn(QWidget* parent) : TAdvEdit(parent), host(new TEditButton(this, this))
{
    host->resize(16, 17);
    host->SetFocusControl(this);
    host->OnClick = [this](TEditButton*) { PostBtnClick(); };
    clear();
    editorEnabled = true;
    SetTextInsets(0, host->GetButtonWidth() + 2);
    resizeControl();
}

void TAdvEditBtn::Loaded()
{
    TAdvEdit::Loaded();
    resizeControl();
    updateButtonState();
}

void TAdvEditBtn::PostBtnClick()
{
    QMetaObject::invokeMethod(
        this, [this] { BtnClick(); }, Qt::QueuedConnection);
}

void TAdvEditBtn::BtnClick()
{
    if (OnClickBtn)
        OnClickBtn(this);
}

void TAdvEditBtn::SetButtonStyle(TButtonStyle value)
{
    buttonStyle = value;
    host->Button()->update();
}

int TAdvEditBtn::GetButtonWidth() const
{
    return host ? host->GetButtonWidth() : 17;
}

void TAdvEditBtn::SetButtonWidth(int value)
{
    host->SetButtonWidth(value);
    resizeControl();
}

void TAdvEditBtn::SetButtonHint(const QString& value)
{
    if (buttonHint == value)
        return;
    buttonHint = value;
    host->setToolTip(value);
}

QString TAdvEditBtn::GetButtonCaption() const
{
    return host->Button()->text();
}

void TAdvEditBtn::SetButtonCaption(const QString& value)
{
    host->Button()->setText(value);
}

void TAdvEditBtn::SetFlat(bool value)
{
    if (GetFlat() == value)
        return;
    host->Button()->SetFlat(value);
    TAdvEdit::SetFlat(value);
    resizeControl();
}

void TAdvEditBtn::SetEtched(bool value)
{
    if (etched == value)
        return;
    etched = value;
    host->Button()->SetEtched(value);
}

TBitmap& TAdvEditBtn::GetGlyph()
{
    return host->Button()->Glyph();
}

void TAdvEditBtn::SetGlyph(const TBitmap& value)
{
    host->Button()->Glyph().Assign(&value);
    host->Button()->update();
}

void TAdvEditBtn::SetReadOnlyEx(bool value)
{
    setReadOnly(value);
    updateButtonState();
}

void TAdvEditBtn::SetUnitSpace(int value)
{
    unitSpace = value;
    SetEditRect();
    update();
}

void TAdvEditBtn::SetEditRect()
{
    SetTextInsets(0, host->GetButtonWidth() + unitSpace + 2);
}

void TAdvEditBtn::updateButtonState()
{
    host->setEnabled(isEnabled() && !isReadOnly());
    host->Button()->update();
}

void TAdvEditBtn::resizeControl()
{
    // Never lower than the text needs.
    const int textHeight = lineHeight(font());
    const int minimum = qMin(lineHeight(QApplication::font()), textHeight) / 4 + textHeight;
    if (height() < minimum) {
        resize(width(), minimum);
        return;
    }
    const int bw = host->GetButtonWidth();
    if (GetFlat())
        host->setGeometry(width() - bw - 3, 2, bw, height() - 3);
    else if (GetBorderStyle() == bsNone)
        host->setGeometry(width() - bw - 2, 0, bw, height() - 2);
    else {
        const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
        host->setGeometry(width() - bw - frame, frame, bw, height() - 2 * frame);
    }
    SetEditRect();
    update();
}

void TAdvEditBtn::resizeEvent(QResizeEvent* event)
{
    TAdvEdit::resizeEvent(event);
    resizeControl();
}

void TAdvEditBtn::keyPressEvent(QKeyEvent* event)
{
    const bool withCtrlOrAlt = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
    if (event->key() == Qt::Key_F4 && !withCtrlOrAlt) {
        if (DoKeyDown(event))
            PostBtnClick();
        return;
    }
    TAdvEdit::keyPressEvent(event);
}

void TAdvEditBtn::changeEvent(QEvent* event)
{
    TAdvEdit::changeEvent(event);
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::ReadOnlyChange)
        updateButtonState();
    else if (event->type() == QEvent::FontChange)
        SetEditRect();
}

void TAdvEditBtn::drawBorders()
{
    if (GetFlat())
        host->Button()->SetFocused(mouseInControl || hasFocus());
}

void TAdvEditBtn::enterEvent(QEnterEvent* event)
{
    TAdvEdit::enterEvent(event);
    if (isEnabled() && !mouseInControl) {
        mouseInControl = true;
        drawBorders();
    }
}

void TAdvEditBtn::leaveEvent(QEvent* event)
{
    TAdvEdit::leaveEvent(event);
    if (isEnabled() && mouseInControl) {
        mouseInControl = false;
        drawBorders();
    }
}

void TAdvEditBtn::focusInEvent(QFocusEvent* event)
{
    TAdvEdit::focusInEvent(event);
    SetEditRect();
    drawBorders();
}

void TAdvEditBtn::focusOutEvent(QFocusEvent* event)
{
    TAdvEdit::focusOutEvent(event);
    drawBorders();
}

TUnitAdvEditBtn::TUnitAdvEditBtn(QWidget* parent) : TAdvEditBtn(parent)
{
    SetUnitSpace(20);
}

void TUnitAdvEditBtn::SetUnits(const TStringList* value)
{
    if (value)
        units = *value;
}

void TUnitAdvEditBtn::SetUnitID(const QString& value)
{
    unitID = value;
    update();
}

void TUnitAdvEditBtn::BtnClick()
{
    TAdvEditBtn::BtnClick();
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (int i = 0; i < units.Count(); ++i)
        connect(menu->addAction(units[i]), &QAction::triggered, this, [this, i] { unitChosen(i); });
    const int frame =
        GetBorderStyle() == bsNone ? 0 : style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    menu->popup(mapToGlobal(QPoint(width() - frame - 15, height() - frame)));
}

void TUnitAdvEditBtn::unitChosen(int index)
{
    if (index < 0 || index >= units.Count())
        return;
    SetUnitID(units[index]);
    if (OnUnitChanged)
        OnUnitChanged(this, unitID);
}

void TUnitAdvEditBtn::paintEvent(QPaintEvent* event)
{
    TAdvEditBtn::paintEvent(event);
    TCanvas canvas(this);
    const int frame =
        GetBorderStyle() == bsNone ? 0 : style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    const int left = width() - frame - GetButtonWidth() - GetUnitSpace() - 3;
    TRect r = Rect(left, frame + 2, left + GetUnitSpace(), height() - frame);
    canvas.Font = TFont::FromQFont(font(), isEnabled() ? clWindowText : clGrayText);
    canvas.Brush.Style = bsClear;
    canvas.SetClipRect(r);
    canvas.DrawText(unitID, r, DT_EDITCONTROL);
}
