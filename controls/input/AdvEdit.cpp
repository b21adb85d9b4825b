// The edit's value: its formatting by edit type, numeric access, the property setters and the focus handling of the
// value. Keys, painting, the lookup list, the clipboard and persistence have files of their own.
#include "AdvEdit.h"

#include "AdvEditFormat.h"

#include <QEvent>
#include <QFocusEvent>
#include <QLocale>
#include <cmath>

namespace {

bool isNumberType(TAdvEditType type)
{
    return type == etNumeric || type == etFloat || type == etMoney;
}

bool isFloatType(TAdvEditType type)
{
    return type == etFloat || type == etMoney;
}

QString hexText(qint64 value)
{
    return QString::number(quint32(qint32(value)), 16).toUpper();
}

// The whole part of a number, held within the range of the 32-bit integers the edits work with.
qint64 truncated(double value)
{
    if (std::isnan(value))
        return 0;
    return qint64(std::trunc(qBound(-2147483648.0, value, 2147483647.0)));
}

bool isMixedCaseSeparator(QChar ch)
{
    return QStringLiteral(" ,.-'\\/:*$)\"").contains(ch);
}

} // namespace

TextKind ClassifyText(const QString& text)
{
    if (text.isEmpty())
        return TextKind::Text;
    const QChar decimal = localeDecimalSeparator();
    const QChar thousand = localeThousandSeparator();
    bool integerLike = true;
    bool decimalLike = true;
    bool hexLike = true;
    int minuses = 0;
    int decimals = 0;
    int lastThousand = -1;
    for (int i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        const bool digit = ch >= u'0' && ch <= u'9';
        if (ch == u'-')
            ++minuses;
        if (ch == decimal)
            ++decimals;
        if (!digit && ch != u'-')
            integerLike = false;
        if (ch == thousand) {
            // A thousand separator stands at least three places after the one before, and never first.
            if (i == 0 || (lastThousand >= 0 && i - lastThousand < 4))
                decimalLike = false;
            lastThousand = i;
        } else if (!digit && ch != u',' && ch != u'-' && ch != u'.') {
            decimalLike = false;
        }
        const bool hexDigit = digit || (ch >= u'A' && ch <= u'F') || (ch >= u'a' && ch <= u'f');
        if (!hexDigit && ch != u'-')
            hexLike = false;
    }
    if (minuses > 1 || decimals > 1)
        return TextKind::Text;
    if (integerLike)
        return TextKind::Integer;
    if (decimalLike)
        return TextKind::Decimal;
    if (hexLike)
        return TextKind::Hexadecimal;
    return TextKind::Text;
}

QString StripThousandSeparators(const QString& text)
{
    QString result = text;
    result.remove(localeThousandSeparator());
    return result;
}

int HexToInt(const QString& text)
{
    quint32 sum = 0;
    quint32 weight = 1;
    for (qsizetype i = text.size() - 1; i >= 0; --i) {
        const QChar ch = text[i];
        quint32 digit = 0;
        if (ch >= u'0' && ch <= u'9')
            digit = ch.unicode() - u'0';
        else if (ch >= u'A' && ch <= u'F')
            digit = ch.unicode() - u'A' + 10;
        else if (ch >= u'a' && ch <= u'f')
            digit = ch.unicode() - u'a' + 10;
        sum += digit * weight;
        weight *= 16;
    }
    return int(sum);
}

QString MixedCase(const QString& text)
{
    QString result = text;
    const int n = int(text.size());
    bool capitalise = true;
    for (int i = 0; i < n; ++i) {
        const int position = i + 1;
        if (isMixedCaseSeparator(result[i])) {
            capitalise = true;
        } else if (capitalise) {
            result[i] = text[i].toUpper();
            capitalise = false;
        } else {
            result[i] = text[i].toLower();
        }
        const QString head = result.left(position);
        if (head == QLatin1String("Mc") || head == QLatin1String("Mac"))
            capitalise = true;
        else if (position > 2 && result.indexOf(QLatin1String(" Mc")) + 3 == position)
            capitalise = true;
        else if (position > n - 3 && ((i >= 1 && result.mid(i - 1, 2) == QLatin1String(" I")) ||
                                      (i >= 2 && result.mid(i - 2, 3) == QLatin1String(" II"))))
            capitalise = true;
    }
    return result;
}

