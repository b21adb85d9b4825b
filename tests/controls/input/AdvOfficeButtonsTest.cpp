#include "AdvOfficeButtons.h"
#include "TestSupport.h"
#include "UrlOpener.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QTest>

namespace {

// A shown, active window holding the controls under test, with counters of their clicks.
struct ButtonsFixture : ::testing::Test
{
    void SetUp() override
    {
        window.resize(400, 300);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    template <class Button>
    Button* add(const QString& caption, QWidget* parent = nullptr)
    {
        auto* button = new Button(parent ? parent : &window);
        button->move(10, 10 + 25 * int(clicks.size()));
        button->SetCaption(caption);
        button->show();
        clicks[button] = 0;
        button->OnClick = [this](QObject* sender) { ++clicks[sender]; };
        return button;
    }

    static void click(QWidget* w, QPoint at = QPoint(40, 10)) { QTest::mouseClick(w, Qt::LeftButton, {}, at); }

    QWidget window;
    QHash<QObject*, int> clicks;
};

} // namespace

TEST_F(ButtonsFixture, checkBoxTogglesByMouseSpaceAndAcceleratorButNotFromCode)
{
    auto* box = add<TAdvOfficeCheckBox>(QStringLiteral("&Zmarły"));
    box->SetTabStop(true);

    click(box);
    EXPECT_TRUE(box->GetChecked()) << "the first click focuses and toggles on release";
    EXPECT_TRUE(box->hasFocus());
    EXPECT_EQ(clicks[box], 1);

    QTest::keyClick(box, Qt::Key_Space);
    EXPECT_FALSE(box->GetChecked());
    EXPECT_EQ(clicks[box], 2);

    QTest::keyClick(&window, Qt::Key_Z, Qt::AltModifier);
    EXPECT_TRUE(box->GetChecked());
    EXPECT_EQ(clicks[box], 3);

    box->SetChecked(false);
    box->SetChecked(true);
    box->SetChecked(true);
    box->SetState(cbUnchecked);
    EXPECT_EQ(clicks[box], 3) << "code is not told back";

    QTest::mousePress(box, Qt::LeftButton, {}, QPoint(40, 10));
    QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(200, 10));
    EXPECT_FALSE(box->GetChecked()) << "released outside: no toggle";
    EXPECT_EQ(clicks[box], 3);

    QTest::mouseClick(box, Qt::RightButton, {}, QPoint(40, 10));
    EXPECT_FALSE(box->GetChecked()) << "the right button belongs to the pop-up menu";
}

TEST_F(ButtonsFixture, checkBoxStatesReadOnlyAndVersion)
{
    auto* box = add<TAdvOfficeCheckBox>(QStringLiteral("Żyje"));
    EXPECT_EQ(box->width(), 120);
    EXPECT_EQ(box->height(), 20);
    EXPECT_EQ(box->GetVersion(), QStringLiteral("1.1.1.4"));

    box->SetState(cbGrayed);
    EXPECT_FALSE(box->GetChecked());
    box->Toggle();
    EXPECT_EQ(box->GetState(), cbChecked);

    box->SetReadOnly(true);
    click(box);
    QTest::keyClick(box, Qt::Key_Space);
    EXPECT_TRUE(box->GetChecked()) << "read-only keeps its state";
    EXPECT_EQ(clicks[box], 2) << "yet reports the clicks";

    TAdvOfficeCheckBox plain;
    EXPECT_EQ(plain.GetCaption(), QStringLiteral("TAdvOfficeCheckBox"));
}

TEST_F(ButtonsFixture, linksReactOnlyOnceTheBoxHasTheFocus)
{
    RecordingOpener opener;
    QStringList reported;
    auto* box =
        add<TAdvOfficeCheckBox>(QStringLiteral("<a href=\"http://example.com/\">strona</a> "
                                               "<a href=\"osoba\">osoba</a> <a href=\"file:///etc/x\">plik</a>"));
    box->resize(300, 20);
    box->OnAnchorClick = [&](QObject*, const QString& anchor) { reported.append(anchor); };
    TCanvas measure;
    const int linkWidth = measure.TextWidth(QStringLiteral("strona"));

    const QPoint onWebLink(17 + linkWidth / 2, 10);
    click(box, onWebLink);
    EXPECT_TRUE(opener.opened.isEmpty()) << "the first click only focuses";
    EXPECT_TRUE(box->GetChecked());

    click(box, onWebLink);
    EXPECT_EQ(opener.opened, QStringList{QStringLiteral("http://example.com/")});
    EXPECT_FALSE(box->GetChecked()) << "released inside, the focused box toggles as well";

    auto linkAt = [&](const QString& word) {
        for (int x = 17; x < 300; ++x) {
            if (box->IsAnchor(x, 10) == word)
                return QPoint(x, 10);
        }
        ADD_FAILURE() << "no link to " << word.toStdString();
        return QPoint();
    };
    EXPECT_EQ(box->IsAnchor(onWebLink.x(), onWebLink.y()), QStringLiteral("http://example.com/"));
    click(box, linkAt(QStringLiteral("osoba")));
    EXPECT_EQ(reported, QStringList{QStringLiteral("osoba")});
    click(box, linkAt(QStringLiteral("file:///etc/x")));
    EXPECT_EQ(opener.opened.size(), 1) << "the link policy refuses local files";
    EXPECT_EQ(reported.size(), 1) << "and the owner is not asked for them";
}

