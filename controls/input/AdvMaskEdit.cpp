#include "AdvMaskEdit.h"

#include "AdvEditFormat.h"
#include "EditLook.h"

#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QValidator>

namespace {

// The toolkit's mask characters for typed positions and Qt's counterparts. '0' and '9' swap: the toolkit's '0' is a
// required digit and its '9' an optional one, Qt's the other way round.
struct MaskCharacter
{
    char16_t toolkit;
    char16_t qt;
    MaskCheck check;
};

const MaskCharacter maskCharacters[] = {
    {u'L', u'A', MaskCheck::None},        // letter, required
    {u'l', u'a', MaskCheck::None},        // letter, optional
    {u'A', u'N', MaskCheck::None},        // letter or digit, required
    {u'a', u'n', MaskCheck::None},        // letter or digit, optional
    {u'C', u'X', MaskCheck::None},        // any character, required
    {u'c', u'x', MaskCheck::None},        // any character, optional
    {u'0', u'9', MaskCheck::Digit},       // digit, required
    {u'9', u'0', MaskCheck::Digit},       // digit, optional
    {u'#', u'#', MaskCheck::DigitOrSign}, // digit, '+' or '-', optional
};

// Characters with a meaning of their own in Qt's masks, escaped where the toolkit's mask means them literally.
const QString qtMaskSpecials = QStringLiteral("AaNnXx90DdHhBb#<>!;[]{}\\");

const MaskCharacter* findMaskCharacter(QChar ch)
{
    for (const MaskCharacter& entry : maskCharacters) {
        if (entry.toolkit == ch.unicode())
            return &entry;
    }
    return nullptr;
}

// The position of the first ';' that no '\' escapes, or -1.
qsizetype fieldSeparator(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\\')
            ++i;
        else if (text[i] == u';')
            return i;
    }
    return -1;
}

bool isAsciiDigit(QChar ch)
{
    return ch >= u'0' && ch <= u'9';
}

bool isTypedCharacter(const QKeyEvent* event)
{
    const QString text = event->text();
    return !text.isEmpty() && text.front().isPrint() &&
           !(event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
}

} // namespace

TranslatedEditMask TranslateEditMask(const QString& editMask)
{
    TranslatedEditMask result;
    QString pattern = editMask;
    const qsizetype first = fieldSeparator(editMask);
    if (first >= 0) {
        pattern = editMask.left(first);
        const QString fields = editMask.mid(first + 1);
        result.saveLiterals = !fields.startsWith(u'0');
        const qsizetype second = fields.indexOf(u';');
        if (second >= 0 && second + 1 < fields.size())
            result.blank = fields[second + 1];
    }
    if (pattern.isEmpty())
        return result;

    QString qt;
    const auto literal = [&](QChar ch) {
        if (qtMaskSpecials.contains(ch))
            qt += u'\\';
        qt += ch;
        result.positions.append({true, MaskCheck::None});
    };
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar ch = pattern[i];
        if (ch == u'\\') {
            if (i + 1 < pattern.size())
                literal(pattern[++i]);
        } else if (ch == u'<' && i + 1 < pattern.size() && pattern[i + 1] == u'>') {
            qt += u'!';
            ++i;
        } else if (ch == u'<' || ch == u'>') {
            qt += ch;
        } else if (ch == u'!') {
            // Where the blanks of optional positions go when the text is stored: Qt keeps them in place.
        } else if (ch == u'/') {
            literal(localeDateSeparator());
        } else if (ch == u':') {
            literal(localeTimeSeparator());
        } else if (ch == u'_') {
            literal(u' ');
        } else if (const MaskCharacter* entry = findMaskCharacter(ch)) {
            qt += QChar(entry->qt);
            result.positions.append({false, entry->check});
        } else {
            literal(ch);
        }
    }
    result.inputMask = qt + u';' + result.blank;
    return result;
}

// Refuses a text in which a digit position holds anything but an ASCII digit (or a sign, where one may stand); Qt
// undoes the typing or pasting that led to it.
class TAdvMaskEdit::PositionValidator : public QValidator
{
public:
    PositionValidator(const TranslatedEditMask& mask, QObject* parent) : QValidator(parent), mask(mask) {}

    State validate(QString& input, int&) const override
    {
        const qsizetype count = qMin(input.size(), mask.positions.size());
        for (qsizetype i = 0; i < count; ++i) {
            const QChar ch = input[i];
            const MaskCheck check = mask.positions[i].check;
            if (ch == mask.blank || check == MaskCheck::None)
                continue;
            const bool sign = ch == u'+' || ch == u'-';
            if (!isAsciiDigit(ch) && !(check == MaskCheck::DigitOrSign && sign))
                return Invalid;
        }
        return Acceptable;
    }

private:
    const TranslatedEditMask& mask;
};

