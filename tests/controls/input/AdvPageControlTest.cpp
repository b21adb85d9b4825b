#include "AdvPageControl.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QTabBar>
#include <QTest>
#include <QWheelEvent>

namespace {

// A shown window with a page control of pages "&Osoba", "&Notatki" (its tab hidden unless said otherwise),
// "&Zdarzenia" and "Ź&ródła", and a recorder of the veto and change events.
struct PageControlFixture : ::testing::Test
{
    void build(bool secondTabVisible)
    {
        control = new TAdvPageControl(&window);
        control->setGeometry(10, 10, 400, 300);
        for (const char* caption : {"&Osoba", "&Notatki", "&Zdarzenia", "Ź&ródła"}) {
            auto* page = new TAdvTabSheet(&window);
            page->SetCaption(QString::fromUtf8(caption));
            if (pages.size() == 1)
                page->SetTabVisible(secondTabVisible);
            page->SetAdvPageControl(control);
            pages.append(page);
        }
        control->OnCanChange = [this](QObject*, int from, int to, bool& allow) {
            asked.append({from, to});
            allow = allowChange;
        };
        control->OnChange = [this](QObject*) { ++changes; };
        window.resize(420, 320);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    void SetUp() override { build(false); }

    void clickTab(int tab)
    {
        QTabBar* bar = control->TabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab).center());
    }

    // Declared before the window: pages report hiding while the window goes.
    QStringList shown;
    QWidget window;
    TAdvPageControl* control = nullptr;
    QVector<TAdvTabSheet*> pages;
    QVector<QPair<int, int>> asked;
    bool allowChange = true;
    int changes = 0;
};

} // namespace

TEST_F(PageControlFixture, pageAndTabIndexesDifferByTheHiddenTabs)
{
    EXPECT_EQ(control->GetPageCount(), 4);
    EXPECT_EQ(control->TabBar()->count(), 3);
    EXPECT_EQ(pages[1]->GetTabIndex(), -1);
    EXPECT_EQ(pages[2]->GetPageIndex(), 2);
    EXPECT_EQ(pages[2]->GetTabIndex(), 1);
    const QRect secondTab = control->TabBar()->tabRect(1).translated(control->TabBar()->pos());
    EXPECT_EQ(control->TabRectEx(2), FromQRect(secondTab));
    EXPECT_EQ(control->IndexOfTabAtEx(secondTab.center().x(), secondTab.center().y()), 2);
    EXPECT_EQ(control->IndexOfTabAtEx(5, 250), -1);
    // An owner-drawn tab is sized by the tab text; a native one shows the caption.
    EXPECT_EQ(control->TabBar()->tabText(1), QStringLiteral("&Zdarzen"));
    control->SetTabBorder3D(true);
    EXPECT_EQ(control->TabBar()->tabText(1), QStringLiteral("&Zdarzenia"));
}

TEST_F(PageControlFixture, theFirstPageBecomesActiveAndCodeChangesAskNoVeto)
{
    EXPECT_EQ(control->GetActivePage(), pages[0]);
    EXPECT_TRUE(pages[0]->isVisible());
    for (TAdvTabSheet* page : pages) {
        page->OnShow = [this](QObject* sender) {
            shown.append(u'+' + qobject_cast<TAdvTabSheet*>(sender)->GetCaption());
        };
        page->OnHide = [this](QObject* sender) {
            shown.append(u'-' + qobject_cast<TAdvTabSheet*>(sender)->GetCaption());
        };
    }

    control->SetActivePage(pages[3]);
    EXPECT_EQ(shown, (QStringList{QStringLiteral("+Ź&ródła"), QStringLiteral("-&Osoba")}));
    EXPECT_EQ(control->GetActivePageIndex(), 3);
    EXPECT_EQ(control->GetTabIndex(), 2);
    EXPECT_TRUE(pages[3]->isVisible());
    EXPECT_FALSE(pages[0]->isVisible());
    EXPECT_TRUE(asked.isEmpty());
    EXPECT_EQ(changes, 0);

    TAdvPageControl other(&window);
    auto* stranger = new TAdvTabSheet(&window);
    stranger->SetAdvPageControl(&other);
    control->SetActivePage(stranger);
    EXPECT_EQ(control->GetActivePage(), pages[3]);

    control->SetActivePage(nullptr);
    EXPECT_EQ(control->GetActivePageIndex(), -1);
    EXPECT_EQ(control->GetTabIndex(), -1);
    EXPECT_TRUE(pages[3]->isVisible()) << "the page shown before keeps its visibility";

    control->SetActivePageIndex(1);
    EXPECT_EQ(control->GetActivePage(), pages[1]) << "a page without a tab can be shown from code";
    control->SetActivePageIndex(4);
    EXPECT_EQ(control->GetActivePage(), nullptr);
}

