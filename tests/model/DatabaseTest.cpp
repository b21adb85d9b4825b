#include "ModelFixture.h"
#include "TestSupport.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

class DatabaseTest : public ModelFixture
{
protected:
    static KV_Person* personWithID(const char* id)
    {
        auto* p = new KV_Person;
        p->ID = u(id);
        gDB.AddPerson(p);
        return p;
    }
    static QStringList walkPersons(bool reverse)
    {
        QStringList ids;
        for (gDB.FirstPerson(reverse); !gDB.IsPersonCursorAtEnd(); gDB.NextPerson())
            ids.append(gDB.GetCursorPerson()->ID);
        return ids;
    }
};

} // namespace

TEST_F(DatabaseTest, newIDsArePrefixedGuidsWithoutBraces)
{
    const std::pair<QString, const char*> ids[] = {
        {KV_DB::NewPersonID(), "^person_[0-9A-F-]{36}$"},
        {KV_DB::NewFactID(), "^fact_[0-9A-F-]{36}$"},
        {KV_DB::NewPictureID(), "^picture_[0-9A-F-]{36}$"},
        {KV_DB::NewID(u("x_")), "^x_[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}$"},
    };
    for (const auto& [id, shape] : ids)
        EXPECT_TRUE(QRegularExpression(u(shape)).match(id).hasMatch()) << id.toStdString();
    EXPECT_EQ(KV_DB::NewPersonID().size(), 43);
    EXPECT_NE(KV_DB::NewPersonID(), KV_DB::NewPersonID());
}

TEST_F(DatabaseTest, lookupsAreExactAndNullForUnknownIDs)
{
    KV_Person* p = addPerson(u("Jan"), u("Nowak"));
    EXPECT_EQ(gDB.FindPerson(p->ID), p);
    EXPECT_EQ(gDB.FindPerson(p->ID.toLower()), nullptr);
    EXPECT_EQ(gDB.FindPerson(QString()), nullptr);
    EXPECT_EQ(gDB.FindFact(QString()), nullptr);
    EXPECT_EQ(gDB.FindPicture(u("picture_X")), nullptr);

    KV_Fact* birth = addFact(p, u("BIRT"), u("1900"), u("Kraków"));
    EXPECT_EQ(gDB.FindFact(birth->ID), birth);
    EXPECT_TRUE(gDB.PersonHasFactType(p->ID, u("BIRT")));
    EXPECT_FALSE(gDB.PersonHasFactType(p->ID, u("DEAT")));
    EXPECT_FALSE(gDB.PersonHasFactType(u("person_X"), u("BIRT")));
    EXPECT_EQ(gDB.GetFactSummary(birth->ID, 2), u("1900\u00A0r. Kraków"));
    EXPECT_EQ(gDB.GetFactSummary(u("fact_X"), 0), u("?"));
    EXPECT_EQ(gDB.GetPersonDisplayName(p->ID, DisplayNameMode::Plain, false, false, u("brak")), u("Jan Nowak"));
    EXPECT_EQ(gDB.GetPersonDisplayName(QString(), DisplayNameMode::Plain, false, false, u("brak")), u("brak"));
}

TEST_F(DatabaseTest, addPersonKeepsTheFirstOfTwoEqualIDs)
{
    KV_Person* first = personWithID("person_A");
    gDB.PersonListDirty = false;
    KV_Person second;
    second.ID = u("person_A");
    EXPECT_FALSE(gDB.AddPerson(&second));
    EXPECT_EQ(gDB.FindPerson(u("person_A")), first);
    EXPECT_EQ(gDB.GetPersonCount(), 1);
    EXPECT_TRUE(gDB.PersonListDirty);

    KV_Person* fresh = new KV_Person;
    EXPECT_TRUE(gDB.AddPerson(fresh));
    EXPECT_FALSE(fresh->ID.isEmpty());
    EXPECT_FALSE(gDB.AddPerson(nullptr));
}

