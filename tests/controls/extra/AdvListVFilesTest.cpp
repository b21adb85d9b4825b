#include "AdvListV.h"
#include "CodePage.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QBuffer>
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

QByteArray crlfLines(const QStringList& lines)
{
    return (lines.join(u("\r\n")) + u("\r\n")).toUtf8();
}

QByteArray utf16Lines(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        for (const QChar ch : line + u("\r\n"))
            bytes.append(char(ch.unicode() & 0xFF)).append(char(ch.unicode() >> 8));
    return bytes;
}

QStringList cells(const TAdvListView& list, int row)
{
    return QStringList{list.Items()[row]->GetCaption()} + list.Items()[row]->SubItems().Texts();
}

// A text that the cell formats must carry whole.
const QString Awkward = u("pierwsza\r\ndruga\tzażółć \"<&>\"");

} // namespace

class AdvListVFilesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        addColumn(u("Name"), 100, taLeftJustify);
        addColumn(u("Age"), 50, taRightJustify);
        addRow(list, {u("Oak"), u("7")});
        addRow(list, {u("Elm"), u("12")});
    }

    void addColumn(const QString& caption, int width, TAlignment alignment)
    {
        TListColumn* column = list.Columns().Add();
        column->SetCaption(caption);
        column->SetWidth(width);
        column->SetAlignment(alignment);
    }

    static void addRow(TAdvListView& target, const QStringList& texts)
    {
        TListItem* item = target.Items().Add();
        item->SetCaption(texts.value(0));
        for (int i = 1; i < texts.size(); ++i)
            item->SubItems().Add(texts[i]);
    }

    QString path(const QString& name) const { return folder.filePath(name); }

    QTemporaryDir folder;
    TAdvListView list;
};

TEST_F(AdvListVFilesTest, xmlHasARecordPerItemWithNamedAndNumberedFields)
{
    list.SaveToXML(path(u("a.xml")), u("list"), u("row"), {u("name")}, false);
    EXPECT_EQ(readBytes(path(u("a.xml"))),
              crlfLines({u("<?xml version=\"1.0\"?>"), u("<list>"), u("<row>"), u("<name>Oak</name>"),
                         u("<FIELD1>7</FIELD1>"), u("</row>"), u("<row>"), u("<name>Elm</name>"),
                         u("<FIELD1>12</FIELD1>"), u("</row>"), u("</list>")}));

    TAdvListView empty;
    empty.SaveToXML(path(u("e.xml")), u("list"), u("row"), {}, false);
    EXPECT_EQ(readBytes(path(u("e.xml"))), crlfLines({u("<?xml version=\"1.0\"?>"), u("<list>"), u("</list>")}));
}

TEST_F(AdvListVFilesTest, xmlEscapesTextsInUtf8AndRefusesTagsThatAreNoNames)
{
    list.Items()[0]->SetCaption(u("a<b & ż"));
    list.SaveToXML(path(u("a.xml")), u("list"), u("row"), {}, true);
    EXPECT_TRUE(readBytes(path(u("a.xml"))).contains(u("<FIELD0>a&lt;b &amp; ż</FIELD0>").toUtf8()));

    for (const QStringList& tags : {QStringList{u("bad tag"), u("row")}, QStringList{u("list"), u("1row")},
                                    QStringList{u("list"), u("row"), u("x><y")}}) {
        const QString target = path(u("bad.xml"));
        try {
            list.SaveToXML(target, tags[0], tags[1], tags.mid(2), false);
            ADD_FAILURE() << tags.join(u"|"_qs).toStdString();
        } catch (const EAdvListViewError& e) {
            EXPECT_EQ(e.Message(), u("Cannot create file ") + target);
        }
        EXPECT_FALSE(QFile::exists(target));
    }
}

TEST_F(AdvListVFilesTest, aFolderAtTheTargetNameCannotBeCreatedAndStays)
{
    const QString target = path(u("taken"));
    ASSERT_TRUE(QDir().mkpath(target + u("/inside")));
    try {
        list.SaveToXML(target, u("list"), u("row"), {}, false);
        ADD_FAILURE();
    } catch (const EAdvListViewError& e) {
        EXPECT_EQ(e.Message(), u("Cannot create file ") + target);
    }
    EXPECT_THROW(list.SaveToFile(target, false, false), EAdvListViewError);
    EXPECT_THROW(list.SaveToCSV(target, false, false), EAdvListViewError);
    EXPECT_TRUE(QFileInfo(target + u("/inside")).isDir());
}

