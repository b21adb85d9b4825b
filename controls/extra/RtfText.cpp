#include "RtfText.h"

#include "CodePage.h"

#include <QColor>
#include <QHash>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QVector>
#include <cmath>

namespace {

// The code page of \'hh characters.
constexpr CodePage CellCodePage = CodePage::Windows1250;
constexpr QChar LineBreak = QChar(0x2028);

enum class Destination { Text, FontTable, ColorTable, Skipped };

// What a group of the source sets; a closing brace gives the outer group's back.
struct GroupState
{
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int halfPoints = 0; // 0: the document's size
    int font = -1;      // an entry of the font table, -1: the document's font
    int color = 0;      // an entry of the colour table, 0: the automatic colour
    int highlight = 0;  // 0: none
    QTextCharFormat::VerticalAlignment vertical = QTextCharFormat::AlignNormal;
    int unicodeSkip = 1; // characters that stand in for each \uN
    Destination destination = Destination::Text;

    void plain()
    {
        const GroupState defaults;
        const int skip = unicodeSkip;
        const Destination in = destination;
        *this = defaults;
        unicodeSkip = skip;
        destination = in;
    }
};

// Groups of the document's header and of embedded objects that hold no text of the cell.
bool isSkippedDestination(const QString& word)
{
    static const QStringList skipped = {
        QStringLiteral("stylesheet"),
        QStringLiteral("info"),
        QStringLiteral("pict"),
        QStringLiteral("object"),
        QStringLiteral("header"),
        QStringLiteral("footer"),
        QStringLiteral("headerl"),
        QStringLiteral("headerr"),
        QStringLiteral("footerl"),
        QStringLiteral("footerr"),
        QStringLiteral("footnote"),
        QStringLiteral("listtable"),
        QStringLiteral("listoverridetable"),
        QStringLiteral("rsidtbl"),
        QStringLiteral("generator"),
        QStringLiteral("filetbl"),
        QStringLiteral("revtbl"),
        QStringLiteral("themedata"),
        QStringLiteral("colorschememapping"),
        QStringLiteral("latentstyles"),
        QStringLiteral("datastore"),
        QStringLiteral("xmlnstbl"),
        QStringLiteral("fldinst"),
    };
    return skipped.contains(word);
}

// Control words that stand for one character.
QChar namedCharacter(const QString& word)
{
    static const QHash<QString, char16_t> characters = {
        {QStringLiteral("tab"), u'\t'},        {QStringLiteral("line"), LineBreak.unicode()},
        {QStringLiteral("emdash"), 0x2014},    {QStringLiteral("endash"), 0x2013},
        {QStringLiteral("lquote"), 0x2018},    {QStringLiteral("rquote"), 0x2019},
        {QStringLiteral("ldblquote"), 0x201C}, {QStringLiteral("rdblquote"), 0x201D},
        {QStringLiteral("bullet"), 0x2022},
    };
    return QChar(characters.value(word, 0));
}

class RtfReader
{
public:
    RtfReader(const QString& rtf, QTextDocument& document) : rtf(rtf), document(document), cursor(&document) {}

    void read()
    {
        document.clear();
        cursor = QTextCursor(&document);
        while (pos < rtf.size()) {
            const QChar c = rtf[pos];
            if (c == u'{') {
                flush();
                groups.append(state);
                ++pos;
            } else if (c == u'}') {
                flush();
                if (!groups.isEmpty())
                    state = groups.takeLast();
                ++pos;
            } else if (c == u'\\') {
                controlSequence();
            } else {
                ++pos;
                // Line ends of the source are no text.
                if (c != u'\r' && c != u'\n')
                    character(c);
            }
        }
        flush();
        dropClosingParagraph();
    }

private:
    void controlSequence()
    {
        ++pos; // the backslash
        if (pos >= rtf.size())
            return;
        const QChar next = rtf[pos];
        if (isAsciiLetter(next)) {
            controlWord();
            return;
        }
        ++pos;
        switch (next.unicode()) {
        case u'\'':
            hexCharacter();
            break;
        case u'*':
            state.destination = Destination::Skipped;
            break;
        case u'\\':
        case u'{':
        case u'}':
            character(next);
            break;
        case u'~':
            character(QChar(0x00A0));
            break;
        case u'_':
            character(QChar(0x2011));
            break;
        case u'\r':
        case u'\n':
            paragraph();
            break;
        default: // an optional hyphen and other symbols show nothing
            break;
        }
    }

    void controlWord()
    {
        const qsizetype start = pos;
        while (pos < rtf.size() && isAsciiLetter(rtf[pos]))
            ++pos;
        const QString word = rtf.mid(start, pos - start);
        const qsizetype numberStart = pos;
        if (pos < rtf.size() && rtf[pos] == u'-')
            ++pos;
        while (pos < rtf.size() && rtf[pos].isDigit())
            ++pos;
        bool hasNumber = false;
        const int number = QStringView(rtf).mid(numberStart, pos - numberStart).toInt(&hasNumber);
        if (pos < rtf.size() && rtf[pos] == u' ')
            ++pos;
        apply(word, hasNumber, hasNumber ? number : 0);
    }

