// The page control's own tab painting, its close buttons and closed pages, and the room of the tab margins.
#include "AdvPageControl.h"
#include "InputTestSupport.h"
#include "TestSupport.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QTabBar>

namespace {

// A page control of three pages "Osoba", "Zdarzenia" and "Źródła" on a shown window, in colours that tell every part
// apart: yellow strip, red tab borders, white tabs, a lime page, a navy active tab.
struct TabsFixture : ::testing::Test
{
    void SetUp() override
    {
        control = new TAdvPageControl(&window.form);
        control->setGeometry(10, 10, 360, 160);
        control->SetTabBackGroundColor(clYellow);
        control->SetTabBorderColor(clRed);
        control->SetActiveColor(clNavy);
        control->SetDefaultTabColor(clWhite);
        for (const char* caption : {"Osoba", "Zdarzenia", "Źródła"}) {
            auto* page = new TAdvTabSheet(&window.form);
            page->setObjectName(QString::fromUtf8(caption));
            page->SetCaption(QString::fromUtf8(caption));
            page->SetColor(clLime);
            page->SetAdvPageControl(control);
            pages.append(page);
        }
        control->Loaded();
        window.form.SetClientSize(380, 180);
        ASSERT_TRUE(window.show());
    }

    QImage shot() const { return control->grab().toImage(); }
    TRect tab(int page) const { return control->TabRectEx(page); }
    static QColor colour(TColor c) { return ToQColor(c); }

    // Sends a mouse event to the tab row at a point of the control.
    void mouse(QEvent::Type type, int x, int y, Qt::MouseButton button = Qt::LeftButton)
    {
        QTabBar* bar = control->TabBar();
        const QPoint at = bar->mapFrom(control, QPoint(x, y));
        const bool press = type == QEvent::MouseButtonPress;
        QMouseEvent event(type, at, bar->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : button,
                          press ? Qt::MouseButtons(button) : Qt::MouseButtons(Qt::NoButton), Qt::NoModifier);
        QApplication::sendEvent(bar, &event);
    }
    void click(int x, int y, Qt::MouseButton button = Qt::LeftButton)
    {
        mouse(QEvent::MouseButtonPress, x, y, button);
        mouse(QEvent::MouseButtonRelease, x, y, button);
    }
    // A click in the middle of the active tab's close button, at the left of a tab at the top.
    void clickClose(int page) { click(tab(page).Left + 8, tab(page).Top + 8); }

    ShownForm window;
    TAdvPageControl* control = nullptr;
    QVector<TAdvTabSheet*> pages;
};

} // namespace

TEST(TabSkinTest, threeSlicesKeepTheEndsAndStretchTheMiddle)
{
    // Columns 0..4 and 5..9 of a skin 10 wide, in colours by column; column 0 of the bottom row is the transparent
    // white.
    QImage picture(10, 3, QImage::Format_RGB32);
    for (int x = 0; x < 10; ++x)
        for (int y = 0; y < 3; ++y)
            picture.setPixelColor(x, y, QColor(20 * x, 100, 0));
    picture.setPixelColor(0, 2, Qt::white);
    picture.setPixelColor(7, 1, Qt::white);
    TBitmap skin;
    skin.SetImage(picture);
    QImage target(30, 3, QImage::Format_RGB32);
    target.fill(Qt::blue);
    {
        TCanvas canvas(&target);
        PaintHorizontalSlices(skin, canvas, 0, 0, 30);
    }
    struct Case
    {
        int x;
        int column;
    };
    for (const Case& c : {Case{0, 0}, Case{4, 4}, Case{25, 5}, Case{29, 9}})
        EXPECT_EQ(target.pixelColor(c.x, 0), QColor(20 * c.column, 100, 0)) << c.x;
    for (int x = 5; x < 25; ++x) {
        const QColor middle = target.pixelColor(x, 0);
        EXPECT_TRUE(middle == QColor(80, 100, 0) || middle == QColor(100, 100, 0)) << x;
    }
    EXPECT_EQ(target.pixelColor(0, 2), QColor(Qt::blue)) << "the transparent colour leaves the target alone";
    EXPECT_EQ(target.pixelColor(27, 1), QColor(Qt::blue));

    // The same along the height: rows in place of columns.
    QImage rows(3, 10, QImage::Format_RGB32);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 3; ++x)
            rows.setPixelColor(x, y, QColor(20 * y, 100, 0));
    rows.setPixelColor(0, 9, Qt::white);
    TBitmap upright;
    upright.SetImage(rows);
    QImage column(3, 30, QImage::Format_RGB32);
    column.fill(Qt::blue);
    {
        TCanvas canvas(&column);
        PaintVerticalSlices(upright, canvas, 0, 0, 30);
    }
    EXPECT_EQ(column.pixelColor(1, 4), QColor(80, 100, 0));
    EXPECT_EQ(column.pixelColor(1, 29), QColor(180, 100, 0));
    EXPECT_EQ(column.pixelColor(0, 29), QColor(Qt::blue));
}