TEST_F(AdvListVFilesTest, cellFileHoldsCountsWidthsCaptionsAndCellsAndReadsBack)
{
    list.SetSaveHeader(true);
    list.SaveToFile(path(u("a.txt")), false, false);
    EXPECT_EQ(readBytes(path(u("a.txt"))),
              crlfLines({u("2,2"), u("cw 0,100"), u("cw 1,50"), u("0,0,Name"), u("1,0,Age"), u("0,1,-1,Oak"),
                         u("1,1,-1,7"), u("0,2,-1,Elm"), u("1,2,-1,12")}));

    TAdvListView other;
    other.SetLoadHeader(true);
    other.LoadFromFile(path(u("a.txt")));
    ASSERT_EQ(other.Columns().Count(), 2);
    EXPECT_EQ(other.Columns()[0]->GetCaption(), u("Name"));
    EXPECT_EQ(other.Columns()[1]->GetCaption(), u("Age"));
    EXPECT_EQ(other.Columns()[0]->GetWidth(), 100);
    EXPECT_EQ(other.Columns()[1]->GetWidth(), 50);
    ASSERT_EQ(other.Items().Count(), 2);
    EXPECT_EQ(cells(other, 0).mid(0, 2), QStringList({u("Oak"), u("7")}));
    EXPECT_EQ(cells(other, 1).mid(0, 2), QStringList({u("Elm"), u("12")}));
    EXPECT_FALSE(other.GetSubImages());
}

TEST_F(AdvListVFilesTest, captionWithACommaReadsBackWhole)
{
    list.Columns()[0]->SetCaption(u("Name, full"));
    list.SetSaveHeader(true);
    list.SaveToFile(path(u("a.txt")), false, false);
    TAdvListView other;
    other.SetLoadHeader(true);
    other.LoadFromFile(path(u("a.txt")));
    EXPECT_EQ(other.Columns()[0]->GetCaption(), u("Name, full"));
    EXPECT_FALSE(other.GetSubImages());
}

TEST_F(AdvListVFilesTest, cellFileRoundTripKeepsEveryCharacterBothEncodings)
{
    list.Items()[1]->SubItems().Put(0, Awkward);
    for (const bool unicode : {false, true}) {
        list.SaveToFile(path(u("a.txt")), true, unicode);
        const QByteArray bytes = readBytes(path(u("a.txt")));
        EXPECT_EQ(bytes.startsWith("\xFF\xFE"), unicode);
        TAdvListView other;
        other.LoadFromFile(path(u("a.txt")));
        ASSERT_EQ(other.Items().Count(), 2);
        EXPECT_EQ(cells(other, 1).mid(0, 2), QStringList({u("Elm"), Awkward})) << unicode;
    }
    // The ANSI file is Windows-1250: a character it lacks becomes "?".
    list.Items()[0]->SetCaption(u("ą€ж"));
    list.SaveToFile(path(u("b.txt")), true, false);
    TAdvListView other;
    other.LoadFromFile(path(u("b.txt")));
    EXPECT_EQ(other.Items()[0]->GetCaption(), u("ą€?"));
}

TEST_F(AdvListVFilesTest, corruptCellFilesRaiseBeforeTheListChanges)
{
    const char* const files[] = {
        "0,5\r\n",
        "",
        "2,0\r\n",
        "70000,1\r\n",
        "1,20000000\r\n",
        // Counts that promise a grid the file's lines do not carry, or more cells than any list holds.
        "1,10000000\r\n",
        "1,100001\r\n",
        "65535,10000\r\n",
        "65535,100000\r\n",
        "401,50000\r\n",
        "2,2\r\n0,9,-1,far row\r\n",
        "2,2\r\n7,0,-1,far column\r\n",
    };
    for (const char* file : files) {
        const QString target = path(u("bad.txt"));
        writeBytes(target, file);
        try {
            list.LoadFromFile(target);
            ADD_FAILURE() << file;
        } catch (const EAdvListViewError& e) {
            EXPECT_EQ(e.Message(), u("File contains no data or corrupt file ") + target) << file;
        }
        ASSERT_EQ(list.Items().Count(), 2) << file;
        EXPECT_EQ(list.Items()[0]->GetCaption(), u("Oak"));
    }
}

