// The HTML static text: anchors in turn under the keyboard, the mini scroll arrows, blinking and animated pictures on
// the hand-ticked timer, the embossed disabled look and sizing to the text.
#include "HTMLStaticText.h"
#include "FoundationTestSupport.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>

namespace {

class HTMLStaticTextTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE(registeredFamily().isEmpty());
        TFont font;
        font.Name = registeredFamily();
        font.SetSize(10);
        font.Color = clBlack;
        text.SetFont(font);
        text.SetColor(clWhite);
        text.resize(200, 40);
    }

    int lineHeight() const { return QFontMetrics(text.GetFont().ToQFont()).height(); }

    void key(int code)
    {
        QKeyEvent event(QEvent::KeyPress, code, Qt::NoModifier,
                        code == Qt::Key_Space ? QStringLiteral(" ") : QString());
        QApplication::sendEvent(&text, &event);
    }

    void mouse(QEvent::Type type, QPoint at)
    {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
        QMouseEvent event(type, QPointF(at), text.mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
        QApplication::sendEvent(&text, &event);
    }

    void ticks(int n)
    {
        for (int i = 0; i < n; ++i)
            text.TimerTick();
    }

    // Pixels of the colour inside the rectangle of a fresh picture of the control.
    int pixelsOf(QColor colour, QRect area)
    {
        const QImage shot = text.grab().toImage();
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x)
                n += shot.pixelColor(x, y) == colour ? 1 : 0;
        }
        return n;
    }

    QRect upArrowBox() const { return QRect(text.width() - 10, 0, 10, 10); }
    QRect downArrowBox() const { return QRect(text.width() - 10, text.height() - 10, 10, 10); }

    THTMLStaticText text;
};

const QStringList threeAnchors = {
    QStringLiteral("<a href=\"https://kronvel.example/\">strona</a> "),
    QStringLiteral("<a href=\"file:///etc/passwd\">plik</a> "),
    QStringLiteral("<a href=\"osoba_1\">Jan Kowalski</a>"),
};

} // namespace

TEST_F(HTMLStaticTextTest, newControlHasItsDocumentedLook)
{
    THTMLStaticText fresh;
    EXPECT_EQ(fresh.size(), QSize(100, 20));
    EXPECT_EQ(fresh.GetShadowOffset(), 1);
    EXPECT_EQ(fresh.GetShadowColor(), clGray);
    EXPECT_EQ(fresh.GetURLColor(), clBlue);
    EXPECT_EQ(fresh.GetAutoSizeType(), asVertical);
    EXPECT_EQ(fresh.GetVAlignment(), tvaTop);
    EXPECT_EQ(fresh.GetBevelWidth(), 1);
    EXPECT_FALSE(fresh.GetTabStop());
    EXPECT_FALSE(fresh.IsTimerRunning());
    EXPECT_EQ(fresh.GetVersion(), QStringLiteral("1.2.0.1"));
    fresh.SetVersion(QStringLiteral("9.9"));
    EXPECT_EQ(fresh.GetVersion(), QStringLiteral("1.2.0.1"));
}