TEST_F(TabsFixture, theStripThePageFrameAndTheFlatBorder)
{
    const int W = control->width();
    const int H = control->height();
    QImage image = shot();
    EXPECT_EQ(image.pixelColor(W - 10, 4), colour(clYellow)) << "strip right of the tabs";
    EXPECT_EQ(image.pixelColor(2, H / 2), colour(clLime)) << "left frame strip, outside the page itself";
    EXPECT_EQ(image.pixelColor(W / 2, H - 3), colour(clLime)) << "bottom frame strip";
    EXPECT_EQ(image.pixelColor(0, H / 2), colour(clGray));
    EXPECT_EQ(image.pixelColor(W - 1, H / 2), colour(clGray));
    EXPECT_EQ(image.pixelColor(W / 2, H - 1), colour(clGray));
    EXPECT_EQ(image.pixelColor(W - 10, tab(0).Bottom), colour(clGray)) << "the border's top line beside the tabs";
    EXPECT_EQ(image.pixelColor(tab(0).Left + 6, tab(0).Bottom), colour(clLime)) << "the baseline under the tabs";

    control->SetTabSheet3D(true);
    image = shot();
    EXPECT_EQ(image.pixelColor(0, H / 2), colour(clBtnFace)) << "no flat border";
    EXPECT_EQ(image.pixelColor(2, H / 2), colour(clLime));
    EXPECT_EQ(image.pixelColor(W / 2, tab(0).Bottom), colour(clBtnFace)) << "the frame starts a pixel further in";
}

TEST_F(TabsFixture, aTabFillsWithSixteenBandsOfItsGradient)
{
    pages[2]->SetTabColor(clBlack);
    pages[2]->SetTabColorTo(clWhite);
    const TRect r = tab(2);
    const QImage image = shot();
    // The bands run down the tab raised by a pixel, less its bottom row.
    const double band = r.Height() / 16.0;
    for (int i = 1; i < 16; ++i) {
        const int grey = int(std::nearbyint(i * 255.0 / 16));
        const int y = r.Top - 1 + int(std::nearbyint(i * band));
        EXPECT_EQ(image.pixelColor(r.Left + 2, y), QColor(grey, grey, grey)) << i;
    }
    EXPECT_EQ(image.pixelColor(r.Left + 2, r.Bottom - 2), QColor(0xEF, 0xEF, 0xEF));

    pages[2]->SetTabColorTo(clNone);
    EXPECT_EQ(shot().pixelColor(r.Left + 2, r.Top + 3), colour(clBlack)) << "no end colour: one solid colour";
}