// Empty rows have no lines, so a modest count is taken on its own; a larger one needs a line per row.
TEST_F(AdvListVFilesTest, cellFileRowsBeyondTheAllowanceNeedTheirLines)
{
    writeBytes(path(u("empty.txt")), "400,50000\r\n");
    list.LoadFromFile(path(u("empty.txt")));
    EXPECT_EQ(list.Items().Count(), 50000);
    writeBytes(path(u("empty.txt")), "1,100000\r\n");
    list.LoadFromFile(path(u("empty.txt")));
    EXPECT_EQ(list.Items().Count(), 100000);

    QByteArray full = "1,100001\r\n";
    for (int row = 0; row < 100001; ++row)
        full += "0," + QByteArray::number(row) + ",-1,x\r\n";
    writeBytes(path(u("full.txt")), full);
    list.LoadFromFile(path(u("full.txt")));
    ASSERT_EQ(list.Items().Count(), 100001);
    EXPECT_EQ(list.Items()[100000]->GetCaption(), u("x"));
}

TEST_F(AdvListVFilesTest, cellFileImagesSwitchSubImagesOn)
{
    writeBytes(path(u("a.txt")), "2,1\r\n0,0,3,Oak\r\n1,0,4,7\r\ncw 9,5\r\n");
    list.LoadFromFile(path(u("a.txt")));
    EXPECT_TRUE(list.GetSubImages());
    EXPECT_EQ(list.Items()[0]->GetImageIndex(), 3);
    EXPECT_EQ(list.GetSubItemImage(0, 0), 4);
    EXPECT_EQ(cells(list, 0).mid(0, 2), QStringList({u("Oak"), u("7")}));
}

TEST_F(AdvListVFilesTest, streamHoldsUtf16LinesAndReadsBack)
{
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    list.SaveToStream(buffer, false);
    EXPECT_EQ(buffer.data(),
              utf16Lines({u("2,3"), u("0,0,Name"), u("1,0,Age"), u("0,1,Oak"), u("1,1,7"), u("0,2,Elm"), u("1,2,12")}));

    list.Items()[0]->SubItems().Put(0, Awkward);
    QBuffer again;
    again.open(QIODevice::ReadWrite);
    list.SaveToStream(again, true);
    TAdvListView other;
    other.LoadFromStream(again);
    EXPECT_EQ(other.Columns()[1]->GetCaption(), u("Age"));
    ASSERT_EQ(other.Items().Count(), 2);
    EXPECT_EQ(cells(other, 0).mid(0, 2), QStringList({u("Oak"), Awkward}));
    EXPECT_EQ(cells(other, 1).mid(0, 2), QStringList({u("Elm"), u("12")}));
}

TEST_F(AdvListVFilesTest, emptyOrZeroStreamsChangeNothingAndBadNumbersRaise)
{
    for (const QByteArray& bytes : {QByteArray(), utf16Lines({u("0,3")}), utf16Lines({u("2,0")})}) {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        list.LoadFromStream(buffer);
        EXPECT_EQ(list.Items().Count(), 2);
    }
    QBuffer bad;
    bad.setData(utf16Lines({u("x,3")}));
    bad.open(QIODevice::ReadOnly);
    EXPECT_THROW(list.LoadFromStream(bad), EConvertError);
    QBuffer outside;
    outside.setData(utf16Lines({u("2,2"), u("5,1,far")}));
    outside.open(QIODevice::ReadOnly);
    EXPECT_THROW(list.LoadFromStream(outside), EAdvListViewError);
    EXPECT_EQ(list.Items().Count(), 2);
}

TEST_F(AdvListVFilesTest, streamCountsTheLinesCannotCarryRaiseBeforeTheListChanges)
{
    for (const char* counts : {"1,10000000", "1,100002", "65535,10000", "401,50001"}) {
        QBuffer buffer;
        buffer.setData(utf16Lines({u(counts), u("0,1,Oak")}));
        buffer.open(QIODevice::ReadOnly);
        EXPECT_THROW(list.LoadFromStream(buffer), EAdvListViewError) << counts;
        EXPECT_EQ(list.Items().Count(), 2) << counts;
    }
}

