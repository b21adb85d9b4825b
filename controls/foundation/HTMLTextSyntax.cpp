#include "HTMLTextSyntax.h"
#include "HTMLText.h"

#include <algorithm>
#include <limits>

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

struct Entity
{
    const char16_t* name; // between "&" and ";"
    char16_t character;
};

// Named entities the markup knows. "&nbsp;" is a plain space so that it never ends a run at a wrap point.
constexpr Entity entities[] = {
    {u"amp", u'&'},       {u"lt", u'<'},        {u"gt", u'>'},          {u"quot", u'"'},
    {u"nbsp", u' '},      {u"sect", u'\u00A7'}, {u"permil", u'\u2030'}, {u"reg", u'\u00AE'},
    {u"copy", u'\u00A9'}, {u"para", u'\u00B6'}, {u"trade", u'\u2122'},  {u"euro", u'\u20AC'},
};

// The entity written at the start of text ("&name;"), or nullptr.
const Entity* entityAt(QStringView text, qsizetype& length)
{
    const qsizetype semicolon = text.left(8).indexOf(u';');
    if (semicolon < 2)
        return nullptr;
    const QStringView name = text.mid(1, semicolon - 1);
    for (const Entity& e : entities) {
        if (name.compare(QStringView(e.name), Qt::CaseInsensitive) == 0) {
            length = semicolon + 1;
            return &e;
        }
    }
    return nullptr;
}

struct ColorName
{
    const char* name;
    TColor color;
};

constexpr ColorName colorNames[] = {
    {"clred", clRed},
    {"clblack", clBlack},
    {"clblue", clBlue},
    {"clgreen", clGreen},
    {"claqua", clAqua},
    {"clyellow", clYellow},
    {"clfuchsia", clFuchsia},
    {"clwhite", clWhite},
    {"cllime", clLime},
    {"clsilver", clSilver},
    {"clgray", clGray},
    {"clolive", clOlive},
    {"clnavy", clNavy},
    {"clpurple", clPurple},
    {"clteal", clTeal},
    {"clmaroon", clMaroon},
    {"clbackground", clBackground},
    {"clactivecaption", clActiveCaption},
    {"clinactivecaption", clInactiveCaption},
    {"clmenu", clMenu},
    {"clwindow", clWindow},
    {"clwindowframe", clWindowFrame},
    {"clmenutext", clMenuText},
    {"clwindowtext", clWindowText},
    {"clcaptiontext", clCaptionText},
    {"clactiveborder", clActiveBorder},
    {"clinactiveborder", clInactiveBorder},
    {"clappworkspace", clAppWorkSpace},
    {"clhighlight", clHighlight},
    {"clhighlighttext", clHighlightText},
    {"clbtnface", clBtnFace},
    {"clbtnshadow", clBtnShadow},
    {"clgraytext", clGrayText},
    {"clbtntext", clBtnText},
    {"clinactivecaptiontext", clInactiveCaptionText},
    {"clbtnhighlight", clBtnHighlight},
    {"cl3ddkshadow", cl3DDkShadow},
    {"cl3dlight", cl3DLight},
    {"clinfotext", clInfoText},
    {"clinfobk", clInfoBk},
};

int hexDigitValue(QChar c)
{
    const char16_t u = c.toUpper().unicode();
    return u >= u'A' ? u - u'A' + 10 : u - u'0';
}

