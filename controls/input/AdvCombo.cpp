#include "AdvCombo.h"

#include "EditLook.h"
#include "Theme.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionComboBox>

TAdvCustomCombo::TAdvCustomCombo(QWidget* parent) : QComboBox(parent), label(this)
{
    buttonWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this) + 2;
    setInsertPolicy(QComboBox::NoInsert);
    setMouseTracking(true);
    SetStyle(csDropDown);
    applyColor(color);
    label.OnCreate = [this](TLabel& created) { created.setEnabled(isEnabled() || labelAlwaysEnabled); };
    label.ApplyFont = [this](TLabel& target) {
        if (testAttribute(Qt::WA_SetFont))
            target.SetFont(labelFont);
    };
    connect(this, &QComboBox::activated, this, [this] { userChose(); });
}

void TAdvCustomCombo::Loaded()
{
    label.Update();
    SetDropWidth(dropWidth);
    savedColor = streamedColor;
    if (!flatParentColor || flat)
        SetColorEx(streamedColor);
    if (!labelAlwaysEnabled && GetLabel())
        GetLabel()->setEnabled(isEnabled());
    Init();
}

void TAdvCustomCombo::Init()
{
    normalColor = color;
}

QString TAdvCustomCombo::GetVersionEx() const
{
    const quint32 nr = GetVersionNr();
    return QStringLiteral("%1.%2.%3.%4").arg(nr >> 24).arg((nr >> 16) & 0xFF).arg((nr >> 8) & 0xFF).arg(nr & 0xFF);
}

void TAdvCustomCombo::SetStyle(TComboBoxStyle value)
{
    comboStyle = value;
    setEditable(value != csDropDownList);
    if (lineEdit()) {
        connect(lineEdit(), &QLineEdit::textEdited, this, &TAdvCustomCombo::userTyped, Qt::UniqueConnection);
        SetAutoComplete(autoComplete);
    }
    update();
}

void TAdvCustomCombo::SetText(const QString& value)
{
    if (lineEdit()) {
        setEditText(value);
        return;
    }
    const int index = findText(value, Qt::MatchFixedString);
    if (index >= 0)
        setCurrentIndex(index);
}

int TAdvCustomCombo::GetSelStart() const
{
    if (!lineEdit())
        return 0;
    return lineEdit()->hasSelectedText() ? lineEdit()->selectionStart() : lineEdit()->cursorPosition();
}

int TAdvCustomCombo::GetSelLength() const
{
    return lineEdit() ? int(lineEdit()->selectedText().size()) : 0;
}

void TAdvCustomCombo::SetSelStart(int value)
{
    if (lineEdit())
        lineEdit()->setCursorPosition(value);
}

void TAdvCustomCombo::SetSelLength(int value)
{
    if (lineEdit())
        lineEdit()->setSelection(GetSelStart(), value);
}

void TAdvCustomCombo::SelectItem(const QString& text)
{
    const int index = findText(text, Qt::MatchFixedString);
    if (index >= 0)
        setCurrentIndex(index);
}

void TAdvCustomCombo::SetItems(const QStringList& items)
{
    const QString text = GetText();
    clear();
    addItems(items);
    setCurrentIndex(-1);
    SetText(text);
}

void TAdvCustomCombo::userChose()
{
    if (OnClick)
        OnClick(this);
    if (OnChange)
        OnChange(this);
}

void TAdvCustomCombo::userTyped()
{
    if (OnChange)
        OnChange(this);
}

void TAdvCustomCombo::SetEnabledEx(bool value)
{
    const bool old = GetEnabledEx();
    setEnabled(value);
    if (old == value || !GetLabel() || labelAlwaysEnabled)
        return;
    GetLabel()->setEnabled(value);
    label.Update();
}

void TAdvCustomCombo::showColor(TColor value)
{
    color = value;
    applyColor(value);
}

void TAdvCustomCombo::applyColor(TColor value)
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::Base, ToQColor(value));
    palette.setColor(QPalette::Button, ToQColor(value));
    setPalette(palette);
}

void TAdvCustomCombo::SetColorEx(TColor value)
{
    // The windows set their colours as they build the combo: it is the colour a flat combo returns to.
    streamedColor = value;
    showColor(value);
}

void TAdvCustomCombo::SetLabelAlwaysEnabled(bool value)
{
    labelAlwaysEnabled = value;
    label.Update();
}

void TAdvCustomCombo::SetLabelFont(const TFont& value)
{
    labelFont = value;
    label.Update();
}

