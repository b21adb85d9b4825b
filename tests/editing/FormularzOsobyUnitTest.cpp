#include "FormularzOsobyUnit.h"
#include "AdvCombo.h"
#include "AdvEdit.h"
#include "AdvGroupBox.h"
#include "AdvOfficeButtons.h"
#include "AdvPanel.h"
#include "EditingFixture.h"
#include "Person.h"

#include <QInputMethodEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <functional>

namespace {

class FormularzOsobyUnitTest : public EditingFixture
{
protected:
    void SetUp() override
    {
        EditingFixture::SetUp();
        form = std::make_unique<TFormDaneOsobyBasic>();
        FormDaneOsobyBasic = form.get();
    }
    void TearDown() override
    {
        FormDaneOsobyBasic = nullptr;
        form.reset();
        EditingFixture::TearDown();
    }

    // Shows the form for the ID (a new person of the sex for ""), runs the step inside the showing and returns the
    // modal result. A step that leaves the form open gets it closed, so the test goes on.
    TModalResult run(const QString& id, int sex, const std::function<void(TFormDaneOsobyBasic&)>& step)
    {
        form->SetupFor(id, sex);
        whenShownModal(form.get(), [this, step] {
            step(*form);
            if (form->GetModalResult() == mrNone) {
                stillOpen = true;
                form->Button4Click();
            }
        });
        stillOpen = false;
        return form->ShowModal();
    }

    // An existing person written to the folder: born in Kraków in 1901, dead with a death and a burial fact.
    KV_Person* writeDeadPerson()
    {
        KV_Person* person = addPerson(QStringLiteral("Jan"), QStringLiteral("Kowalski"), 1);
        person->SetDead(true);
        addFact(person, "BIRT", QStringLiteral("12 maj 1901"), QStringLiteral("Kraków"))->Description =
            QStringLiteral("w domu");
        addFact(person, "DEAT", QStringLiteral("1970"), QStringLiteral("Poznań"));
        addFact(person, "BURI", QStringLiteral("1970"), QStringLiteral("Poznań"));
        save(person);
        return person;
    }

    static KV_Fact* factOf(const QString& personID, const char* type)
    {
        const KV_Person* person = gDB.FindPerson(personID);
        return person ? person->FindFactByType(QLatin1String(type)) : nullptr;
    }

