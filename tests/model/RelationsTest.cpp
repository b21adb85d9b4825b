#include "DataFolderFixture.h"

namespace {

QString text(const char* key)
{
    return gLangM.Get(u(key));
}

class RelationsTest : public DataFolderFixture
{
protected:
    static QString name(const KV_Person* p) { return p->GetDisplayName(DisplayNameMode::Plain, true, true); }
};

// Three generations: grandparents, their son Adam and daughter Beata; Adam's wife Celina and their son Damian,
// who is married to Ewa.
class FamilyTest : public RelationsTest
{
protected:
    void SetUp() override
    {
        RelationsTest::SetUp();
        grandfather = addPerson(u("Henryk"), u("Kowalski"), 1);
        grandmother = addPerson(u("Halina"), u("Kowalska"), 0);
        adam = addPerson(u("Adam"), u("Kowalski"), 1);
        beata = addPerson(u("Beata"), u("Kowalska"), 0);
        celina = addPerson(u("Celina"), u("Kowalska"), 0);
        damian = addPerson(u("Damian"), u("Kowalski"), 1);
        ewa = addPerson(u("Ewa"), u("Kowalska"), 0);
        makeUnion(grandfather, grandmother);
        makeChild(adam, grandfather, grandmother);
        makeChild(beata, grandfather, grandmother);
        makeUnion(adam, celina);
        makeChild(damian, adam, celina);
        makeUnion(damian, ewa);
    }

    KV_Person* grandfather = nullptr;
    KV_Person* grandmother = nullptr;
    KV_Person* adam = nullptr;
    KV_Person* beata = nullptr;
    KV_Person* celina = nullptr;
    KV_Person* damian = nullptr;
    KV_Person* ewa = nullptr;
};

} // namespace

TEST_F(FamilyTest, unionChecksRefuseWithTheRuleThatFailsFirst)
{
    KV_Person* unspecified1 = addPerson(u("X"), u("Y"), 2);
    KV_Person* unspecified2 = addPerson(u("Z"), u("Y"), 5);
    KV_Person* stranger = addPerson(u("Olga"), u("Obca"), 0);
    const struct
    {
        KV_Person* first;
        KV_Person* second;
        const char* message;
    } cases[] = {
        {adam, adam, "LABEL_NIE_MOZNA_UTWORZYC_ZWIAZKU_Z_TA_SAMA_OSOBA."},
        {adam, celina, "LABEL_NIE_MOZNA_UTWORZYC_KOLEJNEGO_ZWIAZKU_POMIEDZY_OSOBAMI._OSOBY_JUZ_TWORZA_ZWIAZEK."},
        {unspecified1, unspecified2, "LABEL_NIE_MOZNA_UTWORZYC_ZWIAZKU_POMIEDZY_OSOBAMI_TEJ_SAMEJ_PLCI."},
        {adam, beata, "LABEL_NIE_MOZNA_UTWORZYC_ZWIAZKU_POMIEDZY_OSOBAMI,_KTORE_MAJA_TEGO_SAMEGO_OJCA_LUB_MATKE."},
        {adam, grandmother, "LABEL_NIE_MOZNA_UTWORZYC_ZWIAZKU_Z_OSOBA,_KTORA_JEST_PRZODKIEM."},
        {grandmother, adam, "LABEL_NIE_MOZNA_UTWORZYC_ZWIAZKU_Z_OSOBA,_KTORA_JEST_POTOMKIEM."},
        {grandfather, ewa, "LABEL_NIE_MOZNA_UTWORZYC_ZWIAZKU_Z_OSOBA,_KTORA_JEST_WSPOLMALZONKIEM_POTOMKA."},
    };
    for (const auto& c : cases) {
        gDB.LastError.clear();
        EXPECT_FALSE(gDB.CanCreateUnion(c.first->ID, c.second->ID)) << c.message;
        EXPECT_EQ(gDB.LastError, text(c.message));
    }
    EXPECT_FALSE(gDB.CanCreateUnion(adam->ID, u("person_X")));
    EXPECT_EQ(gDB.LastError, u("Brak danych osoby o ID: person_X."));

    gDB.LastError = u("earlier");
    EXPECT_TRUE(gDB.CanCreateUnion(damian->ID, stranger->ID));
    EXPECT_EQ(gDB.LastError, u("earlier"));
}