void TAdvCustomCombo::SetAutoComplete(bool value)
{
    autoComplete = value;
    if (!lineEdit())
        return;
    if (!value) {
        setCompleter(nullptr);
    } else if (!completer()) {
        auto* itemCompleter = new QCompleter(model(), this);
        itemCompleter->setCaseSensitivity(Qt::CaseInsensitive);
        itemCompleter->setCompletionMode(QCompleter::InlineCompletion);
        setCompleter(itemCompleter);
    }
}

void TAdvCustomCombo::SetButtonWidth(int value)
{
    if (value < 14 || value > 32)
        return;
    buttonWidth = value;
    update();
}

void TAdvCustomCombo::SetDropWidth(int value)
{
    dropWidth = value;
    if (value > 0)
        view()->setMinimumWidth(value);
}

void TAdvCustomCombo::SetEtched(bool value)
{
    if (etched == value)
        return;
    etched = value;
    update();
}

void TAdvCustomCombo::SetFlat(bool value)
{
    if (flat == value)
        return;
    flat = value;
    if (!flatParentColor || !value)
        showColor(streamedColor);
    else if (parentWidget())
        showColor(ParentBrushColor(*this));
    update();
}

void TAdvCustomCombo::SetFlatLineColor(TColor value)
{
    flatLineColor = value;
    update();
}

void TAdvCustomCombo::SetFlatParentColor(bool value)
{
    flatParentColor = value;
    update();
}

void TAdvCustomCombo::showPopup()
{
    if (OnDropDown)
        OnDropDown(this);
    QComboBox::showPopup();
    dropped = true;
    update();
}

void TAdvCustomCombo::hidePopup()
{
    const bool wasDropped = dropped;
    QComboBox::hidePopup();
    dropped = false;
    update();
    // Only a list that was open closes: the combo's destruction hides the list again.
    if (wasDropped && OnDropUp)
        OnDropUp(this);
}

void TAdvCustomCombo::focusInEvent(QFocusEvent* event)
{
    QComboBox::focusInEvent(event);
    if (event->reason() == Qt::PopupFocusReason)
        return;
    focused = true;
    if (focusColor != clNone)
        showColor(focusColor);
    update();
    if (OnEnter)
        OnEnter(this);
}

void TAdvCustomCombo::focusOutEvent(QFocusEvent* event)
{
    QComboBox::focusOutEvent(event);
    if (event->reason() == Qt::PopupFocusReason)
        return;
    focused = false;
    if (focusColor != clNone && normalColor != clNone)
        showColor(normalColor);
    update();
    if (OnExit)
        OnExit(this);
}

void TAdvCustomCombo::enterEvent(QEnterEvent* event)
{
    QComboBox::enterEvent(event);
    if (!mouseInControl && isEnabled()) {
        mouseInControl = true;
        update();
    }
    if (autoFocus)
        setFocus(Qt::MouseFocusReason);
}

void TAdvCustomCombo::leaveEvent(QEvent* event)
{
    QComboBox::leaveEvent(event);
    if (mouseInControl && isEnabled()) {
        mouseInControl = false;
        buttonHot = false;
        update();
    }
}

void TAdvCustomCombo::mouseMoveEvent(QMouseEvent* event)
{
    QComboBox::mouseMoveEvent(event);
    const int x = int(event->position().x());
    const bool hot = width() - buttonWidth < x && x < width();
    if (hot != buttonHot) {
        buttonHot = hot;
        update();
    }
}

void TAdvCustomCombo::keyPressEvent(QKeyEvent* event)
{
    if (OnKeyDown) {
        int key = event->key();
        OnKeyDown(this, key, event->modifiers());
        if (key == 0)
            return;
    }
    const QString text = event->text();
    if (OnKeyPress && text.size() == 1 && text.front().isPrint()) {
        QChar key = text.front();
        OnKeyPress(this, key);
        if (key.isNull())
            return;
        if (key != text.front()) {
            QKeyEvent replaced(event->type(), event->key(), event->modifiers(), QString(key));
            QComboBox::keyPressEvent(&replaced);
            event->setAccepted(replaced.isAccepted());
            return;
        }
    }
    QComboBox::keyPressEvent(event);
}

void TAdvCustomCombo::changeEvent(QEvent* event)
{
    QComboBox::changeEvent(event);
    if (event->type() != QEvent::EnabledChange || isEnabled() == wasEnabled)
        return;
    wasEnabled = isEnabled();
    // A flat combo shows its parent's colour while disabled.
    if (!flat)
        return;
    if (wasEnabled) {
        showColor(savedColor);
    } else {
        savedColor = color;
        applyColor(ParentBrushColor(*this));
    }
}

bool TAdvCustomCombo::themed() const
{
    return IsThemeActive(this);
}

