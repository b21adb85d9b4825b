#include "ModelFixture.h"

namespace {

const QString nbsp(QChar(0x00A0));

class PersonTest : public ModelFixture
{
protected:
    // The person's fact list by the facts' descriptions (facts gone from the database show as "?").
    static QStringList factOrder(const KV_DB& db, const KV_Person* person)
    {
        QStringList order;
        for (const QString& id : person->Facts) {
            const KV_Fact* fact = db.FindFact(id);
            order.append(fact ? fact->Description : QStringLiteral("?"));
        }
        return order;
    }

    struct FactEntry
    {
        const char* label;
        const char* type;
        const char* date;
        bool withPartner = false;
    };

    // Adds the facts in the given order to one person (union facts with a partner) and returns the order.
    static QStringList insertInOrder(KV_DB& db, std::initializer_list<FactEntry> facts)
    {
        KV_Person* person = addPerson(u("Jan"), u("Nowak"), 1, db);
        KV_Person* partner = addPerson(u("Anna"), u("Nowak"), 0, db);
        for (const FactEntry& entry : facts) {
            KV_Fact* fact =
                addFact(person, u(entry.type), u(entry.date), QString(), entry.withPartner ? partner : nullptr, db);
            fact->Description = u(entry.label);
        }
        return factOrder(db, person);
    }

    // The order in gDB, checked to be the one a database of its own gives: a person orders its facts by the
    // database that holds it.
    QStringList insertInOrder(std::initializer_list<FactEntry> facts)
    {
        KV_DB own;
        const QStringList order = insertInOrder(own, facts);
        EXPECT_EQ(insertInOrder(gDB, facts), order);
        return order;
    }
};

} // namespace

TEST_F(PersonTest, newPersonIsEmpty)
{
    const KV_Person p;
    EXPECT_TRUE(p.ID.isEmpty() && p.Surname.isEmpty() && p.Forename.isEmpty() && p.Familyname.isEmpty());
    EXPECT_EQ(p.Sex, 0);
    EXPECT_EQ(p.Dead, 0);
    EXPECT_TRUE(p.CList.isEmpty() && p.FList.isEmpty() && p.Facts.isEmpty() && p.Pictures.isEmpty());
    EXPECT_TRUE(p.Attributes.isEmpty());
}

TEST_F(PersonTest, idListsRefuseEmptyAndListedIDs)
{
    KV_Person p;
    EXPECT_FALSE(p.AddChild(QString()));
    EXPECT_TRUE(p.AddChild(u("person_A")));
    EXPECT_FALSE(p.AddChild(u("person_A")));
    EXPECT_TRUE(p.AddChild(u("person_B")));
    EXPECT_EQ(p.CList, QStringList({u("person_A"), u("person_B")}));
    p.RemoveChild(u("person_X"));
    EXPECT_EQ(p.GetChildCount(), 2);
    EXPECT_FALSE(p.HasChild(QString()));
    EXPECT_TRUE(p.HasChild(u("person_B")));

    EXPECT_TRUE(p.AddPartner(u("person_C")));
    EXPECT_FALSE(p.AddPartner(u("person_C")));
    p.RemovePartner(u("person_C"));
    EXPECT_EQ(p.GetPartnerCount(), 0);

    KV_Picture picture;
    EXPECT_FALSE(p.AddPicture(nullptr));
    EXPECT_FALSE(p.AddPicture(&picture));
    picture.ID = u("picture_A");
    EXPECT_TRUE(p.AddPicture(&picture));
    EXPECT_FALSE(p.AddPicture(&picture));
    EXPECT_TRUE(p.HasPicture(u("picture_A")));
}

TEST_F(PersonTest, indexedReadsOutOfRangeGiveNothing)
{
    KV_Person p;
    p.AddChild(u("person_A"));
    p.Facts = {u("fact_A")};
    p.FList = {u("person_B")};
    p.Pictures = {u("picture_A")};
    EXPECT_EQ(p.GetChildID(0), u("person_A"));
    for (int index : {-1, 1, 100}) {
        EXPECT_EQ(p.GetChildID(index), QString());
        EXPECT_EQ(p.GetPartnerID(index), QString());
        EXPECT_EQ(p.GetFactID(index), QString());
        EXPECT_EQ(p.GetPictureID(index), QString());
        EXPECT_EQ(p.GetAttribute(index), nullptr);
    }
}