int clampToInt(qint64 v)
{
    return int(std::clamp<qint64>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

} // namespace

namespace markup {

Tag::Tag(QStringView text)
{
    const qsizetype end = text.indexOf(u'>');
    closed = end >= 0;
    whole = closed ? text.left(end + 1) : text;
}

bool Tag::isClosing() const
{
    return whole.size() > 3 && whole[1] == u'/';
}

QChar Tag::letter(qsizetype i) const
{
    if (i >= whole.size())
        return QChar();
    const QChar c = whole[i];
    return (c >= u'a' && c <= u'z') ? c.toUpper() : c;
}

bool Tag::is(QStringView name) const
{
    return closed && whole.size() == name.size() + 2 &&
           whole.mid(1, name.size()).compare(name, Qt::CaseInsensitive) == 0;
}

// Attributes follow the tag's name: name="value", name=value or a bare name; a bare "value" in double quotes
// counts as an attribute without a name.
template <typename Visit>
void Tag::forEachAttribute(Visit visit) const
{
    const QStringView body = closed ? whole.chopped(1) : whole;
    const qsizetype size = body.size();
    auto nameEnds = [](QChar c) { return isBlank(c) || c == u'=' || c == u'"' || c == u'>'; };
    qsizetype i = 1;
    if (i < size && body[i] == u'/')
        ++i;
    while (i < size && !nameEnds(body[i]))
        ++i;
    while (i < size) {
        while (i < size && (isBlank(body[i]) || body[i] == u'/'))
            ++i;
        if (i >= size)
            return;
        Attribute a;
        const qsizetype nameStart = i;
        while (i < size && !nameEnds(body[i]))
            ++i;
        a.name = body.mid(nameStart, i - nameStart);
        qsizetype j = i;
        while (j < size && isBlank(body[j]))
            ++j;
        const bool assigned = j < size && body[j] == u'=';
        if (assigned) {
            i = j + 1;
            while (i < size && isBlank(body[i]))
                ++i;
        }
        if (i < size && body[i] == u'"' && (assigned || a.name.isEmpty())) {
            const qsizetype close = body.indexOf(u'"', i + 1);
            const qsizetype valueEnd = close < 0 ? size : close;
            a.value = body.mid(i + 1, valueEnd - i - 1);
            a.quoted = true;
            i = close < 0 ? size : close + 1;
        } else if (assigned) {
            const qsizetype valueStart = i;
            while (i < size && !isBlank(body[i]))
                ++i;
            a.value = body.mid(valueStart, i - valueStart);
        } else if (i < size && body[i] == u'"') {
            ++i; // a stray quote after a bare name
        }
        if (visit(a))
            return;
    }
}

bool Tag::find(QStringView name, Attribute& found) const
{
    bool hit = false;
    forEachAttribute([&](const Attribute& a) {
        if (a.name.compare(name, Qt::CaseInsensitive) != 0)
            return false;
        found = a;
        hit = true;
        return true;
    });
    return hit;
}

bool Tag::hasAttribute(QStringView name) const
{
    Attribute a;
    return find(name, a);
}

QString Tag::quotedValue(QStringView name) const
{
    Attribute a;
    return find(name, a) && a.quoted ? a.value.toString() : QString();
}

QString Tag::anyValue(QStringView name) const
{
    Attribute a;
    return find(name, a) ? a.value.toString() : QString();
}

QString Tag::firstQuotedValue() const
{
    QString value;
    forEachAttribute([&](const Attribute& a) {
        if (!a.quoted)
            return false;
        value = a.value.toString();
        return true;
    });
    return value;
}

TColor colorFromValue(const QString& value)
{
    if (value.startsWith(u'#'))
        return MarkupColorFromHex(value);
    return MarkupColorFromName(value.toLower());
}

DecodedRun decodeRun(QStringView written, bool prefixes)
{
    DecodedRun run;
    run.visible.reserve(written.size());
    run.drawn.reserve(written.size());
    for (qsizetype i = 0; i < written.size(); ++i) {
        const QChar c = written[i];
        qsizetype length = 0;
        const Entity* entity = c == u'&' ? entityAt(written.mid(i), length) : nullptr;
        if (!entity) {
            run.visible += c;
            run.drawn += c;
            continue;
        }
        run.entityReplaced = true;
        run.visible += QChar(entity->character);
        run.drawn += QChar(entity->character);
        if (prefixes && entity->character == u'&')
            run.drawn += u'&';
        i += length - 1;
    }
    return run;
}

} // namespace markup

QString MarkupEscape(const QString& text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'<')
            escaped += QLatin1String("&lt;");
        else if (c == u'>')
            escaped += QLatin1String("&gt;");
        else if (c == u'&')
            escaped += QLatin1String("&amp;");
        else
            escaped += c;
    }
    return escaped;
}

TColor MarkupColorFromName(const QString& name)
{
    for (const ColorName& c : colorNames) {
        if (name == QLatin1String(c.name))
            return c.color;
    }
    return clBlack;
}

TColor MarkupColorFromHex(const QString& text)
{
    const QStringView v(text);
    // Each byte is kept to eight bits so that malformed digits never reach the system-colour bits.
    const TColor r = MarkupHexByte(v.mid(1)) & 0xFF;
    const TColor g = MarkupHexByte(v.mid(3)) & 0xFF;
    const TColor b = MarkupHexByte(v.mid(5)) & 0xFF;
    return r | (g << 8) | (b << 16);
}

int MarkupHexByte(QStringView text)
{
    if (text.size() < 2)
        return 0;
    return hexDigitValue(text[0]) * 16 + hexDigitValue(text[1]);
}

int MarkupParseInt(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    int base = 10;
    if (i < text.size() && (text[i] == u'$' || text[i] == u'x' || text[i] == u'X')) {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        base = 16;
        i += 2;
    }
    qint64 value = 0;
    const qsizetype digitsStart = i;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].toUpper().unicode();
        int digit = -1;
        if (c >= u'0' && c <= u'9')
            digit = c - u'0';
        else if (base == 16 && c >= u'A' && c <= u'F')
            digit = c - u'A' + 10;
        if (digit < 0)
            break;
        value = std::min<qint64>(value * base + digit, qint64(std::numeric_limits<int>::max()) + 1);
    }
    if (i == digitsStart)
        return 0;
    // A sign counts only when the whole text is the number.
    const bool whole = i == text.size();
    return clampToInt(negative && whole ? -value : value);
}

QString MarkupUnwrapHashTag(const QString& text)
{
    const qsizetype start = text.indexOf(QLatin1String("<#"));
    if (start < 0)
        return text;
    QString rest = text.mid(start + 1);
    const qsizetype close = rest.indexOf(u'>');
    if (close >= 0)
        rest.remove(close, 1);
    return text.left(start) + rest;
}

QString MarkupLineBreaksToTags(const QString& text, bool convertCR)
{
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'\n')
            continue;
        if (c == u'\r') {
            if (convertCR)
                result += QLatin1String("<BR>");
            continue;
        }
        result += c;
    }
    return result;
}