    void hexCharacter()
    {
        bool ok = false;
        const int byte = QStringView(rtf).mid(pos, 2).toInt(&ok, 16);
        pos += 2;
        if (!ok)
            return;
        const char raw = char(byte);
        const QString decoded = decodeCodePage(QByteArrayView(&raw, 1), CellCodePage);
        character(decoded.at(0));
    }

    void apply(const QString& word, bool hasNumber, int number)
    {
        if (word == QLatin1String("fonttbl")) {
            state.destination = Destination::FontTable;
            return;
        }
        if (word == QLatin1String("colortbl")) {
            state.destination = Destination::ColorTable;
            return;
        }
        if (isSkippedDestination(word)) {
            state.destination = Destination::Skipped;
            return;
        }
        switch (state.destination) {
        case Destination::FontTable:
            if (word == QLatin1String("f")) {
                fontNumber = number;
                fontName.clear();
            }
            return;
        case Destination::ColorTable:
            colorComponent(word, number);
            return;
        case Destination::Skipped:
            return;
        case Destination::Text:
            break;
        }
        if (const QChar c = namedCharacter(word); !c.isNull()) {
            character(c);
            return;
        }
        if (word == QLatin1String("u")) {
            unicodeCharacter(number);
            return;
        }
        if (word == QLatin1String("par")) {
            paragraph();
            return;
        }
        flush();
        const bool on = !hasNumber || number != 0;
        if (word == QLatin1String("b"))
            state.bold = on;
        else if (word == QLatin1String("i"))
            state.italic = on;
        else if (word == QLatin1String("ul"))
            state.underline = on;
        else if (word == QLatin1String("ulnone"))
            state.underline = false;
        else if (word == QLatin1String("strike"))
            state.strike = on;
        else if (word == QLatin1String("fs"))
            state.halfPoints = qMax(0, number);
        else if (word == QLatin1String("f"))
            state.font = number;
        else if (word == QLatin1String("cf"))
            state.color = number;
        else if (word == QLatin1String("highlight") || word == QLatin1String("cb"))
            state.highlight = number;
        else if (word == QLatin1String("sub") || (word == QLatin1String("dn") && number != 0))
            state.vertical = QTextCharFormat::AlignSubScript;
        else if (word == QLatin1String("super") || (word == QLatin1String("up") && number != 0))
            state.vertical = QTextCharFormat::AlignSuperScript;
        else if (word == QLatin1String("nosupersub") || word == QLatin1String("up") || word == QLatin1String("dn"))
            state.vertical = QTextCharFormat::AlignNormal;
        else if (word == QLatin1String("plain"))
            state.plain();
        else if (word == QLatin1String("uc"))
            state.unicodeSkip = qMax(0, number);
    }

    void colorComponent(const QString& word, int number)
    {
        const int value = qBound(0, number, 255);
        if (word == QLatin1String("red"))
            red = value;
        else if (word == QLatin1String("green"))
            green = value;
        else if (word == QLatin1String("blue"))
            blue = value;
        else
            return;
        colorGiven = true;
    }

    // A character of the source's text, where the current group puts it.
    void character(QChar c)
    {
        if (fallbackToSkip > 0) {
            --fallbackToSkip;
            return;
        }
        switch (state.destination) {
        case Destination::Text:
            pending.append(c);
            break;
        case Destination::FontTable:
            if (c == u';')
                fonts.insert(fontNumber, fontName.trimmed());
            else
                fontName.append(c);
            break;
        case Destination::ColorTable:
            if (c == u';') {
                colors.append(colorGiven ? QColor(red, green, blue) : QColor());
                red = green = blue = 0;
                colorGiven = false;
            }
            break;
        case Destination::Skipped:
            break;
        }
    }

    void unicodeCharacter(int number)
    {
        // Characters above 0x7FFF are written as negative numbers.
        character(QChar(char16_t(number < 0 ? number + 0x10000 : number)));
        fallbackToSkip = state.unicodeSkip;
    }

    void paragraph()
    {
        if (state.destination != Destination::Text)
            return;
        flush();
        cursor.insertBlock();
        endsWithParagraph = true;
    }

    void flush()
    {
        if (pending.isEmpty())
            return;
        cursor.insertText(pending, format());
        pending.clear();
        endsWithParagraph = false;
    }

    QTextCharFormat format() const
    {
        QTextCharFormat f;
        f.setFontWeight(state.bold ? QFont::Bold : QFont::Normal);
        f.setFontItalic(state.italic);
        f.setFontUnderline(state.underline);
        f.setFontStrikeOut(state.strike);
        if (state.halfPoints > 0)
            f.setFontPointSize(state.halfPoints / 2.0);
        if (fonts.contains(state.font))
            f.setFontFamilies(QStringList{fonts.value(state.font)});
        if (const QColor color = colors.value(state.color); state.color > 0 && color.isValid())
            f.setForeground(color);
        if (const QColor color = colors.value(state.highlight); state.highlight > 0 && color.isValid())
            f.setBackground(color);
        f.setVerticalAlignment(state.vertical);
        return f;
    }

