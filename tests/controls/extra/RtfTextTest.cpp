#include "RtfText.h"
#include "AdvRichEdit.h"
#include "ListViewTestSupport.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace {

// One run of equally formatted text.
struct TextRun
{
    QString text;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    QColor color;      // invalid: automatic
    QColor highlight;  // invalid: none
    double points = 0; // 0: the document's size
    QTextCharFormat::VerticalAlignment vertical = QTextCharFormat::AlignNormal;
    QString font; // empty: the document's font

    friend bool operator==(const TextRun&, const TextRun&) = default;
};

void PrintTo(const TextRun& r, std::ostream* os)
{
    *os << '"' << r.text.toStdString() << '"' << (r.bold ? " b" : "") << (r.italic ? " i" : "")
        << (r.underline ? " u" : "") << (r.strike ? " s" : "") << " " << r.color.name().toStdString() << " "
        << r.highlight.name().toStdString() << " " << r.points << " v" << int(r.vertical) << " "
        << r.font.toStdString();
}

TextRun plain(const char* text)
{
    TextRun r;
    r.text = u(text);
    return r;
}

// The document as runs, paragraphs separated by runs of "\n".
QVector<TextRun> runs(const QTextDocument& document)
{
    QVector<TextRun> result;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block != document.begin())
            result.append(plain("\n"));
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            TextRun r;
            r.text = it.fragment().text();
            r.bold = f.fontWeight() >= QFont::Bold;
            r.italic = f.fontItalic();
            r.underline = f.fontUnderline();
            r.strike = f.fontStrikeOut();
            if (f.hasProperty(QTextFormat::ForegroundBrush))
                r.color = f.foreground().color();
            if (f.hasProperty(QTextFormat::BackgroundBrush))
                r.highlight = f.background().color();
            if (f.hasProperty(QTextFormat::FontPointSize))
                r.points = f.fontPointSize();
            r.vertical = f.verticalAlignment();
            if (f.hasProperty(QTextFormat::FontFamilies))
                r.font = f.fontFamilies().toStringList().value(0);
            result.append(r);
        }
    }
    return result;
}

QVector<TextRun> read(const QString& rtf)
{
    QTextDocument document;
    ReadRtf(rtf, document);
    return runs(document);
}

} // namespace

TEST(RtfTextTest, readsWhatCellsHold)
{
    const QString header = u("{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\fnil Tahoma;}{\\f1\\fswiss Arial;}}"
                             "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}");
    const auto bold = [](const char* text) {
        TextRun r = plain(text);
        r.bold = true;
        return r;
    };
    TextRun red = plain("czerwony");
    red.color = QColor(255, 0, 0);
    TextRun marked = plain("zaznaczony");
    marked.highlight = QColor(0, 0, 255);
    TextRun big = plain("duży");
    big.points = 14;
    TextRun arial = plain("Arial");
    arial.font = u("Arial");
    TextRun low = plain("2");
    low.vertical = QTextCharFormat::AlignSubScript;
    TextRun high = plain("3");
    high.vertical = QTextCharFormat::AlignSuperScript;
    TextRun styled = plain("wszystko");
    styled.italic = styled.underline = styled.strike = true;

    struct Case
    {
        const char* name;
        QString body;
        QVector<TextRun> expected;
    };
    const Case cases[] = {
        {"bold on and off", u("a\\b b\\b0 c}"), {plain("a"), bold("b"), plain("c")}},
        {"groups keep their formats", u("{\\b b}c}"), {bold("b"), plain("c")}},
        {"colour and highlight", u("\\cf1 czerwony\\cf0  {\\highlight2 zaznaczony}}"), {red, plain(" "), marked}},
        {"size and font", u("{\\fs28 duży}{\\f1 Arial}}"), {big, arial}},
        {"sub and super", u("H{\\sub 2}O{\\super 3}}"), {plain("H"), low, plain("O"), high}},
        {"italic, underline, strike", u("{\\i\\ul\\strike wszystko}}"), {styled}},
        {"plain resets",
         u("\\b\\i x\\plain y}"),
         {[] {
              TextRun r = plain("x");
              r.bold = r.italic = true;
              return r;
          }(),
          plain("y")}},
        {"paragraphs, line breaks and tabs",
         u("a\\par b\\line c\\tab d\\par}"),
         {plain("a"), plain("\n"), plain("b\u2028c\td")}},
        {"Windows-1250 and Unicode characters",
         u("\\'b3\\'f3d\\'9f {\\u321?\\u-10179?\\u-8704?}}"),
         {plain("łódź Ł😀")}},
        {"escaped signs", u("\\{a\\}\\\\}"), {plain("{a}\\")}},
        {"destinations are skipped", u("{\\*\\generator Riched20;}{\\info{\\title t}}x}"), {plain("x")}},
        {"source line ends are no text", u("a\r\nb}"), {plain("ab")}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(read(header + c.body), c.expected) << c.name;
}

TEST(RtfTextTest, whatIsWrittenReadsBackEqual)
{
    QTextDocument document;
    document.setDefaultFont(QFont(u("DejaVu Sans")));
    QTextCursor cursor(&document);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    QTextCharFormat italicRed;
    italicRed.setFontItalic(true);
    italicRed.setForeground(QColor(200, 0, 0));
    QTextCharFormat sized;
    sized.setFontPointSize(15);
    sized.setBackground(QColor(255, 255, 0));
    sized.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    cursor.insertText(u("Zażółć "), bold);
    cursor.insertText(u("gęślą {jaźń}\\ "), italicRed);
    cursor.insertBlock();
    cursor.insertText(u("中文 😀 €\ttab"), sized);

    const QString rtf = WriteRtf(document);
    EXPECT_TRUE(rtf.startsWith(u("{\\rtf1")));
    for (const QChar c : rtf)
        EXPECT_LT(c.unicode(), 0x80) << "the source is ASCII";
    QTextDocument back;
    ReadRtf(rtf, back);
    EXPECT_EQ(runs(back), runs(document));
    EXPECT_EQ(back.toRawText(), document.toRawText());
}

TEST(RtfTextTest, richEditSelectionAndPlainText)
{
    TAdvRichEdit edit;
    edit.LoadRTF(u("{\\rtf1 H2O\\par x\\line y}"));
    EXPECT_EQ(edit.GetText(), u("H2O\r\nx\r\ny"));
    edit.SetSelStart(1);
    edit.SetSelLength(1);
    edit.SelSubscript();
    edit.SetSelStart(2);
    edit.SetSelLength(50);
    edit.SelSuperscript();
    QVector<TextRun> expected = read(edit.SaveRTF());
    ASSERT_GE(expected.size(), 3);
    EXPECT_EQ(expected[1].text, u("2"));
    EXPECT_EQ(expected[1].vertical, QTextCharFormat::AlignSubScript);
    EXPECT_EQ(expected[2].vertical, QTextCharFormat::AlignSuperScript);
    edit.SelectAll();
    edit.SelNormal();
    for (const TextRun& r : read(edit.SaveRTF()))
        EXPECT_EQ(r.vertical, QTextCharFormat::AlignNormal) << r.text.toStdString();
    edit.Clear();
    EXPECT_EQ(edit.GetText(), QString());
}