TEST_F(DatabaseTest, addFactLinksBothPartnersAndRefusesATakenID)
{
    KV_Person* jan = addPerson(u("Jan"), u("Nowak"));
    KV_Person* anna = addPerson(u("Anna"), u("Nowak"), 0);
    KV_Fact* marriage = addFact(jan, u("MARR"), u("1930"), QString(), anna);
    EXPECT_TRUE(jan->HasFact(marriage->ID));
    EXPECT_TRUE(anna->HasFact(marriage->ID));

    KV_Fact copy;
    copy.ID = marriage->ID;
    copy.Type = u("DIV");
    copy.PersonIDF = jan->ID;
    copy.PersonIDS = anna->ID;
    EXPECT_FALSE(gDB.AddFact(&copy));
    EXPECT_EQ(gDB.FindFact(marriage->ID), marriage);
    EXPECT_EQ(jan->Facts, QStringList({marriage->ID}));
    EXPECT_EQ(anna->Facts, QStringList({marriage->ID}));
    EXPECT_EQ(gDB.GetLastError(), u("Wystąpił błąd podczas dodawania faktu."));

    auto* loose = new KV_Fact;
    EXPECT_TRUE(gDB.AddFact(loose));
    EXPECT_EQ(gDB.FindFact(loose->ID), loose);
    EXPECT_FALSE(gDB.AddFact(nullptr));
}

TEST_F(DatabaseTest, addFactToPersonNeedsAKnownPersonAndAFreeID)
{
    KV_Person* jan = addPerson(u("Jan"), u("Nowak"));
    auto* fact = new KV_Fact;
    fact->PersonIDS = u("person_OTHER");
    fact->Type = u("EDUC");
    EXPECT_TRUE(gDB.AddFactToPerson(jan->ID, fact));
    EXPECT_EQ(fact->PersonIDF, jan->ID);
    EXPECT_EQ(fact->PersonIDS, QString());
    EXPECT_EQ(jan->Facts, QStringList({fact->ID}));
    EXPECT_EQ(gDB.GetLastError(), QString());

    KV_Fact orphan;
    orphan.PersonIDF = u("person_KEPT");
    EXPECT_FALSE(gDB.AddFactToPerson(u("person_UNKNOWN"), &orphan));
    EXPECT_FALSE(orphan.ID.isEmpty());
    EXPECT_EQ(orphan.PersonIDF, u("person_KEPT"));
    EXPECT_EQ(gDB.FindFact(orphan.ID), nullptr);
    EXPECT_EQ(gDB.GetLastError(),
              u("Wystąpił błąd podczas dodawania faktu. Brak osoby, do której ma być dołączony ten fakt."));

    KV_Fact copy;
    copy.ID = fact->ID;
    EXPECT_FALSE(gDB.AddFactToPerson(jan->ID, &copy));
    EXPECT_EQ(jan->Facts, QStringList({fact->ID}));
    EXPECT_EQ(gDB.FindFact(fact->ID), fact);
}

TEST_F(DatabaseTest, addPictureToPersonNeedsAKnownPersonAndAFreeID)
{
    KV_Person* jan = addPerson(u("Jan"), u("Nowak"));
    auto* picture = new KV_Picture;
    EXPECT_TRUE(gDB.AddPictureToPerson(jan->ID, picture));
    EXPECT_TRUE(picture->ID.startsWith(u("picture_")));
    EXPECT_EQ(picture->PersonID, jan->ID);
    EXPECT_EQ(jan->Pictures, QStringList({picture->ID}));
    EXPECT_EQ(gDB.FindPicture(picture->ID), picture);

    KV_Picture orphan;
    EXPECT_FALSE(gDB.AddPictureToPerson(u("person_UNKNOWN"), &orphan));
    EXPECT_FALSE(orphan.ID.isEmpty());
    EXPECT_EQ(gDB.FindPicture(orphan.ID), nullptr);
    EXPECT_EQ(gDB.GetLastError(), u("Błąd podczas dodawania zdjęcia do osoby"));

    KV_Picture copy;
    copy.ID = picture->ID;
    gDB.LastError.clear();
    EXPECT_FALSE(gDB.AddPictureToPerson(jan->ID, &copy));
    EXPECT_EQ(gDB.FindPicture(picture->ID), picture);
    EXPECT_EQ(jan->Pictures, QStringList({picture->ID}));
    EXPECT_EQ(copy.PersonID, QString());
    EXPECT_FALSE(gDB.GetLastError().isEmpty());
}