void TLookupSettings::SetNumChars(int value)
{
    if (value > 0)
        numChars = value;
}

TAdvEdit::TAdvEdit(QWidget* parent) : TCustomEdit(parent), label(this)
{
    savedFontColor = TCustomEdit::GetFontColor();
    label.OnCreate = [this](TLabel& created) {
        created.OnClick = [this](TLabel*) {
            if (OnLabelClick)
                OnLabelClick(this);
        };
        created.OnDblClick = [this](TLabel*) {
            if (OnLabelDblClick)
                OnLabelDblClick(this);
        };
        created.setEnabled(isEnabled() || labelAlwaysEnabled);
    };
    label.ApplyFont = [this](TLabel& target) {
        if (parentFontFlag) {
            TFont shown = TFont::FromQFont(font(), labelFont.Color);
            target.SetFont(shown);
        } else {
            target.SetFont(labelFont);
        }
    };
    // Drops take the filtered route of the drop target, and only once OleDropTarget is set.
    setAcceptDrops(false);
}

TAdvEdit::~TAdvEdit()
{
    SavePersist();
}

void TAdvEdit::Loaded()
{
    Init();
    LoadPersist();
    if (GetLabel() && !labelAlwaysEnabled)
        GetLabel()->setEnabled(isEnabled());
    parentFontFlag = GetParentFont();
    label.Update();
}

void TAdvEdit::Init()
{
    // The setters took effect as they were called; what is taken here is what the edit returns to. A flat edit
    // already keeps its own colour and border for when it stops being flat, and a disabled one its colour.
    if (isEnabled() && !flat)
        normalColor = GetColor();
    if (!flat)
        savedBorderStyle = GetBorderStyle();
    savedFontColor = TCustomEdit::GetFontColor();
    SetFlatRect(flat);
    label.Update();
    wasEnabled = isEnabled();
    if (!isEnabled())
        setColorShown(disabledColor);
}

QString TAdvEdit::GetVersion() const
{
    const quint32 nr = GetVersionNr();
    return QStringLiteral("%1.%2.%3.%4").arg(nr >> 24).arg((nr >> 16) & 0xFF).arg((nr >> 8) & 0xFF).arg(nr & 0xFF);
}

QString TAdvEdit::GetText() const
{
    return valueOf(text());
}

QString TAdvEdit::valueOf(const QString& windowText) const
{
    QString value = windowText;
    if (!prefix.isEmpty() && value.startsWith(prefix))
        value.remove(0, prefix.size());
    if (!suffix.isEmpty() && value.endsWith(suffix))
        value.chop(suffix.size());
    return value;
}

QString TAdvEdit::formatValue(QString value) const
{
    const bool numeric = isNumberType(editType) || editType == etHex;
    if (value.isEmpty() && !allowNumericNullValue && numeric)
        value = QStringLiteral("0");
    if (precisionDisplay == pdShortest && isFloatType(editType)) {
        value = formatGeneral(EStrToFloat(value));
    } else if (precision > 0 && !value.isEmpty()) {
        if (editType == etMoney)
            value = formatNumber(EStrToFloat(value), precision, true);
        else if (editType == etFloat)
            value = formatNumber(EStrToFloat(value), precision, false);
    }
    if (editType == etHex)
        value = value.toUpper();
    return value;
}

void TAdvEdit::showValue(const QString& value)
{
    setText(prefix + value + suffix);
}

void TAdvEdit::rewriteValue(const QString& value, int caret)
{
    showValue(value);
    setCursorPosition(caret);
}

void TAdvEdit::SetText(const QString& value)
{
    showValue(formatValue(value));
    SetModified(false);
    if (showURL)
        applyURL(TestURL());
}

double TAdvEdit::EStrToFloat(const QString& text)
{
    return parseLocaleNumber(StripThousandSeparators(text));
}

