#include "AdvListV.h"
#include "TestSupport.h"
#include "Vh_langmanager.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <xlsxwriter.h>
#include <zip.h>

namespace {

// What a program the setup script installs prints for a file.
QString toolOutput(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QStringLiteral("<%1 failed>").arg(program);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// One member of a zip archive, empty when it is missing.
QByteArray zipMember(const QString& archivePath, const char* name)
{
    int error = 0;
    zip_t* archive = zip_open(QFile::encodeName(archivePath).constData(), ZIP_RDONLY, &error);
    if (!archive)
        return QByteArray();
    QByteArray bytes;
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat(archive, name, 0, &stat) == 0)
        if (zip_file_t* file = zip_fopen(archive, name, 0)) {
            bytes.resize(qsizetype(stat.size));
            zip_fread(file, bytes.data(), stat.size);
            zip_fclose(file);
        }
    zip_discard(archive);
    return bytes;
}

QStringList cells(const TAdvListView& list, int row)
{
    return QStringList{list.Items()[row]->GetCaption()} + list.Items()[row]->SubItems().Texts();
}

} // namespace

class AdvListVOfficeTest : public ::testing::Test
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
        column->SetWidth(80);
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

    QTemporaryDir folder;
    TAdvListView list;
};

TEST_F(AdvListVOfficeTest, workbookHoldsTheTextsFromA1AndReadsBack)
{
    const QString file = path(u("a.xls"));
    list.SaveToXLS(file, false);
    const QByteArray sheet = zipMember(file, "xl/worksheets/sheet1.xml");
    EXPECT_TRUE(sheet.contains("<dimension ref=\"A1:B2\"/>")) << sheet.toStdString();
    // Every cell is a text, the numbers too.
    EXPECT_EQ(sheet.count("t=\"s\""), 4);
    EXPECT_EQ(toolOutput(u("xlsx2csv"), {file}), u("Oak,7\nElm,12\n"));

    TAdvListView other;
    other.LoadFromXLS(file);
    ASSERT_EQ(other.Columns().Count(), 2);
    ASSERT_EQ(other.Items().Count(), 2);
    EXPECT_EQ(cells(other, 0), QStringList({u("Oak"), u("7")}));
    EXPECT_EQ(cells(other, 1), QStringList({u("Elm"), u("12")}));

    other.SetLoadHeader(true);
    other.LoadFromXLS(file);
    EXPECT_EQ(other.Columns()[0]->GetCaption(), u("Oak"));
    EXPECT_EQ(other.Columns()[1]->GetCaption(), u("7"));
    ASSERT_EQ(other.Items().Count(), 1);
    EXPECT_EQ(cells(other, 0), QStringList({u("Elm"), u("12")}));
}

TEST_F(AdvListVOfficeTest, workbookRoundTripKeepsEveryCharacter)
{
    const QString awkward = u("pierwsza\r\ndruga\tzażółć \"<&>\" _x0041_ ж");
    list.Items()[1]->SubItems().Put(0, awkward);
    list.Items()[0]->SetCaption(u("<b>Oak</b>"));
    list.SaveToXLS(path(u("a.xlsx")), true);
    TAdvListView other;
    other.LoadFromXLS(path(u("a.xlsx")));
    ASSERT_EQ(other.Items().Count(), 2);
    EXPECT_EQ(cells(other, 0), QStringList({u("<b>Oak</b>"), u("7")}));
    EXPECT_EQ(cells(other, 1), QStringList({u("Elm"), awkward}));

    list.SaveToXLS(path(u("b.xlsx")), false);
    other.LoadFromXLS(path(u("b.xlsx")));
    EXPECT_EQ(other.Items()[0]->GetCaption(), u("Oak"));
}

TEST_F(AdvListVOfficeTest, usedCellsFarFromA1AndEveryKindOfValueAreRead)
{
    const QString file = path(u("far.xlsx"));
    // Inline strings, as a writer that keeps little in memory makes them.
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* workbook = workbook_new_opt(QFile::encodeName(file).constData(), &options);
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, nullptr);
    worksheet_write_string(sheet, 2, 2, "C3 ą", nullptr);
    worksheet_write_number(sheet, 2, 3, 3.5, nullptr);
    worksheet_write_boolean(sheet, 3, 2, 1, nullptr);
    worksheet_write_string(sheet, 4, 27, "AB5", nullptr);
    ASSERT_EQ(workbook_close(workbook), LXW_NO_ERROR);

    list.LoadFromXLS(file);
    ASSERT_EQ(list.Columns().Count(), 28);
    ASSERT_EQ(list.Items().Count(), 5);
    EXPECT_EQ(list.GetTextAtColRow(2, 2), u("C3 ą"));
    EXPECT_EQ(list.GetTextAtColRow(3, 2), u("3.5"));
    EXPECT_EQ(list.GetTextAtColRow(2, 3), u("TRUE"));
    EXPECT_EQ(list.GetTextAtColRow(27, 4), u("AB5"));
    EXPECT_EQ(list.GetTextAtColRow(0, 0), QString());
    EXPECT_EQ(list.Items()[0]->SubItems().Count(), 27);
}

