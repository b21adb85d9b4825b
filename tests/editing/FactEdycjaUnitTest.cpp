#include "FactEdycjaUnit.h"
#include "AdvCombo.h"
#include "AdvEdit.h"
#include "AdvOfficeButtons.h"
#include "AdvPanel.h"
#include "EditingFixture.h"
#include "Person.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <functional>
#include <memory>

namespace {

class FactEdycjaUnitTest : public EditingFixture
{
protected:
    void SetUp() override
    {
        EditingFixture::SetUp();
        form = std::make_unique<TFormFaktEdycja>();
        FormFaktEdycja = form.get();
        jan = addPerson(QStringLiteral("Jan"), QStringLiteral("Kowalski"), 1);
        anna = addPerson(QStringLiteral("Anna"), QStringLiteral("Nowak"), 0);
        maria = addPerson(QStringLiteral("Maria"), QStringLiteral("Wiśniewska"), 0);
        makeUnion(jan, anna);
    }
    void TearDown() override
    {
        FormFaktEdycja = nullptr;
        form.reset();
        EditingFixture::TearDown();
    }

    // Shows the editor for the person's fact as the person editor prepares it, runs the step inside the showing
    // and returns the modal result. A step that leaves the editor open gets it closed, so the test goes on.
    TModalResult run(const KV_Person* person, KV_Fact* fact, const std::function<void(TFormFaktEdycja&)>& step)
    {
        form->SetupFor(person->ID, KV_Fact::IsUnionType(fact->Type), fact, !fact->ID.isEmpty());
        whenShownModal(form.get(), [this, step] {
            step(*form);
            if (form->GetModalResult() == mrNone) {
                stillOpen = true;
                form->ButtonZamknijClick();
            }
        });
        stillOpen = false;
        return form->ShowModal();
    }

    // A new fact as the person editor makes it: a type and a name, nothing else.
    static std::unique_ptr<KV_Fact> newFact(const char* type, const QString& name = QString())
    {
        auto fact = std::make_unique<KV_Fact>();
        fact->Type = QLatin1String(type);
        fact->Name = name;
        return fact;
    }

    // An existing fact of Jan (with Anna for a union type) with every field filled, written to the folder.
    KV_Fact* writtenFact(const char* type)
    {
        const bool couple = KV_Fact::IsUnionType(QLatin1String(type));
        KV_Fact* fact = addFact(jan, QLatin1String(type), QStringLiteral("1925"), QStringLiteral("Kraków"),
                                couple ? anna : nullptr);
        fact->Name = QStringLiteral("Zdarzenie");
        fact->Description = QStringLiteral("Opis");
        fact->Form = QStringLiteral("ślub cywilny");
        EXPECT_TRUE(gDB.SaveFact(fact, fact->ID));
        return fact;
    }

    // The window becomes active again during the showing, as after one of its own messages.
    static void activateAgain(TFormFaktEdycja& f)
    {
        QEvent activation(QEvent::WindowActivate);
        QApplication::sendEvent(&f, &activation);
    }

    // The user chooses an item of a drop-down list.
    static void choose(TAdvComboBox* list, int index)
    {
        list->SetItemIndex(index);
        Q_EMIT list->activated(index);
    }