TEST_F(AdvListVFilesTest, csvLinesHaveAFieldPerColumn)
{
    list.SetSaveHeader(true);
    list.SaveToCSV(path(u("a.csv")), false, false);
    EXPECT_EQ(readBytes(path(u("a.csv"))), crlfLines({u("Name,Age"), u("Oak,7"), u("Elm,12")}));

    list.SetSaveHeader(false);
    addColumn(u("More"), 10, taLeftJustify);
    list.SaveToCSV(path(u("b.csv")), false, false);
    EXPECT_EQ(readBytes(path(u("b.csv"))), crlfLines({u("Oak,7,"), u("Elm,12,")}));

    TAdvListView empty;
    empty.Columns().Add();
    empty.SaveToCSV(path(u("c.csv")), false, false);
    EXPECT_FALSE(QFile::exists(path(u("c.csv"))));
}

TEST_F(AdvListVFilesTest, csvQuotesOnlyFieldsThatNeedItAndReadsThemBack)
{
    list.Items()[0]->SubItems().Put(0, u("a,b"));
    list.Items()[1]->SubItems().Put(0, Awkward);
    for (const bool unicode : {false, true}) {
        list.SaveToCSV(path(u("a.csv")), true, unicode);
        if (!unicode) {
            EXPECT_TRUE(readBytes(path(u("a.csv"))).startsWith("Oak,\"a,b\"\r\n"));
        }
        TAdvListView other;
        other.LoadFromCSV(path(u("a.csv")));
        ASSERT_EQ(other.Items().Count(), 2);
        EXPECT_EQ(cells(other, 0), QStringList({u("Oak"), u("a,b")}));
        EXPECT_EQ(cells(other, 1), QStringList({u("Elm"), Awkward}));
    }
}

TEST_F(AdvListVFilesTest, csvSeparatorIsDetectedFromTheFirstTwoLines)
{
    struct Case
    {
        const char* file;
        char16_t delimiter; // 0: none found, a comma is used
        QStringList firstRow;
    };
    const Case cases[] = {
        {"a;b,c;d\r\ne;f,g;h\r\n", u';', {u("a"), u("b,c"), u("d")}},
        {"a;b,c\r\n", 0, {u("a;b"), u("c")}},
        {"\"a,b\",c\r\n", 0, {u("a,b"), u("c")}},
        {"a|b\r\nc|d\r\n", u'|', {u("a"), u("b")}},
        {"\"say \"\"hi\"\"\",x\r\n\"open,y\r\n", u',', {u("say \"hi\""), u("x")}},
    };
    for (const Case& c : cases) {
        TAdvListView other;
        writeBytes(path(u("a.csv")), c.file);
        other.LoadFromCSV(path(u("a.csv")));
        EXPECT_EQ(other.Delimiter, QChar(c.delimiter)) << c.file;
        ASSERT_GE(other.Items().Count(), 1) << c.file;
        EXPECT_EQ(cells(other, 0), c.firstRow) << c.file;
    }
    // A quoted field without its closing quote takes the rest of its line.
    TAdvListView other;
    writeBytes(path(u("b.csv")), "x,\"open,y\r\nz\r\n");
    other.LoadFromCSV(path(u("b.csv")));
    ASSERT_EQ(other.Items().Count(), 2);
    EXPECT_EQ(cells(other, 0), QStringList({u("x"), u("open,y")}));
    EXPECT_EQ(cells(other, 1), QStringList({u("z")}));
}

TEST_F(AdvListVFilesTest, csvHeaderReplacesTheListButInsertAppends)
{
    writeBytes(path(u("a.csv")), "Tree,Age\r\nAsh,3\r\n");
    TAdvListView other;
    addRow(other, {u("old")});
    other.SetLoadHeader(true);
    other.InsertFromCSV(path(u("a.csv")));
    ASSERT_EQ(other.Items().Count(), 3);
    EXPECT_EQ(cells(other, 1), QStringList({u("Tree"), u("Age")}));

    other.LoadFromCSV(path(u("a.csv")));
    ASSERT_EQ(other.Items().Count(), 1);
    EXPECT_EQ(other.Columns()[0]->GetCaption(), u("Tree"));
    EXPECT_EQ(other.Columns()[1]->GetCaption(), u("Age"));
    EXPECT_EQ(cells(other, 0), QStringList({u("Ash"), u("3")}));

    list.LoadFromCSV(path(u("a.csv")));
    ASSERT_EQ(list.Items().Count(), 4);
    EXPECT_EQ(cells(list, 3), QStringList({u("Ash"), u("3")}));
}