TEST_F(TabsFixture, bordersOfEachStyleAtTheTop)
{
    const QColor red = colour(clRed);
    const QColor navy = colour(clNavy);
    const TRect a = tab(0); // active
    const TRect b = tab(1); // inactive, followed by an inactive tab
    const int aMiddle = (a.Top + a.Bottom) / 2;
    const int bMiddle = (b.Left + b.Right) / 2;
    const int bHalf = (b.Top + b.Bottom) / 2;

    QImage image = shot();
    EXPECT_EQ(image.pixelColor(a.Left, aMiddle), red);
    EXPECT_EQ(image.pixelColor(a.Left + 6, a.Top - 1), red);
    EXPECT_EQ(image.pixelColor(a.Right, aMiddle), red);
    EXPECT_NE(image.pixelColor(a.Left + 6, a.Bottom), red) << "the active tab opens into the page";
    EXPECT_EQ(image.pixelColor(a.Left + 2, a.Top + 1), navy);
    EXPECT_EQ(image.pixelColor(bMiddle, b.Top - 1), red) << "classic: a box round each inactive tab";
    EXPECT_EQ(image.pixelColor(b.Right, bHalf), red);
    EXPECT_EQ(image.pixelColor(bMiddle, b.Bottom), red) << "reaching a pixel over the baseline";

    control->SetTabStyle(tsDotNet);
    image = shot();
    EXPECT_EQ(image.pixelColor(a.Left, aMiddle), red);
    EXPECT_EQ(image.pixelColor(a.Left + 6, a.Top - 1), red);
    EXPECT_EQ(image.pixelColor(a.Right, aMiddle), red);
    EXPECT_NE(image.pixelColor(bMiddle, b.Top - 1), red) << "an inactive tab has no top";
    EXPECT_EQ(image.pixelColor(bMiddle, b.Bottom), red) << "only its edge toward the page";
    EXPECT_EQ(image.pixelColor(b.Right - 2, bHalf), navy) << "and a separator in the active colour";
    EXPECT_EQ(image.pixelColor(b.Right - 3, bHalf), navy);

    control->SetTabStyle(tsValdor);
    image = shot();
    EXPECT_EQ(image.pixelColor(a.Left, aMiddle), red);
    EXPECT_EQ(image.pixelColor(a.Right, aMiddle), red);
    EXPECT_NE(image.pixelColor(a.Left + 6, a.Top - 1), red) << "the active tab has sides only";
    EXPECT_EQ(image.pixelColor(bMiddle, b.Bottom), red);
    EXPECT_EQ(image.pixelColor(b.Right - 2, bHalf), red) << "a separator in the border colour";
    EXPECT_NE(image.pixelColor(b.Right - 3, bHalf), red);
}

TEST_F(TabsFixture, theSeparatorIsLeftOutBeforeTheActiveTab)
{
    control->SetTabStyle(tsValdor);
    control->SetActivePageIndex(1);
    const QImage image = shot();
    const TRect first = tab(0);
    const TRect last = tab(2);
    EXPECT_NE(image.pixelColor(first.Right - 2, (first.Top + first.Bottom) / 2), colour(clRed));
    EXPECT_EQ(image.pixelColor(last.Right - 2, (last.Top + last.Bottom) / 2), colour(clRed))
        << "the last of the row keeps its separator";
}

// Checked both in a full repaint and in what the control's own partial repaints left on screen: the frame's top
// line lies outside the tab.
TEST_F(TabsFixture, theHoverLookFollowsTheMouse)
{
    control->SetTabHoverColor(clAqua);
    control->SetTabHoverBorder(clFuchsia);
    shownOnScreen(control);
    const TRect b = tab(1);
    mouse(QEvent::MouseMove, b.Left + 10, b.Top + 10);
    for (const QImage& image : {shownOnScreen(control), shot()}) {
        EXPECT_EQ(image.pixelColor(b.Left, b.Top + 5), colour(clFuchsia));
        EXPECT_EQ(image.pixelColor(b.Left + 10, b.Top - 1), colour(clFuchsia));
        EXPECT_EQ(image.pixelColor(b.Left + 2, b.Top + 2), colour(clAqua));
    }

    const TRect a = tab(0);
    mouse(QEvent::MouseMove, a.Left + 10, a.Top + 10);
    for (const QImage& image : {shownOnScreen(control), shot()}) {
        EXPECT_NE(image.pixelColor(b.Left + 10, b.Top - 1), colour(clFuchsia));
        EXPECT_NE(image.pixelColor(a.Left, a.Top + 5), colour(clFuchsia)) << "never round the active tab";
    }

    mouse(QEvent::MouseMove, b.Left + 10, b.Top + 10);
    EXPECT_EQ(shownOnScreen(control).pixelColor(b.Left + 10, b.Top - 1), colour(clFuchsia));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(control->TabBar(), &leave);
    for (const QImage& image : {shownOnScreen(control), shot()})
        EXPECT_NE(image.pixelColor(b.Left + 10, b.Top - 1), colour(clFuchsia)) << "leaving ends the hover";
}