TAdvMaskEdit::TAdvMaskEdit(QWidget* parent)
    : TCustomEdit(parent), validator(new PositionValidator(mask, this)), label(this)
{
    label.PlacesCentred = false;
    label.OnCreate = [this](TLabel& created) {
        created.SetFont(TFont::FromQFont(font(), TCustomEdit::GetFontColor()));
        created.setEnabled(isEnabled() || labelAlwaysEnabled);
    };
    label.ApplyFont = [this](TLabel& target) {
        if (!GetParentFont())
            target.SetFont(labelFont);
    };
    savedFontColor = TCustomEdit::GetFontColor();
}

void TAdvMaskEdit::Loaded()
{
    savedFontColor = TCustomEdit::GetFontColor();
    if (!flat)
        savedBorderStyle = GetBorderStyle();
    if (flat)
        SetBorderStyle(bsNone);
    setFlatRect(flat);
    labelFollowsEnabled();
    if (isEnabled()) {
        SetColorEx(GetColor());
        if (flatParentColor && flat)
            SetColorEx(ParentBrushColor(*this));
    } else {
        TCustomEdit::SetColor(disabledColor);
    }
    label.Update();
    if (GetLabel() && GetParentFont())
        GetLabel()->SetFont(TFont::FromQFont(font(), TCustomEdit::GetFontColor()));
    label.Update();
}

void TAdvMaskEdit::SetEditMask(const QString& value)
{
    if (value == editMask)
        return;
    editMask = value;
    // The validator reads these positions, so they change before Qt applies the new mask to the text.
    mask = TranslateEditMask(value);
    setInputMask(mask.inputMask);
    setValidator(masked() ? validator : nullptr);
}

QString TAdvMaskEdit::GetText() const
{
    if (!masked())
        return text();
    const QString shown = displayText();
    QString result;
    const qsizetype count = qMin(shown.size(), mask.positions.size());
    for (qsizetype i = 0; i < count; ++i) {
        if (!mask.positions[i].literal)
            result += shown[i] == mask.blank ? QChar(u' ') : shown[i];
        else if (mask.saveLiterals)
            result += shown[i];
    }
    return result;
}

void TAdvMaskEdit::SetModified(bool value)
{
    if (showModified)
        TCustomEdit::SetFontColor(value ? modifiedColor : savedFontColor);
    setModified(value);
}

// Only typed positions can be unfilled: a literal position counts as filled whatever it shows, a space too.
bool TAdvMaskEdit::maskComplete() const
{
    const QString shown = GetEditText();
    const qsizetype count = qMin(shown.size(), mask.positions.size());
    for (qsizetype i = 0; i < count; ++i) {
        if (!mask.positions[i].literal && (shown[i] == mask.blank || shown[i] == u' '))
            return false;
    }
    return GetSelStart() == shown.size();
}

void TAdvMaskEdit::SetAlignment(TAlignment value)
{
    if (value == alignment)
        return;
    alignment = value;
    SetTextAlignment(value);
}

void TAdvMaskEdit::SetColorEx(TColor value)
{
    TCustomEdit::SetColor(value);
    normalColor = value;
}

void TAdvMaskEdit::SetFontColor(TColor value)
{
    savedFontColor = value;
    TCustomEdit::SetFontColor(value);
}

void TAdvMaskEdit::SetEnabledEx(bool value)
{
    setEnabled(value);
    labelFollowsEnabled();
}

void TAdvMaskEdit::labelFollowsEnabled()
{
    if (GetLabel() && !labelAlwaysEnabled)
        GetLabel()->setEnabled(isEnabled());
}

void TAdvMaskEdit::SetFocusBorder(bool value)
{
    focusBorder = value;
    update();
}

void TAdvMaskEdit::SetFocusBorderColor(TColor value)
{
    focusBorderColor = value;
    update();
}

void TAdvMaskEdit::SetDisabledColor(TColor value)
{
    disabledColor = value;
    if (!isEnabled())
        TCustomEdit::SetColor(value);
    update();
}

void TAdvMaskEdit::SetDisabledBorder(bool value)
{
    disabledBorder = value;
    update();
}

void TAdvMaskEdit::SetFlat(bool value)
{
    if (value == flat)
        return;
    flat = value;
    if (value) {
        if (flatParentColor)
            SetColorEx(ParentBrushColor(*this));
        SetBorderStyle(bsNone);
    } else {
        SetColorEx(clWindow);
        SetBorderStyle(savedBorderStyle);
    }
    setFlatRect(value);
    update();
}

void TAdvMaskEdit::SetFlatLineColor(TColor value)
{
    flatLineColor = value;
    update();
}

void TAdvMaskEdit::SetSoftBorder(bool value)
{
    if (value == softBorder)
        return;
    softBorder = value;
    update();
}

void TAdvMaskEdit::SetLabelAlwaysEnabled(bool value)
{
    labelAlwaysEnabled = value;
    if (GetLabel() && value)
        GetLabel()->setEnabled(true);
    update();
}

