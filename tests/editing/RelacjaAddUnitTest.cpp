#include "RelacjaAddUnit.h"
#include "AdvCombo.h"
#include "AdvEdit.h"
#include "AdvGroupBox.h"
#include "AdvOfficeButtons.h"
#include "AdvPanel.h"
#include "FamilyFixture.h"
#include "StepAtQuestionPrompter.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace {

using Answer = Prompter::Answer;

class RelacjaAddUnitTest : public FamilyFixture
{
protected:
    static QStringList links(const QString& id)
    {
        const KV_Person* p = P(id);
        return {p->FID, p->MID, p->CList.join(u','), p->FList.join(u',')};
    }
};

TEST_F(RelacjaAddUnitTest, everyTypeLinksANewOrAChosenRelativeOnBothEnds)
{
    struct Case
    {
        const char* what;
        RelationKind type;
        // Subject, anchor, second parent, the person to choose ("" for a new relative) and the union item.
        std::function<std::tuple<QString, QString, QString, QString, int>()> setup;
        // The relative's ID; checks after the folder was read back.
        std::function<void(const QString& relative)> check;
    };
    const auto unionOf = [](const QString& a, const QString& b) {
        EXPECT_TRUE(P(a)->HasPartner(b));
        EXPECT_TRUE(P(b)->HasPartner(a));
    };
    const Case cases[] = {
        {"a new father", RelationKind::Father,
         [&] { return std::make_tuple(adam, adam, QStringLiteral("-1"), QString(), -1); },
         [&](const QString& r) {
             EXPECT_EQ(P(adam)->FID, r);
             EXPECT_EQ(P(r)->CList, QStringList{adam});
             EXPECT_EQ(P(r)->Sex, 1);
         }},
        {"a chosen father", RelationKind::Father,
         [&] { return std::make_tuple(adam, adam, QStringLiteral("-1"), tomasz, -1); },
         [&](const QString& r) {
             EXPECT_EQ(r, tomasz);
             EXPECT_EQ(P(adam)->FID, tomasz);
             EXPECT_EQ(P(tomasz)->CList, QStringList{adam});
         }},
        {"a new mother", RelationKind::Mother,
         [&] { return std::make_tuple(adam, adam, QStringLiteral("-1"), QString(), -1); },
         [&](const QString& r) {
             EXPECT_EQ(P(adam)->MID, r);
             EXPECT_EQ(P(r)->CList, QStringList{adam});
             EXPECT_EQ(P(r)->Sex, 0);
         }},
        {"a chosen mother", RelationKind::Mother,
         [&] { return std::make_tuple(adam, adam, QStringLiteral("-1"), helena, -1); },
         [&](const QString& r) {
             EXPECT_EQ(P(adam)->MID, helena);
             EXPECT_EQ(P(helena)->CList, QStringList{adam});
             EXPECT_EQ(r, helena);
         }},
        {"a new partner", RelationKind::Partner,
         [&] { return std::make_tuple(adam, adam, QStringLiteral("-1"), QString(), -1); },
         [&](const QString& r) {
             unionOf(adam, r);
             EXPECT_EQ(P(r)->Sex, 0);
         }},
        {"a chosen partner", RelationKind::Partner,
         [&] { return std::make_tuple(adam, adam, QStringLiteral("-1"), helena, -1); },
         [&](const QString&) { unionOf(adam, helena); }},
        {"a new son from the first union", RelationKind::Son,
         [&] { return std::make_tuple(jan, jan, QStringLiteral("-1"), QString(), -1); },
         [&](const QString& r) {
             EXPECT_EQ(links(r), (QStringList{jan, anna, "", ""}));
             EXPECT_TRUE(P(jan)->HasChild(r));
             EXPECT_TRUE(P(anna)->HasChild(r));
         }},
        {"a chosen son of a one-parent family", RelationKind::Son,
         [&] { return std::make_tuple(jan, jan, QStringLiteral("-1"), adam, 0); },
         [&](const QString&) {
             EXPECT_EQ(links(adam), (QStringList{jan, "", "", ""}));
             EXPECT_TRUE(P(jan)->HasChild(adam));
             EXPECT_FALSE(P(anna)->HasChild(adam));
         }},
        {"a new daughter of a woman with her partner", RelationKind::Daughter,
         [&] { return std::make_tuple(anna, anna, QStringLiteral("-1"), QString(), 1); },
         [&](const QString& r) {
             EXPECT_EQ(links(r), (QStringList{jan, anna, "", ""}));
             EXPECT_TRUE(P(jan)->HasChild(r));
             EXPECT_TRUE(P(anna)->HasChild(r));
         }},
        {"a chosen daughter of a woman with her partner", RelationKind::Daughter,
         [&] { return std::make_tuple(anna, anna, QStringLiteral("-1"), helena, 1); },
         [&](const QString&) {
             EXPECT_EQ(links(helena), (QStringList{jan, anna, "", ""}));
             EXPECT_TRUE(P(jan)->HasChild(helena));
             EXPECT_TRUE(P(anna)->HasChild(helena));
         }},
        {"a new brother", RelationKind::Brother, [&] { return std::make_tuple(piotr, jan, anna, QString(), -1); },
         [&](const QString& r) {
             EXPECT_EQ(links(r), (QStringList{jan, anna, "", ""}));
             EXPECT_EQ(P(jan)->CList, (QStringList{piotr, ewa, r}));
             EXPECT_EQ(P(anna)->CList, (QStringList{piotr, ewa, r}));
         }},
        {"a chosen brother", RelationKind::Brother, [&] { return std::make_tuple(piotr, jan, anna, tomasz, -1); },
         [&](const QString&) {
             EXPECT_EQ(links(tomasz), (QStringList{jan, anna, "", ""}));
             EXPECT_TRUE(P(jan)->HasChild(tomasz));
             EXPECT_TRUE(P(anna)->HasChild(tomasz));
         }},
        {"a new sister of a person whose father is missing", RelationKind::Sister,
         [&] { return std::make_tuple(kasia, QString(), zofia, QString(), -1); },
         [&](const QString& r) {
             EXPECT_EQ(links(r), (QStringList{"", zofia, "", ""}));
             EXPECT_EQ(P(zofia)->CList, (QStringList{kasia, r}));
         }},
        {"a chosen sister", RelationKind::Sister, [&] { return std::make_tuple(ewa, jan, anna, helena, -1); },
         [&](const QString&) {
             EXPECT_EQ(links(helena), (QStringList{jan, anna, "", ""}));
             EXPECT_TRUE(P(anna)->HasChild(helena));
         }},
    };
    for (const Case& c : cases) {
        startAfresh();
        makeFamily();
        prompts.texts.clear();
        QString subject, anchor, second, chosen;
        int unionIndex = -1;
        std::tie(subject, anchor, second, chosen, unionIndex) = c.setup();
        if (!chosen.isEmpty())
            picks.push_back(chosen);
        const TModalResult result = run(subject, anchor, second, c.type, [&](TFormRelacjaAdd& f) {
            if (unionIndex != -1)
                f.AdvComboBoxZwiazki->SetItemIndex(unionIndex);
            if (!chosen.isEmpty()) {
                f.Button2->click();
                EXPECT_EQ(f.ChosenID, chosen) << c.what;
            }
            f.AdvComboBoxImie->SetText(QStringLiteral("Nowy"));
            f.ButtonZapisz->click();
        });
        EXPECT_EQ(result, mrOk) << c.what;
        EXPECT_TRUE(form->Saved) << c.what;
        EXPECT_TRUE(prompts.texts.isEmpty()) << c.what << ": " << prompts.texts.join(" | ").toStdString();
        reload();
        const QString relative = chosen.isEmpty() ? newPersonID() : chosen;
        ASSERT_NE(P(relative), nullptr) << c.what;
        EXPECT_EQ(P(relative)->Forename, "Nowy") << c.what;
        SCOPED_TRACE(c.what);
        c.check(relative);
    }
}

