#include "FamilyFixture.h"
#include "StepAtQuestionPrompter.h"

#include <QDir>
#include <QFile>

namespace {

using Answer = Prompter::Answer;

class RelationRemovalTest : public FamilyFixture
{
protected:
    // Removes with the answers given and reads the folder back.
    bool remove(const QString& person, const QString& other, RelationKind kind, std::deque<Answer> answers)
    {
        prompts.texts.clear();
        prompts.captions.clear();
        prompts.answers = std::move(answers);
        const bool removed = form->DeleteRelation(person, other, kind);
        reload();
        return removed;
    }
    static QString question(const char* text) { return QString::fromUtf8(text); }
};

TEST_F(RelationRemovalTest, aParentLinkClearsOnlyThatLinkOnBothEnds)
{
    EXPECT_TRUE(remove(piotr, jan, RelationKind::Father, {Answer::Yes}));
    EXPECT_EQ(prompts.texts,
              QStringList{"Czy chcesz usunąć relację, że [" + nameOf(jan) + "] jest ojcem [" + nameOf(piotr) + "]?"});
    EXPECT_EQ(prompts.captions, QStringList{"Uwaga"});
    EXPECT_EQ(P(piotr)->FID, "");
    EXPECT_EQ(P(piotr)->MID, anna);
    EXPECT_EQ(P(jan)->CList, QStringList{ewa});
    EXPECT_TRUE(P(jan)->HasPartner(anna)) << "the parents' union stays";
    EXPECT_TRUE(P(anna)->HasChild(piotr));

    EXPECT_TRUE(remove(ewa, anna, RelationKind::Mother, {Answer::Yes}));
    EXPECT_EQ(prompts.texts,
              QStringList{"Czy chcesz usunąć relację, że [" + nameOf(anna) + "] jest matką [" + nameOf(ewa) + "]?"});
    EXPECT_EQ(P(ewa)->MID, "");
    EXPECT_EQ(P(anna)->CList, QStringList{piotr});

    // A father ID that is not the person's father: his child entry goes, the real father stays.
    P(tomasz)->AddChild(ewa);
    save(P(tomasz));
    EXPECT_TRUE(remove(ewa, tomasz, RelationKind::Father, {Answer::Yes}));
    EXPECT_EQ(P(ewa)->FID, jan);
    EXPECT_FALSE(P(tomasz)->HasChild(ewa));
}

TEST_F(RelationRemovalTest, aPartnerLinkLeavesTheUnionFacts)
{
    const QString marriage = addFact(P(jan), "MARR", u("1980"), u("Kraków"), P(anna))->ID;
    save(P(jan));
    EXPECT_TRUE(remove(jan, anna, RelationKind::Partner, {Answer::Yes}));
    EXPECT_EQ(prompts.texts, QStringList{"Czy chcesz usunąć relację, że [" + nameOf(jan) + "] jest w związku z [" +
                                         nameOf(anna) + "]?"});
    EXPECT_FALSE(P(jan)->HasPartner(anna));
    EXPECT_FALSE(P(anna)->HasPartner(jan));
    EXPECT_TRUE(P(jan)->HasPartner(maria));
    EXPECT_NE(gDB.FindFact(marriage), nullptr);
    EXPECT_TRUE(P(jan)->HasFact(marriage));
}

TEST_F(RelationRemovalTest, aChildOfACoupleIsAskedAboutOncePerParent)
{
    struct Case
    {
        std::deque<Answer> answers;
        bool removed;
        // Whether Jan and Anna still list Piotr afterwards.
        bool janKeeps;
        bool annaKeeps;
    };
    const Case cases[] = {
        {{Answer::No, Answer::Yes}, true, false, true},
        {{Answer::Yes, Answer::No}, true, true, false},
        {{Answer::Yes, Answer::Yes}, true, false, false},
        {{Answer::No, Answer::Cancel}, false, true, true},
    };
    for (const Case& c : cases) {
        startAfresh();
        makeFamily();
        EXPECT_EQ(remove(jan, piotr, RelationKind::Son, c.answers), c.removed);
        const QString child = nameOf(piotr);
        EXPECT_EQ(prompts.texts,
                  (QStringList{"[" + child +
                                   u("] ma ojca i matkę, którzy są w związku. Odpowiadając na kolejne pytania będzie "
                                     "można usunąć relację tylko z ojcem lub tylko z matką."),
                               "Czy chcesz usunąć relację, że [" + child + "] jest synem [" + nameOf(anna) + "]?",
                               "Czy chcesz usunąć relację, że [" + child + "] jest synem [" + nameOf(jan) + "]?"}));
        EXPECT_EQ(P(jan)->HasChild(piotr), c.janKeeps);
        EXPECT_EQ(P(piotr)->FID, c.janKeeps ? jan : "");
        EXPECT_EQ(P(anna)->HasChild(piotr), c.annaKeeps);
        EXPECT_EQ(P(piotr)->MID, c.annaKeeps ? anna : "");
        EXPECT_EQ(form->LastError, "");
    }
}

TEST_F(RelationRemovalTest, aChildWhoseOtherParentIsNoPartnerIsAskedAboutOnce)
{
    // Kasia's father Tomasz is no partner of her mother.
    P(kasia)->FID = tomasz;
    P(tomasz)->AddChild(kasia);
    EXPECT_TRUE(remove(zofia, kasia, RelationKind::Daughter, {Answer::Yes}));
    EXPECT_EQ(prompts.texts,
              QStringList{"Czy chcesz usunąć relację, że [" + nameOf(kasia) + "] jest córką [" + nameOf(zofia) + "]?"});
    EXPECT_EQ(P(kasia)->MID, "");
    EXPECT_EQ(P(kasia)->FID, tomasz);
    EXPECT_EQ(P(zofia)->CList, QStringList());
}

TEST_F(RelationRemovalTest, siblingsAreAskedAboutTheirCommonFatherAndMother)
{
    EXPECT_TRUE(remove(piotr, ewa, RelationKind::Sister, {Answer::Yes, Answer::Yes}));
    const QString p = nameOf(piotr);
    const QString e = nameOf(ewa);
    EXPECT_EQ(prompts.texts,
              (QStringList{"[" + p + "] i [" + e +
                               u("] mają tych samych rodziców. Odpowiadając na kolejne pytania będzie można usunąć "
                                 "relację tylko z ojcem lub tylko z matką."),
                           "Czy chcesz usunąć relację, że [" + p + "] i [" + e + "] mają tego samego ojca [" +
                               nameOf(jan) + "]?",
                           "Czy chcesz usunąć relację, że [" + p + "] i [" + e + u("] mają tę samą matkę?")}));
    EXPECT_EQ(P(ewa)->FID, "");
    EXPECT_EQ(P(ewa)->MID, "");
    EXPECT_EQ(P(piotr)->FID, jan);
    EXPECT_EQ(P(piotr)->MID, anna);
    EXPECT_EQ(P(jan)->CList, QStringList{piotr});
    EXPECT_EQ(P(anna)->CList, QStringList{piotr});

    // A half-sibling through the mother: only the mother question.
    startAfresh();
    makeFamily();
    P(ewa)->FID = tomasz;
    P(jan)->RemoveChild(ewa);
    P(tomasz)->AddChild(ewa);
    EXPECT_TRUE(remove(piotr, ewa, RelationKind::Sister, {Answer::Yes}));
    EXPECT_EQ(prompts.texts.size(), 1);
    EXPECT_TRUE(prompts.texts.value(0).endsWith(u("mają tę samą matkę?")));
    EXPECT_EQ(P(ewa)->MID, "");
    EXPECT_EQ(P(ewa)->FID, tomasz);
    EXPECT_FALSE(P(anna)->HasChild(ewa));
}

TEST_F(RelationRemovalTest, noEverywhereChangesNothingAndLeavesNoError)
{
    const QStringList before = describeDatabase();
    EXPECT_FALSE(remove(piotr, jan, RelationKind::Father, {Answer::No}));
    EXPECT_FALSE(remove(jan, anna, RelationKind::Partner, {Answer::Cancel}));
    EXPECT_FALSE(remove(piotr, ewa, RelationKind::Sister, {Answer::No, Answer::No}));
    EXPECT_EQ(prompts.texts.size(), 3) << "information text and two questions";
    EXPECT_EQ(form->LastError, "");
    EXPECT_EQ(describeDatabase(), before);
}

TEST_F(RelationRemovalTest, aMissingFirstPersonEndsTheCallWithItsID)
{
    const QString gone = QStringLiteral("person_00000000-0000-0000-0000-000000000000");
    EXPECT_FALSE(remove(gone, jan, RelationKind::Father, {Answer::Yes}));
    EXPECT_TRUE(prompts.texts.isEmpty());
    EXPECT_EQ(form->LastError, "Brak danych osoby o ID: " + gone);
    EXPECT_FALSE(remove(jan, QString(), RelationKind::Son, {Answer::Yes}));
    EXPECT_EQ(form->LastError, "Brak danych osoby o ID: ");
    EXPECT_FALSE(remove(jan, piotr, RelationKind(99), {Answer::Yes}));
    EXPECT_TRUE(prompts.texts.isEmpty());
}

// Only IDs are kept across each question: a person deleted while the user answers is not written again; the
// person whose relation it was ends the removal with its ID.
TEST_F(RelationRemovalTest, aPersonDeletedWhileTheQuestionWaitsIsNotWrittenAgain)
{
    struct Case
    {
        const char* what;
        const QString* person;
        const QString* other;
        RelationKind kind;
        const QString* deleted;
        std::deque<Answer> answers;
        bool removed;
        bool personMissing;
    };
    const Case cases[] = {
        {"the child, asked about its father", &piotr, &jan, RelationKind::Father, &piotr, {Answer::Yes}, false, true},
        {"the father asked about", &piotr, &jan, RelationKind::Father, &jan, {Answer::Yes}, true, false},
        {"the person, asked about its partner", &jan, &anna, RelationKind::Partner, &jan, {Answer::Yes}, false, true},
        {"the partner asked about", &jan, &anna, RelationKind::Partner, &anna, {Answer::Yes}, true, false},
        {"the child asked about, of a couple",
         &jan,
         &piotr,
         RelationKind::Son,
         &piotr,
         {Answer::Yes, Answer::Yes},
         true,
         false},
        {"the sister asked about", &piotr, &ewa, RelationKind::Sister, &ewa, {Answer::Yes, Answer::Yes}, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        startAfresh();
        makeFamily();
        const QString deleted = *c.deleted;
        StepAtQuestionPrompter questions;
        questions.answers = c.answers;
        questions.atQuestion = [deleted] { ASSERT_TRUE(gDB.DeletePerson(P(deleted))); };
        EXPECT_EQ(form->DeleteRelation(*c.person, *c.other, c.kind), c.removed);
        EXPECT_EQ(form->LastError, c.personMissing ? "Brak danych osoby o ID: " + deleted : QString());
        EXPECT_FALSE(QFile::exists(pathOf(deleted))) << "written again";
        reload();
        EXPECT_EQ(P(deleted), nullptr);
    }
}

TEST_F(RelationRemovalTest, linksToIDsThatNameNoPersonCanBeRemoved)
{
    const QString gone = QStringLiteral("person_11111111-1111-1111-1111-111111111111");
    // A child ID left in Jan's list.
    P(jan)->AddChild(gone);
    save(P(jan));
    EXPECT_TRUE(remove(jan, gone, RelationKind::Son, {Answer::Yes}));
    EXPECT_EQ(prompts.texts,
              QStringList{"Czy chcesz usunąć relację, że [" + gone + "] jest dzieckiem [" + nameOf(jan) + "]?"});
    EXPECT_EQ(P(jan)->CList, (QStringList{piotr, ewa}));

    // A father that no longer exists.
    P(adam)->FID = gone;
    save(P(adam));
    EXPECT_TRUE(remove(adam, gone, RelationKind::Father, {Answer::Yes}));
    EXPECT_EQ(prompts.texts.value(0),
              "Czy chcesz usunąć relację, że [" + gone + "] jest ojcem [" + nameOf(adam) + "]?");
    EXPECT_EQ(P(adam)->FID, "");

    // A partner that no longer exists.
    P(adam)->AddPartner(gone);
    save(P(adam));
    EXPECT_TRUE(remove(adam, gone, RelationKind::Partner, {Answer::Yes}));
    EXPECT_TRUE(P(adam)->FList.isEmpty());

    // A child's other parent, listed as the person's partner, that no longer exists.
    P(anna)->RemovePartner(jan);
    P(anna)->AddPartner(gone);
    P(ewa)->FID = gone;
    save(P(anna));
    save(P(ewa));
    EXPECT_TRUE(remove(anna, ewa, RelationKind::Daughter, {Answer::Yes, Answer::No}));
    EXPECT_EQ(prompts.texts.size(), 3);
    EXPECT_EQ(prompts.texts.value(1), "Czy chcesz usunąć relację, że [" + nameOf(ewa) + "] jest córką [" + gone + "]?");
    EXPECT_EQ(P(ewa)->FID, "");
    EXPECT_EQ(P(ewa)->MID, anna);

    // The siblings' common father that no longer exists.
    P(piotr)->FID = gone;
    P(kasia)->FID = gone;
    save(P(piotr));
    save(P(kasia));
    EXPECT_TRUE(remove(piotr, kasia, RelationKind::Sister, {Answer::Yes}));
    EXPECT_EQ(prompts.texts, QStringList{"Czy chcesz usunąć relację, że [" + nameOf(piotr) + "] i [" + nameOf(kasia) +
                                         "] mają tego samego ojca [" + gone + "]?"});
    EXPECT_EQ(P(kasia)->FID, "");
    EXPECT_EQ(P(piotr)->FID, gone) << "the person's own link is another removal";

    // A sibling that no longer exists, still listed by both parents.
    P(jan)->AddChild(gone);
    P(anna)->AddChild(gone);
    P(ewa)->FID = jan;
    save(P(jan));
    save(P(anna));
    save(P(ewa));
    EXPECT_TRUE(remove(ewa, gone, RelationKind::Brother, {Answer::Yes, Answer::Yes}));
    EXPECT_EQ(prompts.texts.size(), 3);
    EXPECT_FALSE(P(jan)->HasChild(gone));
    EXPECT_FALSE(P(anna)->HasChild(gone));
}

TEST_F(RelationRemovalTest, aFailedWriteIsToldAndTheRemovalStands)
{
    ASSERT_TRUE(QFile::remove(pathOf(jan)));
    ASSERT_TRUE(QDir().mkpath(pathOf(jan) + QStringLiteral("/inside")));
    prompts.answers = {Answer::Yes};
    EXPECT_TRUE(form->DeleteRelation(piotr, jan, RelationKind::Father));
    ASSERT_EQ(prompts.texts.size(), 2);
    EXPECT_EQ(prompts.texts.value(1), u("Nie można zapisać pliku [%1]: Is a directory").arg(pathOf(jan)));
    EXPECT_EQ(P(piotr)->FID, "");
    EXPECT_FALSE(P(jan)->HasChild(piotr));
    EXPECT_EQ(form->LastError, "");
}

} // namespace