TEST_F(HTMLStaticTextTest, arrowKeysCycleTheFocusedAnchor)
{
    text.SetHTMLText(threeAnchors);
    QFocusEvent focusIn(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(&text, &focusIn);
    EXPECT_EQ(text.GetFocusAnchor(), 0);
    QVector<int> seen;
    for (int i = 0; i < 3; ++i) {
        key(Qt::Key_Right);
        seen.append(text.GetFocusAnchor());
    }
    EXPECT_EQ(seen, (QVector<int>{1, 2, 0}));
    key(Qt::Key_Left);
    EXPECT_EQ(text.GetFocusAnchor(), 2);
    key(Qt::Key_Up);
    EXPECT_EQ(text.GetFocusAnchor(), 1);
    key(Qt::Key_Down);
    EXPECT_EQ(text.GetFocusAnchor(), 2);

    // A new text has other anchors: none keeps the focus.
    text.SetHTMLText({QStringLiteral("<a href=\"x\">x</a>")});
    EXPECT_EQ(text.GetFocusAnchor(), -1);
}

TEST_F(HTMLStaticTextTest, enterAndSpaceFollowTheFocusedAnchorThroughTheLinkPolicy)
{
    struct Case
    {
        int presses; // Right presses from the first anchor
        int key;
        const char* opened;
        const char* reported;
    };
    const Case cases[] = {
        {0, Qt::Key_Return, "https://kronvel.example/", nullptr},
        {1, Qt::Key_Return, nullptr, "file:///etc/passwd"},
        {2, Qt::Key_Space, nullptr, "osoba_1"},
    };
    for (const Case& c : cases) {
        RecordingOpener opener;
        QStringList reported;
        text.SetHTMLText(threeAnchors);
        text.OnAnchorKeypress = [&](THTMLStaticText*, const QString& anchor) { reported.append(anchor); };
        QFocusEvent focusIn(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(&text, &focusIn);
        for (int i = 0; i < c.presses; ++i)
            key(Qt::Key_Right);
        key(c.key);
        EXPECT_EQ(opener.opened, c.opened ? QStringList{c.opened} : QStringList()) << c.presses;
        EXPECT_EQ(reported, c.reported ? QStringList{c.reported} : QStringList()) << c.presses;
        text.SetHTMLText({});
    }
}

TEST_F(HTMLStaticTextTest, enterWithoutAnchorsStillReachesTheOwner)
{
    QStringList reported;
    text.OnAnchorKeypress = [&](THTMLStaticText*, const QString& anchor) { reported.append(anchor); };
    text.SetHTMLText({QStringLiteral("Bez odnośników")});
    key(Qt::Key_Return);
    EXPECT_EQ(reported, QStringList{QString()});
}

TEST_F(HTMLStaticTextTest, mouseOverAnAnchorShowsTheHandAndAClickFollowsIt)
{
    RecordingOpener opener;
    QStringList entered;
    QStringList clicked;
    int exits = 0;
    text.OnAnchorEnter = [&](THTMLStaticText*, const QString& anchor) { entered.append(anchor); };
    text.OnAnchorExit = [&](THTMLStaticText*, const QString&) { ++exits; };
    text.OnAnchorClick = [&](THTMLStaticText*, const QString& anchor) { clicked.append(anchor); };
    text.SetHTMLText({QStringLiteral("<a href=\"osoba_1\">Jan</a> i <a href=\"https://kronvel.example/\">strona</a>")});
    const QPoint onFirst(8, lineHeight() / 2);
    const QPoint between(QFontMetrics(text.GetFont().ToQFont()).horizontalAdvance("Jan i") - 2, lineHeight() / 2);
    const QPoint onSecond(QFontMetrics(text.GetFont().ToQFont()).horizontalAdvance("Jan i st"), lineHeight() / 2);

    mouse(QEvent::MouseMove, onFirst);
    mouse(QEvent::MouseMove, onFirst + QPoint(1, 0));
    EXPECT_EQ(entered, QStringList{"osoba_1"});
    EXPECT_EQ(text.cursor().shape(), Qt::PointingHandCursor);
    mouse(QEvent::MouseMove, between);
    EXPECT_EQ(exits, 1);
    EXPECT_NE(text.cursor().shape(), Qt::PointingHandCursor);

    mouse(QEvent::MouseButtonPress, onFirst);
    mouse(QEvent::MouseButtonRelease, onFirst);
    mouse(QEvent::MouseButtonPress, onSecond);
    EXPECT_EQ(clicked, QStringList{"osoba_1"});
    EXPECT_EQ(opener.opened, QStringList{"https://kronvel.example/"});
}

TEST_F(HTMLStaticTextTest, miniScrollArrowsScrollATallText)
{
    QStringList lines;
    for (int i = 1; lines.size() * lineHeight() < 2 * text.height(); ++i)
        lines.append(QStringLiteral("Wiersz %1<br>").arg(i));
    text.SetHTMLText(lines);
    text.SetVAlignment(tvaBottom);
    text.SetMiniScroll(true);
    EXPECT_EQ(text.GetVAlignment(), tvaTop);
    EXPECT_TRUE(text.IsTimerRunning());

    const QColor mark = ToQColor(clBtnText);
    EXPECT_GT(pixelsOf(mark, downArrowBox()), 0);
    EXPECT_EQ(pixelsOf(mark, upArrowBox()), 0);

    const QPoint onDown = downArrowBox().center();
    mouse(QEvent::MouseButtonPress, onDown);
    EXPECT_EQ(text.GetVOffset(), 4);
    EXPECT_GT(pixelsOf(mark, upArrowBox()), 0);
    // Held down, the arrow goes on scrolling at every tick.
    ticks(2);
    EXPECT_EQ(text.GetVOffset(), 12);
    mouse(QEvent::MouseButtonRelease, onDown);
    ticks(3);
    EXPECT_EQ(text.GetVOffset(), 12);

    // AutoScroll scrolls while the mouse only rests on an arrow.
    text.SetAutoScroll(true);
    mouse(QEvent::MouseMove, upArrowBox().center());
    ticks(2);
    EXPECT_EQ(text.GetVOffset(), 4);
    ticks(2);
    EXPECT_EQ(text.GetVOffset(), 0);

    text.SetVAlignment(tvaCenter);
    EXPECT_FALSE(text.GetMiniScroll());
    text.SetAutoScroll(false);
    EXPECT_FALSE(text.IsTimerRunning());
}

TEST_F(HTMLStaticTextTest, timerRunsExactlyWhileOneOfItsSwitchesIsOn)
{
    text.SetMiniScroll(true);
    EXPECT_TRUE(text.IsTimerRunning());
    text.SetEnableBlink(true);
    text.SetEnableBlink(false);
    EXPECT_TRUE(text.IsTimerRunning()) << "the mini scroll still needs it";
    text.SetAutoScroll(true);
    text.SetAutoScroll(false);
    EXPECT_TRUE(text.IsTimerRunning());
    text.SetMiniScroll(false);
    EXPECT_FALSE(text.IsTimerRunning());
    text.SetAutoScroll(true);
    EXPECT_TRUE(text.IsTimerRunning());
}

TEST_F(HTMLStaticTextTest, blinkingTextChangesEveryFiveTicksAndStaysVisibleWhenStopped)
{
    text.SetHTMLText({QStringLiteral("<blink>Migający tekst</blink>")});
    text.SetEnableBlink(true);
    const QRect all = text.rect();
    const QColor ink(0, 0, 0);
    ASSERT_GT(pixelsOf(ink, all), 0);
    ticks(4);
    EXPECT_GT(pixelsOf(ink, all), 0);
    ticks(1);
    EXPECT_EQ(pixelsOf(ink, all), 0);
    ticks(5);
    EXPECT_GT(pixelsOf(ink, all), 0);
    ticks(5);
    ASSERT_EQ(pixelsOf(ink, all), 0);
    text.SetEnableBlink(false);
    EXPECT_GT(pixelsOf(ink, all), 0);
}

TEST_F(HTMLStaticTextTest, disabledTextIsEmbossedWhiteUnderGrey)
{
    text.SetColor(clBtnFace);
    TFont font = text.GetFont();
    font.SetSize(16);
    text.SetFont(font);
    text.SetHTMLText({QStringLiteral("Wyłączony")});
    const QImage enabled = text.grab().toImage();
    text.setEnabled(false);
    const QImage disabled = text.grab().toImage();
    EXPECT_TRUE(disabled.save(testOutputFolder() + QStringLiteral("/HTMLStaticTextTest-disabled.png")));

    const QColor background = ToQColor(clBtnFace);
    int checked = 0;
    for (int y = 0; y + 1 < enabled.height(); ++y) {
        for (int x = 0; x + 1 < enabled.width(); ++x) {
            if (enabled.pixelColor(x, y) != QColor(0, 0, 0))
                continue;
            EXPECT_EQ(disabled.pixelColor(x, y), QColor(128, 128, 128)) << x << "," << y;
            if (enabled.pixelColor(x + 1, y + 1) != background)
                continue;
            EXPECT_EQ(disabled.pixelColor(x + 1, y + 1), QColor(255, 255, 255)) << x + 1 << "," << y + 1;
            ++checked;
        }
    }
    EXPECT_GT(checked, 10);
}

TEST_F(HTMLStaticTextTest, newSizeIsReportedOncePerRealChange)
{
    QVector<QSize> sizes;
    text.OnNewSize = [&](THTMLStaticText*, int w, int h) { sizes.append(QSize(w, h)); };
    text.SetHTMLText({QStringLiteral("Jeden wiersz")});
    text.SetAutoSizing(true);
    ASSERT_EQ(sizes.size(), 1);
    const int oneLine = sizes[0].height();
    EXPECT_EQ(sizes[0], QSize(200, text.height()));
    EXPECT_LT(oneLine, 40);

    // The same height again is no change.
    text.SetHTMLText({QStringLiteral("Inny wiersz")});
    text.SetBevelWidth(1);
    text.resize(text.size());
    EXPECT_EQ(sizes.size(), 1);

    text.SetHTMLText({QStringLiteral("Dwa<br>wiersze")});
    ASSERT_EQ(sizes.size(), 2);
    EXPECT_EQ(sizes[1], QSize(200, 2 * (oneLine - 6) + 6));

    text.SetAutoSizeType(asBoth);
    ASSERT_EQ(sizes.size(), 3);
    EXPECT_LT(sizes[2].width(), 200);
    EXPECT_EQ(sizes[2].height(), sizes[1].height());
    EXPECT_EQ(text.size(), sizes[2]);
}

TEST_F(HTMLStaticTextTest, animatedPictureAdvancesByItsDelays)
{
    GifWriter gif;
    gif.frame(20, 0, 0, 4, 4, 1);
    gif.frame(10, 0, 0, 4, 4, 2);
    gif.frame(10, 0, 0, 4, 4, 3);
    TPictureContainer container;
    TPictureItem* item = container.GetItems().Add();
    item->Name = QStringLiteral("ruch");
    QBuffer buffer;
    buffer.setData(gif.finish());
    buffer.open(QIODevice::ReadOnly);
    item->GetPicture()->LoadFromStream(&buffer);
    text.SetPictureContainer(&container);
    text.SetHTMLText({QStringLiteral("<img src=\"ruch\">")});
    text.SetEnableBlink(true);

    // The first tick starts the clock: the 200 ms frame shows for three ticks, the others for one.
    const auto colourAt = [&] { return text.grab().toImage().pixelColor(3, 2); };
    EXPECT_EQ(colourAt(), QColor(255, 0, 0));
    QVector<int> frames;
    QVector<QColor> colours;
    for (int i = 0; i < 6; ++i) {
        text.TimerTick();
        frames.append(item->GetPicture()->GetFrame());
        colours.append(colourAt());
    }
    EXPECT_EQ(frames, (QVector<int>{1, 1, 1, 2, 3, 1}));
    EXPECT_EQ(colours[3], QColor(0, 255, 0));
    EXPECT_EQ(colours[4], QColor(0, 0, 255));
    EXPECT_EQ(colours[5], QColor(255, 0, 0));
}

TEST_F(HTMLStaticTextTest, heldUpdatesShowTheLastPicture)
{
    text.SetHTMLText({QStringLiteral("Pierwszy")});
    const QImage before = text.grab().toImage();
    text.BeginUpdate();
    text.SetHTMLText({QStringLiteral("Drugi tekst")});
    EXPECT_EQ(text.grab().toImage(), before);
    text.EndUpdate();
    EXPECT_NE(text.grab().toImage(), before);
}

TEST_F(HTMLStaticTextTest, searchMatchesAreMarkedAndUnmarked)
{
    text.SetHTMLText({QStringLiteral("Jan "), QStringLiteral("Kowalski")});
    text.HilightText(QStringLiteral("kow"), false);
    EXPECT_EQ(text.GetDisplText(), QStringLiteral("Jan <hi>Kow</hi>alski"));
    text.UnHilightText();
    EXPECT_EQ(text.GetDisplText(), QStringLiteral("Jan Kowalski"));
    text.MarkText(QStringLiteral("Jan"), true);
    EXPECT_EQ(text.GetDisplText(), QStringLiteral("<e>Jan</e> Kowalski"));
    text.UnMarkText();
    EXPECT_EQ(text.GetHTMLText(), (QStringList{"Jan ", "Kowalski"}));
}

TEST(HTMLStaticTextGalleryTest, looks)
{
    QWidget window;
    window.setAutoFillBackground(true);
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, QColor(0xEC, 0xE9, 0xD8));
    window.setPalette(palette);
    window.resize(460, 230);
    const auto place = [&](int x, int y, const QString& markup) {
        auto* t = new THTMLStaticText(&window);
        TFont font;
        font.Name = registeredFamily();
        font.SetSize(9);
        t->SetFont(font);
        t->setGeometry(x, y, 210, 60);
        t->SetHTMLText({markup});
        return t;
    };
    place(10, 10,
          QStringLiteral("Zwykły tekst z <a href=\"https://kronvel.example/\">odnośnikiem</a> i <b>pogrubieniem</b>"))
        ->SetColor(clWhite);
    auto* raised = place(240, 10, QStringLiteral("Wypukła ramka<br><i>BevelOuter bvRaised</i>"));
    raised->SetBevelOuter(bvRaised);
    raised->SetBevelWidth(2);
    auto* lowered = place(10, 80, QStringLiteral("Wklęsła ramka, tekst na środku"));
    lowered->SetBevelOuter(bvLowered);
    lowered->SetVAlignment(tvaCenter);
    auto* single = place(240, 80, QStringLiteral("Pojedyncza czarna ramka"));
    single->SetBorderStyle(bsSingle);
    single->SetBorderWidth(1);
    single->SetColor(clWhite);
    auto* disabled = place(10, 150, QStringLiteral("Wyłączony: <a href=\"x\">odnośnik</a> i tekst"));
    disabled->setEnabled(false);
    auto* scrolled =
        place(240, 150, QStringLiteral("Mini przewijanie:<br>wiersz 2<br>wiersz 3<br>wiersz 4<br>wiersz 5"));
    scrolled->SetColor(clWhite);
    scrolled->SetMiniScroll(true);
    scrolled->SetVOffset(8);
    const QImage shot = window.grab().toImage();
    EXPECT_TRUE(shot.save(testOutputFolder() + QStringLiteral("/HTMLStaticTextGallery.png")));
}