TEST_F(DatabaseTest, insertsRefuseEmptyAndTakenIDs)
{
    auto* fact = new KV_Fact;
    EXPECT_FALSE(gDB.InsertFact(fact));
    fact->ID = u("fact_A");
    EXPECT_TRUE(gDB.InsertFact(fact));
    KV_Fact copy;
    copy.ID = u("fact_A");
    EXPECT_FALSE(gDB.InsertFact(&copy));
    EXPECT_EQ(gDB.FindFact(u("fact_A")), fact);

    auto* picture = new KV_Picture;
    picture->ID = u("picture_A");
    EXPECT_TRUE(gDB.InsertPicture(picture));
    KV_Picture other;
    other.ID = u("picture_A");
    EXPECT_FALSE(gDB.InsertPicture(&other));
    EXPECT_EQ(gDB.GetPictureCount(), 1);
}

TEST_F(DatabaseTest, cursorsWalkInOrdinalIDOrder)
{
    for (const char* id : {"person_b", "person_B", "person_A", "person_a"})
        personWithID(id);
    EXPECT_EQ(walkPersons(false), QStringList({u("person_A"), u("person_B"), u("person_a"), u("person_b")}));
    EXPECT_EQ(walkPersons(true), QStringList({u("person_b"), u("person_a"), u("person_B"), u("person_A")}));
    EXPECT_EQ(gDB.GetCursorPerson(), nullptr);

    for (const char* id : {"fact_2", "fact_1"}) {
        auto* f = new KV_Fact;
        f->ID = u(id);
        gDB.InsertFact(f);
    }
    QStringList facts;
    for (gDB.FirstFact(); !gDB.IsFactCursorAtEnd(); gDB.NextFact())
        facts.append(gDB.GetCursorFact()->ID);
    EXPECT_EQ(facts, QStringList({u("fact_1"), u("fact_2")}));

    gDB.FirstPicture();
    EXPECT_TRUE(gDB.IsPictureCursorAtEnd());
    EXPECT_EQ(gDB.GetCursorPicture(), nullptr);
    EXPECT_EQ(gDB.GetPersonCount(), 4);
    EXPECT_EQ(gDB.GetFactCount(), 2);
}

TEST_F(DatabaseTest, sortedListsAreReadWithinBounds)
{
    for (const char* id : {"person_0", "person_1", "person_2", "person_3", "person_4"})
        gDB.ResultList.append(personWithID(id));
    gDB.ReportList = gDB.ResultList;
    EXPECT_EQ(gDB.GetResultCount(), 5);
    EXPECT_EQ(gDB.GetResultPerson(0)->ID, u("person_0"));
    EXPECT_EQ(gDB.GetResultPerson(-1), nullptr);
    EXPECT_EQ(gDB.GetResultPerson(5), nullptr);
    EXPECT_EQ(gDB.GetReportPerson(4)->ID, u("person_4"));
    EXPECT_EQ(gDB.GetReportPerson(5), nullptr);
    EXPECT_EQ(gDB.GetReportPerson(-1), nullptr);
}

TEST_F(DatabaseTest, neighbourAfterADeletedRow)
{
    // The list no longer holds the deleted row: the row now at its place, else the last one, else nothing.
    for (const char* id : {"person_0", "person_1", "person_3", "person_4"})
        gDB.ResultList.append(personWithID(id));
    EXPECT_EQ(gDB.GetResultNeighbourID(2), u("person_3"));
    EXPECT_EQ(gDB.GetResultNeighbourID(4), u("person_4"));
    EXPECT_EQ(gDB.GetResultNeighbourID(-1), QString());
    gDB.ResultList.clear();
    EXPECT_EQ(gDB.GetResultNeighbourID(0), QString());
}