TEST_F(RelacjaAddUnitTest, aFatherOfAPersonWithAMotherAsksForTheirUnionAndWritesAllThree)
{
    for (const Answer answer : {Answer::Yes, Answer::No}) {
        startAfresh();
        makeFamily();
        prompts.texts.clear();
        prompts.answers = {answer};
        // Written again whatever the answer: the files go first and must come back.
        ASSERT_TRUE(QFile::remove(pathOf(kasia)));
        ASSERT_TRUE(QFile::remove(pathOf(zofia)));
        EXPECT_EQ(run(kasia, kasia, QStringLiteral("-1"), RelationKind::Father,
                      [](TFormRelacjaAdd& f) {
                          f.AdvComboBoxImie->SetText(QStringLiteral("Marek"));
                          f.ButtonZapisz->click();
                      }),
                  mrOk);
        const QString kasiaName = nameOf(kasia);
        EXPECT_EQ(prompts.texts, QStringList{"Czy chcesz utworzyć związek pomiędzy rodzicami osoby: " + kasiaName});
        EXPECT_EQ(prompts.captions, QStringList{"Uwaga"});
        EXPECT_TRUE(QFile::exists(pathOf(kasia)));
        EXPECT_TRUE(QFile::exists(pathOf(zofia)));
        reload();
        const QString father = newPersonID();
        EXPECT_EQ(P(kasia)->FID, father);
        EXPECT_EQ(P(kasia)->MID, zofia);
        EXPECT_EQ(P(father)->HasPartner(zofia), answer == Answer::Yes);
        EXPECT_EQ(P(zofia)->HasPartner(father), answer == Answer::Yes);
        prompts.captions.clear();
    }

    // Without a mother nothing is asked.
    startAfresh();
    makeFamily();
    prompts.texts.clear();
    run(adam, adam, QStringLiteral("-1"), RelationKind::Father, [](TFormRelacjaAdd& f) { f.ButtonZapisz->click(); });
    EXPECT_TRUE(prompts.texts.isEmpty());
}