TEST_F(TabsFixture, theFocusFrameShowsOnTheActiveTabWithShowFocus)
{
    const TRect a = tab(0);
    const auto dots = [&] {
        const QImage image = shot();
        int count = 0;
        for (int x = a.Left + 5; x < a.Right - 5; ++x)
            count += image.pixelColor(x, a.Top + 2) == Qt::black;
        return count;
    };
    control->TabBar()->setFocus();
    settle();
    EXPECT_EQ(dots(), 0);
    control->SetShowFocus(true);
    EXPECT_GT(dots(), (a.Width() - 10) / 4);
    control->TabBar()->clearFocus();
    EXPECT_EQ(dots(), 0) << "only while the control has the focus";
}

TEST_F(TabsFixture, tabsAtTheSidesCarryTheirCaptionsTurned)
{
    pages[1]->SetCaption(QStringLiteral("Zdarzenia rodzinne"));
    for (TTabPosition position : {tpLeft, tpRight}) {
        control->SetTabPosition(position);
        const TRect b = tab(1);
        ASSERT_GT(b.Height(), b.Width()) << int(position);
        const QImage image = shot();
        QRect ink;
        for (int y = b.Top; y < b.Bottom; ++y) {
            for (int x = b.Left + 2; x < b.Right - 2; ++x) {
                if (image.pixelColor(x, y).value() < 0x60)
                    ink |= QRect(x, y, 1, 1);
            }
        }
        EXPECT_GT(ink.height(), 3 * ink.width()) << "the caption runs along the tab, " << int(position);
    }
}

TEST_F(TabsFixture, onDrawTabLeavesTheInsideOfTheTabsToTheHandler)
{
    QVector<int> drawn;
    control->OnDrawTab = [&](QObject*, int index, const TRect& rect, bool active) {
        drawn.append(index);
        EXPECT_EQ(rect, tab(index));
        EXPECT_EQ(active, index == 0);
    };
    const QImage image = shot();
    EXPECT_EQ(drawn, (QVector<int>{2, 1, 0}));
    const TRect b = tab(1);
    EXPECT_EQ(image.pixelColor(b.Right, (b.Top + b.Bottom) / 2), colour(clRed)) << "borders are drawn";
    int ink = 0;
    for (int x = b.Left + 2; x < b.Right - 2; ++x)
        ink += image.pixelColor(x, (b.Top + b.Bottom) / 2).value() < 0x60;
    EXPECT_EQ(ink, 0) << "no caption";
}

TEST_F(TabsFixture, nothingIsPaintedBetweenBeginUpdateAndEndUpdate)
{
    const QPoint strip(control->width() - 10, 4);
    control->BeginUpdate();
    EXPECT_NE(shot().pixelColor(strip), colour(clYellow));
    control->EndUpdate();
    EXPECT_EQ(shot().pixelColor(strip), colour(clYellow));
}