TEST_F(PageControlFixture, aClickOnATabAsksTheVetoWithThePagesInvolved)
{
    allowChange = false;
    clickTab(1);
    EXPECT_EQ(control->GetActivePage(), pages[0]);
    EXPECT_EQ(changes, 0);
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked[0], qMakePair(0, 2));
    EXPECT_EQ(control->TabBar()->currentIndex(), 0) << "a refused change leaves the selected tab alone";

    allowChange = true;
    clickTab(2);
    EXPECT_EQ(control->GetActivePage(), pages[3]);
    EXPECT_EQ(control->TabBar()->currentIndex(), 2);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(asked.last(), qMakePair(0, 3));

    clickTab(2);
    EXPECT_EQ(changes, 1) << "the active tab clicked again changes nothing";
    EXPECT_EQ(asked.size(), 2);
}

TEST_F(PageControlFixture, aDisabledTabIsNeverSelected)
{
    pages[2]->SetTabEnable(false);
    EXPECT_FALSE(control->TabBar()->isTabEnabled(1));

    clickTab(1);
    EXPECT_EQ(control->GetActivePage(), pages[0]);
    EXPECT_EQ(changes, 0);
    EXPECT_TRUE(asked.isEmpty());

    // Keys, the wheel and Ctrl+Tab pass over it to the page that really becomes active.
    control->TabBar()->setFocus();
    QTest::keyClick(control->TabBar(), Qt::Key_Right);
    EXPECT_EQ(control->GetActivePage(), pages[3]);
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked[0], qMakePair(0, 3));

    control->SetActivePage(pages[2]);
    EXPECT_EQ(control->GetActivePage(), pages[3]) << "code cannot show a disabled page either";
}