TEST_F(FamilyTest, parentChecksNameTheKindAskedFor)
{
    const struct
    {
        KV_Person* candidate;
        KV_Person* child;
        RelationKind kind;
        QString message;
    } cases[] = {
        {adam, adam, RelationKind::Father, text("LABEL_WYBRANA_OSOBA_NIE_MOZE_BYC_SWOIM_OJCEM.")},
        {celina, celina, RelationKind::Mother, text("LABEL_WYBRANA_OSOBA_NIE_MOZE_BYC_SWOJA_MATKA.")},
        // The sex rule comes before any relation is looked at.
        {grandmother, ewa, RelationKind::Father, text("LABEL_OJCEM_MOZE_BYC_TYLKO_OSOBA,_KTORA_JEST_PLCI_MESKIEJ.")},
        {adam, ewa, RelationKind::Mother, text("LABEL_MATKA_MOZE_BYC_TYLKO_OSOBA,_KTORA_JEST_PLCI_ZENSKIEJ.")},
        {adam, damian, RelationKind::Father,
         gLangM.FormatStr2(u("LABEL_OSOBA_[%S]_JEST_JUZ_OJCEM_DLA_[%S]."), name(adam), name(damian))},
        {celina, damian, RelationKind::Mother,
         gLangM.FormatStr2(u("LABEL_OSOBA_[%S]_JEST_JUZ_MATKA_DLA_[%S]."), name(celina), name(damian))},
        {beata, adam, RelationKind::Mother, text("LABEL_MATKA_NIE_MOZE_BYC_OSOBA,_KTORA_JEST_SIOSTRA_LUB_BRATEM.")},
        {grandfather, damian, RelationKind::Father, text("LABEL_OJCEM_NIE_MOZE_BYC_OSOBA,_KTORA_JEST_PRZODKIEM.")},
        {damian, grandfather, RelationKind::Father, text("LABEL_OJCEM_NIE_MOZE_BYC_OSOBA,_KTORA_JEST_POTOMKIEM.")},
        {ewa, grandmother, RelationKind::Mother,
         text("LABEL_MATKA_NIE_MOZE_BYC_OSOBA,_KTORA_JEST_WSPOLMALZONKIEM_POTOMKIEM.")},
    };
    for (const auto& c : cases) {
        gDB.LastError.clear();
        EXPECT_FALSE(gDB.CanBeParent(c.candidate->ID, c.child->ID, c.kind)) << c.message.toStdString();
        EXPECT_EQ(gDB.LastError, c.message);
    }

    // Damaged data: the candidate lists the child, which names someone else as its parents. The check still
    // refuses with a message, taken from the kind asked for.
    KV_Person* orphan = addPerson(u("Feliks"), u("Nowak"), 1);
    beata->AddChild(orphan->ID);
    gDB.LastError.clear();
    EXPECT_FALSE(gDB.CanBeParent(beata->ID, orphan->ID, RelationKind::Mother));
    EXPECT_EQ(gDB.LastError,
              gLangM.FormatStr2(u("LABEL_OSOBA_[%S]_JEST_JUZ_MATKA_DLA_[%S]."), name(beata), name(orphan)));
    // A kind that is neither father nor mother still leaves a message.
    gDB.LastError.clear();
    EXPECT_FALSE(gDB.CanBeParent(adam->ID, adam->ID, RelationKind::Sister));
    EXPECT_FALSE(gDB.LastError.isEmpty());

    KV_Person* newcomer = addPerson(u("Gustaw"), u("Nowy"), 1);
    EXPECT_TRUE(gDB.CanBeParent(newcomer->ID, orphan->ID, RelationKind::Father));
}