TEST_F(TabsFixture, theCloseButtonsBoxItsLooksAndItsHitRectangle)
{
    pages[0]->SetShowClose(true);
    const TRect a = tab(0);
    const int L = a.Left;
    const int T = a.Top;
    QImage image = shot();
    // The box of the active tab lies LowerActive lower than its hit rectangle.
    for (const QPoint corner :
         {QPoint(L + 2, T + 4), QPoint(L + 13, T + 4), QPoint(L + 2, T + 14), QPoint(L + 13, T + 14)})
        EXPECT_EQ(image.pixelColor(corner), colour(clGray)) << corner.x() - L << corner.y() - T;
    EXPECT_NE(image.pixelColor(L + 14, T + 8), colour(clGray));
    EXPECT_EQ(image.pixelColor(L + 3, T + 5), colour(clWhite));
    EXPECT_EQ(image.pixelColor(L + 5, T + 11), colour(clBlack)) << "the cross";
    struct Hit
    {
        int dx;
        int dy;
        bool on;
    };
    for (const Hit& hit : {Hit{2, 2, true}, Hit{1, 2, false}, Hit{13, 12, true}, Hit{14, 12, false}, Hit{13, 13, false},
                           Hit{2, 1, false}})
        EXPECT_EQ(control->IsOnButton(0, L + hit.dx, T + hit.dy), hit.on) << hit.dx << ',' << hit.dy;

    // Each look also as the button's own partial repaint leaves it on screen.
    control->SetTabHoverColor(clAqua);
    shownOnScreen(control);
    mouse(QEvent::MouseMove, L + 8, T + 8);
    for (const QImage& image : {shownOnScreen(control), shot()}) {
        EXPECT_EQ(image.pixelColor(L + 2, T + 4), colour(clBlack)) << "hot: a black frame";
        EXPECT_EQ(image.pixelColor(L + 5, T + 11), colour(clGray)) << "and a grey cross";
    }

    mouse(QEvent::MouseButtonPress, L + 8, T + 8);
    for (const QImage& image : {shownOnScreen(control), shot()}) {
        EXPECT_EQ(image.pixelColor(L + 3, T + 5), colour(clSilver)) << "pressed: silver";
        EXPECT_EQ(image.pixelColor(L + 2, T + 4), colour(clBlack));
    }
    mouse(QEvent::MouseButtonRelease, L + 40, T + 8);
    EXPECT_EQ(control->GetPageCount(), 3) << "released beside the button";
    for (const QImage& image : {shownOnScreen(control), shot()})
        EXPECT_EQ(image.pixelColor(L + 3, T + 5), colour(clWhite));

    click(L + 8, T + 8, Qt::RightButton);
    EXPECT_EQ(control->GetPageCount(), 3) << "a right release closes nothing";
}

TEST_F(TabsFixture, aLargerCloseGlyphIsCutToTheBox)
{
    pages[0]->SetShowClose(true);
    QImage picture(20, 20, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::red);
    picture.setPixelColor(0, 19, Qt::white);
    TBitmap glyph;
    glyph.SetImage(picture);
    control->SetCloseGlyph(glyph);
    const TRect a = tab(0);
    const QImage image = shot();
    EXPECT_EQ(image.pixelColor(a.Left + 2, a.Top + 4), colour(clRed));
    EXPECT_EQ(image.pixelColor(a.Left + 13, a.Top + 14), colour(clRed));
    EXPECT_NE(image.pixelColor(a.Left + 14, a.Top + 10), colour(clRed));
    EXPECT_NE(image.pixelColor(a.Left + 8, a.Top + 15), colour(clRed));
}

TEST_F(TabsFixture, closingActivatesTheNextPageAndAsksTheVetoFirst)
{
    QStringList events;
    for (TAdvTabSheet* page : pages) {
        page->SetShowClose(true);
        page->OnClose = [&](QObject* sender) { events << u'-' + static_cast<TAdvTabSheet*>(sender)->GetCaption(); };
    }
    control->OnChange = [&](QObject*) { events << QStringLiteral("change"); };
    bool allow = false;
    pages[1]->OnCanClose = [&](QObject*, bool& canClose) { canClose = allow; };

    control->SetActivePageIndex(1);
    clickClose(1);
    EXPECT_EQ(control->GetPageCount(), 3) << "OnCanClose answered false";
    EXPECT_TRUE(events.isEmpty());

    allow = true;
    clickClose(1);
    EXPECT_EQ(events, (QStringList{QStringLiteral("-Zdarzenia"), QStringLiteral("change")}));
    EXPECT_EQ(control->GetPageCount(), 2);
    EXPECT_EQ(control->GetActivePage(), pages[2]) << "the middle page gives way to the third";
    EXPECT_EQ(pages[1]->GetAdvPageControl(), nullptr);
    EXPECT_FALSE(pages[1]->isVisible());

    clickClose(1);
    EXPECT_EQ(control->GetActivePage(), pages[0]) << "the last page gives way to the first";
    clickClose(0);
    EXPECT_EQ(control->GetPageCount(), 0);
    EXPECT_EQ(control->GetTabIndex(), -1);
    EXPECT_EQ(control->GetActivePage(), nullptr);
}