TEST_F(DatabaseTest, customNamesAreSortedAndIgnoreCase)
{
    gDB.AddCustomFactName(QString());
    EXPECT_EQ(gDB.GetCustomFactNameCount(), 0);
    gDB.AddCustomFactName(u("Żniwa"));
    gDB.AddCustomFactName(u("Bierzmowanie"));
    gDB.AddCustomFactName(u("BIERZMOWANIE"));
    EXPECT_EQ(gDB.GetCustomFactNames().ToStringList(), QStringList({u("Bierzmowanie"), u("Żniwa")}));

    gDB.AddCustomAttributeName(u("wzrost"));
    gDB.AddCustomAttributeName(u("Wzrost"));
    gDB.AddCustomAttributeName(u("Oczy"));
    EXPECT_EQ(gDB.GetCustomAttributeNames().ToStringList(), QStringList({u("Oczy"), u("wzrost")}));
    EXPECT_EQ(gDB.GetCustomAttributeNameCount(), 2);
}

TEST_F(DatabaseTest, history)
{
    EXPECT_TRUE(gDB.IsHistoryEmpty());
    EXPECT_EQ(gDB.PopHistory(), QString());
    gDB.PushHistory(QString());
    gDB.PushHistory(u("person_A"));
    gDB.PushHistory(u("person_A"));
    EXPECT_EQ(gDB.History, QStringList({u("person_A")}));
    gDB.PushHistory(u("person_B"));
    gDB.PushHistory(u("person_A"));
    EXPECT_EQ(gDB.History, QStringList({u("person_A"), u("person_B"), u("person_A")}));
    EXPECT_EQ(gDB.PopHistory(), u("person_A"));
    EXPECT_EQ(gDB.PopHistory(), u("person_B"));
    EXPECT_FALSE(gDB.IsHistoryEmpty());
}

TEST_F(DatabaseTest, clearFreesEverythingAndEmptiesEveryListOfPersons)
{
    KV_Person* jan = addPerson(u("Jan"), u("Nowak"));
    addFact(jan, u("BIRT"), u("1900"));
    gDB.AddPictureToPerson(jan->ID, new KV_Picture);
    gDB.WorkList = {jan};
    gDB.ResultList = {jan};
    gDB.ReportList = {jan};
    gDB.PushHistory(jan->ID);
    gDB.Places.Add(u("Kraków"));
    gDB.FemaleForenames.Add(u("Anna"));
    gDB.AddCustomFactName(u("Żniwa"));
    gDB.AddCustomAttributeName(u("Wzrost"));
    gDB.InitAttributeTypes();
    gDB.DataFolder = u("/data/");
    gDB.SetChanged(false);
    gDB.PersonListDirty = false;

    gDB.Clear();
    EXPECT_EQ(gDB.GetPersonCount(), 0);
    EXPECT_EQ(gDB.GetFactCount(), 0);
    EXPECT_EQ(gDB.GetPictureCount(), 0);
    EXPECT_TRUE(gDB.WorkList.isEmpty());
    EXPECT_EQ(gDB.GetResultCount(), 0);
    EXPECT_EQ(gDB.GetReportCount(), 0);
    EXPECT_TRUE(gDB.IsHistoryEmpty());
    EXPECT_EQ(gDB.Places.Count(), 0);
    EXPECT_EQ(gDB.FemaleForenames.Count(), 0);
    EXPECT_EQ(gDB.GetCustomFactNameCount(), 0);
    EXPECT_EQ(gDB.GetCustomAttributeNameCount(), 0);
    EXPECT_TRUE(gDB.PersonListDirty);
    // Settings of the database itself stay.
    EXPECT_EQ(gDB.GetAttributeTypeCount(), 18);
    EXPECT_EQ(gDB.DataFolder, u("/data/"));
    EXPECT_FALSE(gDB.IsChanged());
    gDB.FirstPerson(false);
    EXPECT_TRUE(gDB.IsPersonCursorAtEnd());
}

TEST_F(DatabaseTest, idListsAsCommaText)
{
    EXPECT_EQ(KV_DB::JoinIDList({}), QString());
    EXPECT_EQ(KV_DB::JoinIDList({u("person_A"), u("person_B")}), u("person_A,person_B"));
    EXPECT_EQ(KV_DB::JoinIDList({QString()}), u("\"\""));

    QStringList ids{u("stale")};
    KV_DB::SplitIDList(QString(), ids);
    EXPECT_TRUE(ids.isEmpty());
    KV_DB::SplitIDList(u("person_A,person_A"), ids);
    EXPECT_EQ(ids, QStringList({u("person_A"), u("person_A")}));
    KV_DB::SplitIDList(u("person_A person_B,\"a,b\""), ids);
    EXPECT_EQ(ids, QStringList({u("person_A"), u("person_B"), u("a,b")}));
}