double TAdvEdit::GetFloat() const
{
    QString value = GetText();
    switch (editType) {
    case etString: {
        bool ok = false;
        const double result = QLocale::c().toDouble(value.trimmed(), &ok);
        return ok ? result : 0;
    }
    case etNumeric:
    case etFloat:
        return value.isEmpty() || value == QLatin1String("-") ? 0 : EStrToFloat(value);
    case etMoney:
        value = StripThousandSeparators(value);
        if (value.endsWith(localeDecimalSeparator()))
            value.chop(1);
        return value.isEmpty() || value == QLatin1String("-") ? 0 : EStrToFloat(value);
    case etHex:
        return value.isEmpty() ? 0 : HexToInt(value);
    default:
        return 0;
    }
}

int TAdvEdit::GetInt() const
{
    const QString value = GetText();
    bool ok = false;
    int result = 0;
    switch (editType) {
    case etNumeric:
    case etFloat:
        result = value.trimmed().toInt(&ok);
        break;
    case etMoney:
        result = StripThousandSeparators(value).trimmed().toInt(&ok);
        break;
    case etHex:
        return value.isEmpty() ? 0 : HexToInt(value);
    default:
        return 0;
    }
    // A value that is no whole number reads as 0, never as a failure.
    return ok ? result : 0;
}

void TAdvEdit::SetFloat(double value)
{
    const auto fixedOrGeneral = [&](bool thousands) {
        return precision < 0 ? formatGeneral(value) : formatNumber(value, precision, thousands);
    };
    switch (editType) {
    case etString:
    case etFloat:
        SetText(fixedOrGeneral(false));
        break;
    case etNumeric:
        SetText(fixedOrGeneral(true));
        break;
    case etMoney:
        SetText(fixedOrGeneral(false));
        AutoSeparators();
        break;
    case etHex:
        SetText(hexText(truncated(value)));
        break;
    default:
        break;
    }
    SetModified(true);
}

void TAdvEdit::SetInt(int value)
{
    switch (editType) {
    case etNumeric:
    case etFloat:
        SetText(QString::number(value));
        break;
    case etMoney:
        SetText(QString::number(value));
        AutoSeparators();
        break;
    case etHex:
        SetText(hexText(value));
        break;
    default:
        break;
    }
    SetModified(true);
}

void TAdvEdit::SetModified(bool value)
{
    if (isReadOnly())
        return;
    if (showModified)
        setFontColorShown(value ? modifiedColor : savedFontColor);
    setModified(value);
    modified = value;
}

void TAdvEdit::SetError(bool value)
{
    if (error == value)
        return;
    error = value;
    if (!showError)
        return;
    if (error) {
        setColorShown(errorColor);
        setFontColorShown(errorFontColor);
    } else if (hasFocus()) {
        setColorShown(focusColor != clNone ? focusColor : normalColor);
        if (focusFontColor != clNone)
            setFontColorShown(focusFontColor);
    } else {
        setColorShown(normalColor);
        setFontColorShown(savedFontColor);
    }
}

void TAdvEdit::Change()
{
    if (reformatting)
        return;
    if (transparent)
        update();
    if (showURL) {
        const bool url = TestURL();
        if (url != urlLook)
            applyURL(url);
    }
    TCustomEdit::Change();
    if (showError)
        SetError(!DoValidate(GetText()));
}

bool TAdvEdit::DoValidate(const QString& value)
{
    if (validating)
        return true;
    validating = true;
    bool valid = true;
    ValidateEvent(value, valid);
    validating = false;
    return valid;
}

void TAdvEdit::ValidateEvent(const QString& value, bool& isValid)
{
    if (OnValueValidate)
        OnValueValidate(this, value, isValid);
}

void TAdvEdit::SelectAll()
{
    const QString value = GetText();
    const int length = int(value.size());
    int start = 0;
    if (!prefix.isEmpty() || !suffix.isEmpty())
        start = int(prefix.size());
    if (showURL) {
        const qsizetype scheme = value.indexOf(QLatin1String("://"));
        const qsizetype mailto = value.indexOf(QLatin1String("mailto:"));
        if (scheme >= 0)
            start = int(prefix.size() + scheme + 3);
        else if (mailto >= 0)
            start = int(prefix.size() + mailto + 7);
    }
    setSelection(start, qMin(length, int(text().size()) - start));
}

