#include "ZmianaKolejnosciUnit.h"
#include "AdvPanel.h"
#include "EditingFixture.h"
#include "ListView.h"
#include "Person.h"

#include <QApplication>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QToolButton>
#include <functional>
#include <memory>

namespace {

class ZmianaKolejnosciUnitTest : public EditingFixture
{
protected:
    void SetUp() override
    {
        EditingFixture::SetUp();
        form = std::make_unique<TFormKolejnoscZmiana>();
        FormKolejnoscZmiana = form.get();
        jan = addPerson(QStringLiteral("Jan"), QStringLiteral("Kowalski"), 1);
    }
    void TearDown() override
    {
        FormKolejnoscZmiana = nullptr;
        form.reset();
        EditingFixture::TearDown();
    }

    // Four children of Jan: Adam born in 1920 and dead in 1980, Ewa dead without a death fact, Piotr living,
    // Zofia without any date.
    void addFourChildren()
    {
        KV_Person* adam = addPerson(QStringLiteral("Adam"), QStringLiteral("Kowalski"), 1);
        addFact(adam, "BIRT", QStringLiteral("1920"));
        addFact(adam, "DEAT", QStringLiteral("1980"));
        adam->SetDead(true);
        KV_Person* ewa = addPerson(QStringLiteral("Ewa"), QStringLiteral("Kowalska"), 0);
        ewa->SetDead(true);
        KV_Person* piotr = addPerson(QStringLiteral("Piotr"), QStringLiteral("Kowalski"), 1);
        addFact(piotr, "BIRT", QStringLiteral("05-06-1925"));
        KV_Person* zofia = addPerson(QStringLiteral("Zofia"), QStringLiteral("Kowalska"), 0);
        for (KV_Person* child : {adam, ewa, piotr, zofia})
            makeChild(child, jan, nullptr);
    }

    // Shows the dialog for Jan's list of the kind, runs the step inside the showing and returns the modal result.
    // A step that leaves the dialog open gets it closed with "Zamknij", so the test goes on.
    TModalResult run(int kind, const std::function<void(TFormKolejnoscZmiana&)>& step)
    {
        form->SetupFor(jan->ID, kind);
        whenShownModal(form.get(), [this, step] {
            step(*form);
            if (form->GetModalResult() == mrNone)
                form->Button2->click();
        });
        return form->ShowModal();
    }

    // The rows as the user reads them: the name, the birth and the death column of each, no-break spaces read as
    // blanks.
    static QStringList rows(TFormKolejnoscZmiana& f)
    {
        QStringList texts;
        const TListItems& items = f.ListViewKolejnoscZmiana->Items();
        for (int i = 0; i < items.Count(); ++i)
            texts << items[i]->SubItems().Texts().join(u'|').replace(QChar(0xA0), u' ');
        return texts;
    }
    // A click on the row's name, as the user selects it.
    static void clickRow(TFormKolejnoscZmiana& f, int row)
    {
        QTreeView* view = f.ListViewKolejnoscZmiana;
        const QRect name = view->visualRect(view->model()->index(row, 1));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, name.center());
    }
    static int selectedRow(TFormKolejnoscZmiana& f)
    {
        const TListItem* row = f.ListViewKolejnoscZmiana->Selected();
        return row ? row->GetIndex() : -1;
    }

    std::unique_ptr<TFormKolejnoscZmiana> form;
    KV_Person* jan = nullptr;
};

TEST_F(ZmianaKolejnosciUnitTest, eachRowShowsTheNameAndTheDatesOfItsPerson)
{
    addFourChildren();
    run(TFormKolejnoscZmiana::Children, [](TFormKolejnoscZmiana& f) {
        EXPECT_EQ(rows(f), (QStringList{"Adam Kowalski|1920 r.|1980 r.", "Ewa Kowalska||+",
                                        "Piotr Kowalski|05-06-1925 r.|", "Zofia Kowalska||"}));
        EXPECT_EQ(f.ListViewKolejnoscZmiana->Items()[0]->GetCaption(), "") << "the hidden column stays empty";
        EXPECT_EQ(selectedRow(f), 0);
        EXPECT_FALSE(f.SpeedButtonAtrGora->isEnabled());
        EXPECT_TRUE(f.SpeedButtonAtrDol->isEnabled());
        EXPECT_FALSE(f.ButtonZapisz->isEnabled());
    });
}