bool TAdvCustomCombo::paintsItself() const
{
    return flat || (focusBorderColor != clNone && focused) || (!isEnabled() && themed() && !disabledBorder);
}

void TAdvCustomCombo::paintEvent(QPaintEvent* event)
{
    if (!paintsItself()) {
        QComboBox::paintEvent(event);
        return;
    }
    TCanvas canvas(this);
    canvas.Brush = TBrush{isEnabled() || !flat ? color : ParentBrushColor(*this), bsSolid};
    canvas.FillRect(Rect(0, 0, width(), height()));
    if (comboStyle != csSimple)
        paintDropButton(canvas);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.rect = QRect(2, 2, width() - buttonWidth - 4, height() - 4);
    option.frame = false;
    style()->drawControl(QStyle::CE_ComboBoxLabel, &option, &canvas.Painter(), this);
    drawBorders(canvas);
}

void TAdvCustomCombo::paintDropButton(TCanvas& canvas)
{
    const TRect r = Rect(width() - buttonWidth + 1, 1, width() - 1, height() - 1);
    if (HTHEME theme = OpenThemeData(this, QStringLiteral("combobox"))) {
        int state = PBS_NORMAL;
        const bool buttonDown = QGuiApplication::mouseButtons() & (Qt::LeftButton | Qt::RightButton);
        if (!isEnabled())
            state = PBS_DISABLED;
        else if (buttonDown && dropped)
            state = PBS_PRESSED;
        else if (!buttonDown && buttonHot && !dropped)
            state = PBS_HOT;
        DrawThemeBackground(theme, canvas, CP_DROPDOWNBUTTON, state, r);
        CloseThemeData(theme);
        return;
    }
    DrawFrameControl(canvas, r, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | (isEnabled() ? DFCS_FLAT : DFCS_INACTIVE));
}

bool TAdvCustomCombo::is3DBorderControl() const
{
    return (mouseInControl || focused) && focusBorder;
}

bool TAdvCustomCombo::is3DBorderButton() const
{
    return mouseInControl || focused;
}

void TAdvCustomCombo::drawBorders(TCanvas& canvas)
{
    if (isEnabled() && !flat && focusBorderColor == clNone)
        return;
    drawControlBorder(canvas);
    if (comboStyle != csSimple && !themed())
        drawButtonBorder(canvas);
}

void TAdvCustomCombo::drawControlBorder(TCanvas& canvas)
{
    TRect r = Rect(0, 0, width(), height());
    if (!isEnabled() && themed() && !disabledBorder) {
        canvas.Brush = TBrush{0xB99D7F, bsSolid};
        canvas.FrameRect(r);
        return;
    }
    if (focusBorderColor != clNone) {
        if (focused) {
            canvas.Brush = TBrush{focusBorderColor, bsSolid};
            canvas.FrameRect(r);
        }
        return;
    }
    const TBrush outer{is3DBorderControl() ? clBtnFace : ParentBrushColor(*this), bsSolid};
    const TBrush inner{color, bsSolid};
    if (is3DBorderControl()) {
        DrawEdge(canvas, r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
        canvas.Brush = outer;
        canvas.FrameRect(r);
        r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
        canvas.Brush = inner;
        canvas.FrameRect(r);
    } else {
        const int scrollWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
        canvas.Brush = outer;
        canvas.FrameRect(r);
        r = Rect(r.Left + 1, r.Top + 1, r.Right - 1 - scrollWidth, r.Bottom - 1);
        canvas.FrameRect(r);
        r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
        canvas.Brush = inner;
        canvas.FrameRect(r);
    }
    if (flat && flatLineColor != clNone) {
        canvas.Pen = TPen{flatLineColor, 1, psSolid};
        canvas.MoveTo(0, height() - 1);
        canvas.LineTo(width() - 20, height() - 1);
    }
}

void TAdvCustomCombo::drawButtonBorder(TCanvas& canvas)
{
    TRect r = Rect(width() - buttonWidth, 2, width() - 2, height() - 2);
    if (is3DBorderButton()) {
        DrawEdge(canvas, r, etched ? EDGE_ETCHED : EDGE_RAISED, BF_RECT | (dropped ? BF_FLAT : 0));
        return;
    }
    // Out of the hover, the button lies flat: button face around the arrow.
    QPainter& painter = canvas.Painter();
    painter.save();
    canvas.ExcludeClipRect(Rect(width() - buttonWidth + 4, 4, width() - 4, height() - 4));
    canvas.Brush = TBrush{clBtnFace, bsSolid};
    canvas.FillRect(Rect(r.Left, r.Top + 1, r.Right - 1, r.Bottom - 1));
    painter.restore();
}