TEST_F(AdvListVOfficeTest, unreadableWorkbooksRaiseTheCorruptFileText)
{
    const QByteArray oldBinary = QByteArray::fromHex("D0CF11E0A1B11AE1") + QByteArray(504, '\0');
    const struct
    {
        const char* name;
        QByteArray bytes;
    } files[] = {{"old.xls", oldBinary}, {"text.xlsx", "Name,Age\r\n"}, {"empty.xlsx", QByteArray()}};
    for (const auto& f : files) {
        const QString file = path(u(f.name));
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(f.bytes);
        out.close();
        try {
            list.LoadFromXLS(file);
            ADD_FAILURE() << f.name;
        } catch (const EAdvListViewError& e) {
            EXPECT_EQ(e.Message(), u("File contains no data or corrupt file ") + file);
        }
        EXPECT_EQ(list.Items().Count(), 2);
    }
    EXPECT_THROW(list.LoadFromXLS(path(u("missing.xlsx"))), EAdvListViewError);
}

TEST_F(AdvListVOfficeTest, documentHoldsATableWithAlignedColumns)
{
    const QString file = path(u("a.doc"));
    list.SaveToDOC(file, false);
    const QByteArray document = zipMember(file, "word/document.xml");
    EXPECT_EQ(document.count("<w:tr>"), 2);
    EXPECT_EQ(document.count("<w:tc>"), 4);
    EXPECT_EQ(document.count("<w:jc w:val=\"right\"/>"), 2);
    const QString text = toolOutput(u("docx2txt"), {file, u("-")});
    for (const char* expected : {"Oak", "7", "Elm", "12"})
        EXPECT_TRUE(text.contains(u(expected))) << expected << " in " << text.toStdString();
    EXPECT_LT(text.indexOf(u("Oak")), text.indexOf(u("Elm")));

    list.Columns()[1]->SetAlignment(taCenter);
    list.Items()[0]->SubItems().Put(0, u("a & <b>\r\nc"));
    list.SaveToDOC(file, true);
    const QByteArray centred = zipMember(file, "word/document.xml");
    EXPECT_EQ(centred.count("<w:jc w:val=\"center\"/>"), 2);
    EXPECT_TRUE(centred.contains("a &amp; &lt;b&gt;</w:t><w:br/><w:t xml:space=\"preserve\">c"));
}

// Lines from other programs end in LF or CR alone: each is a line break in the cell, as CR LF is.
TEST_F(AdvListVOfficeTest, documentBreaksLinesAtEveryKindOfLineEnd)
{
    const QString file = path(u("a.docx"));
    const QByteArray broken = "a</w:t><w:br/><w:t xml:space=\"preserve\">b</w:t><w:br/><w:t xml:space=\"preserve\">c"
                              "</w:t><w:br/><w:t xml:space=\"preserve\">d";
    list.Items()[0]->SubItems().Put(0, u("a\nb\rc\r\nd"));
    list.SaveToDOC(file, true);
    EXPECT_TRUE(zipMember(file, "word/document.xml").contains(broken));
}

// A cell longer than a workbook cell holds fails the export with a message that names the cell and the limit;
// a cell at the limit is written.
TEST_F(AdvListVOfficeTest, workbookRefusesACellBeyondTheCellLimitByName)
{
    const QString file = path(u("a.xlsx"));
    list.Items()[1]->SubItems().Put(0, QString(32767, u'x'));
    list.SaveToXLS(file, false);
    TAdvListView back;
    back.LoadFromXLS(file);
    EXPECT_EQ(back.GetTextAtColRow(1, 1).size(), 32767);

    gLangM.Load(KX_LangManager::MessageTable());
    list.Items()[1]->SubItems().Put(0, QString(32768, u'x'));
    const QString refused = path(u("b.xlsx"));
    try {
        list.SaveToXLS(refused, false);
        ADD_FAILURE();
    } catch (const EAdvListViewError& e) {
        EXPECT_EQ(e.Message(), u("Nie zapisano pliku ") + refused +
                                   u(": komórka w wierszu 2, kolumnie 2 ma więcej niż 32767 znaków, a tyle najwięcej "
                                     "mieści komórka arkusza."));
    }
    EXPECT_FALSE(QFileInfo::exists(refused));
}

TEST_F(AdvListVOfficeTest, aFolderAtTheTargetNameCannotBeCreatedAndStays)
{
    const QString target = path(u("taken"));
    ASSERT_TRUE(QDir().mkpath(target + u("/inside")));
    for (const auto& save : {&TAdvListView::SaveToXLS, &TAdvListView::SaveToDOC}) {
        try {
            (list.*save)(target, false);
            ADD_FAILURE();
        } catch (const EAdvListViewError& e) {
            EXPECT_EQ(e.Message(), u("Cannot create file ") + target);
        }
    }
    EXPECT_TRUE(QFileInfo(target + u("/inside")).isDir());
}