TEST_F(ZmianaKolejnosciUnitTest, movesExchangeNeighboursAndKeepTheMovedRowSelected)
{
    addFourChildren();
    const QStringList before = jan->CList;
    const TModalResult result = run(TFormKolejnoscZmiana::Children, [&](TFormKolejnoscZmiana& f) {
        clickRow(f, 1);
        EXPECT_TRUE(f.SpeedButtonAtrGora->isEnabled());
        f.SpeedButtonAtrGora->click();
        EXPECT_EQ(selectedRow(f), 0);
        EXPECT_FALSE(f.SpeedButtonAtrGora->isEnabled());
        EXPECT_TRUE(f.ButtonZapisz->isEnabled());
        EXPECT_EQ(f.OrderedIDs, (QStringList{before[1], before[0], before[2], before[3]}));
        EXPECT_TRUE(rows(f).first().startsWith("Ewa"));

        // Down from the third row to the last; the last cannot go further.
        clickRow(f, 2);
        f.SpeedButtonAtrDol->click();
        EXPECT_EQ(selectedRow(f), 3);
        EXPECT_FALSE(f.SpeedButtonAtrDol->isEnabled());
        f.SpeedButtonAtrDolClick();
        EXPECT_EQ(f.OrderedIDs, (QStringList{before[1], before[0], before[3], before[2]}));

        // Moves survive the window's activation during the showing.
        QEvent activation(QEvent::WindowActivate);
        QApplication::sendEvent(&f, &activation);
        EXPECT_EQ(f.OrderedIDs, (QStringList{before[1], before[0], before[3], before[2]}));
        EXPECT_TRUE(f.ButtonZapisz->isEnabled());
        EXPECT_EQ(f.focusWidget(), f.ListViewKolejnoscZmiana);
        QTest::keyClick(f.ListViewKolejnoscZmiana, Qt::Key_F3);
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_TRUE(form->IsSaved());
    EXPECT_EQ(form->OrderedIDs, (QStringList{before[1], before[0], before[3], before[2]}));
    EXPECT_EQ(jan->CList, before) << "the dialog changes a copy only";
    EXPECT_TRUE(QDir(folder.path()).isEmpty()) << "and writes nothing";

    // Opened again and closed: not saved, and the list starts from the person again.
    EXPECT_EQ(run(TFormKolejnoscZmiana::Children,
                  [&](TFormKolejnoscZmiana& f) {
                      EXPECT_EQ(f.OrderedIDs, before);
                      EXPECT_FALSE(f.ButtonZapisz->isEnabled());
                      QTest::keyClick(f.ListViewKolejnoscZmiana, Qt::Key_Escape);
                  }),
              mrCancel);
    EXPECT_FALSE(form->IsSaved());
}

TEST_F(ZmianaKolejnosciUnitTest, oneRowLeavesNothingToMoveOrSave)
{
    makeChild(addPerson(QStringLiteral("Adam"), QStringLiteral("Kowalski")), jan, nullptr);
    run(TFormKolejnoscZmiana::Children, [](TFormKolejnoscZmiana& f) {
        EXPECT_EQ(selectedRow(f), 0);
        EXPECT_FALSE(f.SpeedButtonAtrGora->isEnabled());
        EXPECT_FALSE(f.SpeedButtonAtrDol->isEnabled());
        f.SpeedButtonAtrGoraClick();
        f.SpeedButtonAtrDolClick();
        EXPECT_FALSE(f.ButtonZapisz->isEnabled());
        QTest::keyClick(f.ListViewKolejnoscZmiana, Qt::Key_F3);
        EXPECT_EQ(f.GetModalResult(), mrNone);
    });
    EXPECT_FALSE(form->IsSaved());
}

TEST_F(ZmianaKolejnosciUnitTest, theKindChoosesTheListAndTheTitle)
{
    KV_Person* anna = addPerson(QStringLiteral("Anna"), QStringLiteral("Nowak"), 0);
    KV_Person* maria = addPerson(QStringLiteral("Maria"), QStringLiteral("Zając"), 0);
    makeUnion(jan, anna);
    makeUnion(jan, maria);
    addFourChildren();
    run(TFormKolejnoscZmiana::Unions, [&](TFormKolejnoscZmiana& f) {
        EXPECT_EQ(f.PanelTitle->GetText(), "Zmiana kolejności związków");
        EXPECT_EQ(f.OrderedIDs, (QStringList{anna->ID, maria->ID}));
    });
    run(TFormKolejnoscZmiana::Children, [](TFormKolejnoscZmiana& f) {
        EXPECT_EQ(f.PanelTitle->GetText(), "Zmiana kolejności dzieci");
        EXPECT_EQ(f.OrderedIDs.size(), 4);
    });
    // Another kind keeps the title and reorders the unions.
    run(7, [](TFormKolejnoscZmiana& f) {
        EXPECT_EQ(f.PanelTitle->GetText(), "Zmiana kolejności dzieci");
        EXPECT_EQ(f.OrderedIDs.size(), 2);
    });
}

TEST_F(ZmianaKolejnosciUnitTest, anIDWithoutAPersonKeepsItsPlaceAndAMissingPersonGivesNoRows)
{
    addFourChildren();
    jan->CList.insert(1, QStringLiteral("person_NIE-MA"));
    run(TFormKolejnoscZmiana::Children, [](TFormKolejnoscZmiana& f) {
        EXPECT_EQ(rows(f)[1], "?||");
        clickRow(f, 1);
        f.SpeedButtonAtrGora->click();
        EXPECT_EQ(f.OrderedIDs.first(), "person_NIE-MA");
        f.ButtonZapisz->click();
    });
    EXPECT_EQ(form->OrderedIDs.size(), 5);

    form->SetupFor(QStringLiteral("person_NIE-MA"), TFormKolejnoscZmiana::Children);
    whenShownModal(form.get(), [this] {
        EXPECT_EQ(form->ListViewKolejnoscZmiana->Items().Count(), 0);
        EXPECT_FALSE(form->SpeedButtonAtrGora->isEnabled());
        EXPECT_FALSE(form->SpeedButtonAtrDol->isEnabled());
        form->Button2->click();
    });
    EXPECT_EQ(form->ShowModal(), mrCancel);
}

TEST_F(ZmianaKolejnosciUnitTest, screenshotOfFourChildrenCentredOnTheScreen)
{
    addFourChildren();
    run(TFormKolejnoscZmiana::Children, [](TFormKolejnoscZmiana& f) {
        const QRect area = f.screen()->availableGeometry();
        EXPECT_NEAR(f.geometry().center().y(), area.center().y(), 3);
        clickRow(f, 2);
        QCoreApplication::processEvents();
        EXPECT_TRUE(f.grab().save(testOutputFolder() + QStringLiteral("/FormKolejnoscZmiana_dzieci.png")));
    });
}

} // namespace