TEST_F(FamilyTest, childChecksReturnHundredForAChildAlreadyListed)
{
    gDB.LastError = u("earlier");
    EXPECT_EQ(gDB.CanBeChild(adam->ID, damian->ID, RelationKind::Father), 100);
    EXPECT_EQ(gDB.LastError, u("earlier"));
    EXPECT_EQ(gDB.CanBeChild(adam->ID, damian->ID, RelationKind::Son), 100);
    EXPECT_EQ(gDB.LastError,
              gLangM.FormatStr2(u("LABEL_OSOBA_[%S]_JEST_JUZ_DZIECKIEM_[%S]."), name(damian), name(adam)));

    const struct
    {
        KV_Person* parent;
        KV_Person* candidate;
        const char* message;
    } cases[] = {
        {adam, adam, "LABEL_WYBRANA_OSOBA_NIE_MOZE_BYC_SWOIM_DZIECKIEM."},
        {adam, beata, "LABEL_DZIECKIEM_NIE_MOZE_BYC_OSOBA,_KTORA_JEST_SIOSTRA_LUB_BRATEM."},
        {damian, grandfather, "LABEL_DZIECKIEM_NIE_MOZE_BYC_OSOBA,_KTORA_JEST_PRZODKIEM."},
        {grandfather, damian, "LABEL_DZIECKIEM_NIE_MOZE_BYC_OSOBA,_KTORA_JEST_POTOMKIEM."},
        {adam, celina, "LABEL_DZIECKIEM_NIE_MOZE_BYC_OSOBA,_KTORA_JEST_WSPOLMALZONKIEM_POTOMKA."},
    };
    for (const auto& c : cases) {
        gDB.LastError.clear();
        EXPECT_EQ(gDB.CanBeChild(c.parent->ID, c.candidate->ID, RelationKind::Daughter), 0) << c.message;
        EXPECT_EQ(gDB.LastError, text(c.message));
    }
    EXPECT_EQ(gDB.CanBeChild(u("person_X"), adam->ID, RelationKind::Son), 0);
    EXPECT_EQ(gDB.LastError, u("Brak danych osoby o ID: person_X."));
    KV_Person* newcomer = addPerson(u("Gustaw"), u("Nowy"), 1);
    EXPECT_EQ(gDB.CanBeChild(ewa->ID, newcomer->ID, RelationKind::Son), 1);
}

TEST_F(FamilyTest, walksGoFathersFirstDepthFirstAndStopAtLoops)
{
    // The target is reachable through both parents: the father's line answers before the mother's is entered.
    KV_Person* great = addPerson(u("Prapradziad"), u("K"), 1);
    makeChild(grandfather, great, nullptr);
    makeChild(grandmother, great, nullptr);
    EXPECT_TRUE(gDB.IsAncestor(damian, great->ID));
    EXPECT_EQ(gDB.Visited, QSet<QString>({damian->ID, adam->ID, grandfather->ID}));

    EXPECT_EQ(gDB.FindDescendantRelation(grandfather, ewa->ID), 2);
    EXPECT_EQ(gDB.Visited, QSet<QString>({grandfather->ID, adam->ID, damian->ID}));
    EXPECT_EQ(gDB.FindDescendantRelation(grandfather, grandmother->ID), 2);
    EXPECT_EQ(gDB.FindDescendantRelation(grandfather, u("person_X")), 0);

    // A person recorded as its own grandfather.
    great->FID = damian->ID;
    damian->AddChild(great->ID);
    EXPECT_FALSE(gDB.IsAncestor(damian, u("person_X")));
    EXPECT_EQ(gDB.FindDescendantRelation(damian, u("person_X")), 0);
}