TEST_F(ButtonsFixture, radioButtonReportsEveryCheckAndNoUncheck)
{
    auto* radio = add<TAdvOfficeRadioButton>(QStringLiteral("&Mężczyzna"));
    EXPECT_EQ(radio->width(), 135);
    EXPECT_FALSE(radio->GetTabStop());

    radio->SetChecked(true);
    EXPECT_EQ(clicks[radio], 1) << "checking from code raises OnClick once";
    EXPECT_TRUE(radio->GetTabStop()) << "the checked button is the tab stop";
    radio->SetChecked(true);
    EXPECT_EQ(clicks[radio], 1);
    radio->SetChecked(false);
    EXPECT_EQ(clicks[radio], 1) << "unchecking raises nothing";
    EXPECT_FALSE(radio->GetTabStop());
}

TEST_F(ButtonsFixture, radioButtonByMouseSpaceFocusAndAccelerator)
{
    auto* first = add<TAdvOfficeRadioButton>(QStringLiteral("&Kobieta"));
    auto* second = add<TAdvOfficeRadioButton>(QStringLiteral("&Mężczyzna"));

    click(first);
    EXPECT_TRUE(first->GetChecked()) << "checked as it takes the focus";
    EXPECT_EQ(clicks[first], 1) << "and reported once, on the release";
    click(first);
    EXPECT_EQ(clicks[first], 2) << "a checked button clicked again reports again";

    QTest::keyClick(&window, Qt::Key_M, Qt::AltModifier);
    EXPECT_TRUE(second->GetChecked());
    EXPECT_FALSE(first->GetChecked());
    EXPECT_TRUE(second->hasFocus());
    EXPECT_EQ(clicks[second], 1);

    second->SetChecked(false);
    clicks[second] = 0;
    QTest::keyClick(second, Qt::Key_Space);
    EXPECT_TRUE(second->GetChecked());
    EXPECT_EQ(clicks[second], 1);

    second->SetChecked(false);
    clicks[second] = 0;
    QTest::mousePress(second, Qt::LeftButton, {}, QPoint(40, 10));
    QTest::mouseRelease(second, Qt::LeftButton, {}, QPoint(300, 10));
    EXPECT_FALSE(second->GetChecked()) << "released outside does not check a focused button";
    EXPECT_EQ(clicks[second], 1) << "but still reports the click";

    first->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(first->GetChecked()) << "entering a radio button checks it";
    EXPECT_EQ(clicks[first], 3);
}

TEST_F(ButtonsFixture, radioSiblingsShareParentAndGroupIndex)
{
    QWidget* panelA = new QWidget(&window);
    QWidget* panelB = new QWidget(&window);
    auto* a1 = add<TAdvOfficeRadioButton>(QStringLiteral("a1"), panelA);
    auto* a2 = add<TAdvOfficeRadioButton>(QStringLiteral("a2"), panelA);
    auto* a3 = add<TAdvOfficeRadioButton>(QStringLiteral("a3"), panelA);
    auto* otherGroup = add<TAdvOfficeRadioButton>(QStringLiteral("g1"), panelA);
    auto* otherPanel = add<TAdvOfficeRadioButton>(QStringLiteral("b1"), panelB);
    otherGroup->SetGroupIndex(1);
    for (TAdvOfficeRadioButton* r : {a1, a3, otherGroup, otherPanel})
        r->SetChecked(true);
    EXPECT_FALSE(a1->GetChecked()) << "a3 turned a1 off";

    a2->SetChecked(true);
    EXPECT_FALSE(a1->GetChecked());
    EXPECT_TRUE(a2->GetChecked());
    EXPECT_FALSE(a3->GetChecked());
    EXPECT_TRUE(otherGroup->GetChecked());
    EXPECT_TRUE(otherPanel->GetChecked());
    EXPECT_EQ(clicks[a3], 1) << "being turned off raises nothing";
}

TEST_F(ButtonsFixture, disabledCaptionIsEmbossedInWhiteAndGrey)
{
    auto* box = add<TAdvOfficeCheckBox>(QStringLiteral("<b>Nieznany</b>"));
    box->setEnabled(false);
    const QImage image = box->grab().toImage();
    int white = 0, grey = 0, black = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 16; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y) & 0xFFFFFF;
            white += pixel == 0xFFFFFF;
            grey += pixel == 0x808080;
            black += pixel == 0x000000;
        }
    }
    EXPECT_GT(white, 10);
    EXPECT_GT(grey, 10);
    EXPECT_EQ(black, 0);
}

TEST_F(ButtonsFixture, glyphFollowsStateAndAlignment)
{
    auto* box = add<TAdvOfficeCheckBox>(QString());
    box->SetAlignment(taRightJustify);
    box->SetChecked(true);
    const QImage image = box->grab().toImage();
    const QImage glyph(QStringLiteral(":/glyphs/QRBOFCC.bmp"));
    ASSERT_FALSE(glyph.isNull());
    // The glyph's visible box starts one pixel inside its transparent ring.
    const int x = box->width() - glyph.width() - 1;
    EXPECT_EQ(image.pixel(x + 1, 4 + 1), glyph.pixel(1, 1));
    EXPECT_EQ(image.pixel(x + 6, 4 + 8), glyph.pixel(6, 8));
}