    std::unique_ptr<TFormDaneOsobyBasic> form;
    bool stillOpen = false;
};

TEST_F(FormularzOsobyUnitTest, savesPersonsAndTheirBirthAndDeathFacts)
{
    struct Case
    {
        const char* what;
        bool existing;
        std::function<void(TFormDaneOsobyBasic&)> fill;
        std::function<void(const QString& id)> check;
    };
    const Case cases[] = {
        {"a new person with a birth place only", false,
         [](TFormDaneOsobyBasic& f) {
             f.AdvComboBoxImie->SetText(QStringLiteral("Anna"));
             f.AdvComboBoxDataUrMiejsce->SetText(QStringLiteral("Kraków"));
         },
         [this](const QString& id) {
             EXPECT_TRUE(QRegularExpression(QStringLiteral("^person_[0-9A-F-]{36}$")).match(id).hasMatch())
                 << id.toStdString();
             ASSERT_EQ(factFiles().size(), 1);
             const KV_Fact* birth = factOf(id, "BIRT");
             ASSERT_NE(birth, nullptr);
             EXPECT_TRUE(birth->Date.IsEmpty());
             EXPECT_EQ(birth->Place, "Kraków");
             EXPECT_EQ(gDB.FindPerson(id)->Facts, QStringList{birth->ID});
             EXPECT_EQ(gDB.FindPerson(id)->Sex, 0);
         }},
        {"a new dead person with empty death fields", false,
         [](TFormDaneOsobyBasic& f) {
             f.AdvComboBoxImie->SetText(QStringLiteral("Piotr"));
             f.CheckBoxOsobaZmarla->SetChecked(true);
         },
         [this](const QString& id) {
             const KV_Fact* death = factOf(id, "DEAT");
             ASSERT_NE(death, nullptr);
             EXPECT_TRUE(death->Date.IsEmpty());
             EXPECT_EQ(factOf(id, "BIRT"), nullptr);
             EXPECT_TRUE(readFileBytes(pathOf(id)).contains("Dead=\"1\""));
         }},
        {"a dead person's box cleared", true, [](TFormDaneOsobyBasic& f) { f.CheckBoxOsobaZmarla->SetChecked(false); },
         [this](const QString& id) {
             EXPECT_EQ(factOf(id, "DEAT"), nullptr);
             EXPECT_EQ(factOf(id, "BURI"), nullptr);
             EXPECT_EQ(factFiles().size(), 1) << "the death and burial files are gone";
             EXPECT_TRUE(readFileBytes(pathOf(id)).contains("Dead=\"0\""));
         }},
        {"both birth fields cleared", true,
         [](TFormDaneOsobyBasic& f) {
             f.AdvComboBoxDataUr->SetText(QString());
             f.AdvComboBoxDataUrMiejsce->SetText(QString());
         },
         [this](const QString& id) {
             EXPECT_EQ(factOf(id, "BIRT"), nullptr);
             EXPECT_EQ(factFiles().size(), 2);
         }},
        {"N.N. as the birth date", true,
         [](TFormDaneOsobyBasic& f) { f.AdvComboBoxDataUr->SetText(QStringLiteral("N.N.")); },
         [](const QString& id) {
             ASSERT_NE(factOf(id, "BIRT"), nullptr);
             EXPECT_EQ(factOf(id, "BIRT")->Date.ToStorageText(), "#NN#");
             EXPECT_EQ(factOf(id, "BIRT")->Description, "w domu") << "an existing fact keeps its other fields";
         }},
        {"a wrong death date with the box cleared", true,
         [](TFormDaneOsobyBasic& f) {
             f.AdvEditDataSmierci->SetText(QStringLiteral("wczoraj"));
             f.CheckBoxOsobaZmarla->SetChecked(false);
         },
         [](const QString& id) { EXPECT_EQ(factOf(id, "DEAT"), nullptr); }},
    };
    for (const Case& c : cases) {
        startAfresh();
        const QString id = c.existing ? writeDeadPerson()->ID : QString();
        EXPECT_EQ(run(id, 0,
                      [&](TFormDaneOsobyBasic& f) {
                          c.fill(f);
                          f.ButtonSave->click();
                      }),
                  mrOk)
            << c.what;
        EXPECT_TRUE(prompts.texts.isEmpty()) << c.what;
        const QString saved = form->PersonID;
        reload();
        c.check(saved);
        prompts.texts.clear();
    }
}

TEST_F(FormularzOsobyUnitTest, wrongDatesAreRefusedBeforeAnythingIsWritten)
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
        {"31-02-1900", "wczoraj", "Wpisz poprawną wartość w pole [Data urodzenia]!", true},
        {"1900", "wczoraj", "Wpisz poprawną wartość w pole [Data zgonu]!", false},
    };
    for (const Case& c : cases) {
        startAfresh();
        prompts.texts.clear();
        bool focused = false;
        const TModalResult result = run(QString(), 1, [&](TFormDaneOsobyBasic& f) {
            f.AdvComboBoxImie->SetText(QStringLiteral("Jan"));
            f.AdvComboBoxDataUr->SetText(QString::fromUtf8(c.birth));
            f.CheckBoxOsobaZmarla->SetChecked(true);
            f.CheckBoxOsobaZmarlaClick();
            f.AdvEditDataSmierci->SetText(QString::fromUtf8(c.death));
            f.ButtonSave->click();
            focused = f.focusWidget() == (c.birthField ? f.AdvComboBoxDataUr : f.AdvEditDataSmierci);
            // Coming back to the form after the message changes nothing that was typed.
            f.FormActivate();
            EXPECT_EQ(f.AdvComboBoxImie->GetText(), "Jan");
            EXPECT_EQ(f.AdvComboBoxDataUr->GetText(), QString::fromUtf8(c.birth));
        });
        EXPECT_EQ(result, mrCancel) << c.birth << " " << c.death;
        EXPECT_TRUE(stillOpen);
        EXPECT_EQ(prompts.texts, QStringList{QString::fromUtf8(c.message)}) << c.birth << " " << c.death;
        EXPECT_TRUE(focused) << c.message;
        EXPECT_EQ(gDB.GetPersonCount(), 0);
        EXPECT_TRUE(QDir(folder.path()).isEmpty());
    }
}

TEST_F(FormularzOsobyUnitTest, closingWritesNothing)
{
    const QString id = writeDeadPerson()->ID;
    const QByteArray before = readFileBytes(pathOf(id));
    const TModalResult result = run(id, 0, [](TFormDaneOsobyBasic& f) {
        f.AdvComboBoxImie->SetText(QStringLiteral("Janusz"));
        f.Button4->click();
    });
    EXPECT_EQ(result, mrCancel);
    EXPECT_EQ(readFileBytes(pathOf(id)), before);
    EXPECT_EQ(gDB.FindPerson(id)->Forename, "Jan");
}

