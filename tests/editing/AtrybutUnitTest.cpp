#include "AtrybutUnit.h"
#include "AdvCombo.h"
#include "AdvEdit.h"
#include "AdvOfficeButtons.h"
#include "AdvPanel.h"
#include "EditingFixture.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <functional>
#include <memory>

namespace {

class AtrybutUnitTest : public EditingFixture
{
protected:
    void SetUp() override
    {
        EditingFixture::SetUp();
        form = std::make_unique<TFormAtrybutEdycja>();
        FormAtrybutEdycja = form.get();
    }
    void TearDown() override
    {
        FormAtrybutEdycja = nullptr;
        form.reset();
        EditingFixture::TearDown();
    }

    // Presets and shows the editor, runs the step inside the showing and returns the modal result. A step that
    // leaves the editor open gets it closed with "Zamknij", so the test goes on.
    TModalResult run(const char* code, const QString& name, const QString& value,
                     const std::function<void(TFormAtrybutEdycja&)>& step)
    {
        form->SetupFor(QLatin1String(code), name, value, false);
        whenShownModal(form.get(), [this, step] {
            step(*form);
            if (form->GetModalResult() == mrNone)
                form->Button2->click();
        });
        return form->ShowModal();
    }

    std::unique_ptr<TFormAtrybutEdycja> form;
};

TEST_F(AtrybutUnitTest, aCustomAttributeStartsInTheEmptyNameCombo)
{
    run("CUSTOM", QString(), QString(), [](TFormAtrybutEdycja& f) {
        EXPECT_FALSE(f.AdvComboBoxNazwaCustom->isHidden());
        EXPECT_TRUE(f.AdvComboBoxAtrKV->isHidden());
        EXPECT_EQ(f.AdvComboBoxNazwaCustom->GetText(), "");
        EXPECT_EQ(f.focusWidget(), f.AdvComboBoxNazwaCustom);
        EXPECT_EQ(f.PanelTitle->GetText(), "Atrybut: ?");
        EXPECT_FALSE(f.ButtonZapisz->isEnabled());
        typeText(f.AdvComboBoxNazwaCustom, QStringLiteral("ulubiony kolor"));
        EXPECT_EQ(f.AdvComboBoxNazwaCustom->GetText(), "Ulubiony kolor");
        EXPECT_EQ(f.PanelTitle->GetText(), "Atrybut: Ulubiony kolor");
        EXPECT_FALSE(f.ButtonZapisz->isEnabled()) << "no value yet";
    });
}

TEST_F(AtrybutUnitTest, aPredefinedTypeShowsItsLabelAndWaitsForAValue)
{
    const TModalResult result = run("OCCU", QStringLiteral("Zawód"), QString(), [](TFormAtrybutEdycja& f) {
        EXPECT_TRUE(f.AdvComboBoxNazwaCustom->isHidden());
        EXPECT_FALSE(f.AdvComboBoxAtrKV->isHidden());
        EXPECT_EQ(f.AdvComboBoxAtrKV->GetText(), "Zawód");
        EXPECT_EQ(f.PanelTitle->GetText(), "Atrybut: Zawód");
        EXPECT_EQ(f.focusWidget(), f.AdvComboBoxOpis);
        EXPECT_FALSE(f.ButtonZapisz->isEnabled());
        typeText(f.AdvComboBoxOpis, QStringLiteral("  "));
        EXPECT_FALSE(f.ButtonZapisz->isEnabled()) << "blanks are no value";
        QTest::keyClick(f.AdvComboBoxOpis, Qt::Key_F3);
        EXPECT_EQ(f.GetModalResult(), mrNone);
        typeText(f.AdvComboBoxOpis, QStringLiteral("kowal "));
        EXPECT_TRUE(f.ButtonZapisz->isEnabled());
        QTest::keyClick(f.AdvComboBoxOpis, Qt::Key_F3);
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_TRUE(form->IsSaved());
    EXPECT_EQ(form->AttributeCode, "OCCU");
    EXPECT_EQ(form->AttributeName, "Zawód");
    EXPECT_EQ(form->AttributeValue, "kowal") << "typed after blanks, so no capital; stored trimmed";
}

TEST_F(AtrybutUnitTest, theFirstLetterOfAValueIsACapitalExceptForAddresses)
{
    struct Case
    {
        const char* code;
        const char* value;
    };
    const Case cases[] = {
        {"PHONE", "Dom 123"},
        {"E-MAIL", "Jan@poczta.pl"},
        {"HOBBY", "Żeglarstwo"},
        {"URL", "www.rodzina.pl"},
        {"EMAIL", "jan@poczta.pl"},
        // The rule is back for the next attribute after an exempt one.
        {"PHONE", "Dom 123"},
    };
    for (const Case& c : cases) {
        const QString typed = QString::fromUtf8(c.value).toLower();
        run(c.code, QStringLiteral("Nazwa"), QString(), [&](TFormAtrybutEdycja& f) {
            typeText(f.AdvComboBoxOpis, typed);
            f.ButtonZapisz->click();
        });
        EXPECT_EQ(form->AttributeValue, QString::fromUtf8(c.value)) << c.code;
    }
}

TEST_F(AtrybutUnitTest, nameAndValueComeBackTrimmedWithTheProgramsLineBreaks)
{
    EXPECT_EQ(run("CUSTOM", QStringLiteral("Motto"), QStringLiteral("Pierwszy wiersz\nDrugi wiersz"),
                  [](TFormAtrybutEdycja& f) {
                      EXPECT_EQ(f.AdvComboBoxOpis->blockCount(), 2) << "the stored line break shows as one";
                      EXPECT_EQ(f.focusWidget(), f.AdvComboBoxOpis) << "the name is given";
                      f.AdvComboBoxNazwaCustom->SetText(QStringLiteral(" Motto\t "));
                      f.AdvComboBoxOpis->moveCursor(QTextCursor::Start);
                      f.AdvComboBoxOpis->setFocus();
                      typeText(f.AdvComboBoxOpis, QStringLiteral("  "));
                      QTest::mouseClick(f.CheckBoxPrivate, Qt::LeftButton);
                      EXPECT_TRUE(f.ButtonZapisz->isEnabled());
                      f.ButtonZapisz->click();
                  }),
              mrOk);
    EXPECT_EQ(form->AttributeName, "Motto");
    EXPECT_EQ(form->AttributeValue, "Pierwszy wiersz\r\nDrugi wiersz");
    EXPECT_TRUE(form->AttributePrivate);
}

TEST_F(AtrybutUnitTest, aReopeningClosedWithZamknijReportsNotSaved)
{
    run("HOBBY", QStringLiteral("Zainteresowania"), QStringLiteral("Szachy"), [](TFormAtrybutEdycja& f) {
        typeText(f.AdvComboBoxOpis, QStringLiteral("!"));
        f.ButtonZapisz->click();
    });
    ASSERT_TRUE(form->IsSaved());
    for (const auto& close : std::initializer_list<std::function<void(TFormAtrybutEdycja&)>>{
             [](TFormAtrybutEdycja& f) { f.Button2->click(); },
             [](TFormAtrybutEdycja& f) { QTest::keyClick(f.AdvComboBoxOpis, Qt::Key_Escape); },
         }) {
        EXPECT_EQ(run("HOBBY", QStringLiteral("Zainteresowania"), QStringLiteral("Szachy"),
                      [&](TFormAtrybutEdycja& f) {
                          EXPECT_FALSE(f.ButtonZapisz->isEnabled());
                          close(f);
                      }),
                  mrCancel);
        EXPECT_FALSE(form->IsSaved());
    }
}

TEST_F(AtrybutUnitTest, theDropDownOffersTheCurrentCustomNames)
{
    gDB.AddCustomAttributeName(QStringLiteral("Przydomek"));
    run("CUSTOM", QString(), QString(), [](TFormAtrybutEdycja& f) {
        typeText(f.AdvComboBoxNazwaCustom, QStringLiteral("h"));
        gDB.AddCustomAttributeName(QStringLiteral("Herb"));
        f.AdvComboBoxNazwaCustom->showPopup();
        f.AdvComboBoxNazwaCustom->hidePopup();
        QStringList offered;
        for (int i = 0; i < f.AdvComboBoxNazwaCustom->count(); ++i)
            offered << f.AdvComboBoxNazwaCustom->itemText(i);
        EXPECT_EQ(offered, (QStringList{"Herb", "Przydomek"}));
        EXPECT_EQ(f.AdvComboBoxNazwaCustom->GetText(), "H") << "what was typed stays";
    });
}

TEST_F(AtrybutUnitTest, aTypedValueSurvivesAnActivationAndTheDialogStandsAFifthDown)
{
    run("ADDR", QStringLiteral("Adres zamieszkania"), QStringLiteral("Kraków"), [](TFormAtrybutEdycja& f) {
        const QRect area = f.screen()->availableGeometry();
        EXPECT_EQ(f.frameGeometry().top(), area.top() + int(area.height() * 0.2));
        f.AdvComboBoxOpis->setPlainText(QStringLiteral("Warszawa"));
        f.AdvComboBoxAtrKV->SetText(QStringLiteral("Adres"));
        QEvent activation(QEvent::WindowActivate);
        QApplication::sendEvent(&f, &activation);
        EXPECT_EQ(f.AdvComboBoxOpis->toPlainText(), "Warszawa");
        EXPECT_EQ(f.AdvComboBoxAtrKV->GetText(), "Adres");
        EXPECT_TRUE(f.ButtonZapisz->isEnabled());
        f.ButtonZapisz->click();
    });
    EXPECT_EQ(form->AttributeValue, "Warszawa");
    EXPECT_EQ(form->AttributeName, "Adres");
}

TEST_F(AtrybutUnitTest, screenshotOfACustomAttribute)
{
    gDB.AddCustomAttributeName(QStringLiteral("Przydomek"));
    run("CUSTOM", QStringLiteral("Przydomek"), QStringLiteral("Mały"), [](TFormAtrybutEdycja& f) {
        QCoreApplication::processEvents();
        EXPECT_TRUE(f.grab().save(testOutputFolder() + QStringLiteral("/FormAtrybutEdycja_wlasny.png")));
    });
}

} // namespace
