#include "ModelFixture.h"
#include "Picturemanager.h"
#include "TestSupport.h"

#include <QDir>
#include <QTemporaryDir>

namespace {

const QString nbsp(QChar(0x00A0));

using FactTest = ModelFixture;

} // namespace

TEST_F(FactTest, newFactIsEmpty)
{
    const KV_Fact f;
    EXPECT_TRUE(f.ID.isEmpty() && f.PersonIDF.isEmpty() && f.PersonIDS.isEmpty() && f.Type.isEmpty());
    EXPECT_TRUE(f.Date.IsEmpty());
    EXPECT_FALSE(f.Private);
}

TEST_F(FactTest, typeTestsCompareExactly)
{
    for (const char* type : {"ENGA", "MARR", "DIV", "ANUL", "FAMILY_CUSTOM"})
        EXPECT_TRUE(KV_Fact::IsUnionType(u(type))) << type;
    for (const char* type : {"marr", "BIRT", "CUSTOM", "", "MARR "})
        EXPECT_FALSE(KV_Fact::IsUnionType(u(type))) << type;
    EXPECT_TRUE(KV_Fact::IsCustomType(u("CUSTOM")));
    EXPECT_FALSE(KV_Fact::IsCustomType(u("FAMILY_CUSTOM")));

    KV_Fact f;
    f.Type = u("DEAT");
    EXPECT_TRUE(f.IsDeath());
    EXPECT_FALSE(f.IsBirth());
    EXPECT_FALSE(f.IsUnionFact());
    f.Type = u("BIRT");
    EXPECT_TRUE(f.IsBirth());
}

TEST_F(FactTest, partnersOfAUnionFact)
{
    KV_Fact f;
    f.PersonIDF = u("person_A");
    f.PersonIDS = u("person_B");
    EXPECT_EQ(f.GetOtherPersonID(u("person_A")), u("person_B"));
    EXPECT_EQ(f.GetOtherPersonID(u("person_B")), u("person_A"));
    EXPECT_EQ(f.GetOtherPersonID(u("person_X")), u("person_A"));
    EXPECT_TRUE(f.ConcernsCouple(u("person_B"), u("person_A")));
    EXPECT_FALSE(f.ConcernsCouple(u("person_A"), u("person_X")));
}

TEST_F(FactTest, summaries)
{
    KV_Fact f;
    f.Name = u("Chrzest");
    EXPECT_EQ(f.GetSummary(2), QString());
    EXPECT_EQ(f.GetSummary(7), u("?"));
    EXPECT_EQ(f.GetSummary(1), u("Chrzest:"));
    f.Date.FromText(u("12-05-1901"));
    f.Place = u("Kraków");
    EXPECT_EQ(f.GetSummary(0), u("Chrzest"));
    EXPECT_EQ(f.GetSummary(1), u("Chrzest: 12-05-1901") + nbsp + u("r. Kraków"));
    EXPECT_EQ(f.GetSummary(2), u("12-05-1901") + nbsp + u("r. Kraków"));
}

TEST_F(FactTest, datePlaceText)
{
    KV_Fact f;
    EXPECT_EQ(f.GetDatePlaceText(u(" ur. "), false, u("?"), u(" ")), u(" ur. ?"));
    EXPECT_EQ(f.GetDatePlaceText(u(" ur. "), true, u("?"), u(" ")), u(" ur. "));
    f.Date.FromText(u("1900"));
    f.Place = u("Kraków");
    EXPECT_EQ(f.GetDatePlaceText(u(" ur. "), true, u("?"), u(" w ")), u(" ur. 1900") + nbsp + u("r. w Kraków"));
    EXPECT_EQ(f.GetDatePlaceText(u(""), false, u("?"), u(" ")), u("1900") + nbsp + u("r."));
}

TEST_F(FactTest, typeLabelsAreTranslatedAndAnUnknownTagIsReportedOnce)
{
    RecordingPrompter prompter;
    const std::pair<const char*, const char*> labels[] = {
        {"BIRT", "Narodziny"},     {"BAPM", "Chrzest"},       {"DEAT", "Śmierć"},    {"BURI", "Pochówek"},
        {"EDUC", "Wykształcenie"}, {"GRAD", "Edukacja"},      {"ENGA", "Zaręczyny"}, {"MARR", "Zawarcie związku"},
        {"DIV", "Rozwód"},         {"ANUL", "Unieważnienie"},
    };
    for (const auto& [type, label] : labels)
        EXPECT_EQ(GetFactTypeLabel(u(type)), u(label)) << type;
    EXPECT_TRUE(prompter.texts.isEmpty());

    KV_Fact f;
    f.Type = u("XYZW");
    EXPECT_EQ(f.GetTypeLabel(), QString());
    EXPECT_EQ(f.GetTypeLabel(), QString());
    EXPECT_EQ(GetFactTypeLabel(u("CUSTOM")), QString());
    EXPECT_EQ(prompter.texts, QStringList({u("ERROR_NO_FACT: XYZW"), u("ERROR_NO_FACT: CUSTOM")}));
}

TEST_F(FactTest, picturePathsResolveInsideThePicturesFolder)
{
    const QString before = GetPicturesFolder();
    SetPicturesFolder(u("/data/multimedia/"));
    KV_Picture p;
    EXPECT_TRUE(p.SetFile(u("[#] a.jpg")));
    EXPECT_EQ(p.GetFile(), u("[#] a.jpg"));
    EXPECT_EQ(p.GetFullPath(), u("/data/multimedia/a.jpg"));
    p.SetFile(u("/home/x/a.jpg"));
    EXPECT_EQ(p.GetFullPath(), u("/home/x/a.jpg"));
    p.SetFile(QString());
    EXPECT_EQ(p.GetFullPath(), QString());
    SetPicturesFolder(before);
}

TEST_F(FactTest, importFileNamesThePictureAfterItsFile)
{
    QTemporaryDir dir;
    const QString before = GetPicturesFolder();
    SetPicturesFolder(dir.filePath(u("multimedia")));
    const QString source = dir.filePath(u("Photo.1.jpg"));
    writeFileBytes(source, "picture");

    KV_Picture p;
    ASSERT_TRUE(p.ImportFile(source));
    EXPECT_EQ(p.File, u("[#] Photo.1.jpg"));
    EXPECT_EQ(p.Name, u("Photo.1"));
    EXPECT_EQ(readFileBytes(p.GetFullPath()), QByteArray("picture"));

    KV_Picture missing;
    missing.Name = u("kept");
    EXPECT_FALSE(missing.ImportFile(dir.filePath(u("none.jpg"))));
    EXPECT_EQ(missing.Name, u("kept"));
    EXPECT_EQ(missing.File, QString());
    SetPicturesFolder(before);
}

TEST(ListObjectTest, carriesItsID)
{
    KV_ListObject* holder = NewListObject(u("person_A"));
    EXPECT_EQ(KV_ListObject::GetID(holder), u("person_A"));
    EXPECT_EQ(KV_ListObject::GetID(nullptr), QString());
    delete holder;
}
