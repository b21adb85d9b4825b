#include "FamilyViewPage.h"
#include "EditingFixture.h"
#include "HtmlEscape.h"
#include "Toolkit.h"

#include <QFileInfo>
#include <QUrl>

#ifndef KRONVEL_SOURCE_DIR
#error "KRONVEL_SOURCE_DIR is set by the test build"
#endif

namespace {

class FamilyViewPageTest : public EditingFixture
{
protected:
    void SetUp() override
    {
        EditingFixture::SetUp();
        gAppFolder = QStringLiteral(KRONVEL_SOURCE_DIR "/resources/");
        gTempFolder = folder.path() + QStringLiteral("/temp/");
        QDir().mkpath(gTempFolder);
    }

    static QStringList script(const QString& id)
    {
        KV_Person* person = gDB.FindPerson(id);
        KV_Person none;
        return FamilyViewScript(person ? *person : none, person == nullptr);
    }
    static QStringList linesStarting(const QStringList& lines, const QString& start)
    {
        QStringList found;
        for (const QString& line : lines) {
            if (line.startsWith(start))
                found << line;
        }
        return found;
    }
    static QString pageOf(const QString& id)
    {
        return FamilyViewPageText(QStringLiteral("<#SPOUSE_NUM#>|<#CHILDREN_NUM#>|<#SIBLINGS_NUM#>|<#BACKGROUND_SEX#>|"
                                                 "<#MENU_ITEMS#>|<#FILL_CONTENT#>"),
                                  id);
    }
    static QString q(const QString& text) { return u'"' + text + u'"'; }
};

TEST_F(FamilyViewPageTest, theEmptyPageOffersANewPersonAndParentsWithoutAdding)
{
    const QStringList expected{
        "hideNotUsedItems();",
        "setProbantSex(2);",
        "setEmpty(0,\"id_probant\",false,true,\"KOBIETA\",\"MEZCZYZNA\");",
        "setEmpty(1,\"id_father\",false,false,\"Ojciec\",\"\");",
        "setEmpty(2,\"id_mother\",false,false,\"Matka\",\"\");",
        "setEmpty(21,\"id_grand-parents_1\",false,false,\"Dziadek\",\"\");",
        "setEmpty(22,\"id_grand-parents_2\",false,false,\"Babcia\",\"\");",
        "setEmpty(31,\"id_grand-parents_3\",false,false,\"Dziadek\",\"\");",
        "setEmpty(32,\"id_grand-parents_4\",false,false,\"Babcia\",\"\");",
    };
    // An empty ID and an ID that names no person give the same page.
    addPerson(u("Jan"), u("Kowalski"));
    for (const QString& id : {QString(), QStringLiteral("person_00000000-0000-0000-0000-000000000000")}) {
        EXPECT_EQ(script(id), expected);
        const QStringList parts = pageOf(id).split(u'|');
        ASSERT_EQ(parts.size(), 6);
        EXPECT_EQ(parts[0], u("Związki (0)"));
        EXPECT_EQ(parts[1], u("Dzieci (0)"));
        EXPECT_EQ(parts[2], u("Rodzeństwo (0)"));
        EXPECT_EQ(parts[3], "frame-container-background-unknown");
        EXPECT_EQ(parts[4],
                  u("<a class=\"dropdown-item \" href=\"person_add_type_1\">Ojciec</a>"
                    "<a class=\"dropdown-item \" href=\"person_add_type_2\">Matka</a>"
                    "<div class=\"dropdown-divider\"></div>"
                    "<a class=\"dropdown-item disabled href-no-click\" href=\"person_add_type_6\">Brat</a>"
                    "<a class=\"dropdown-item disabled href-no-click\" href=\"person_add_type_7\">Siostra</a>"
                    "<div class=\"dropdown-divider\"></div>"
                    "<a class=\"dropdown-item disabled href-no-click\" href=\"person_add_type_3\">"
                    "Współmałżonek/Partner</a>"
                    "<div class=\"dropdown-divider\"></div>"
                    "<a class=\"dropdown-item disabled href-no-click\" href=\"person_add_type_4\">Syn</a>"
                    "<a class=\"dropdown-item disabled href-no-click\" href=\"person_add_type_5\">Córka</a>"));
        EXPECT_EQ(parts[5], expected.join("\r\n") + "\r\n");
    }
}

TEST_F(FamilyViewPageTest, aFatherWithoutParentsOffersBothGrandparents)
{
    KV_Person* father = addPerson(u("Jan"), u("Kowalski"), 1);
    KV_Person* probant = addPerson(u("Piotr"), u("Kowalski"), 1);
    makeChild(probant, father, nullptr);
    const QStringList lines = script(probant->ID);
    EXPECT_EQ(
        lines.mid(0, 9),
        QStringList({
            "setProbantSex(1);",
            "setDane(\"00\",true," + q(probant->ID) + ",true,\"id_probant\",\"Piotr Kowalski\",\"\",\"\",\"\",\"\");",
            "setDane(\"01\",false," + q(father->ID) + ",true,\"id_father\",\"Jan Kowalski\",\"\",\"\",\"\",\"\");",
            "setEmpty(2,\"id_mother\",false,true,\"Matka\",\"\");",
            "setEmpty(21,\"id_grand-parents_1\",false,true,\"Dziadek\",\"\");",
            "setEmpty(22,\"id_grand-parents_2\",false,true,\"Babcia\",\"\");",
            "setEmpty(31,\"id_grand-parents_3\",false,false,\"Dziadek\",\"\");",
            "setEmpty(32,\"id_grand-parents_4\",false,false,\"Babcia\",\"\");",
        }));
    EXPECT_EQ(lines.size(), 8) << "no partners, children or siblings";
    const QString menu = FamilyViewAddMenu(*probant, false);
    EXPECT_TRUE(menu.contains("\"dropdown-item disabled href-no-click\" href=\"person_add_type_1\""));
    for (const char* type : {"2", "6", "7", "3", "4", "5"})
        EXPECT_TRUE(menu.contains(QStringLiteral("\"dropdown-item \" href=\"person_add_type_%1\"").arg(type))) << type;
}

TEST_F(FamilyViewPageTest, grandparentsCarryTheIDOfTheParentTheyHangOn)
{
    KV_Person* grandmother = addPerson(u("Zofia"), u("Nowak"), 0);
    KV_Person* mother = addPerson(u("Anna"), u("Nowak"), 0);
    KV_Person* probant = addPerson(u("Ewa"), u("Lis"), 0);
    makeChild(mother, nullptr, grandmother);
    makeChild(probant, nullptr, mother);
    const QStringList lines = script(probant->ID);
    EXPECT_EQ(lines[0], "setProbantSex(0);");
    EXPECT_TRUE(lines.contains("setEmpty(31,\"id_grand-parents_3\",false,true,\"Dziadek\",\"\");"));
    EXPECT_TRUE(lines.contains("setDane(\"32\",false," + q(grandmother->ID) +
                               ",false,\"id_grand-parents_4\",\"Zofia Nowak\",\"\",\"\",\"\"," + q(mother->ID) + ");"));
    EXPECT_TRUE(pageOf(probant->ID).contains("|frame-container-background-female|"));
}

TEST_F(FamilyViewPageTest, theProbantsSexGivesTheScriptAndTheBackground)
{
    const struct
    {
        int sex;
        const char* line;
        const char* background;
    } cases[] = {
        {0, "setProbantSex(0);", "frame-container-background-female"},
        {1, "setProbantSex(1);", "frame-container-background-male"},
        {2, "setProbantSex(0);", "frame-container-background-unknown"},
    };
    for (const auto& c : cases) {
        const KV_Person* person = addPerson(u("Alex"), u("Kos"), c.sex);
        EXPECT_EQ(script(person->ID).first(), c.line) << c.sex;
        EXPECT_EQ(pageOf(person->ID).split(u'|')[3], c.background) << c.sex;
    }
}

TEST_F(FamilyViewPageTest, childrenJoinTheGroupOfThePartnerTheyWereBornWith)
{
    KV_Person* probant = addPerson(u("Jan"), u("Kowalski"), 1);
    KV_Person* partner = addPerson(u("Anna"), u("Kowalska"), 0);
    makeUnion(probant, partner);
    KV_Person* first = addPerson(u("Piotr"), u("Kowalski"), 1);
    KV_Person* second = addPerson(u("Ewa"), u("Kowalska"), 0);
    KV_Person* third = addPerson(u("Adam"), u("Kowalski"), 1);
    makeChild(first, probant, partner);
    makeChild(second, probant, partner);
    makeChild(third, probant, nullptr);

    const QStringList lines = script(probant->ID);
    const QString group = q("group_" + partner->ID);
    EXPECT_EQ(linesStarting(lines, "putSpouse("),
              QStringList{"putSpouse(1,false," + q("id_probant_spouse_" + partner->ID) + ",true," + group + ");"});
    EXPECT_EQ(linesStarting(lines, "putChild("),
              QStringList({
                  "putChild(1,true," + q("id_probant_child_" + first->ID) + ",false," + group + ");",
                  "putChild(2,false," + q("id_probant_child_" + second->ID) + ",false," + group + ");",
                  "putChild(3,true," + q("id_probant_child_" + third->ID) + ",true,\"group_empty\");",
              }));
    // Each placing call is followed by the box's own call.
    const qsizetype spouse =
        lines.indexOf("putSpouse(1,false," + q("id_probant_spouse_" + partner->ID) + ",true," + group + ");");
    EXPECT_TRUE(lines[spouse + 1].startsWith("setDane(\"03\",false," + q(partner->ID)));
    EXPECT_TRUE(lines.last().startsWith("setDane(\"04\",false," + q(third->ID)));
    const QStringList parts = pageOf(probant->ID).split(u'|');
    EXPECT_EQ(parts[0], u("Związki (1)"));
    EXPECT_EQ(parts[1], u("Dzieci (3)"));

    // From the children's side the father's other children are siblings, in his list's order.
    const QStringList fromChild = script(second->ID);
    EXPECT_EQ(linesStarting(fromChild, "putSibling("),
              QStringList({"putSibling(1,true," + q("id_probant_sibling_" + first->ID) + ",false);",
                           "putSibling(2,true," + q("id_probant_sibling_" + third->ID) + ",true);"}));
    EXPECT_EQ(pageOf(second->ID).split(u'|')[2], u("Rodzeństwo (2)"));
}

TEST_F(FamilyViewPageTest, missingEntriesKeepTheirNumbersAndTheLastFlagItsPosition)
{
    KV_Person* probant = addPerson(u("Jan"), u("Kowalski"), 1);
    KV_Person* partner = addPerson(u("Anna"), u("Kowalska"), 0);
    KV_Person* child = addPerson(u("Piotr"), u("Kowalski"), 1);
    const QString missing = QStringLiteral("person_11111111-1111-1111-1111-111111111111");
    probant->FList = {missing, partner->ID};
    partner->FList = {probant->ID};
    probant->CList = {child->ID, missing};
    child->FID = probant->ID;

    const QStringList lines = script(probant->ID);
    EXPECT_EQ(linesStarting(lines, "putSpouse("),
              QStringList{"putSpouse(2,false," + q("id_probant_spouse_" + partner->ID) + ",true," +
                          q("group_" + partner->ID) + ");"});
    EXPECT_EQ(linesStarting(lines, "putChild("),
              QStringList{"putChild(1,true," + q("id_probant_child_" + child->ID) + ",false,\"group_empty\");"});
    const QStringList parts = pageOf(probant->ID).split(u'|');
    EXPECT_EQ(parts[0], u("Związki (2)")) << "the counts are of the lists' entries";
    EXPECT_EQ(parts[1], u("Dzieci (2)"));
}

TEST_F(FamilyViewPageTest, everyTextGoesIntoTheScriptAsAStringLiteral)
{
    const QString hostile = QStringLiteral("O'Brien \\ <b>bold</b>\n</script><script>alert(1)</script>");
    KV_Person* probant = addPerson(hostile, u("Kowalski"), 0);
    probant->Dead = 1;
    addFact(probant, "DEAT", "1990", hostile);
    const QString pictureFolder = folder.path() + QStringLiteral("/it's <b> & #1/");
    QDir().mkpath(pictureFolder);
    auto* picture = new KV_Picture;
    picture->File = pictureFolder + QStringLiteral("zdjęcie 1.png");
    gDB.AddPictureToPerson(probant->ID, picture);

    const QString line = linesStarting(script(probant->ID), "setDane(").first();
    const QString url = QUrl::fromLocalFile(picture->File).toString(QUrl::FullyEncoded);
    EXPECT_TRUE(url.startsWith("file:///") && !url.startsWith("file:////")) << url.toStdString();
    EXPECT_EQ(line, "setDane(\"00\",true," + q(probant->ID) + ",false,\"id_probant\"," +
                        jsString(probant->GetDisplayName(DisplayNameMode::Plain, false, false)) + ",\"\"," +
                        jsString(probant->GetDeathText(true, true, "?")) + "," + jsString(url) + ",\"\");");
    EXPECT_TRUE(probant->GetDisplayName(DisplayNameMode::Plain, false, false).startsWith(hostile))
        << "taken as plain text, escaped only once";
    for (const char* raw : {"'", "<", ">", "\n", "&"})
        EXPECT_FALSE(line.contains(QLatin1String(raw))) << raw;
    EXPECT_TRUE(line.contains("O\\u0027Brien \\u005c \\u003cb\\u003ebold\\u003c/b\\u003e\\u000a\\u003c/script"));
}

TEST_F(FamilyViewPageTest, aPersonsPageIsNamedAfterTheIDAndAnyOtherTextGivesTheEmptyPagesName)
{
    const KV_Person* person = addPerson(u("Jan"), u("Kowalski"));
    EXPECT_EQ(FamilyViewPageFile(person->ID), gTempFolder + person->ID + ".html");
    EXPECT_EQ(FamilyViewPageFile("person_0a1b2c3d-0000-4000-8000-00000000abcd"),
              gTempFolder + "person_0a1b2c3d-0000-4000-8000-00000000abcd.html")
        << "the person need not exist";
    for (const char* forged :
         {"", "person_../../../etc/passwd", "../index", "person_0A1B", "fact_0A1B2C3D-0000-4000-8000-00000000ABCD",
          "person_0A1B2C3D-0000-4000-8000-00000000ABCD/x", "person_0A1B2C3D-0000-4000-8000-0000000ABC/",
          "person_0A1B2C3D-0000-4000-8000-00000000ABCDE", "PERSON_0A1B2C3D-0000-4000-8000-00000000ABCD"})
        EXPECT_EQ(FamilyViewPageFile(QLatin1String(forged)), gTempFolder + ".html") << forged;
}

TEST_F(FamilyViewPageTest, thePageFileIsUtf8WithAByteOrderMarkAndCrLfLines)
{
    const KV_Person* person = addPerson(u("Łucja"), u("Żak"), 0);
    const QString written = WriteFamilyViewPage(person->ID);
    EXPECT_EQ(written, gTempFolder + person->ID + ".html");
    const QByteArray bytes = readFileBytes(written);
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(bytes.count("\r\n"), bytes.count("\n")) << "every line ends with CR LF";
    const QString text = QString::fromUtf8(bytes.mid(3));
    EXPECT_TRUE(text.contains(u("\"Łucja Żak\""))) << "UTF-8";
    EXPECT_FALSE(text.contains("<#")) << "every placeholder filled";
    EXPECT_TRUE(text.contains("data-template=\"" +
                              htmlEscape(QUrl::fromLocalFile(gAppFolder + "TEMPLATE/").toString(QUrl::FullyEncoded)) +
                              "\""));
    EXPECT_EQ(WriteFamilyViewPage("person_../x"), gTempFolder + ".html");
}

TEST_F(FamilyViewPageTest, aMissingTemplateRaisesTheFileErrorAndLeavesThePageAlone)
{
    const KV_Person* person = addPerson(u("Jan"), u("Kowalski"));
    const QString page = WriteFamilyViewPage(person->ID);
    const QByteArray before = readFileBytes(page);
    gAppFolder = folder.path() + QStringLiteral("/nowhere/");
    EXPECT_THROW(WriteFamilyViewPage(person->ID), Exception);
    EXPECT_EQ(readFileBytes(page), before);

    // A folder where the page file should be: the page cannot be written.
    gAppFolder = QStringLiteral(KRONVEL_SOURCE_DIR "/resources/");
    const KV_Person* other = addPerson(u("Anna"), u("Nowak"), 0);
    QDir().mkpath(gTempFolder + other->ID + ".html");
    try {
        WriteFamilyViewPage(other->ID);
        ADD_FAILURE() << "no error";
    } catch (const Exception& error) {
        EXPECT_FALSE(error.Message().isEmpty());
    }
}

TEST_F(FamilyViewPageTest, includeCopiesFollowTheProgramsFiles)
{
    const QStringList names = FamilyViewIncludeFiles();
    ASSERT_FALSE(names.isEmpty());
    const auto source = [](const QString& name) { return gAppFolder + "TEMPLATE/" + name; };
    const auto copy = [](const QString& name) { return gTempFolder + name; };

    // Missing: made.
    CopyFamilyViewIncludes();
    for (const QString& name : names)
        EXPECT_EQ(readFileBytes(copy(name)), readFileBytes(source(name))) << name.toStdString();

    // Identical: left untouched. Different (an older program's copy): replaced.
    const QDateTime old = QDateTime::currentDateTime().addDays(-3);
    ASSERT_TRUE(setModificationTime(copy(names[0]), old));
    ASSERT_TRUE(writeFileBytes(copy(names[1]), "/* an older copy */"));
    ASSERT_TRUE(setModificationTime(copy(names[1]), old));
    CopyFamilyViewIncludes();
    EXPECT_EQ(QFileInfo(copy(names[0])).lastModified().toSecsSinceEpoch(), old.toSecsSinceEpoch());
    EXPECT_EQ(readFileBytes(copy(names[1])), readFileBytes(source(names[1])));
}

} // namespace