void TAdvEdit::SelectBeforeDecimal()
{
    const qsizetype position = GetText().indexOf(localeDecimalSeparator());
    setCursorPosition(int(prefix.size() + qMax<qsizetype>(position, 0)));
}

void TAdvEdit::SelectAfterDecimal()
{
    const qsizetype position = GetText().indexOf(localeDecimalSeparator());
    setCursorPosition(int(prefix.size() + (position >= 0 ? position + 1 : 0)));
}

int TAdvEdit::DecimalPos() const
{
    const QString value = GetText();
    const qsizetype position = value.indexOf(localeDecimalSeparator());
    if (position >= 0)
        return int(prefix.size() + position + 1);
    return int(prefix.size() + value.size() + suffix.size() + 1);
}

int TAdvEdit::FixedLength(const QString& text) const
{
    const QString plain = StripThousandSeparators(text);
    const qsizetype position = plain.indexOf(localeDecimalSeparator());
    int length = int(position >= 0 ? position + 1 : plain.size() + 1);
    if (isSigned && isNumberType(editType) && plain.contains(u'-'))
        --length;
    return length;
}

bool TAdvEdit::AllowMin(QChar ch) const
{
    return isSigned && isNumberType(editType) && ch == u'-';
}

void TAdvEdit::AutoSeparators()
{
    const QString value = GetText();
    if (value.isEmpty())
        return;
    const int caret = cursorPosition();
    QString work = value;
    QString sign;
    if (work.startsWith(u'-')) {
        sign = QStringLiteral("-");
        work.remove(0, 1);
    }
    const qsizetype decimal = work.indexOf(localeDecimalSeparator());
    const QString fraction = decimal >= 0 ? work.mid(decimal, 255) : QString();
    const QString whole = formatNumber(double(truncated(std::fabs(GetFloat()))), 0, autoThousandSeparator);
    const QString formatted = sign + whole + fraction;
    if (formatted != value) {
        // Reformatting the digits the user typed is no change of its own.
        reformatting = true;
        showValue(formatted);
        reformatting = false;
    }
    setCursorPosition(qMax(0, caret + int(formatted.size() - value.size())));
}

void TAdvEdit::SetEditType(TAdvEditType value)
{
    if (editType == value)
        return;
    editType = value;
    if (editType == etPassword) {
        SetPasswordChar(u'*');
        canUndo = false;
    } else {
        SetPasswordChar(QChar());
    }
    const QString current = GetText();
    if (current.isEmpty() && allowNumericNullValue)
        return;
    const TextKind kind = ClassifyText(current);
    switch (editType) {
    case etNumeric:
        if (kind != TextKind::Integer)
            SetInt(0);
        break;
    case etFloat:
    case etMoney:
        if (kind == TextKind::Text || kind == TextKind::Hexadecimal)
            SetFloat(0);
        break;
    case etHex:
        if (kind != TextKind::Integer && kind != TextKind::Hexadecimal)
            SetInt(0);
        break;
    default:
        break;
    }
}

void TAdvEdit::SetPrecision(int value)
{
    if (precision == value || !(editType == etString || isFloatType(editType)))
        return;
    precision = qint16(value);
    const QString current = GetText();
    if (current.isEmpty() && allowNumericNullValue)
        return;
    const TextKind kind = ClassifyText(current);
    SetFloat(kind == TextKind::Text || kind == TextKind::Hexadecimal ? 0 : GetFloat());
}

void TAdvEdit::SetPrecisionDisplay(TPrecisionDisplay value)
{
    if (precisionDisplay == value)
        return;
    precisionDisplay = value;
    SetFloat(GetFloat());
}

void TAdvEdit::SetPrefix(const QString& value)
{
    const QString current = GetText();
    prefix = value;
    setText(current);
    SetText(current);
}

void TAdvEdit::SetSuffix(const QString& value)
{
    const QString current = GetText();
    suffix = value;
    setText(current);
    SetText(current);
}