TEST_F(TabsFixture, closedPagesAreFreedOrComeBackByName)
{
    for (TAdvTabSheet* page : pages)
        page->SetShowClose(true);
    clickClose(0);
    EXPECT_FALSE(control->OpenClosedTab(QStringLiteral("Nieznana")));
    EXPECT_TRUE(control->OpenClosedTab(QStringLiteral("Osoba")));
    EXPECT_EQ(control->GetPageCount(), 3);
    EXPECT_EQ(control->GetPage(2), pages[0]) << "back at the end";
    EXPECT_EQ(control->TabBar()->tabText(2), pages[0]->GetTabText());
    EXPECT_EQ(control->GetActivePage(), pages[1]) << "and not activated";
    EXPECT_TRUE(control->OpenClosedTab(QStringLiteral("osoba"))) << "names compare without case";
    EXPECT_EQ(control->GetPageCount(), 3);

    // A closed page that its window destroyed is gone from the list.
    clickClose(0);
    delete pages[1];
    EXPECT_FALSE(control->OpenClosedTab(QStringLiteral("Zdarzenia")));

    control->SetFreeOnClose(true);
    QPointer<TAdvTabSheet> last = pages[2];
    control->SetActivePage(last);
    clickClose(control->GetActivePageIndex());
    EXPECT_TRUE(last.isNull()) << "FreeOnClose destroys the page";
    control->OpenAllClosedTabs();
    EXPECT_EQ(control->GetPageCount(), 1);
    EXPECT_EQ(control->GetPage(0), pages[0]);
}

TEST_F(TabsFixture, aDockSiteClosesOnThePress)
{
    pages[0]->SetShowClose(true);
    control->SetDockSite(true);
    mouse(QEvent::MouseButtonPress, tab(0).Left + 8, tab(0).Top + 8);
    EXPECT_EQ(control->GetPageCount(), 2);
    EXPECT_EQ(control->GetActivePage(), pages[1]);
}

TEST_F(TabsFixture, tabMarginsWidenTheOwnerDrawnTabs)
{
    const int plain = tab(1).Width();
    TImageList images;
    images.SetWidth(16);
    images.SetHeight(12);
    control->SetImages(&images);
    control->GetTabMargin().SetLeftMargin(4);
    control->GetTabMargin().SetRightMargin(6);
    EXPECT_EQ(tab(1).Width(), plain + 26);
    control->GetTabMargin().SetRightMargin(2);
    EXPECT_EQ(tab(1).Width(), plain + 22);

    control->GetTabMargin().SetTopMargin(3);
    control->SetTabPosition(tpLeft);
    const int tall = tab(1).Height();
    control->SetImages(nullptr);
    control->GetTabMargin().SetTopMargin(0);
    control->GetTabMargin().SetRightMargin(0);
    EXPECT_EQ(tab(1).Height(), tall - (12 + 3 + 2));

    // Native tabs keep the tab row's own sizes.
    control->SetTabPosition(tpTop);
    control->SetTabBorder3D(true);
    const int native = tab(1).Width();
    control->GetTabMargin().SetLeftMargin(9);
    EXPECT_EQ(tab(1).Width(), native);
}

TEST_F(TabsFixture, tabSplitLineIsRefusedUnderTheOtherStyles)
{
    control->SetTabSplitLine(true);
    control->SetTabStyle(tsDotNet);
    EXPECT_TRUE(control->GetTabSplitLine()) << "setting the style checks nothing";
    control->SetTabSplitLine(false);
    for (TTabStyle style : {tsDotNet, tsValdor}) {
        control->SetTabStyle(style);
        try {
            control->SetTabSplitLine(true);
            ADD_FAILURE() << "no exception";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("TabSplitLine must be false when TabStyle is tsDotNet/tsValdor"));
        }
        EXPECT_FALSE(control->GetTabSplitLine());
    }
}