TEST_F(FormularzOsobyUnitTest, aStorageFailureIsToldAfterTheSaveWhichStillEnds)
{
    KV_Person* person = writeDeadPerson();
    const QString id = person->ID;
    ASSERT_TRUE(QFile::remove(pathOf(id)));
    // A folder under the person's file name cannot be replaced by the file (and root writes anywhere).
    ASSERT_TRUE(QDir().mkpath(pathOf(id) + QStringLiteral("/inside")));
    const TModalResult result = run(id, 0, [](TFormDaneOsobyBasic& f) {
        f.AdvComboBoxImie->SetText(QStringLiteral("Janusz"));
        f.ButtonSave->click();
    });
    EXPECT_EQ(result, mrOk) << "memory has changed";
    ASSERT_EQ(prompts.texts.size(), 1);
    EXPECT_EQ(prompts.texts.first(), gDB.StorageError);
    EXPECT_FALSE(gDB.StorageError.isEmpty());
    EXPECT_EQ(gDB.FindPerson(id)->Forename, "Janusz");
}

TEST_F(FormularzOsobyUnitTest, aPersonDeletedBehindTheFormIsNotWritten)
{
    const QString id = writeDeadPerson()->ID;
    const TModalResult result = run(id, 0, [&](TFormDaneOsobyBasic& f) {
        ASSERT_TRUE(gDB.DeletePerson(gDB.FindPerson(id)));
        f.AdvComboBoxImie->SetText(QStringLiteral("Janusz"));
        f.ButtonSave->click();
        EXPECT_TRUE(f.isVisible()) << "the form stays open";
    });
    EXPECT_EQ(result, mrCancel);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(prompts.texts, QStringList{"Brak danych osoby o ID: " + id});
    EXPECT_TRUE(QDir(folder.path()).isEmpty()) << "nothing written";
    EXPECT_EQ(gDB.GetPersonCount(), 0);
}

TEST_F(FormularzOsobyUnitTest, f3SavesWhileTheButtonIsEnabledAndEscCloses)
{
    EXPECT_EQ(run(QString(), 0,
                  [](TFormDaneOsobyBasic& f) {
                      f.AdvComboBoxImie->SetText(QStringLiteral("Anna"));
                      QTest::keyClick(f.AdvComboBoxImie, Qt::Key_F3);
                  }),
              mrOk);
    EXPECT_FALSE(stillOpen);
    EXPECT_EQ(run(QString(), 0,
                  [](TFormDaneOsobyBasic& f) {
                      f.ButtonSave->setEnabled(false);
                      QTest::keyClick(f.AdvComboBoxImie, Qt::Key_F3);
                      EXPECT_EQ(f.GetModalResult(), mrNone);
                      QTest::keyClick(f.AdvComboBoxImie, Qt::Key_Escape);
                  }),
              mrCancel);
    EXPECT_FALSE(stillOpen) << "Esc closed the form";
    form->ButtonSave->setEnabled(true);
    EXPECT_EQ(gDB.GetPersonCount(), 1);
}

TEST_F(FormularzOsobyUnitTest, typingCapitalisesFillsTheSurnameAndShowsTheName)
{
    run(QString(), 0, [](TFormDaneOsobyBasic& f) {
        EXPECT_EQ(f.AdvEditFullName->GetEmptyText(), "N.N.");
        for (QWidget* field : std::initializer_list<QWidget*>{f.AdvComboBoxImie, f.AdvComboBoxRodowe,
                                                              f.AdvComboBoxDataUrMiejsce, f.MemoNote}) {
            field->setFocus();
            typeText(field, QStringLiteral("łucja"));
        }
        EXPECT_EQ(f.AdvComboBoxImie->GetText(), "Łucja");
        EXPECT_EQ(f.AdvComboBoxDataUrMiejsce->GetText(), "Łucja");
        EXPECT_EQ(f.MemoNote->toPlainText(), "Łucja");
        // Committed by an input method into an empty death place.
        f.CheckBoxOsobaZmarla->SetChecked(true);
        f.CheckBoxOsobaZmarlaClick();
        f.AdvEditDataSmierciMiejsce->setFocus();
        commitText(f.AdvEditDataSmierciMiejsce, QStringLiteral("ś"));
        EXPECT_EQ(f.AdvEditDataSmierciMiejsce->GetText(), "Ś");

        // Leaving the family name fills the empty surname, and the placeholder follows the names.
        f.AdvComboBoxRodowe->setFocus();
        f.AdvComboBoxNazwisko->setFocus();
        EXPECT_EQ(f.AdvComboBoxNazwisko->GetText(), "Łucja");
        f.AdvComboBoxImieChange();
        EXPECT_EQ(f.AdvEditFullName->GetEmptyText(), "Łucja Łucja");
        f.AdvComboBoxNazwisko->SetText(QStringLiteral("Nowak"));
        f.AdvComboBoxRodowe->setFocus();
        f.AdvComboBoxNazwisko->setFocus();
        EXPECT_EQ(f.AdvComboBoxNazwisko->GetText(), "Nowak") << "a typed surname stays";
    });
}