TEST_F(PageControlFixture, keyboardAndWheelMovesTellTheVetoThePageThatBecomesActive)
{
    struct Case
    {
        const char* how;
        std::function<void()> act;
        int from;
        int to;
    };
    QTabBar* bar = control->TabBar();
    auto wheel = [bar](int delta) {
        QWheelEvent event(QPointF(5, 5), bar->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(bar, &event);
    };
    const Case cases[] = {
        {"Right skips the hidden tab", [bar] { QTest::keyClick(bar, Qt::Key_Right); }, 0, 2},
        {"Right again", [bar] { QTest::keyClick(bar, Qt::Key_Right); }, 2, 3},
        {"Right at the end does nothing", [bar] { QTest::keyClick(bar, Qt::Key_Right); }, 3, 3},
        {"the wheel turned towards the user goes on", [&] { wheel(120); }, 3, 2},
        {"Ctrl+Tab", [bar] { QTest::keyClick(bar, Qt::Key_Tab, Qt::ControlModifier); }, 2, 3},
        {"Ctrl+Tab wraps round", [bar] { QTest::keyClick(bar, Qt::Key_Tab, Qt::ControlModifier); }, 3, 0},
        {"Ctrl+Shift+Tab wraps back",
         [bar] { QTest::keyClick(bar, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier); }, 0, 3},
        {"the wheel turned away goes back", [&] { wheel(-120); }, 3, 3},
        {"Left", [bar] { QTest::keyClick(bar, Qt::Key_Left); }, 3, 2},
        {"Left skips the hidden tab", [bar] { QTest::keyClick(bar, Qt::Key_Left); }, 2, 0},
    };
    bar->setFocus();
    for (const Case& c : cases) {
        asked.clear();
        c.act();
        EXPECT_EQ(control->GetActivePageIndex(), c.to) << c.how;
        for (const auto& [from, to] : asked)
            EXPECT_EQ(to, control->GetActivePageIndex()) << c.how << " was told " << to;
        if (c.from == c.to) {
            EXPECT_TRUE(asked.isEmpty()) << c.how;
        }
    }
}

TEST_F(PageControlFixture, ctrlTabWorksFromAControlOnThePageAndMovesTheFocusAlong)
{
    auto* first = new QLineEdit(pages[0]);
    auto* next = new QLineEdit(pages[2]);
    first->show();
    next->show();
    first->setFocus();
    QTest::keyClick(first, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(control->GetActivePage(), pages[2]);
    EXPECT_EQ(asked.last(), qMakePair(0, 2));
    EXPECT_TRUE(next->hasFocus());
}

TEST_F(PageControlFixture, anAcceleratorSelectsItsPageThroughTheVeto)
{
    allowChange = false;
    QTest::keyClick(&window, Qt::Key_Z, Qt::AltModifier);
    EXPECT_EQ(control->GetActivePage(), pages[0]);
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked[0], qMakePair(0, 2));

    allowChange = true;
    QTest::keyClick(&window, Qt::Key_R, Qt::AltModifier);
    EXPECT_EQ(control->GetActivePage(), pages[3]);
    EXPECT_EQ(changes, 1);

    asked.clear();
    QTest::keyClick(&window, Qt::Key_N, Qt::AltModifier);
    EXPECT_EQ(control->GetActivePage(), pages[3]) << "a hidden tab's accelerator selects nothing";
    EXPECT_TRUE(asked.isEmpty());
}

TEST_F(PageControlFixture, removingPagesMovesTheActivePageOn)
{
    control->SetActivePage(pages[2]);
    delete pages[2];
    EXPECT_EQ(control->GetActivePage(), pages[3]) << "the page whose tab takes the removed tab's place";
    EXPECT_EQ(control->GetPageCount(), 3);
    delete pages[3];
    EXPECT_EQ(control->GetActivePage(), pages[0]) << "the last tab gone, the tab before it";
    pages[2] = new TAdvTabSheet(&window);
    pages[2]->SetAdvPageControl(control);

    pages[2]->SetAdvPageControl(nullptr);
    pages[0]->SetTabVisible(false);
    EXPECT_EQ(control->GetActivePage(), nullptr) << "no tab is left to show";
    EXPECT_EQ(control->TabBar()->count(), 0);

    pages[0]->SetTabVisible(true);
    delete pages[0];
    delete pages[1];
    EXPECT_EQ(control->GetPageCount(), 0);
    EXPECT_EQ(control->GetActivePage(), nullptr);
    delete pages[2];
}

TEST_F(PageControlFixture, findNextPageWrapsAndSkipsHiddenTabs)
{
    EXPECT_EQ(control->FindNextPage(pages[3], true, true), pages[0]);
    EXPECT_EQ(control->FindNextPage(pages[0], true, true), pages[2]);
    EXPECT_EQ(control->FindNextPage(pages[0], true, false), pages[1]);
    EXPECT_EQ(control->FindNextPage(pages[0], false, true), pages[3]);
    EXPECT_EQ(control->FindNextPage(nullptr, true, true), pages[0]);
    for (TAdvTabSheet* page : pages)
        page->SetTabVisible(false);
    EXPECT_EQ(control->FindNextPage(pages[0], true, true), nullptr);
    TAdvPageControl empty;
    EXPECT_EQ(empty.FindNextPage(nullptr, true, false), nullptr);
}

TEST_F(PageControlFixture, badIndexesAndRefusalsRaiseTheirTexts)
{
    struct Case
    {
        const char* how;
        std::function<void()> act;
        const char* message;
    };
    const Case cases[] = {
        {"PageIndex past the end", [&] { pages[0]->SetPageIndex(4); },
         "4 is an invalid PageIndex value.  PageIndex must be between 0 and 3"},
        {"negative PageIndex", [&] { pages[0]->SetPageIndex(-1); }, "List index out of bounds (-1)"},
        {"page past the end", [&] { control->GetPage(4); }, "List index out of bounds (4)"},
        {"negative page", [&] { control->GetPage(-2); }, "List index out of bounds (-2)"},
        {"disabling the active tab", [&] { pages[0]->SetTabEnable(false); }, "Can not disable active tab."},
    };
    for (const Case& c : cases) {
        try {
            c.act();
            ADD_FAILURE() << c.how << " raised nothing";
        } catch (const EListError& e) {
            EXPECT_EQ(e.Message(), QString::fromUtf8(c.message)) << c.how;
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), QString::fromUtf8(c.message)) << c.how;
            EXPECT_TRUE(pages[0]->GetTabEnable());
        }
    }
    EXPECT_EQ(control->GetPage(0), pages[0]);
    EXPECT_NO_THROW(pages[0]->SetTabEnable(true));
    EXPECT_NO_THROW(pages[2]->SetTabEnable(false));
}

TEST_F(PageControlFixture, movingAPageMovesItsTab)
{
    pages[3]->SetPageIndex(0);
    EXPECT_EQ(control->GetPage(0), pages[3]);
    EXPECT_EQ(control->TabBar()->tabText(0), QStringLiteral("Ź&ród"));
    EXPECT_EQ(control->TabBar()->tabText(1), QStringLiteral("&Oso"));
    EXPECT_EQ(control->GetActivePage(), pages[0]);
    EXPECT_EQ(control->GetTabIndex(), 1);
    pages[3]->SetPageIndex(0);
    EXPECT_EQ(control->GetPage(0), pages[3]);
}