TEST_F(RelationsTest, aVeryLongLineDoesNotExhaustTheStack)
{
    std::vector<KV_Person*> line;
    for (int i = 0; i < 200000; ++i) {
        auto* child = new KV_Person;
        child->ID = u("person_%1").arg(i, 8, 10, QLatin1Char('0'));
        gDB.AddPerson(child);
        if (!line.empty())
            makeChild(child, line.back(), nullptr);
        line.push_back(child);
    }
    EXPECT_TRUE(gDB.IsAncestor(line.back(), line.front()->ID));
    EXPECT_FALSE(gDB.IsAncestor(line.back(), u("person_X")));
    EXPECT_EQ(gDB.FindDescendantRelation(line.front(), line.back()->ID), 1);
    EXPECT_EQ(gDB.FindDescendantRelation(line.front(), u("person_X")), 0);
}

TEST(SurnameForSexTest, theWantedSexDecidesTheForm)
{
    const struct
    {
        int ownSex;
        const char* surname;
        int wantedSex;
        const char* expected;
    } cases[] = {
        {1, "Kowalski", 0, "Kowalska"},
        {0, "KOWALSKA", 1, "KOWALSKI"},
        {1, "Zawadzki", 0, "Zawadzka"},
        {0, "Zawadzka", 1, "Zawadzki"},
        {1, "Nowicki", 0, "Nowicka"},
        {1, "Nowak", 0, "Nowak"},
        {1, "Ski", 0, "Ski"},
        {1, "Kowalski", 1, "Kowalski"},
        {0, "Kowalska", 0, "Kowalska"},
        // A person of unspecified sex: the wanted sex still decides.
        {2, "Kowalski", 0, "Kowalska"},
        {2, "Kowalski", 1, "Kowalski"},
        {2, "Kowalska", 1, "Kowalski"},
        // Nothing to change toward an unspecified sex, nor a form that is already the wanted one.
        {1, "Kowalski", 2, "Kowalski"},
        {0, "Kowalski", 1, "Kowalski"},
        {1, "Kowalska", 0, "Kowalska"},
        {1, "KowalSKi", 0, "KowalSKi"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KV_DB::SurnameForSex(c.ownSex, u(c.surname), c.wantedSex), u(c.expected))
            << c.ownSex << " " << c.surname << " " << c.wantedSex;
    }
}

TEST_F(RelationsTest, collectChildrenGathersEachChildOnceWithoutTheExcludedOne)
{
    KV_Person* father = addPerson(u("Jan"), u("Nowak"), 1);
    KV_Person* mother = addPerson(u("Anna"), u("Nowak"), 0);
    father->CList = mother->CList = {u("person_A"), u("person_B"), u("person_C")};
    mother->CList.append(u("person_D"));
    QStringList ids;
    KV_DB::CollectChildren(father, mother, u("person_B"), ids);
    EXPECT_EQ(ids, QStringList({u("person_A"), u("person_C"), u("person_D")}));
    ids.clear();
    KV_DB::CollectChildren(nullptr, nullptr, QString(), ids);
    EXPECT_TRUE(ids.isEmpty());
}