TEST_F(PersonTest, parentsAndLinks)
{
    KV_Person p;
    EXPECT_TRUE(p.HasParents(QString(), QString()));
    EXPECT_FALSE(p.HasKnownParents(false));
    p.FID = u("person_F");
    EXPECT_TRUE(p.HasKnownParents(false));
    EXPECT_FALSE(p.HasKnownParents(true));
    p.MID = u("person_M");
    EXPECT_TRUE(p.HasKnownParents(true));
    EXPECT_TRUE(p.HasParents(u("person_M"), u("person_F")));
    EXPECT_TRUE(p.HasParents(u("person_F"), u("person_M")));
    p.RemoveParent(u("person_M"));
    EXPECT_EQ(p.MID, QString());
    EXPECT_EQ(p.FID, u("person_F"));

    p.AddChild(u("person_C"));
    p.AddPartner(u("person_P"));
    p.Facts = {u("fact_A")};
    p.Pictures = {u("picture_A")};
    p.PictureProfile = u("picture_A");
    p.InsertAttribute(-1, u("OCCU"), u("Zawód"), u("kowal"), false);
    p.ClearLinks();
    EXPECT_TRUE(p.FID.isEmpty() && p.CList.isEmpty() && p.FList.isEmpty() && p.Facts.isEmpty());
    EXPECT_EQ(p.Pictures, QStringList{u("picture_A")});
    EXPECT_EQ(p.PictureProfile, u("picture_A"));
    EXPECT_EQ(p.GetAttributeCount(), 1);
}

TEST_F(PersonTest, sexOutsideTheKnownCodesIsUnspecified)
{
    KV_Person p;
    struct Case
    {
        int sex;
        bool female;
        bool male;
        bool unspecified;
        const char* relation;
    };
    const Case cases[] = {
        {0, true, false, false, "córką"},      {1, false, true, false, "synem"},
        {2, false, false, true, "dzieckiem"},  {7, false, false, true, "dzieckiem"},
        {-1, false, false, true, "dzieckiem"},
    };
    for (const Case& c : cases) {
        p.Sex = c.sex;
        EXPECT_EQ(p.IsFemale(), c.female) << c.sex;
        EXPECT_EQ(p.IsMale(), c.male) << c.sex;
        EXPECT_EQ(p.IsSexUnspecified(), c.unspecified) << c.sex;
        EXPECT_EQ(p.GetChildRelationText(), u(c.relation)) << c.sex;
    }
    p.SetDead(true);
    EXPECT_TRUE(p.IsDead());
    EXPECT_EQ(p.Dead, 1);
    p.SetDead(false);
    EXPECT_EQ(p.Dead, 0);
}

TEST_F(PersonTest, factOrderKeepsBirthFirstDeathLastAndTheRestByDate)
{
    EXPECT_EQ(insertInOrder({{"birth", "BIRT", "1900"},
                             {"death", "DEAT", "1980"},
                             {"burial", "BURI", "1980"},
                             {"baptism", "BAPM", "1900"},
                             {"education 1930", "EDUC", "1930"},
                             {"graduation 1920", "GRAD", "1920"},
                             {"undated", "CUSTOM", ""}}),
              QStringList({u("birth"), u("baptism"), u("undated"), u("graduation 1920"), u("education 1930"),
                           u("death"), u("burial")}));
}