TEST(AdvTabSheetTest, tabTextLeavesRoomForTheCloseButton)
{
    struct Case
    {
        const char* caption;
        bool showClose;
        const char* tabText;
    };
    const Case cases[] = {
        {"Osoba", false, "Oso"}, {"Abc", false, "A"},   {"Ab", false, ""},
        {"", false, ""},         {"Abc", true, "Abc "}, {"", true, " "},
    };
    TAdvTabSheet sheet;
    for (const Case& c : cases) {
        sheet.SetShowClose(c.showClose);
        sheet.SetCaption(QString::fromUtf8(c.caption));
        EXPECT_EQ(sheet.GetTabText(), QString::fromUtf8(c.tabText)) << c.caption << c.showClose;
        EXPECT_EQ(sheet.GetCaption(), QString::fromUtf8(c.caption));
    }
    sheet.SetCaption(QStringLiteral("Abc"));
    sheet.SetShowClose(true);
    EXPECT_EQ(sheet.GetTabText(), QStringLiteral("Abc "));
    sheet.SetShowClose(false);
    EXPECT_EQ(sheet.GetTabText(), QStringLiteral("A"));
}

TEST(AdvTabSheetTest, aJoiningPageTakesTheDefaultsForUnsetColours)
{
    TAdvPageControl control;
    control.SetDefaultTextColor(clRed);
    control.SetDefaultTabColorTo(clWhite);
    auto* plain = new TAdvTabSheet;
    auto* coloured = new TAdvTabSheet;
    coloured->SetTabColor(clYellow);
    plain->SetAdvPageControl(&control);
    coloured->SetAdvPageControl(&control);
    EXPECT_EQ(plain->GetTextColor(), clRed);
    EXPECT_EQ(plain->GetTabColor(), clBtnFace);
    EXPECT_EQ(plain->GetTabColorTo(), clWhite);
    EXPECT_EQ(coloured->GetTabColor(), clYellow);

    control.SetDefaultTextColor(clBlue);
    EXPECT_EQ(plain->GetTextColor(), clBlue) << "pages with the old default follow the new one";

    plain->SetImageIndex(-5);
    EXPECT_EQ(plain->GetImageIndex(), -1);
    EXPECT_EQ(plain->GetNativeImageIndex(), 0);
    EXPECT_EQ(control.GetVersion(), QStringLiteral("1.6.0.0"));
    control.SetVersion(QStringLiteral("9.9"));
    EXPECT_EQ(control.GetVersion(), QStringLiteral("1.6.0.0"));
}

TEST(AdvTabSheetTest, marginChangesAreReportedBeforeTheyAreStored)
{
    TTabMargin margin;
    QVector<QVector<int>> seen;
    margin.OnMarginChange = [&](int newValue, int oldValue, int index) {
        seen.append({newValue, oldValue, index, margin.GetRightMargin()});
    };
    margin.SetRightMargin(0);
    EXPECT_TRUE(seen.isEmpty());
    margin.SetRightMargin(4);
    margin.SetMargin(7, 1);
    ASSERT_EQ(seen.size(), 1);
    EXPECT_EQ(seen[0], (QVector<int>{4, 0, 2, 0}));
    EXPECT_EQ(margin.GetRightMargin(), 4);
}

TEST(AdvTabSheetTest, bandGradientBandsRoundToTheNearestStep)
{
    QImage image(64, 16, QImage::Format_RGB32);
    {
        TCanvas canvas(&image);
        PaintBandGradient(canvas, clBlack, clWhite, 16, Rect(0, 0, 64, 16), true);
    }
    for (int band = 0; band < 16; ++band) {
        const int grey = int(std::nearbyint(band * 255.0 / 16));
        EXPECT_EQ(image.pixelColor(band * 4 + 1, 8), QColor(grey, grey, grey)) << band;
    }
    EXPECT_EQ(image.pixelColor(63, 8), QColor(0xEF, 0xEF, 0xEF)) << "white itself is never painted";

    image.fill(Qt::red);
    {
        TCanvas canvas(&image);
        PaintBandGradient(canvas, clNavy, clWhite, 0, Rect(0, 0, 64, 16), false);
    }
    EXPECT_EQ(image.pixelColor(10, 15), QColor(0, 0, 0x80)) << "no steps paint one band of the start colour";
}

TEST(AdvTabSheetTest, theBodyShowsItsColourOrAGradientDown)
{
    TAdvTabSheet sheet;
    sheet.resize(50, 64);
    sheet.SetColor(clWhite);
    EXPECT_EQ(sheet.grab().toImage().pixelColor(25, 60), QColor(Qt::white));
    sheet.SetColorTo(clBlack);
    const QImage image = sheet.grab().toImage();
    EXPECT_EQ(image.pixelColor(25, 0), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(25, 63), QColor(4, 4, 4));
}