TEST_F(RelationsTest, deletingAPersonTakesItsFactsPicturesFilesAndLinks)
{
    KV_Person* father = addPerson(u("Jan"), u("Nowak"), 1);
    KV_Person* person = addPerson(u("Piotr"), u("Nowak"), 1);
    KV_Person* wife = addPerson(u("Maria"), u("Nowak"), 0);
    KV_Person* child = addPerson(u("Ola"), u("Nowak"), 0);
    makeChild(person, father, nullptr);
    makeChild(child, person, wife);
    makeUnion(person, wife);
    KV_Fact* marriage = addFact(person, u("MARR"), u("1970"), u("Płock"), wife);
    for (const char* type : {"BIRT", "DEAT", "BURI"})
        addFact(person, u(type));
    for (int i = 0; i < 3; ++i) {
        auto* picture = new KV_Picture;
        gDB.AddPictureToPerson(person->ID, picture);
    }
    person->Facts.append(u("fact_missing"));
    for (const auto& [id, p] : gDB.PersonMap)
        gDB.SavePerson(p, id);
    for (const auto& [id, f] : gDB.FactMap)
        gDB.SaveFact(f, id);
    for (const auto& [id, p] : gDB.PictureMap)
        gDB.SavePicture(p, id);
    ASSERT_EQ(filesInFolder().size(), 4 + 4 + 3);
    const QString personID = person->ID;
    const QString marriageID = marriage->ID;
    gDB.WorkList = gDB.ResultList = {father, person, wife};
    gDB.PushHistory(personID);
    gDB.SetChanged(false);
    gDB.PersonListDirty = false;

    RecordingPrompter prompter;
    EXPECT_TRUE(gDB.DeletePerson(person));
    EXPECT_EQ(gDB.FindPerson(personID), nullptr);
    EXPECT_EQ(gDB.GetFactCount(), 0);
    EXPECT_EQ(gDB.GetPictureCount(), 0);
    EXPECT_EQ(filesInFolder().size(), 3);
    EXPECT_TRUE(gDB.IsChanged());
    EXPECT_TRUE(gDB.PersonListDirty);
    EXPECT_TRUE(prompter.texts.isEmpty());
    EXPECT_EQ(gDB.LastError, text("ERROR_DELETING_FACT_MISSING_FACT"));
    EXPECT_EQ(gDB.ResultList, QList<KV_Person*>({father, wife}));
    EXPECT_TRUE(gDB.History.isEmpty());
    // The list window selects the row that moved up into the deleted one's place.
    EXPECT_EQ(gDB.GetResultNeighbourID(1), wife->ID);

    // What the relatives hold in memory is what their files hold.
    const QString wifeID = wife->ID;
    const QString childID = child->ID;
    const QString fatherID = father->ID;
    reload();
    const KV_Person* loadedWife = gDB.FindPerson(wifeID);
    const KV_Person* loadedChild = gDB.FindPerson(childID);
    ASSERT_TRUE(loadedWife && loadedChild && gDB.FindPerson(fatherID));
    EXPECT_TRUE(loadedWife->FList.isEmpty());
    EXPECT_FALSE(loadedWife->HasFact(marriageID));
    EXPECT_TRUE(loadedChild->FID.isEmpty());
    EXPECT_EQ(loadedChild->MID, wifeID);
    EXPECT_TRUE(gDB.FindPerson(fatherID)->CList.isEmpty());
}

TEST_F(RelationsTest, aPersonWhoseFileCannotBeDeletedStaysWhole)
{
    KV_Person* person = addPerson(u("Piotr"), u("Nowak"), 1);
    KV_Person* wife = addPerson(u("Maria"), u("Nowak"), 0);
    makeUnion(person, wife);
    // A folder standing under the person's file name cannot be deleted as a file.
    QDir(folder.path()).mkpath(person->ID + gDB.FileExtension);
    gDB.ResultList = {person};
    EXPECT_FALSE(gDB.DeletePerson(person));
    EXPECT_EQ(gDB.StorageError, u("Nie można usunąć pliku [%1]: Is a directory").arg(pathOf(person->ID)));
    EXPECT_EQ(gDB.FindPerson(person->ID), person);
    EXPECT_TRUE(wife->HasPartner(person->ID));
    EXPECT_EQ(gDB.ResultList, QList<KV_Person*>({person}));
    EXPECT_FALSE(gDB.DeletePerson(nullptr));
    EXPECT_EQ(gDB.StorageError, u("Nie można usunąć osoby: nie ma jej w bazie danych."));
}

TEST_F(RelationsTest, aRelativeThatCannotBeSavedIsReportedAfterTheDelete)
{
    KV_Person* person = addPerson(u("Piotr"), u("Nowak"), 1);
    KV_Person* wife = addPerson(u("Maria"), u("Nowak"), 0);
    makeUnion(person, wife);
    QDir(folder.path()).mkpath(wife->ID + gDB.FileExtension);
    RecordingPrompter prompter;
    const QString id = person->ID;
    EXPECT_TRUE(gDB.DeletePerson(person));
    EXPECT_FALSE(wife->HasPartner(id));
    ASSERT_EQ(prompter.texts.size(), 1);
    EXPECT_EQ(prompter.texts.first(), u("Nie można zapisać pliku [%1]: Is a directory").arg(pathOf(wife->ID)));
    EXPECT_EQ(gDB.StorageError, prompter.texts.first());
}

