#include "AdvListV.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QStringList fileLines(const QString& path)
{
    QStringList lines = QString::fromLatin1(readBytes(path)).split(u("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// The active border's colour of the fixed system colour table.
QString activeBorder()
{
    const TColor rgb = ColorToRGB(clActiveBorder);
    return QString::asprintf("#%02X%02X%02X", rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

} // namespace

class AdvListVHtmlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        addColumn(u("Name"), taLeftJustify);
        addColumn(u("Age"), taRightJustify);
        addRow({u("Oak"), u("7")});
        addRow({u("Elm"), u("12")});
    }

    void addColumn(const QString& caption, TAlignment alignment)
    {
        TListColumn* column = list.Columns().Add();
        column->SetCaption(caption);
        column->SetAlignment(alignment);
    }

    void addRow(const QStringList& texts)
    {
        TListItem* item = list.Items().Add();
        item->SetCaption(texts.value(0));
        for (int i = 1; i < texts.size(); ++i)
            item->SubItems().Add(texts[i]);
    }

    QString path(const QString& name) const { return folder.filePath(name); }

    QStringList html(bool keepMarkup = false)
    {
        list.SaveToHTML(path(u("a.html")), keepMarkup);
        return fileLines(path(u("a.html")));
    }

    QTemporaryDir folder;
    TAdvListView list;
};

TEST_F(AdvListVHtmlTest, tableHasHeaderAndItemRows)
{
    const QString header = u(" BGCOLOR=\"") + activeBorder() + u("\"");
    EXPECT_EQ(html(), QStringList({u("<table border=\"1\" cellspacing=\"0\" width=\"100%\">"), u("<tr>"),
                                   u("<td nowrap") + header + u("><B>Name</B></td>"),
                                   u("<td nowrap align=\"right\"") + header + u("><B>Age</B></td>"), u("</tr>"),
                                   u("<tr>"), u("<td nowrap>Oak</td>"), u("<td nowrap align=\"right\">7</td>"),
                                   u("</tr>"), u("<tr>"), u("<td nowrap>Elm</td>"),
                                   u("<td nowrap align=\"right\">12</td>"), u("</tr>"), u("</table><p>")}));
}

TEST_F(AdvListVHtmlTest, drawPropertiesGiveColoursAndStyles)
{
    list.OnDrawItemProp = [](QObject*, int item, int subItem, TOwnerDrawState, TBrush& brush, TFont& font,
                             const QString&) {
        if (item == 0 && subItem == -1) {
            brush.Color = clYellow;
            font.Style = fsBold;
        }
        if (item == 1 && subItem == 0) {
            font.Color = clBtnFace;
            font.Style = fsBold | fsItalic | fsUnderline;
        }
    };
    const QStringList lines = html();
    EXPECT_TRUE(lines.contains(u("<td nowrap BGCOLOR=\"#FFFF00\"><B>Oak</B></td>")));
    const TColor face = ColorToRGB(clBtnFace);
    EXPECT_TRUE(lines.contains(QString::asprintf(
        "<td nowrap align=\"right\"><font color=\"#%02X%02X%02X\"><B><I><U>12</U></I></B></font></td>", face & 0xFF,
        (face >> 8) & 0xFF, (face >> 16) & 0xFF)));

    list.GetHTMLSettings().SaveColor = false;
    list.GetHTMLSettings().SaveFonts = false;
    const QStringList plain = html();
    EXPECT_TRUE(plain.contains(u("<td nowrap>Oak</td>")));
    EXPECT_TRUE(plain.contains(u("<td nowrap><B>Name</B></td>")));
}

TEST_F(AdvListVHtmlTest, textsAreEscapedAndOnlyAllowedAddressesBecomeAnchors)
{
    list.SetURLShow(true);
    struct Case
    {
        const char* text;
        bool full;
        const char* cell;
    };
    const Case cases[] = {
        {"https://example.org/a?b=1&c=2", false,
         "<A HREF=\"https://example.org/a?b=1&amp;c=2\">example.org/a?b=1&amp;c=2</A>"},
        {"https://example.org", true, "<A HREF=\"https://example.org\">https://example.org</A>"},
        {"mailto:jan@example.org", false, "<A HREF=\"mailto:jan@example.org\">jan@example.org</A>"},
        {"javascript://alert(1)", false, "javascript://alert(1)"},
        {"see http://x.org now", false, "see http://x.org now"},
        {"a < b & \"c\"", false, "a &lt; b &amp; &quot;c&quot;"},
    };
    for (const Case& c : cases) {
        list.SetURLFull(c.full);
        list.Items()[0]->SubItems().Put(0, u(c.text));
        const QStringList lines = html();
        EXPECT_TRUE(lines.contains(u("<td nowrap align=\"right\">") + u(c.cell) + u("</td>")))
            << c.text << "\n"
            << lines.join(u"\n"_qs).toStdString();
    }
    // Markup kept as it is stays markup.
    list.Items()[0]->SubItems().Put(0, u("<b>bold</b>"));
    EXPECT_TRUE(html(true).contains(u("<td nowrap align=\"right\"><b>bold</b></td>")));
    EXPECT_TRUE(html(false).contains(u("<td nowrap align=\"right\">bold</td>")));
}

TEST_F(AdvListVHtmlTest, emptyCellsAndRowsWithoutSubItems)
{
    addRow({u("")});
    list.Columns()[1]->SetCaption(QString());
    const QStringList lines = html();
    EXPECT_TRUE(lines.contains(u("<td nowrap align=\"right\" BGCOLOR=\"") + activeBorder() + u("\"><B><BR></B></td>")));
    const qsizetype last = lines.lastIndexOf(u("<tr>"));
    EXPECT_EQ(lines.mid(last, 3), QStringList({u("<tr>"), u("<td nowrap><br></td>"), u("</tr>")}));

    list.Items()[0]->SubItems().Put(0, QString());
    EXPECT_TRUE(html().contains(u("<td nowrap><BR></td>")));
}

TEST_F(AdvListVHtmlTest, settingsFramesAndCharactersOutsideTheCodePage)
{
    THTMLSettings& settings = list.GetHTMLSettings();
    settings.BorderSize = 2;
    settings.CellSpacing = 3;
    settings.Width = 80;
    settings.PrefixTag = u("<div>");
    settings.SuffixTag = u("</div>");
    settings.HeaderFile = path(u("head.txt"));
    settings.FooterFile = path(u("foot.txt"));
    writeBytes(settings.HeaderFile, "<html>\r\n<body>\r\n");
    writeBytes(settings.FooterFile, "</body></html>\r\n");
    list.Items()[0]->SetCaption(u("Dąb ж"));
    list.SaveToHTML(path(u("a.html")), false);
    const QByteArray bytes = readBytes(path(u("a.html")));
    EXPECT_TRUE(bytes.startsWith("<html>\r\n<body>\r\n<div>\r\n<table border=\"2\" cellspacing=\"3\" width=\"80%\">"));
    EXPECT_TRUE(bytes.endsWith("</table><p>\r\n</div>\r\n</body></html>\r\n"));
    EXPECT_TRUE(bytes.contains("<td nowrap>D\xB9"
                               "b &#1078;</td>"));
}

TEST_F(AdvListVHtmlTest, failuresLeaveNoFile)
{
    const QString target = path(u("a.html"));
    list.GetHTMLSettings().HeaderFile = path(u("missing.txt"));
    try {
        list.SaveToHTML(target, false);
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), u("Cannot open header file ") + path(u("missing.txt")));
    }
    EXPECT_FALSE(QFile::exists(target));
    list.GetHTMLSettings().HeaderFile.clear();

    ASSERT_TRUE(QDir().mkpath(target + u("/inside")));
    try {
        list.SaveToHTML(target, false);
        ADD_FAILURE();
    } catch (const EAdvListViewError& e) {
        EXPECT_EQ(e.Message(), u("Cannot create file ") + target);
    }
    EXPECT_THROW(list.SaveToAscii(target, false), Exception);
    EXPECT_TRUE(QFileInfo(target + u("/inside")).isDir());

    TAdvListView empty;
    empty.Columns().Add();
    empty.SaveToHTML(path(u("b.html")), false);
    EXPECT_FALSE(QFile::exists(path(u("b.html"))));
}

TEST_F(AdvListVHtmlTest, asciiColumnsAreAsWideAsTheirLongestText)
{
    list.SaveToAscii(path(u("a.txt")), false);
    EXPECT_EQ(fileLines(path(u("a.txt"))), QStringList({u("Oak  7 "), u("Elm 12 ")}));

    list.Columns()[1]->SetAlignment(taLeftJustify);
    list.Items()[0]->SubItems().Put(0, u("a\r\nb"));
    list.SaveToAscii(path(u("b.txt")), false);
    EXPECT_EQ(fileLines(path(u("b.txt"))), QStringList({u("Oak a    "), u("    b"), u("Elm 12   ")}));

    // Widths are not held to 255 characters.
    list.Columns()[1]->SetAlignment(taCenter);
    list.Items()[0]->SubItems().Put(0, QString(300, u'x'));
    list.SaveToAscii(path(u("c.txt")), false);
    const QStringList lines = fileLines(path(u("c.txt")));
    EXPECT_EQ(lines[1], u("Elm") + QString(150, u' ') + u("12") + QString(150, u' '));
}