TEST_F(PersonTest, factOrderTable)
{
    struct Case
    {
        const char* name;
        std::initializer_list<FactEntry> facts;
        QStringList order;
    };
    const Case cases[] = {
        {"baptism without birth goes first",
         {{"custom", "CUSTOM", "1910"}, {"baptism", "BAPM", "1900"}},
         {u("baptism"), u("custom")}},
        {"death before burial, burial last",
         {{"burial", "BURI", ""}, {"death", "DEAT", ""}, {"custom", "CUSTOM", "1950"}},
         {u("custom"), u("death"), u("burial")}},
        {"equal keys keep the order of insertion",
         {{"first", "EDUC", "05-1930"}, {"second", "GRAD", "05-1930"}, {"third", "CUSTOM", "05-1930"}},
         {u("first"), u("second"), u("third")}},
        {"a couple's facts go engagement, marriage, the rest, whatever their dates",
         {{"divorce", "DIV", "1950", true}, {"marriage", "MARR", "1960", true}, {"engagement", "ENGA", "1970", true}},
         {u("engagement"), u("marriage"), u("divorce")}},
        {"union facts by order key, others by date among them",
         {{"annulment", "ANUL", "1940", true},
          {"education", "EDUC", "1945"},
          {"other union", "FAMILY_CUSTOM", "1950", true},
          {"marriage", "MARR", "1990", true}},
         {u("marriage"), u("other union"), u("annulment"), u("education")}},
        {"year-only dates sort around the days of their year",
         {{"after 1900", "CUSTOM", "po 1900"},
          {"1900", "CUSTOM", "1900"},
          {"before 1900", "CUSTOM", "przed 1900"},
          {"5 May 1900", "CUSTOM", "05-05-1900"}},
         {u("before 1900"), u("1900"), u("5 May 1900"), u("after 1900")}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(insertInOrder(c.facts), c.order) << c.name;
        reset();
    }
}

TEST_F(PersonTest, unionFactsStandInBothPartnersLists)
{
    KV_Person* jan = addPerson(u("Jan"), u("Nowak"));
    KV_Person* anna = addPerson(u("Anna"), u("Nowak"), 0);
    KV_Fact* birth = addFact(anna, u("BIRT"), u("1905"));
    KV_Fact* marriage = addFact(jan, u("MARR"), u("1930"), QString(), anna);
    EXPECT_EQ(jan->Facts, QStringList({marriage->ID}));
    EXPECT_EQ(anna->Facts, QStringList({birth->ID, marriage->ID}));
    EXPECT_FALSE(jan->InsertFactOrdered(marriage));
    EXPECT_FALSE(jan->InsertFactOrdered(nullptr));
}

TEST_F(PersonTest, sortFactsRestoresTheOrderAndDropsDeletedFacts)
{
    KV_Person* p = addPerson(u("Jan"), u("Nowak"));
    KV_Fact* death = addFact(p, u("DEAT"), u("1980"));
    KV_Fact* birth = addFact(p, u("BIRT"), u("1900"));
    KV_Fact* school = addFact(p, u("EDUC"), u("1915"));
    p->Facts = {death->ID, u("fact_GONE"), school->ID, birth->ID, school->ID};
    p->SortFacts();
    EXPECT_EQ(p->Facts, QStringList({birth->ID, school->ID, death->ID}));

    p->SwapFactIDs(birth->ID, death->ID);
    EXPECT_EQ(p->Facts, QStringList({death->ID, school->ID, birth->ID}));
    EXPECT_EQ(p->IndexOfFactType(u("BIRT")), 2);
    EXPECT_EQ(p->FindFactByType(u("EDUC")), school);
    EXPECT_EQ(p->FindFactByType(u("BURI")), nullptr);
    EXPECT_EQ(p->IndexOfFactType(u("BURI")), -1);
}

TEST_F(PersonTest, profilePicture)
{
    KV_Person p;
    EXPECT_EQ(p.GetProfilePictureID(), QString());
    p.Pictures = {u("picture_A"), u("picture_B")};
    EXPECT_EQ(p.GetProfilePictureID(), u("picture_A"));
    p.PictureProfile = u("picture_GONE");
    EXPECT_EQ(p.GetProfilePictureID(), u("picture_GONE"));
}

TEST_F(PersonTest, attributesInsertDeleteAndSwapWithinBounds)
{
    KV_Person p;
    EXPECT_EQ(p.InsertAttribute(-1, u("OCCU"), u("Zawód"), u("kowal"), false), 0);
    EXPECT_EQ(p.InsertAttribute(-1, u("RELI"), u("Religia"), u("katolik"), true), 1);
    EXPECT_EQ(p.InsertAttribute(-1, u("CUSTOM"), u("Wzrost"), u("180"), false), 2);
    EXPECT_EQ(p.InsertAttribute(0, u("NPFX"), u("Tytuł"), u("dr"), false), 0);
    EXPECT_EQ(p.GetAttribute(0)->Value, u("dr"));
    EXPECT_EQ(p.GetAttribute(1)->Code, u("OCCU"));

    // Out of range: nothing changes.
    EXPECT_EQ(p.InsertAttribute(9, u("HOBBY"), u("Zainteresowania"), u("szachy"), false), -1);
    EXPECT_EQ(p.InsertAttribute(-2, u("HOBBY"), u("Zainteresowania"), u("szachy"), false), -1);
    p.DeleteAttribute(4);
    p.DeleteAttribute(-1);
    p.SwapAttributes(0, 4);
    EXPECT_EQ(p.GetAttributeCount(), 4);
    EXPECT_EQ(p.GetAttribute(0)->Value, u("dr"));

    p.SwapAttributes(1, 2);
    const KV_Atribute* swapped = p.GetAttribute(1);
    EXPECT_EQ(swapped->Code, u("RELI"));
    EXPECT_EQ(swapped->Name, u("Religia"));
    EXPECT_EQ(swapped->Value, u("katolik"));
    EXPECT_TRUE(swapped->Private);

    p.GetAttribute(1)->Value = u("ewangelik");
    EXPECT_EQ(p.Attributes[1].Value, u("ewangelik"));
    p.DeleteAttribute(0);
    EXPECT_EQ(p.GetAttribute(0)->Code, u("RELI"));
    EXPECT_TRUE(KV_Atribute::IsCustomCode(u("CUSTOM")));
    EXPECT_FALSE(KV_Atribute::IsCustomCode(u("custom")));
}

TEST_F(PersonTest, nameLayouts)
{
    struct Case
    {
        const char* forename;
        const char* surname;
        const char* familyName;
        int layout;
        bool maiden;
        bool preferFamily;
        const char* name;
    };
    const Case cases[] = {
        {"Anna Maria", "Kowalska", "Nowak", 1, false, false, "Anna Maria Kowalska"},
        {"Anna Maria", "Kowalska", "Nowak", 1, true, false, "Anna Maria Kowalska z d. Nowak"},
        {"Anna Maria", "Kowalska", "Nowak", 1, false, true, "Anna Maria Nowak"},
        {"Anna Maria", "Kowalska", "Nowak", 2, false, false, "Kowalska, Anna Maria"},
        {"Anna Maria", "Kowalska", "Nowak", 2, true, true, "Nowak, Anna Maria z d. Nowak"},
        {"Anna Maria", "Kowalska", "Nowak", 10, false, false, "Anna Maria Nowak"},
        {"Anna Maria", "Kowalska", "", 10, true, false, "Anna Maria Kowalska"},
        {"Anna", "Kowalska", "Kowalska", 1, true, false, "Anna Kowalska"},
        {"Anna", "", "", 2, false, false, "Anna"},
        {"   ", "Nowak", "", 2, false, false, "Nowak"},
        {"Anna", "Kowalska", "", 7, false, false, "N.N."},
        {"", "", "", 1, true, false, "N.N."},
        {"", "", "", 2, false, false, "N.N."},
    };
    for (const Case& c : cases) {
        KV_Person p;
        p.Forename = u(c.forename);
        p.Surname = u(c.surname);
        p.Familyname = u(c.familyName);
        EXPECT_EQ(p.GetNameByLayout(c.layout, c.maiden, c.preferFamily), u(c.name))
            << c.forename << "/" << c.surname << "/" << c.familyName << " layout " << c.layout;
    }
    KV_Person p;
    p.Surname = u("Kowalska");
    p.Familyname = u("Nowak");
    EXPECT_EQ(p.GetSurname(false), u("Kowalska"));
    EXPECT_EQ(p.GetSurname(true), u("Nowak"));
}

TEST_F(PersonTest, displayNamesWithBirthAndDeath)
{
    KV_Person* p = addPerson(u("Jan"), u("Nowak"));
    EXPECT_EQ(p->GetDisplayName(DisplayNameMode::Plain, true, true), u("Jan Nowak"));

    p->SetDead(true);
    EXPECT_EQ(p->GetDisplayName(DisplayNameMode::Plain, true, true), u("Jan Nowak (+ ?)"));
    EXPECT_EQ(p->GetDisplayName(DisplayNameMode::Plain, true, false), u("Jan Nowak"));

    addFact(p, u("BIRT"), u("05-05-1900"), u("Kraków"));
    addFact(p, u("DEAT"), u("01-02-1950"), u("Nowy Sącz"));
    const QString dates =
        u("ur. 05-05-1900") + nbsp + u("r. Kraków zm.") + nbsp + u("01-02-1950") + nbsp + u("r. Nowy Sącz");
    EXPECT_EQ(p->GetDisplayName(DisplayNameMode::Plain, true, true), u("Jan Nowak (") + dates + u(")"));
    EXPECT_EQ(p->GetDisplayName(DisplayNameMode::Plain, false, true),
              u("Jan Nowak (zm.") + nbsp + u("01-02-1950") + nbsp + u("r. Nowy Sącz)"));

    gSettings.ShowPlacesInPersonDescription = false;
    EXPECT_EQ(p->GetDisplayName(DisplayNameMode::Plain, true, false), u("Jan Nowak (ur. 05-05-1900") + nbsp + u("r.)"));

    p->SetDead(false);
    p->Familyname = u("Kowal");
    p->Displayname = u("Jan z Krakowa");
    EXPECT_EQ(p->GetDisplayName(DisplayNameMode::Plain, false, true), u("Jan z Krakowa"));
    p->Displayname.clear();
    EXPECT_EQ(p->GetDisplayName(DisplayNameMode::Plain, false, false), u("Jan Nowak z d. Kowal"));

    KV_Person nameless;
    EXPECT_EQ(nameless.GetDisplayName(DisplayNameMode::Plain, true, true), u("N.N."));
}

TEST_F(PersonTest, displayNameForScriptsEscapesWhatWouldEndTheArgument)
{
    KV_Person p;
    p.Displayname = u("O'Brien \\ Jr.");
    EXPECT_EQ(p.GetDisplayName(DisplayNameMode::ForScript, false, false), u("O\\'Brien \\\\ Jr."));
    EXPECT_EQ(p.GetDisplayName(DisplayNameMode::Plain, false, false), u("O'Brien \\ Jr."));
}

TEST_F(PersonTest, birthTexts)
{
    KV_Person* p = addPerson(u("Jan"), u("Nowak"));
    EXPECT_EQ(p->GetBirthText(true, true, true, u("?")), u("ur. ?"));
    EXPECT_EQ(p->GetBirthText(true, false, true, u("?")), QString());
    EXPECT_EQ(p->GetBirthText(true, true, false, u("brak")), u("brak"));

    KV_Fact* birth = addFact(p, u("BIRT"));
    EXPECT_EQ(p->GetBirthText(true, true, true, u("?")), u("ur."));
    EXPECT_EQ(p->GetBirthText(false, true, true, u("?")), u("ur. ?"));

    birth->Date.FromText(u("1900"));
    birth->Place = u("Kraków");
    EXPECT_EQ(p->GetBirthText(true, true, true, u("?")), u("ur. 1900") + nbsp + u("r. Kraków"));
    EXPECT_EQ(p->BirthPlace, u("Kraków"));
    EXPECT_EQ(p->GetBirthText(false, false, false, u("?")), u("1900") + nbsp + u("r."));

    p->Facts.clear();
    p->GetBirthText(true, true, true, u("?"));
    EXPECT_EQ(p->BirthPlace, QString());
}

TEST_F(PersonTest, deathTextBreaksOnlyBetweenDateAndPlace)
{
    KV_Person* p = addPerson(u("Jan"), u("Nowak"));
    KV_Fact* death = addFact(p, u("DEAT"), u("01-02-1950"), u("Nowy Sącz"));
    EXPECT_EQ(p->GetDeathText(true, true, u("?")), QString());
    EXPECT_EQ(p->DeathPlace, QString());

    p->SetDead(true);
    EXPECT_EQ(p->GetDeathText(true, true, u("?")),
              u("zm.") + nbsp + u("01-02-1950") + nbsp + u("r. Nowy") + nbsp + u("Sącz"));
    EXPECT_EQ(p->DeathPlace, u("Nowy Sącz"));
    EXPECT_EQ(p->GetDeathText(false, true, u("?")), u("zm.") + nbsp + u("01-02-1950") + nbsp + u("r."));

    death->Date = RMData();
    death->Place.clear();
    EXPECT_EQ(p->GetDeathText(false, true, u("?")), u("zm.") + nbsp + u("?"));
    EXPECT_EQ(p->GetDeathText(true, true, u("?")), u("zm.") + nbsp);

    p->Facts.clear();
    EXPECT_EQ(p->GetDeathText(true, true, u("?")), u("zm.") + nbsp + u("?"));
    EXPECT_EQ(p->GetDeathText(true, false, u("?")), u("?"));
}

TEST(FactOrderKeyTest, keysOfTheTypes)
{
    const std::pair<const char*, int> keys[] = {
        {"BIRT", 100}, {"BAPM", 200}, {"ENGA", 450}, {"MARR", 455}, {"FAMILY_CUSTOM", 460}, {"DIV", 465},
        {"ANUL", 470}, {"DEAT", 500}, {"BURI", 600}, {"EDUC", 400}, {"CUSTOM", 400},        {"marr", 400},
    };
    for (const auto& [type, key] : keys)
        EXPECT_EQ(GetFactOrderKey(QString::fromLatin1(type)), key) << type;
}