void TAdvMaskEdit::SetLabelFont(const TFont& value)
{
    labelFont = value;
    if (GetLabel())
        GetLabel()->SetFont(value);
}

void TAdvMaskEdit::setFlatRect(bool flatRect)
{
    const int inset = flatRect ? 2 : 0;
    setTextMargins(inset, 0, inset, 0);
}

void TAdvMaskEdit::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!returnIsTab)
            break;
        // Return moves on as Tab does and never reaches the mask.
        if (DoKeyDown(event))
            PostTab();
        return;
    case Qt::Key_Escape:
        if (!DoKeyDown(event))
            return;
        if (canUndo) {
            setText(textAtFocus);
            selectAll();
            SetModified(false);
        }
        // The window's cancel button takes it as well.
        event->ignore();
        return;
    default:
        break;
    }
    TCustomEdit::keyPressEvent(event);
    if (showModified && isTypedCharacter(event))
        TCustomEdit::SetFontColor(modifiedColor);
}

void TAdvMaskEdit::keyReleaseEvent(QKeyEvent* event)
{
    TCustomEdit::keyReleaseEvent(event);
    if (event->isAutoRepeat() || !masked() || !maskComplete())
        return;
    const QString value = GetText();
    if (value.isEmpty())
        return;
    bool accept = true;
    if (OnMaskComplete)
        OnMaskComplete(this, value, accept);
    if (autoTab && accept)
        PostTab();
}

void TAdvMaskEdit::focusInEvent(QFocusEvent* event)
{
    TCustomEdit::focusInEvent(event);
    if (isPopupFocusChange(event))
        return;
    // No test for clNone: its value paints as white.
    TCustomEdit::SetColor(focusColor == clNone ? focusColor & 0xFFFFFF : focusColor);
    textAtFocus = GetEditText();
    if (focusFontColor != clNone)
        TCustomEdit::SetFontColor(focusFontColor);
    if (GetAutoSelect())
        selectAll();
    if (focusBorder || focusBorderColor != clNone) {
        if (GetBorderStyle() == bsNone)
            setFlatRect(true);
        update();
    }
    if (masked() && selectFirstChar)
        setSelection(0, 1);
}

void TAdvMaskEdit::focusOutEvent(QFocusEvent* event)
{
    TCustomEdit::focusOutEvent(event);
    if (isPopupFocusChange(event))
        return;
    TCustomEdit::SetColor(normalColor);
    TCustomEdit::SetFontColor(savedFontColor);
    update();
}

bool TAdvMaskEdit::is3DBorderButton() const
{
    return ((hot || hasFocus()) && focusBorder) || border3D;
}

void TAdvMaskEdit::drawBorder(TCanvas& canvas)
{
    if (!isEnabled() || flat || (focusBorder && hot) || border3D || focusBorderColor != clNone)
        DrawEditControlBorder(canvas, *this, disabledBorder, focusBorderColor, is3DBorderButton());
}

void TAdvMaskEdit::paintEdit(TCanvas& canvas)
{
    if (focusBorder) {
        DrawEditControlBorder(canvas, *this, disabledBorder, focusBorderColor, is3DBorderButton());
        return;
    }
    // The text rectangle of the flat look runs from (2, 4) to (W - 2, H - 4).
    const int w = width();
    const int h = height();
    DrawFlatEditLine(canvas, flatLineColor, softBorder, Rect(-2, 1, w - 1, h - 1), 0, w);
}

void TAdvMaskEdit::paintEvent(QPaintEvent* event)
{
    TCustomEdit::paintEvent(event);
    TCanvas canvas(this);
    if (flat)
        paintEdit(canvas);
    if (border3D || focusBorderColor != clNone || !isEnabled() || (focusBorder && hot))
        drawBorder(canvas);
}

void TAdvMaskEdit::enterEvent(QEnterEvent* event)
{
    if (autoFocus)
        setFocus(Qt::MouseFocusReason);
    hot = true;
    if (focusBorder)
        update();
    TCustomEdit::enterEvent(event);
}

void TAdvMaskEdit::leaveEvent(QEvent* event)
{
    TCustomEdit::leaveEvent(event);
    hot = false;
    if (focusBorder)
        update();
}

void TAdvMaskEdit::changeEvent(QEvent* event)
{
    TCustomEdit::changeEvent(event);
    if (event->type() == QEvent::EnabledChange && isEnabled() != wasEnabled) {
        wasEnabled = isEnabled();
        if (wasEnabled) {
            TCustomEdit::SetColor(normalColor);
        } else {
            normalColor = GetColor();
            TCustomEdit::SetColor(disabledColor);
        }
        labelFollowsEnabled();
    } else if (event->type() == QEvent::FontChange) {
        setFlatRect(flat);
    }
}

void TAdvMaskEdit::resizeEvent(QResizeEvent* event)
{
    TCustomEdit::resizeEvent(event);
    if (flat)
        setFlatRect(true);
}