    // Rich text ends its last paragraph with a mark that opens no new line.
    void dropClosingParagraph()
    {
        if (!endsWithParagraph || document.blockCount() < 2 || !document.lastBlock().text().isEmpty())
            return;
        QTextCursor end(&document);
        end.movePosition(QTextCursor::End);
        end.deletePreviousChar();
    }

    static bool isAsciiLetter(QChar c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

    const QString& rtf;
    QTextDocument& document;
    QTextCursor cursor;
    qsizetype pos = 0;
    GroupState state;
    QVector<GroupState> groups;
    QString pending;
    int fallbackToSkip = 0;
    bool endsWithParagraph = false;
    QHash<int, QString> fonts;
    int fontNumber = 0;
    QString fontName;
    QVector<QColor> colors;
    int red = 0;
    int green = 0;
    int blue = 0;
    bool colorGiven = false;
};

// Text written into the source: RTF's own characters escaped, characters outside the code page as \uN.
QString escaped(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\\' || u == u'{' || u == u'}') {
            out += u'\\';
            out += c;
        } else if (u == u'\t') {
            out += QLatin1String("\\tab ");
        } else if (c == LineBreak) {
            out += QLatin1String("\\line ");
        } else if (u >= 0x20 && u < 0x7F) {
            out += c;
        } else {
            const QByteArray byte = encodeCodePage(QStringView(&c, 1), CellCodePage);
            if (u >= 0x80 && byte != "?" && decodeCodePage(byte, CellCodePage) == QString(c))
                out += QStringLiteral("\\'%1").arg(uchar(byte[0]), 2, 16, QLatin1Char('0'));
            else
                out += QStringLiteral("\\u%1?").arg(int(qint16(u)));
        }
    }
    return out;
}

class RtfWriter
{
public:
    explicit RtfWriter(const QTextDocument& document) : document(document)
    {
        fonts.append(document.defaultFont().family());
    }

    QString write()
    {
        QString body;
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
            if (block != document.begin())
                body += QLatin1String("\\par\n");
            for (auto it = block.begin(); !it.atEnd(); ++it)
                body += fragment(it.fragment());
        }
        QString out = QStringLiteral("{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl");
        for (int i = 0; i < fonts.size(); ++i)
            out += QStringLiteral("{\\f%1\\fnil %2;}").arg(i).arg(escaped(fonts[i]));
        out += QStringLiteral("}{\\colortbl ;");
        for (const QColor& color : colors)
            out += QStringLiteral("\\red%1\\green%2\\blue%3;").arg(color.red()).arg(color.green()).arg(color.blue());
        out += QStringLiteral("}\\uc1\\pard ") + body + QStringLiteral("}");
        return out;
    }

private:
    QString fragment(const QTextFragment& fragment)
    {
        const QTextCharFormat f = fragment.charFormat();
        QString words;
        if (f.fontWeight() >= QFont::Bold)
            words += QLatin1String("\\b");
        if (f.fontItalic())
            words += QLatin1String("\\i");
        if (f.fontUnderline())
            words += QLatin1String("\\ul");
        if (f.fontStrikeOut())
            words += QLatin1String("\\strike");
        if (f.hasProperty(QTextFormat::FontPointSize))
            words += QStringLiteral("\\fs%1").arg(qRound(f.fontPointSize() * 2));
        if (f.hasProperty(QTextFormat::FontFamilies) && !f.fontFamilies().toStringList().isEmpty())
            words += QStringLiteral("\\f%1").arg(fontIndex(f.fontFamilies().toStringList().first()));
        if (f.hasProperty(QTextFormat::ForegroundBrush))
            words += QStringLiteral("\\cf%1").arg(colorIndex(f.foreground().color()));
        if (f.hasProperty(QTextFormat::BackgroundBrush))
            words += QStringLiteral("\\highlight%1").arg(colorIndex(f.background().color()));
        if (f.verticalAlignment() == QTextCharFormat::AlignSubScript)
            words += QLatin1String("\\sub");
        else if (f.verticalAlignment() == QTextCharFormat::AlignSuperScript)
            words += QLatin1String("\\super");
        return u'{' + words + u' ' + escaped(fragment.text()) + u'}';
    }

    int fontIndex(const QString& family)
    {
        qsizetype i = fonts.indexOf(family);
        if (i < 0) {
            fonts.append(family);
            i = fonts.size() - 1;
        }
        return int(i);
    }

    // Entry 0 of the table is the automatic colour; the table's entries count from 1.
    int colorIndex(const QColor& color)
    {
        const QColor opaque = color.toRgb();
        qsizetype i = colors.indexOf(opaque);
        if (i < 0) {
            colors.append(opaque);
            i = colors.size() - 1;
        }
        return int(i) + 1;
    }

    const QTextDocument& document;
    QStringList fonts;
    QVector<QColor> colors;
};

} // namespace

void ReadRtf(const QString& rtf, QTextDocument& document)
{
    RtfReader(rtf, document).read();
}

QString WriteRtf(const QTextDocument& document)
{
    return RtfWriter(document).write();
}