namespace {

// A skin of a tab: a rounded, shaded shape whose corners are white, the transparent colour.
TBitmap tabSkin(const QColor& top, const QColor& bottom)
{
    QImage image(24, 22, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    // No softened edge: the corners must stay exactly the transparent white.
    painter.setRenderHint(QPainter::Antialiasing, false);
    QLinearGradient shade(0, 0, 0, 22);
    shade.setColorAt(0, top);
    shade.setColorAt(1, bottom);
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.setBrush(shade);
    painter.drawRoundedRect(QRect(0, 0, 23, 25), 5, 5);
    painter.end();
    TBitmap skin;
    skin.SetImage(image);
    return skin;
}

TAdvPageControl* galleryControl(QWidget* parent, const QRect& geometry, TTabPosition position, TTabStyle style)
{
    auto* control = new TAdvPageControl(parent);
    control->setGeometry(geometry);
    control->SetTabPosition(position);
    control->SetTabStyle(style);
    control->SetTabBackGroundColor(RGB(0xEC, 0xE9, 0xD8));
    control->SetActiveColor(clWhite);
    control->SetActiveColorTo(RGB(0xC4, 0xD8, 0xF0));
    control->SetDefaultTabColor(RGB(0xF4, 0xF4, 0xF4));
    control->SetDefaultTabColorTo(RGB(0xD0, 0xD0, 0xD0));
    control->SetTabBorderColor(clGray);
    control->SetTabSheetBorderColor(clGray);
    TFont bold = control->GetActiveFont();
    bold.Style = fsBold;
    control->SetActiveFont(bold);
    const char* captions[] = {"Osoba", "Zdarzenia", "Źródła"};
    for (int i = 0; i < 3; ++i) {
        auto* page = new TAdvTabSheet(parent);
        page->SetCaption(QString::fromUtf8(captions[i]));
        page->SetColor(clWhite);
        page->SetColorTo(RGB(0xC4, 0xD8, 0xF0));
        page->SetAdvPageControl(control);
    }
    control->SetActivePageIndex(1);
    return control;
}

} // namespace

TEST(TabsGalleryTest, threeStylesAtFourPositionsWithCloseButtonsAndSkins)
{
    QWidget window;
    paintGalleryBackground(window);
    window.resize(840, 1000);
    QVector<TAdvPageControl*> controls;
    // Rows of tabs at the top and bottom, then columns at the left and right, each in the three styles.
    const int rowTops[] = {10, 145, 280, 520};
    for (int position = tpTop; position <= tpRight; ++position) {
        for (int style = tsClassic; style <= tsValdor; ++style) {
            const int height = position <= tpBottom ? 125 : 230;
            const QRect geometry(10 + style * 275, rowTops[position], 265, height);
            TAdvPageControl* control = galleryControl(&window, geometry, TTabPosition(position), TTabStyle(style));
            control->GetPage(style)->SetShowClose(true);
            control->GetPage(1)->SetShowClose(true);
            controls.append(control);
        }
    }
    auto* skinned = galleryControl(&window, QRect(10, 760, 265, 125), tpTop, tsClassic);
    skinned->SetTabBackGround(tabSkin(QColor(0xF0, 0xF0, 0xF0), QColor(0xB0, 0xB8, 0xC8)));
    skinned->SetTabBackGroundActive(tabSkin(Qt::white, QColor(0xF8, 0xC8, 0x60)));
    skinned->SetTabHeight(19);
    auto* skinnedLeft = galleryControl(&window, QRect(285, 760, 265, 230), tpLeft, tsClassic);
    skinnedLeft->SetTabBackGround(tabSkin(QColor(0xF0, 0xF0, 0xF0), QColor(0xB0, 0xB8, 0xC8)));
    skinnedLeft->SetTabHeight(21);
    auto* closeRight = galleryControl(&window, QRect(560, 760, 265, 125), tpBottom, tsDotNet);
    closeRight->SetClosePosition(cpRight);
    closeRight->GetPage(1)->SetShowClose(true);
    closeRight->SetRoundEdges(true);
    controls << skinned << skinnedLeft << closeRight;
    for (TAdvPageControl* control : controls)
        control->Loaded();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    const QImage image = window.grab().toImage();
    EXPECT_TRUE(image.save(testOutputFolder() + QStringLiteral("/TabsGallery.png")));
}