TEST_F(DatabaseTest, textOperations)
{
    EXPECT_EQ(KV_DB::FlattenText(u("  a\r\n\r\nb  ")), u("a b"));
    EXPECT_EQ(KV_DB::FlattenText(u("a   b")), u("a  b"));
    EXPECT_EQ(KV_DB::FlattenText(u("a\nb\rc")), u("a b c"));
    EXPECT_EQ(KV_DB::NormalizeLineBreaks(u("a\nb\n")), u("a\r\nb\r\n"));
    EXPECT_EQ(KV_DB::NormalizeLineBreaks(u("a\r\nb\nc")), u("a\r\nb\nc"));
    EXPECT_EQ(KV_DB::NormalizeLineBreaks(u("a\rb")), u("a\rb"));

    struct Case
    {
        const char* base;
        const char* addition;
        const char* joined;
    };
    const Case cases[] = {
        {"Nowak", "Jan", "Nowak, Jan"},   {"", "Jan", "Jan"}, {"Nowak", "  ", "Nowak"}, {"", " Jan ", "Jan"},
        {"Nowak", " Jan", "Nowak,  Jan"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(JoinNonEmpty(u(c.base), u(", "), QString(), u(c.addition)), u(c.joined)) << c.base << c.addition;
    EXPECT_EQ(JoinNonEmpty(u("a"), u("|"), u("m"), u("z")), u("a|mz"));
}

TEST_F(DatabaseTest, creationTimes)
{
    const double day = ToCalendarValue(QDate(2020, 1, 2));
    struct Case
    {
        const char* text;
        double value;
    };
    const Case cases[] = {
        {"", -9999},
        {"2020-01-02 03:04", day + (3 * 60 + 4) / 1440.0},
        {"2020-01-02", day},
        {"2020/01/02", day},
        {"2020-13-02 03:04", -1},
        {"2020-01-02 3:04", -1},
        {"2020-01-02 24:00", -1},
        {"2020-02-30", -1},
        {"2020-0a-02", -1},
        {"0000-01-02", -1},
        {"2020-01-02 03:04:05", -1},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(ParseCreationTime(u(c.text)), c.value) << c.text;
}

TEST_F(DatabaseTest, findFilesListsTheTopFolderOnlyKeepingCaseInOrdinalOrder)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + u'/';
    for (const char* name : {"person_B.kvfile", "person_a.KVFILE", "person_C.kvfile", "fact_A.kvfile", "person_D.txt"})
        writeFileBytes(folder + u(name), "x");
    QDir(folder).mkpath(u("person_sub.kvfile"));
    writeFileBytes(folder + u("person_sub.kvfile/person_E.kvfile"), "x");

    QStringList list{u("stale")};
    int count = 7;
    FindFilesRecursive(true, folder, &list, u("person_*.kvfile"), count);
    EXPECT_EQ(list, QStringList(
                        {folder + u("person_B.kvfile"), folder + u("person_C.kvfile"), folder + u("person_a.KVFILE")}));
    EXPECT_EQ(count, 3);

    FindFilesRecursive(false, folder, &list, u("fact_*.kvfile"), count);
    EXPECT_EQ(list.size(), 4);
    EXPECT_EQ(count, 4);

    FindFilesRecursive(false, folder, nullptr, u("*"), count);
    EXPECT_EQ(count, 4);
    FindFilesRecursive(true, folder + u("missing/"), &list, u("*"), count);
    EXPECT_TRUE(list.isEmpty());
    EXPECT_EQ(count, 0);
}

TEST_F(DatabaseTest, attributeTypeTable)
{
    EXPECT_EQ(gDB.GetAttributeTypeCount(), 0);
    gDB.InitAttributeTypes();
    gDB.InitAttributeTypes();
    ASSERT_EQ(gDB.GetAttributeTypeCount(), 18);
    const char* const codes[] = {"NPFX",     "NSFX",      "PATRONYMIC", "MATRONYMIC", "-",     "NATI",
                                 "RELI",     "EDUCATION", "OCCU",       "ADDR",       "PHONE", "E-MAIL",
                                 "NAME-DAY", "HOBBY",     "-",          "LIST",       "-",     "CUSTOM"};
    for (int row = 0; row < 18; ++row) {
        const KV_Atribute* type = gDB.GetAttributeType(row);
        EXPECT_EQ(type->Code, u(codes[row])) << row;
        EXPECT_TRUE(type->Value.isEmpty());
        EXPECT_FALSE(type->Private);
    }
    EXPECT_EQ(gDB.GetAttributeType(4)->Name, u("-"));
    EXPECT_EQ(gDB.GetAttributeType(0)->Name, u("Tytuł"));
    EXPECT_EQ(gDB.GetAttributeType(17)->Name, u("Dowolny atrybut"));
    EXPECT_EQ(gDB.GetAttributeType(-1), nullptr);
    EXPECT_EQ(gDB.GetAttributeType(18), nullptr);
}

TEST_F(DatabaseTest, attributeTypeNamesReportAnUnknownCodeOnce)
{
    RecordingPrompter prompter;
    gDB.InitAttributeTypes();
    EXPECT_EQ(gDB.GetAttributeTypeName(u("OCCU")), u("Zawód"));
    EXPECT_EQ(gDB.GetAttributeTypeName(u("occu")), QString());
    EXPECT_EQ(gDB.GetAttributeTypeName(u("occu")), QString());
    EXPECT_EQ(gDB.GetAttributeTypeName(u("WEIGHT")), QString());
    EXPECT_EQ(prompter.texts, QStringList({u("ERROR_NO_ATR:occu"), u("ERROR_NO_ATR:WEIGHT")}));
}

// The named codes keep the values the windows pass, the settings keep and the date files store.
TEST(NamedCodesTest, codesKeepTheirNumbersAndCharacters)
{
    const struct
    {
        const char* name;
        int code;
        int value;
    } cases[] = {
        {"Forename", int(DictionaryKind::Forename), 1},
        {"Surname", int(DictionaryKind::Surname), 2},
        {"Place", int(DictionaryKind::Place), 3},
        {"Father", int(RelationKind::Father), 1},
        {"Mother", int(RelationKind::Mother), 2},
        {"Partner", int(RelationKind::Partner), 3},
        {"Son", int(RelationKind::Son), 4},
        {"Daughter", int(RelationKind::Daughter), 5},
        {"Brother", int(RelationKind::Brother), 6},
        {"Sister", int(RelationKind::Sister), 7},
        {"ChildRefused", KV_DB::ChildRefused, 0},
        {"ChildAllowed", KV_DB::ChildAllowed, 1},
        {"AlreadyAChild", KV_DB::AlreadyAChild, 100},
        {"sort Surname", int(PersonSortKey::Surname), 1},
        {"sort Forename", int(PersonSortKey::Forename), 2},
        {"sort Sex", int(PersonSortKey::Sex), 3},
        {"sort BirthDate", int(PersonSortKey::BirthDate), 10},
        {"sort BirthPlace", int(PersonSortKey::BirthPlace), 11},
        {"sort DeathDate", int(PersonSortKey::DeathDate), 20},
        {"sort DeathPlace", int(PersonSortKey::DeathPlace), 21},
        {"sort Name", int(PersonSortKey::Name), 30},
        {"sort CreationTime", int(PersonSortKey::CreationTime), 100},
        {"Plain", int(DisplayNameMode::Plain), 1},
        {"ForScript", int(DisplayNameMode::ForScript), 100},
        {"Exact", DateQualifier::Exact, '1'},
        {"Before", DateQualifier::Before, '2'},
        {"After", DateQualifier::After, '3'},
        {"From", DateQualifier::From, '4'},
        {"To", DateQualifier::To, '5'},
        {"AboutStored", DateQualifier::AboutStored, '6'},
        {"About", DateQualifier::About, '7'},
        {"FromAbout", DateQualifier::FromAbout, '8'},
        {"ToAbout", DateQualifier::ToAbout, '9'},
        {"FromAboutTo", DateQualifier::FromAboutTo, '0'},
        {"Uncertain", DateQualifier::Uncertain, 'A'},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.code, c.value) << c.name;
}