    std::unique_ptr<TFormFaktEdycja> form;
    KV_Person* jan = nullptr;
    KV_Person* anna = nullptr;
    KV_Person* maria = nullptr;
    bool stillOpen = false;
};

TEST_F(FactEdycjaUnitTest, anExistingFactWaitsForAChangeBeforeItCanBeSaved)
{
    struct Case
    {
        const char* what;
        const char* type;
        std::function<void(TFormFaktEdycja&)> change;
        bool enabled;
    };
    const auto typeInto = [](QWidget* field) {
        return [field](TFormFaktEdycja&) {
            field->setFocus();
            typeText(field, QStringLiteral("x"));
        };
    };
    const Case cases[] = {
        {"a letter in the name", "BAPM", typeInto(form->AdvComboBoxNazwa), true},
        {"a letter in the date", "BAPM", typeInto(form->AdvComboBoxData), true},
        {"a letter in the place", "BAPM", typeInto(form->AdvComboBoxMiejsce), true},
        {"a letter in the description", "BAPM", typeInto(form->AdvComboBoxOpis), true},
        {"a letter in the form of a marriage", "MARR", typeInto(form->AdvComboBoxForma), true},
        {"a click of the private box", "BAPM",
         [](TFormFaktEdycja& f) { QTest::mouseClick(f.CheckBoxPrivate, Qt::LeftButton); }, true},
        {"the name cleared", "BAPM", [](TFormFaktEdycja& f) { f.AdvComboBoxNazwa->SetText(QString()); }, false},
        {"a name of blanks", "BAPM",
         [](TFormFaktEdycja& f) {
             f.AdvComboBoxNazwa->SetText(QString());
             f.AdvComboBoxNazwa->setFocus();
             typeText(f.AdvComboBoxNazwa, QStringLiteral("   "));
         },
         false},
    };
    for (const Case& c : cases) {
        KV_Fact* fact = writtenFact(c.type);
        run(jan, fact, [&](TFormFaktEdycja& f) {
            EXPECT_FALSE(f.ButtonZapisz->isEnabled()) << c.what;
            c.change(f);
            EXPECT_EQ(f.ButtonZapisz->isEnabled(), c.enabled) << c.what;
            // F3 does nothing while the button is disabled.
            QTest::keyClick(f.focusWidget(), Qt::Key_F3);
            if (!c.enabled) {
                EXPECT_EQ(f.GetModalResult(), mrNone) << c.what;
            }
        });
    }

    std::unique_ptr<KV_Fact> fresh = newFact("GRAD", QStringLiteral("Edukacja"));
    run(jan, fresh.get(), [](TFormFaktEdycja& f) { EXPECT_TRUE(f.ButtonZapisz->isEnabled()); });
}

TEST_F(FactEdycjaUnitTest, aNewUnionFactChoosesItsPartnerWhenThePersonHasMoreThanOne)
{
    makeUnion(jan, maria);
    std::unique_ptr<KV_Fact> marriage = newFact("MARR", QStringLiteral("Zawarcie związku"));
    const TModalResult result = run(jan, marriage.get(), [this](TFormFaktEdycja& f) {
        EXPECT_TRUE(f.AdvEditDotyczyPerson->isHidden());
        ASSERT_FALSE(f.AdvComboBoxdotyczyLista->isHidden());
        ASSERT_EQ(f.AdvComboBoxdotyczyLista->count(), 2);
        EXPECT_EQ(f.AdvComboBoxdotyczyLista->itemText(0),
                  gDB.GetPersonDisplayName(anna->ID, DisplayNameMode::Plain, true, true, QString()));
        EXPECT_EQ(f.AdvComboBoxdotyczyLista->GetItemIndex(), -1);

        f.ButtonZapisz->click();
        EXPECT_EQ(prompts.texts, QStringList{"Wybierz z listy osobę, której ma także dotyczyć ten fakt"});
        EXPECT_EQ(f.GetModalResult(), mrNone);
        choose(f.AdvComboBoxdotyczyLista, 1);
        f.ButtonZapisz->click();
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_TRUE(form->Saved);
    EXPECT_EQ(marriage->PersonIDF, jan->ID);
    EXPECT_EQ(marriage->PersonIDS, maria->ID);
    EXPECT_TRUE(marriage->ID.isEmpty());
    EXPECT_TRUE(factFiles().isEmpty()) << "the caller writes a new fact";
}

TEST_F(FactEdycjaUnitTest, theOtherPersonOfAUnionIsShownWhenItIsKnown)
{
    const QString annaName = gDB.GetPersonDisplayName(anna->ID, DisplayNameMode::Plain, true, true, QString());
    const QString janName = gDB.GetPersonDisplayName(jan->ID, DisplayNameMode::Plain, true, true, QString());

    // A new fact of a person with one partner asks nothing.
    std::unique_ptr<KV_Fact> engagement = newFact("ENGA", QStringLiteral("Zaręczyny"));
    EXPECT_EQ(run(jan, engagement.get(),
                  [&](TFormFaktEdycja& f) {
                      EXPECT_TRUE(f.AdvComboBoxdotyczyLista->isHidden());
                      EXPECT_EQ(f.AdvEditDotyczyPerson->GetText(), annaName);
                      EXPECT_TRUE(f.AdvEditDotyczyPerson->GetReadOnly());
                      f.ButtonZapisz->click();
                  }),
              mrOk);
    EXPECT_TRUE(prompts.texts.isEmpty());
    EXPECT_EQ(engagement->PersonIDF, jan->ID);
    EXPECT_EQ(engagement->PersonIDS, anna->ID);

    // An existing union fact shows the other person, whichever of the two opened it.
    KV_Fact* marriage = writtenFact("MARR");
    for (const auto& [opener, other] : {std::pair{jan, annaName}, std::pair{anna, janName}}) {
        run(opener, marriage, [&, other = other](TFormFaktEdycja& f) {
            EXPECT_FALSE(f.AdvEditDotyczyPerson->isHidden());
            EXPECT_TRUE(f.AdvComboBoxdotyczyLista->isHidden());
            EXPECT_EQ(f.AdvEditDotyczyPerson->GetText(), other);
        });
    }

    // Facts of one person show neither.
    KV_Fact* baptism = writtenFact("BAPM");
    run(jan, baptism, [](TFormFaktEdycja& f) {
        EXPECT_TRUE(f.AdvEditDotyczyPerson->isHidden());
        EXPECT_TRUE(f.AdvComboBoxdotyczyLista->isHidden());
        EXPECT_TRUE(f.AdvEditDotyczyPerson->parentWidget()->isHidden()) << "its row takes no room";
    });
}

TEST_F(FactEdycjaUnitTest, theFormOfAUnionShowsForAMarriageOnlyAndStaysAsItWasForTheOthers)
{
    const char* types[] = {"MARR", "ENGA", "DIV", "ANUL", "FAMILY_CUSTOM"};
    for (const char* type : types) {
        KV_Fact* fact = writtenFact(type);
        const bool marriage = QLatin1String(type) == QLatin1String("MARR");
        EXPECT_EQ(run(jan, fact,
                      [&](TFormFaktEdycja& f) {
                          EXPECT_EQ(f.AdvComboBoxForma->isHidden(), !marriage) << type;
                          EXPECT_EQ(f.AdvComboBoxForma->GetText(), "ślub cywilny") << type;
                          f.AdvComboBoxOpis->setFocus();
                          f.AdvComboBoxOpis->moveCursor(QTextCursor::End);
                          typeText(f.AdvComboBoxOpis, QStringLiteral("!"));
                          f.ButtonZapisz->click();
                      }),
                  mrOk)
            << type;
        EXPECT_EQ(fact->Form, "ślub cywilny") << type;
        EXPECT_EQ(fact->Description, "Opis!") << type;
        EXPECT_EQ(fact->PersonIDS, anna->ID) << "the persons of an existing fact stay";
    }
}

TEST_F(FactEdycjaUnitTest, theTitleFollowsTheNameAndTheLabelShowsTheRawType)
{
    std::unique_ptr<KV_Fact> custom = newFact("CUSTOM");
    run(jan, custom.get(), [](TFormFaktEdycja& f) {
        EXPECT_EQ(f.PanelTitle->GetText(), "?");
        EXPECT_EQ(f.LabelTypFakty->text(), "Typ faktu: CUSTOM");
        EXPECT_FALSE(f.ButtonZapisz->isEnabled());
        typeText(f.AdvComboBoxNazwa, QStringLiteral("służba <wojskowa>"));
        EXPECT_EQ(f.AdvComboBoxNazwa->GetText(), "Służba <wojskowa>") << "the first letter as a capital";
        EXPECT_EQ(f.PanelTitle->GetText(), "Służba &lt;wojskowa&gt;") << "shown as written, never as markup";
        f.AdvComboBoxNazwa->SetText(QString());
        EXPECT_EQ(f.PanelTitle->GetText(), "?");
    });
    std::unique_ptr<KV_Fact> marriage = newFact("MARR", QStringLiteral("Zawarcie związku"));
    run(jan, marriage.get(), [](TFormFaktEdycja& f) { EXPECT_EQ(f.LabelTypFakty->text(), "Typ faktu: MARR"); });
}

TEST_F(FactEdycjaUnitTest, aWrongDateIsRedAndRefusedWhileNNPasses)
{
    std::unique_ptr<KV_Fact> fact = newFact("GRAD", QStringLiteral("Edukacja"));
    run(jan, fact.get(), [&](TFormFaktEdycja& f) {
        f.AdvComboBoxData->SetText(QStringLiteral("31-02-1900"));
        EXPECT_EQ(f.AdvComboBoxData->GetFontColor(), TColor(0x0000FF));
        f.AdvComboBoxNazwa->setFocus();
        f.ButtonZapisz->click();
        EXPECT_EQ(prompts.texts, QStringList{"Wpisz poprawną wartość w pole Data!"});
        EXPECT_EQ(f.focusWidget(), f.AdvComboBoxData);
        EXPECT_EQ(f.GetModalResult(), mrNone);
        EXPECT_TRUE(fact->Date.IsEmpty()) << "nothing taken";

        f.AdvComboBoxData->SetText(QStringLiteral("N.N."));
        EXPECT_NE(f.AdvComboBoxData->GetFontColor(), TColor(0x0000FF));
        f.ButtonZapisz->click();
    });
    EXPECT_TRUE(form->Saved);
    EXPECT_EQ(fact->Date.ToStorageText(), "#NN#");
}

TEST_F(FactEdycjaUnitTest, theFocusGoesToTheFirstEmptyField)
{
    struct Case
    {
        const char* what;
        std::function<void(KV_Fact&)> empty;
        QWidget* focus;
    };
    const Case cases[] = {
        {"no name", [](KV_Fact& f) { f.Name.clear(); }, form->AdvComboBoxNazwa},
        {"no date", [](KV_Fact& f) { f.Date.Clear(); }, form->AdvComboBoxData},
        {"no place", [](KV_Fact& f) { f.Place.clear(); }, form->AdvComboBoxMiejsce},
        {"no description", [](KV_Fact& f) { f.Description.clear(); }, form->AdvComboBoxOpis},
        {"no date and no description",
         [](KV_Fact& f) {
             f.Date.Clear();
             f.Description.clear();
         },
         form->AdvComboBoxData},
        {"everything given", [](KV_Fact&) {}, form->ButtonZamknij},
    };
    for (const Case& c : cases) {
        KV_Fact* fact = writtenFact("BAPM");
        c.empty(*fact);
        run(jan, fact, [&](TFormFaktEdycja& f) { EXPECT_EQ(f.focusWidget(), c.focus) << c.what; });
    }
}

TEST_F(FactEdycjaUnitTest, typedValuesSurviveTheActivationAfterAMessage)
{
    std::unique_ptr<KV_Fact> fact = newFact("GRAD", QStringLiteral("Edukacja"));
    run(jan, fact.get(), [this](TFormFaktEdycja& f) {
        f.AdvComboBoxNazwa->SetText(QStringLiteral("Matura"));
        f.AdvComboBoxMiejsce->SetText(QStringLiteral("Lwów"));
        f.AdvComboBoxData->SetText(QStringLiteral("wczoraj"));
        f.ButtonZapisz->click();
        ASSERT_EQ(prompts.texts.size(), 1);
        activateAgain(f);
        EXPECT_EQ(f.AdvComboBoxNazwa->GetText(), "Matura");
        EXPECT_EQ(f.AdvComboBoxMiejsce->GetText(), "Lwów");
        EXPECT_EQ(f.AdvComboBoxData->GetText(), "wczoraj");
        EXPECT_EQ(f.focusWidget(), f.AdvComboBoxData) << "the focus stays for the correction";
    });
    EXPECT_TRUE(stillOpen);
    EXPECT_FALSE(form->Saved);
    EXPECT_EQ(fact->Name, "Edukacja") << "a refused save changes nothing";
}

TEST_F(FactEdycjaUnitTest, anExistingFactIsRewrittenAndAStorageFailureIsToldAfterTheSave)
{
    const QString factID = writtenFact("BAPM")->ID;
    save(jan);
    EXPECT_EQ(run(jan, gDB.FindFact(factID),
                  [](TFormFaktEdycja& f) {
                      f.AdvComboBoxNazwa->SetText(QStringLiteral("Chrzest święty"));
                      f.AdvComboBoxOpis->setPlainText(QStringLiteral("w kościele\nMariackim"));
                      QTest::keyClick(f.focusWidget(), Qt::Key_F3);
                  }),
              mrOk);
    EXPECT_FALSE(form->ButtonZapisz->isEnabled());
    reload();
    const KV_Fact* read = gDB.FindFact(factID);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->Name, "Chrzest święty");
    EXPECT_EQ(read->Description, "w kościele\r\nMariackim") << "stored with the program's line breaks";

    // A folder under the fact's file name cannot be replaced by the file (and root writes anywhere).
    KV_Fact* again = gDB.FindFact(factID);
    ASSERT_TRUE(QFile::remove(pathOf(again->ID)));
    ASSERT_TRUE(QDir().mkpath(pathOf(again->ID) + QStringLiteral("/inside")));
    EXPECT_EQ(run(gDB.FindPerson(read->PersonIDF), again,
                  [](TFormFaktEdycja& f) {
                      f.AdvComboBoxMiejsce->SetText(QStringLiteral("Gniezno"));
                      f.ButtonZapisz->setEnabled(true);
                      f.ButtonZapisz->click();
                  }),
              mrOk)
        << "the fact in memory has changed";
    EXPECT_TRUE(form->Saved);
    EXPECT_EQ(again->Place, "Gniezno");
    EXPECT_FALSE(gDB.StorageError.isEmpty());
    EXPECT_EQ(prompts.texts, QStringList{gDB.StorageError});
}

TEST_F(FactEdycjaUnitTest, closingLeavesTheFactAsItWasAndTheDialogStandsAFifthDown)
{
    KV_Fact* fact = writtenFact("BAPM");
    const QByteArray before = readFileBytes(pathOf(fact->ID));
    EXPECT_EQ(run(jan, fact,
                  [](TFormFaktEdycja& f) {
                      const QRect area = f.screen()->availableGeometry();
                      EXPECT_EQ(f.frameGeometry().top(), area.top() + int(area.height() * 0.2));
                      EXPECT_NEAR(f.frameGeometry().center().x(), area.center().x(), 1);
                      f.AdvComboBoxNazwa->SetText(QStringLiteral("Inny"));
                      QTest::keyClick(f.AdvComboBoxNazwa, Qt::Key_Escape);
                  }),
              mrCancel);
    EXPECT_FALSE(stillOpen) << "Esc closed the dialog";
    EXPECT_FALSE(form->Saved);
    EXPECT_EQ(fact->Name, "Zdarzenie");
    EXPECT_EQ(readFileBytes(pathOf(fact->ID)), before);
}

TEST_F(FactEdycjaUnitTest, screenshotOfANewMarriageWithTwoPartners)
{
    makeUnion(jan, maria);
    addFact(anna, "BIRT", QStringLiteral("3 maj 1902"), QStringLiteral("Poznań"));
    std::unique_ptr<KV_Fact> marriage = newFact("MARR", QStringLiteral("Zawarcie związku"));
    run(jan, marriage.get(), [](TFormFaktEdycja& f) {
        QCoreApplication::processEvents();
        EXPECT_TRUE(f.grab().save(testOutputFolder() + QStringLiteral("/FormFaktEdycja_nowy_slub.png")));
    });
}

} // namespace