TEST_F(FormularzOsobyUnitTest, theSexColoursThePanelAndChoosesTheDictionaries)
{
    KV_Person* woman = addPerson(QStringLiteral("Zofia"), QStringLiteral("Nowak"), 0);
    addFact(woman, "BIRT", QString(), QStringLiteral("Gdańsk"));
    KV_Person* man = addPerson(QStringLiteral("Adam"), QStringLiteral("Kowalski"), 1);
    save(woman);
    save(man);
    run(woman->ID, 0, [](TFormDaneOsobyBasic& f) {
        EXPECT_EQ(f.AdvPanel3->GetColorTo(), TColor(0xC4C4FF));
        EXPECT_EQ(f.AdvComboBoxImie->GetText(), "Zofia") << "the loaded names survive the refill";
        EXPECT_EQ(f.AdvComboBoxImie->count(), 1);

        f.AdvComboBoxPlec->SetItemIndex(1);
        f.AdvComboBoxPlecChange();
        EXPECT_EQ(f.AdvPanel3->GetColorTo(), TColor(0xFFDBB7));
        EXPECT_EQ(f.AdvComboBoxImie->itemText(0), "Adam");
        EXPECT_EQ(f.AdvComboBoxNazwisko->itemText(0), "Kowalski");
        EXPECT_EQ(f.AdvComboBoxImie->GetText(), "Zofia");

        f.AdvComboBoxPlec->SetItemIndex(2);
        f.AdvComboBoxPlecChange();
        EXPECT_EQ(f.AdvComboBoxImie->count(), 0);
        EXPECT_EQ(f.AdvComboBoxRodowe->count(), 0);
        EXPECT_EQ(f.AdvComboBoxNazwisko->count(), 0);
        EXPECT_EQ(f.AdvComboBoxDataUrMiejsce->itemText(0), "Gdańsk") << "places for any sex";
        EXPECT_EQ(f.AdvEditDataSmierciMiejsce->count(), 1);
    });
}

TEST_F(FormularzOsobyUnitTest, noControlLiesOverAnotherInAnyStateOrShowing)
{
    const QString dead = writeDeadPerson()->ID;
    KV_Person* living = addPerson(QStringLiteral("Anna"), QStringLiteral("Nowak"), 0);
    save(living);
    struct Case
    {
        QString id;
        int sex;
    };
    const Case cases[] = {{dead, 1}, {living->ID, 0}, {QString(), 0}, {QString(), 1}, {QString(), 2}};
    // The second round finds the death fields as the first one left them.
    for (int round = 1; round <= 2; ++round) {
        for (const Case& c : cases) {
            run(c.id, c.sex, [&](TFormDaneOsobyBasic& f) {
                for (int toggle = 0; toggle < 3; ++toggle) {
                    EXPECT_EQ(overlappingSiblings(&f), QStringList())
                        << "round " << round << ", " << c.id.toStdString() << " of sex " << c.sex << ", dead "
                        << f.CheckBoxOsobaZmarla->GetChecked();
                    f.CheckBoxOsobaZmarla->SetChecked(!f.CheckBoxOsobaZmarla->GetChecked());
                    f.CheckBoxOsobaZmarlaClick();
                }
            });
        }
    }
}

TEST_F(FormularzOsobyUnitTest, screenshotOfTheFormForAWoman)
{
    KV_Person* person = writeDeadPerson();
    person->Sex = 0;
    person->Forename = QStringLiteral("Małgorzata");
    person->Surname = QStringLiteral("Kowalska");
    person->Familyname = QStringLiteral("Wiśniewska");
    person->Note = QStringLiteral("Nauczycielka w szkole powszechnej.\r\nMieszkała przy ulicy Długiej.");
    run(person->ID, 0, [](TFormDaneOsobyBasic& f) {
        EXPECT_EQ(f.AdvComboBoxPlec->currentText(), "Kobieta");
        EXPECT_FALSE(f.AdvGroupBoxDataSmierci->isHidden());
        EXPECT_EQ(f.MemoNote->toPlainText(), "Nauczycielka w szkole powszechnej.\nMieszkała przy ulicy Długiej.");
        QCoreApplication::processEvents();
        EXPECT_TRUE(f.grab().save(testOutputFolder() + QStringLiteral("/FormDaneOsobyBasic_kobieta.png")));
    });
}

} // namespace