void TAdvEdit::SetAutoThousandSeparator(bool value)
{
    autoThousandSeparator = value;
    if (isFloatType(editType))
        AutoSeparators();
}

void TAdvEdit::SetCanUndo(bool value)
{
    canUndo = value && editType != etPassword;
}

void TAdvEdit::SetEditAlign(TEditAlign value)
{
    if (editAlign == value)
        return;
    editAlign = value;
    SetTextAlignment(value == eaRight ? taRightJustify : value == eaCenter ? taCenter : taLeftJustify);
}

void TAdvEdit::focusInEvent(QFocusEvent* event)
{
    TCustomEdit::focusInEvent(event);
    if (isPopupFocusChange(event))
        return;
    valueAtFocus = GetText();
    enterFocusLook();
    if (GetAutoSelect())
        SelectAll();
    if (focusLabel && GetLabel()) {
        QFont bold = GetLabel()->font();
        bold.setBold(true);
        GetLabel()->setFont(bold);
    }
    if (focusWidthInc > 0 && !alignChanging)
        resize(width() + focusWidthInc, height());
    savedAlign = editAlign;
    if (focusAlign != eaDefault && focusAlign != editAlign) {
        alignChanging = true;
        SetEditAlign(focusAlign);
        alignChanging = false;
    }
    update();
}

void TAdvEdit::focusOutEvent(QFocusEvent* event)
{
    if (isPopupFocusChange(event)) {
        TCustomEdit::focusOutEvent(event);
        return;
    }
    hideLookup();
    leaveFocusLook();
    if (focusLabel && GetLabel()) {
        QFont plain = GetLabel()->font();
        plain.setBold(false);
        GetLabel()->setFont(plain);
    }
    const bool empty = GetText().isEmpty();
    if (isFloatType(editType) && precision > 0 && (!empty || !allowNumericNullValue)) {
        const bool wasModified = modified;
        SetFloat(GetFloat());
        SetModified(wasModified);
    } else if (empty && !allowNumericNullValue) {
        if (editType == etNumeric)
            SetText(QStringLiteral("0"));
        else if (isFloatType(editType))
            SetFloat(0);
    }
    DoValidate(GetText());
    TCustomEdit::focusOutEvent(event);
    if (alignChanging)
        return;
    if (focusWidthInc > 0)
        resize(width() - focusWidthInc, height());
    if (focusAlign != eaDefault && editAlign != savedAlign)
        SetEditAlign(savedAlign);
    if (lookup.GetEnabled() && lookup.GetHistory())
        addToHistory();
    update();
}

void TAdvEdit::enterEvent(QEnterEvent* event)
{
    TCustomEdit::enterEvent(event);
    if (autoFocus)
        setFocus(Qt::MouseFocusReason);
    if (isEnabled()) {
        hot = true;
        if (focusBorder)
            update();
    }
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TAdvEdit::leaveEvent(QEvent* event)
{
    TCustomEdit::leaveEvent(event);
    if (isEnabled() && hot) {
        hot = false;
        if (focusBorder)
            update();
    }
    if (OnMouseLeave)
        OnMouseLeave(this);
}

void TAdvEdit::changeEvent(QEvent* event)
{
    TCustomEdit::changeEvent(event);
    if (event->type() == QEvent::EnabledChange && isEnabled() != wasEnabled) {
        wasEnabled = isEnabled();
        if (wasEnabled) {
            setColorShown(normalColor);
        } else {
            normalColor = GetColor();
            setColorShown(disabledColor);
        }
        if (GetLabel() && !labelAlwaysEnabled)
            GetLabel()->setEnabled(wasEnabled);
    } else if (event->type() == QEvent::FontChange) {
        SetFlatRect(flat);
        if (parentFontFlag)
            label.Update();
    }
}

void TAdvEdit::SetLabelAlwaysEnabled(bool value)
{
    labelAlwaysEnabled = value;
    if (GetLabel() && value)
        GetLabel()->setEnabled(true);
    update();
}

void TAdvEdit::SetLabelFont(const TFont& value)
{
    if (!GetParentFont())
        labelFont = value;
    label.Update();
}