// The question about the parents' union waits for the user: a parent or the child deleted meanwhile is not
// written again, and no union is made with a parent that is gone.
TEST_F(RelacjaAddUnitTest, aPersonDeletedWhileTheUnionQuestionWaitsIsNotWrittenAgain)
{
    struct Case
    {
        const char* what;
        const QString* deleted;
        bool unionMade;
    };
    const Case cases[] = {
        {"the mother", &zofia, false},
        {"the child", &kasia, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        startAfresh();
        makeFamily();
        const QString deleted = *c.deleted;
        StepAtQuestionPrompter questions;
        questions.answers = {Answer::Yes};
        questions.atQuestion = [deleted] { ASSERT_TRUE(gDB.DeletePerson(P(deleted))); };
        EXPECT_EQ(run(kasia, kasia, QStringLiteral("-1"), RelationKind::Father,
                      [](TFormRelacjaAdd& f) {
                          f.AdvComboBoxImie->SetText(QStringLiteral("Marek"));
                          f.ButtonZapisz->click();
                      }),
                  mrOk);
        EXPECT_EQ(questions.texts.size(), 1);
        EXPECT_FALSE(QFile::exists(pathOf(deleted))) << "written again";
        reload();
        EXPECT_EQ(P(deleted), nullptr);
        const QString father = newPersonID();
        ASSERT_NE(P(father), nullptr);
        EXPECT_EQ(P(father)->HasPartner(zofia), c.unionMade);
        EXPECT_EQ(P(father)->HasChild(kasia), P(kasia) != nullptr);
    }
}

TEST_F(RelacjaAddUnitTest, theUnionListOffersThePartnersAndPreselectsTheFirst)
{
    run(jan, jan, QStringLiteral("-1"), RelationKind::Son, [&](TFormRelacjaAdd& f) {
        EXPECT_FALSE(f.AdvComboBoxZwiazki->parentWidget()->isHidden());
        ASSERT_EQ(f.AdvComboBoxZwiazki->count(), 3);
        EXPECT_EQ(f.AdvComboBoxZwiazki->itemText(0), "Rodzina z jednym rodzicem");
        EXPECT_EQ(f.AdvComboBoxZwiazki->itemText(1), nameOf(anna));
        EXPECT_EQ(f.AdvComboBoxZwiazki->itemText(2), nameOf(maria));
        EXPECT_EQ(f.AdvComboBoxZwiazki->GetItemIndex(), 1);
        EXPECT_EQ(f.PanelTitle->GetText(), "Dodawanie syna");
        // "Rodzina z jednym rodzicem": the son gets the father alone.
        f.AdvComboBoxZwiazki->SetItemIndex(0);
        f.AdvComboBoxImie->SetText(QStringLiteral("Karol"));
        f.ButtonZapisz->click();
    });
    reload();
    const QString son = newPersonID();
    EXPECT_EQ(P(son)->FID, jan);
    EXPECT_EQ(P(son)->MID, "");
    EXPECT_FALSE(P(anna)->HasChild(son));
    EXPECT_FALSE(P(maria)->HasChild(son));

    // Other types hide the list; a person without partners offers the one-parent family alone.
    run(jan, jan, QStringLiteral("-1"), RelationKind::Partner,
        [](TFormRelacjaAdd& f) { EXPECT_TRUE(f.AdvComboBoxZwiazki->parentWidget()->isHidden()); });
    run(adam, adam, QStringLiteral("-1"), RelationKind::Daughter, [](TFormRelacjaAdd& f) {
        EXPECT_EQ(f.AdvComboBoxZwiazki->count(), 1);
        EXPECT_EQ(f.AdvComboBoxZwiazki->GetItemIndex(), 0);
    });
}

TEST_F(RelacjaAddUnitTest, aNewRelativeStartsWithTheSexAndSurnameOfItsType)
{
    struct Case
    {
        const char* what;
        RelationKind type;
        QString subject;
        QString anchor;
        QString second;
        int sex;
        const char* surname;
        const char* familyName;
        bool sexLocked;
    };
    const Case cases[] = {
        {"daughter of Jan Kowalski", RelationKind::Daughter, jan, jan, "-1", 0, "Kowalska", "Kowalska", false},
        {"son of Anna Kowalska", RelationKind::Son, anna, anna, "-1", 1, "Kowalski", "Kowalski", false},
        {"father of Ewa", RelationKind::Father, ewa, ewa, "-1", 1, "Kowalski", "Kowalski", true},
        {"mother of Ewa", RelationKind::Mother, ewa, ewa, "-1", 0, "Kowalska", "", true},
        {"father of Anna (née Nowak)", RelationKind::Father, anna, anna, "-1", 1, "Nowak", "Nowak", true},
        {"partner of Jan", RelationKind::Partner, jan, jan, "-1", 0, "Kowalska", "", false},
        {"partner of Anna", RelationKind::Partner, anna, anna, "-1", 1, "", "", false},
        {"partner of Alex (unspecified)", RelationKind::Partner, alex, alex, "-1", 1, "", "", false},
        {"brother of Ewa", RelationKind::Brother, ewa, jan, anna, 1, "Kowalski", "Kowalski", false},
        {"sister of Piotr", RelationKind::Sister, piotr, jan, anna, 0, "Kowalska", "Kowalska", false},
        {"brother of Kasia, no father", RelationKind::Brother, kasia, "", zofia, 1, "Zieliński", "Zieliński", false},
    };
    for (const Case& c : cases) {
        run(c.subject, c.anchor, c.second, c.type, [&](TFormRelacjaAdd& f) {
            EXPECT_EQ(f.AdvComboBoxPlec->GetItemIndex(), c.sex) << c.what;
            EXPECT_EQ(f.AdvComboBoxNazwisko->GetText(), u(c.surname)) << c.what;
            EXPECT_EQ(f.AdvComboBoxRodowe->GetText(), u(c.familyName)) << c.what;
            EXPECT_EQ(f.AdvComboBoxPlec->isEnabled(), !c.sexLocked) << c.what;
            EXPECT_TRUE(f.AdvComboBoxImie->GetText().isEmpty()) << c.what;
            EXPECT_TRUE(f.ButtonUsunWybor->isHidden()) << c.what;
        });
        EXPECT_TRUE(stillOpen);
    }
    gSettings.ChildSurnamePrefill = false;
    run(jan, jan, QStringLiteral("-1"), RelationKind::Daughter, [](TFormRelacjaAdd& f) {
        EXPECT_EQ(f.AdvComboBoxNazwisko->GetText(), "");
        EXPECT_EQ(f.AdvComboBoxRodowe->GetText(), "");
    });
    EXPECT_EQ(gDB.GetPersonCount(), 11) << "closing creates nothing";
}

TEST_F(RelacjaAddUnitTest, aChosenPersonFillsTheFieldsAndIsOverwrittenBySaving)
{
    KV_Person* h = P(helena);
    h->Familyname = u("Kruk");
    h->Note = u("Pierwsza linia\r\nDruga linia");
    h->SetDead(true);
    addFact(h, "BIRT", u("1920"), u("Lwów"));
    addFact(h, "DEAT", u("1990"), u("Opole"));
    addFact(h, "BURI", u("1990"), u("Opole"));
    save(h);
    picks = {helena};
    run(anna, anna, QStringLiteral("-1"), RelationKind::Daughter, [&](TFormRelacjaAdd& f) {
        f.Button2->click();
        EXPECT_EQ(f.AdvComboBoxImie->GetText(), "Helena");
        EXPECT_EQ(f.AdvComboBoxNazwisko->GetText(), "Sowa");
        EXPECT_EQ(f.AdvComboBoxRodowe->GetText(), "Kruk");
        EXPECT_EQ(f.AdvComboBoxDataUr->GetText(), "1920");
        EXPECT_EQ(f.AdvComboBoxDataUrMiejsce->GetText(), "Lwów");
        EXPECT_EQ(f.AdvEditDataSmierci->GetText(), "1990");
        EXPECT_EQ(f.AdvEditDataSmierciMiejsce->GetText(), "Opole");
        EXPECT_TRUE(f.CheckBoxOsobaZmarla->GetChecked());
        EXPECT_FALSE(f.AdvGroupBoxDataSmierci->isHidden());
        EXPECT_EQ(f.MemoNote->toPlainText(), "Pierwsza linia\nDruga linia");
        EXPECT_FALSE(f.AdvComboBoxZwiazki->isEnabled()) << "the union it was checked against stays";
        EXPECT_FALSE(f.ButtonUsunWybor->isHidden());
        EXPECT_EQ(f.AdvComboBoxZwiazki->GetItemIndex(), 1);

        f.AdvComboBoxImie->SetText(u("Halina"));
        f.AdvComboBoxNazwisko->SetText(u("Kowalska"));
        f.AdvComboBoxDataUr->SetText(QString());
        f.AdvComboBoxDataUrMiejsce->SetText(QString());
        f.CheckBoxOsobaZmarla->SetChecked(false);
        f.MemoNote->setPlainText(u("Nowa notatka\nw dwóch liniach"));
        f.ButtonZapisz->click();
    });
    reload();
    const KV_Person* saved = P(helena);
    EXPECT_EQ(saved->Forename, "Halina");
    EXPECT_EQ(saved->Surname, "Kowalska");
    EXPECT_EQ(saved->Familyname, "Kruk");
    EXPECT_EQ(saved->Sex, 0);
    EXPECT_FALSE(saved->IsDead());
    EXPECT_EQ(saved->Note, u("Nowa notatka\r\nw dwóch liniach"));
    ASSERT_NE(saved->FindFactByType("BIRT"), nullptr) << "empty birth fields keep the birth";
    EXPECT_EQ(saved->FindFactByType("BIRT")->Place, "Lwów");
    EXPECT_EQ(saved->FindFactByType("DEAT"), nullptr);
    EXPECT_EQ(saved->FindFactByType("BURI"), nullptr);
    EXPECT_EQ(factFiles().size(), 1);
    EXPECT_EQ(saved->FID, jan);
    EXPECT_EQ(saved->MID, anna);
}

TEST_F(RelacjaAddUnitTest, droppingTheChoiceReturnsToThePresetsAndTheListOffersTheSexes)
{
    picks = {tomasz, tomasz};
    run(ewa, jan, anna, RelationKind::Brother, [&](TFormRelacjaAdd& f) {
        f.Button2->click();
        ASSERT_EQ(f.ChosenID, tomasz);
        EXPECT_EQ(f.AdvComboBoxImie->GetText(), "Tomasz");
        f.ButtonUsunWybor->click();
        EXPECT_EQ(f.ChosenID, "");
        EXPECT_EQ(f.AdvComboBoxImie->GetText(), "");
        EXPECT_EQ(f.AdvComboBoxNazwisko->GetText(), "Kowalski");
        EXPECT_EQ(f.AdvComboBoxPlec->GetItemIndex(), 1);
        EXPECT_TRUE(f.ButtonUsunWybor->isHidden());
        EXPECT_TRUE(f.AdvComboBoxZwiazki->isEnabled());

        f.AdvComboBoxPlec->SetItemIndex(2);
        f.Button2->click();
        f.AdvComboBoxPlec->SetItemIndex(0);
        f.Button2->click();
    });
    const QList<std::pair<bool, bool>> expected{{false, true}, {true, true}, {true, false}};
    EXPECT_EQ(pickerCalls, expected);
    EXPECT_EQ(gDB.GetPersonCount(), 11);
}

TEST_F(RelacjaAddUnitTest, anInvalidDateIsRefusedWithTheFocusInItsField)
{
    struct Case
    {
        const char* birth;
        const char* death;
        const char* message;
        bool birthField;
    };
    const Case cases[] = {
        {"31-02-1900", "", "Wpisz poprawną wartość w pole [Data urodzenia]!", true},
        {"1900", "wczoraj", "Wpisz poprawną wartość w pole [Data zgonu]!", false},
    };
    for (const Case& c : cases) {
        prompts.texts.clear();
        bool focused = false;
        const TModalResult result = run(jan, jan, QStringLiteral("-1"), RelationKind::Son, [&](TFormRelacjaAdd& f) {
            f.AdvComboBoxDataUr->SetText(u(c.birth));
            f.CheckBoxOsobaZmarla->SetChecked(true);
            f.CheckBoxOsobaZmarlaClick();
            f.AdvEditDataSmierci->SetText(u(c.death));
            f.ButtonZapisz->click();
            focused = f.focusWidget() == (c.birthField ? f.AdvComboBoxDataUr : f.AdvEditDataSmierci);
            f.FormActivate();
            EXPECT_EQ(f.AdvComboBoxDataUr->GetText(), u(c.birth)) << "coming back keeps what was typed";
        });
        EXPECT_EQ(result, mrCancel);
        EXPECT_TRUE(stillOpen);
        EXPECT_FALSE(form->Saved);
        EXPECT_EQ(prompts.texts, QStringList{u(c.message)});
        EXPECT_EQ(form->LastError, u(c.message));
        EXPECT_TRUE(focused) << c.message;
        EXPECT_EQ(gDB.GetPersonCount(), 11);
        EXPECT_EQ(P(jan)->CList, (QStringList{piotr, ewa}));
    }
}

TEST_F(RelacjaAddUnitTest, aMissingAnchorRefusesTheSave)
{
    const QString gone = QStringLiteral("person_00000000-0000-0000-0000-000000000000");
    struct Case
    {
        RelationKind type;
        QString anchor;
        QString second;
    };
    // A sibling with neither parent, and a father for a person who is gone.
    const Case cases[] = {{RelationKind::Brother, QString(), QString()}, {RelationKind::Father, gone, "-1"}};
    for (const Case& c : cases) {
        prompts.texts.clear();
        run(kasia, c.anchor, c.second, c.type, [](TFormRelacjaAdd& f) { f.ButtonZapisz->click(); });
        EXPECT_TRUE(stillOpen);
        EXPECT_EQ(prompts.texts, QStringList{"Brak danych osoby o ID: " + c.anchor});
        EXPECT_EQ(gDB.GetPersonCount(), 11);
    }
}

TEST_F(RelacjaAddUnitTest, choicesTheRulesRefuseAreToldAndNotTaken)
{
    // Tomasz becomes the father of Adam, so Adam's own son may not be Tomasz.
    P(adam)->FID = tomasz;
    P(tomasz)->AddChild(adam);
    // Alex's father is recorded: Alex is no one's new sibling.
    P(alex)->FID = tomasz;
    struct Case
    {
        const char* what;
        RelationKind type;
        QString subject;
        QString anchor;
        QString second;
        QString chosen;
        int unionIndex;
        QString message;
    };
    const Case cases[] = {
        {"the subject itself", RelationKind::Partner, jan, jan, "-1", jan, -1,
         u("Nie można wybrać osoby dla której tworzy się relację.\r\nWybierz inną osobę.")},
        {"a partner of the same sex", RelationKind::Partner, jan, jan, "-1", adam, -1,
         u("Nie można utworzyć związku pomiędzy osobami tej samej płci.")},
        {"an ancestor as a son", RelationKind::Son, adam, adam, "-1", tomasz, 0,
         u("Dzieckiem nie może być osoba, która jest przodkiem.")},
        {"a sibling with a parent", RelationKind::Brother, piotr, jan, anna, alex, -1,
         u("Wybrana osoba ma już ojca lub matkę.\r\nWybierz inną osobę.")},
        {"a son whose father is another man", RelationKind::Son, jan, jan, "-1", adam, 0,
         u("Wybrana osoba ma już ojca lub matkę.\r\nWybierz inną osobę.")},
        {"a daughter with both parents, of another union", RelationKind::Daughter, maria, maria, "-1", ewa, 1,
         u("Wybrana osoba ma już ojca i matkę.\r\nWybierz inną osobę.")},
    };
    for (const Case& c : cases) {
        prompts.texts.clear();
        picks = {c.chosen};
        run(c.subject, c.anchor, c.second, c.type, [&](TFormRelacjaAdd& f) {
            if (c.unionIndex != -1)
                f.AdvComboBoxZwiazki->SetItemIndex(c.unionIndex);
            f.Button2->click();
            EXPECT_EQ(f.ChosenID, "") << c.what;
            EXPECT_TRUE(f.ButtonUsunWybor->isHidden()) << c.what;
            EXPECT_EQ(f.AdvComboBoxImie->GetText(), "") << c.what;
        });
        ASSERT_EQ(prompts.texts.size(), 1) << c.what;
        EXPECT_EQ(prompts.texts.first().replace(u'\n', QStringLiteral("\\n")),
                  QString(c.message).replace(u'\n', QStringLiteral("\\n")))
            << c.what;
    }
}

TEST_F(RelacjaAddUnitTest, aChosenChildKeepsARecordedParentThatTheLinkLeavesOrConfirms)
{
    // The family is made afresh for each case, so the cases point at the fixture's IDs; null for none.
    struct Case
    {
        const char* what;
        const QString* anchor;
        int unionIndex;
        const QString* chosenFather;
        const QString* chosenMother;
        bool accepted;
    };
    // Adam is the chosen son each time, with the parents given here.
    const Case cases[] = {
        {"a man's one-parent family, father already the anchor", &jan, 0, &jan, nullptr, true},
        {"a man's one-parent family, another father", &jan, 0, &tomasz, nullptr, false},
        {"a man's one-parent family, a mother only", &jan, 0, nullptr, &helena, true},
        {"a woman's one-parent family, a father only", &zofia, 0, &tomasz, nullptr, true},
        {"a woman's one-parent family, another mother", &zofia, 0, nullptr, &helena, false},
        {"an unspecified parent, another mother", &alex, 0, nullptr, &helena, false},
        {"a couple, another mother", &jan, 1, nullptr, &helena, false},
        {"a couple, the same father", &jan, 1, &jan, nullptr, true},
    };
    for (const Case& c : cases) {
        startAfresh();
        makeFamily();
        prompts.texts.clear();
        const QString father = c.chosenFather ? *c.chosenFather : QString();
        const QString mother = c.chosenMother ? *c.chosenMother : QString();
        KV_Person* child = P(adam);
        child->FID = father;
        child->MID = mother;
        if (!father.isEmpty())
            P(father)->AddChild(adam);
        if (!mother.isEmpty())
            P(mother)->AddChild(adam);
        picks = {adam};
        run(*c.anchor, *c.anchor, QStringLiteral("-1"), RelationKind::Son, [&](TFormRelacjaAdd& f) {
            f.AdvComboBoxZwiazki->SetItemIndex(c.unionIndex);
            f.Button2->click();
            EXPECT_EQ(f.ChosenID.isEmpty(), !c.accepted) << c.what;
            if (c.accepted)
                f.ButtonZapisz->click();
        });
        EXPECT_EQ(form->Saved, c.accepted) << c.what;
        if (c.accepted) {
            EXPECT_TRUE(P(*c.anchor)->HasChild(adam)) << c.what;
            // The slot the link leaves alone keeps its parent.
            if (!father.isEmpty()) {
                EXPECT_EQ(P(adam)->FID, father) << c.what;
            }
            if (!mother.isEmpty()) {
                EXPECT_EQ(P(adam)->MID, mother) << c.what;
            }
        } else {
            EXPECT_EQ(prompts.texts.value(0), u("Wybrana osoba ma już ojca lub matkę.\r\nWybierz inną osobę."))
                << c.what;
            EXPECT_EQ(P(adam)->FID, father) << c.what;
            EXPECT_EQ(P(adam)->MID, mother) << c.what;
        }
    }
}

TEST_F(RelacjaAddUnitTest, aStorageFailureIsToldAndTheSaveStillCounts)
{
    ASSERT_TRUE(QFile::remove(pathOf(jan)));
    // A folder under the anchor's file name cannot be replaced by the file (and root writes anywhere).
    ASSERT_TRUE(QDir().mkpath(pathOf(jan) + QStringLiteral("/inside")));
    const TModalResult result = run(jan, jan, QStringLiteral("-1"), RelationKind::Son, [](TFormRelacjaAdd& f) {
        f.AdvComboBoxImie->SetText(QStringLiteral("Karol"));
        f.ButtonZapisz->click();
    });
    EXPECT_EQ(result, mrOk) << "memory has changed";
    EXPECT_TRUE(form->Saved);
    ASSERT_EQ(prompts.texts.size(), 1);
    EXPECT_EQ(prompts.texts.first(), gDB.StorageError);
    EXPECT_EQ(prompts.captions.first(), "Uwaga");
    EXPECT_EQ(gDB.StorageError, u("Nie można zapisać pliku [%1]: Is a directory").arg(pathOf(jan)));
    EXPECT_EQ(P(jan)->CList.size(), 3);
}

TEST_F(RelacjaAddUnitTest, f3SavesEscClosesAndTypingFollowsTheDialogRules)
{
    EXPECT_EQ(run(adam, adam, QStringLiteral("-1"), RelationKind::Partner,
                  [](TFormRelacjaAdd& f) {
                      f.AdvComboBoxImie->setFocus();
                      typeText(f.AdvComboBoxImie, u("łucja"));
                      EXPECT_EQ(f.AdvComboBoxImie->GetText(), u("Łucja"));
                      f.AdvComboBoxDataUr->SetText(u("wczoraj"));
                      EXPECT_EQ(f.AdvComboBoxDataUr->GetFontColor(), TColor(0x0000FF));
                      f.AdvComboBoxDataUr->SetText(u("1950"));
                      QTest::keyClick(f.AdvComboBoxImie, Qt::Key_F3);
                  }),
              mrOk);
    EXPECT_EQ(P(newPersonID())->Forename, u("Łucja"));
    EXPECT_EQ(run(adam, adam, QStringLiteral("-1"), RelationKind::Mother,
                  [](TFormRelacjaAdd& f) { QTest::keyClick(f.AdvComboBoxImie, Qt::Key_Escape); }),
              mrCancel);
    EXPECT_FALSE(stillOpen) << "Esc closed the dialog";
    EXPECT_FALSE(form->Saved);
}

TEST_F(RelacjaAddUnitTest, theSexColoursBothPanelsAndChoosesTheWordLists)
{
    run(jan, jan, QStringLiteral("-1"), RelationKind::Daughter, [](TFormRelacjaAdd& f) {
        EXPECT_EQ(f.AdvPanel3->GetColorTo(), TColor(0xC4C4FF));
        EXPECT_EQ(f.AdvPanelDane->GetColorTo(), TColor(0xC4C4FF));
        EXPECT_EQ(f.AdvComboBoxNazwisko->GetText(), "Kowalska") << "the prefill survives the lists";
        EXPECT_TRUE(f.AdvComboBoxImie->findText("Anna") >= 0);
        EXPECT_EQ(f.AdvComboBoxImie->findText("Jan"), -1);
        f.AdvComboBoxPlec->SetItemIndex(1);
        f.AdvComboBoxPlecChange();
        EXPECT_EQ(f.AdvPanelDane->GetColorTo(), TColor(0xFFDBB7));
        EXPECT_TRUE(f.AdvComboBoxImie->findText("Jan") >= 0);
    });
}

TEST_F(RelacjaAddUnitTest, noControlLiesOverAnotherInAnyStateOrShowing)
{
    KV_Person* h = P(helena);
    h->SetDead(true);
    addFact(h, "DEAT", u("1990"), u("Opole"));
    save(h);
    const RelationKind kinds[] = {RelationKind::Father, RelationKind::Partner, RelationKind::Daughter,
                                  RelationKind::Son, RelationKind::Daughter};
    // The dead person chosen in one showing leaves the death fields shown for the next.
    for (const RelationKind kind : kinds) {
        picks = {helena};
        run(anna, anna, QStringLiteral("-1"), kind, [&](TFormRelacjaAdd& f) {
            const auto noOverlap = [&](const char* state) {
                EXPECT_EQ(overlappingSiblings(&f), QStringList()) << int(kind) << ", " << state;
            };
            noOverlap("new relative");
            f.CheckBoxOsobaZmarla->SetChecked(true);
            f.CheckBoxOsobaZmarlaClick();
            noOverlap("new relative, dead");
            f.Button2->click();
            noOverlap("chosen dead person");
            f.ButtonUsunWybor->click();
            noOverlap("choice dropped");
        });
    }
}

TEST_F(RelacjaAddUnitTest, screenshotOfTheDialogAddingADaughter)
{
    run(jan, jan, QStringLiteral("-1"), RelationKind::Daughter, [](TFormRelacjaAdd& f) {
        f.AdvComboBoxImie->SetText(u("Zuzanna"));
        f.AdvComboBoxDataUr->SetText(u("12 maj 1985"));
        f.AdvComboBoxDataUrMiejsce->SetText(u("Kraków"));
        f.MemoNote->setPlainText(u("Najmłodsza z rodzeństwa."));
        QCoreApplication::processEvents();
        EXPECT_TRUE(f.grab().save(testOutputFolder() + QStringLiteral("/FormRelacjaAdd_corka.png")));
    });
}

} // namespace