TEST_F(RelationsTest, deletingAFactUnlinksBothPersonsAndSavesAllButTheOneOnWhoseBehalf)
{
    KV_Person* husband = addPerson(u("Jan"), u("Nowak"), 1);
    KV_Person* wife = addPerson(u("Anna"), u("Nowak"), 0);
    KV_Fact* marriage = addFact(husband, u("MARR"), u("1970"), QString(), wife);
    gDB.SaveFact(marriage, marriage->ID);
    const QString id = marriage->ID;

    EXPECT_TRUE(gDB.DeleteFactOfPerson(husband->ID, id));
    EXPECT_FALSE(husband->HasFact(id));
    EXPECT_FALSE(wife->HasFact(id));
    EXPECT_EQ(filesInFolder(), QStringList({wife->ID + gDB.FileExtension}));

    // Without a person on whose behalf (an unknown ID) every touched person is saved.
    // The ID is a copy: the deletion frees the fact that holds it.
    const QString engagementID = addFact(husband, u("ENGA"), QString(), QString(), wife)->ID;
    EXPECT_TRUE(gDB.DeleteFactOfPerson(u("person_unknown"), engagementID));
    EXPECT_EQ(filesInFolder().size(), 2);

    gDB.LastError.clear();
    EXPECT_FALSE(gDB.DeleteFactByID(husband, u("fact_X")));
    EXPECT_EQ(gDB.LastError, text("ERROR_DELETING_FACT_MISSING_FACT"));

    // A fact whose file cannot be deleted stays, linked as before.
    KV_Fact* birth = addFact(husband, u("BIRT"));
    QDir(folder.path()).mkpath(birth->ID + gDB.FileExtension);
    EXPECT_FALSE(gDB.DeleteFact(husband, birth));
    EXPECT_TRUE(gDB.LastError.contains(birth->ID)) << gDB.LastError.toStdString();
    EXPECT_EQ(gDB.FindFact(birth->ID), birth);
    EXPECT_TRUE(husband->HasFact(birth->ID));
}

TEST_F(RelationsTest, deletingAPictureClearsTheProfileAndReportsAMissingPictureAsSuch)
{
    KV_Person* person = addPerson(u("Jan"), u("Nowak"), 1);
    auto* picture = new KV_Picture;
    gDB.AddPictureToPerson(person->ID, picture);
    person->PictureProfile = picture->ID;
    gDB.SavePicture(picture, picture->ID);
    const QString id = picture->ID;

    EXPECT_TRUE(gDB.DeletePictureOfPerson(person->ID, id, true));
    EXPECT_TRUE(person->PictureProfile.isEmpty());
    EXPECT_FALSE(person->HasPicture(id));
    EXPECT_EQ(gDB.FindPicture(id), nullptr);
    EXPECT_EQ(filesInFolder(), QStringList({person->ID + gDB.FileExtension}));

    EXPECT_FALSE(gDB.DeletePictureByID(person, u("picture_X"), false));
    EXPECT_EQ(gDB.LastError, text("ERROR_DELETING_PICTURE_MISSING_PICTURE"));
    EXPECT_EQ(gDB.LastError, u("Wystąpił błąd podczas usuwania zdjęcia. Brak takiego zdjęcia w bazie danych."));

    // Without a person the picture's owner is unlinked and saved.
    auto* second = new KV_Picture;
    gDB.AddPictureToPerson(person->ID, second);
    QFile::remove(pathOf(person->ID));
    EXPECT_TRUE(gDB.DeletePictureOfPerson(u("person_unknown"), second->ID, true));
    EXPECT_TRUE(person->Pictures.isEmpty());
    EXPECT_TRUE(QFileInfo::exists(pathOf(person->ID)));
}
