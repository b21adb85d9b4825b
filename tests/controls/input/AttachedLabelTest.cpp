#include "AdvEdit.h"
#include "InputTestSupport.h"

#include <QFontInfo>
#include <QLineEdit>

namespace {

struct LabelFixture : ::testing::Test
{
    void SetUp() override
    {
        edit = new TAdvEdit(&window.form);
        edit->setGeometry(150, 100, 120, 21);
    }
    QRect labelGeometry() const { return edit->GetLabel()->geometry(); }

    ShownForm window;
    TAdvEdit* edit = nullptr;
};

} // namespace

TEST(AttachedLabelTest, everyPositionFollowsItsFormula)
{
    // An edit at (150, 100), 120 by 21; a label 40 by 13 whose caption is 36 wide; margin 4.
    const TRect e = Rect(150, 100, 270, 121);
    struct Case
    {
        TLabelPosition position;
        int left;
        int top;
    };
    const Case cases[] = {
        {lpLeftTop, 150 - 36 - 4, 100},
        {lpLeftCenter, 150 - 36 - 4, 104},
        {lpLeftBottom, 150 - 36 - 4, 108},
        {lpTopLeft, 150, 100 - 13 - 4},
        {lpBottomLeft, 150, 125},
        {lpLeftTopLeft, 146, 100},
        {lpLeftCenterLeft, 146, 104},
        {lpLeftBottomLeft, 146, 108},
        {lpTopCenter, 150 + 40, 83},
        {lpBottomCenter, 190, 125},
        {lpRightTop, 274, 100},
        {lpRightCenter, 274, 104},
        {lpRighBottom, 274, 108},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LabelOrigin(c.position, e, 40, 13, 36, 4), Point(c.left, c.top)) << int(c.position);
    // A label taller or wider than the edit is centred the other way, halves truncated toward zero.
    EXPECT_EQ(LabelOrigin(lpLeftCenter, Rect(0, 100, 10, 110), 40, 13, 36, 4).Y, 99);
    EXPECT_EQ(LabelOrigin(lpTopCenter, Rect(100, 100, 110, 110), 15, 13, 15, 4).X, 98);
}

TEST_F(LabelFixture, theLabelSitsBesideItsEditAndFollowsIt)
{
    EXPECT_EQ(edit->GetLabelCaption(), QString());
    EXPECT_EQ(edit->GetLabel(), nullptr);

    ASSERT_TRUE(window.show());
    edit->SetLabelPosition(lpLeftCenter);
    edit->SetLabelCaption(QStringLiteral("&Nazwisko"));
    TLabel* label = edit->GetLabel();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->parentWidget(), &window.form);
    EXPECT_TRUE(label->isVisible());
    const QRect expected(150 - label->TextWidth() - 4, 100 + (21 - label->height()) / 2, label->width(),
                         label->height());
    EXPECT_EQ(labelGeometry(), expected);

    edit->move(200, 150);
    EXPECT_EQ(labelGeometry().topLeft(), QPoint(200 - label->TextWidth() - 4, 150 + (21 - label->height()) / 2));
    edit->SetLabelMargin(10);
    EXPECT_EQ(labelGeometry().right() + 1, 190);

    edit->SetVisible(false);
    EXPECT_FALSE(label->isVisible());
    edit->show();
    EXPECT_TRUE(label->isVisible());

    QWidget other(&window.form);
    other.setGeometry(0, 0, 100, 100);
    other.show();
    edit->setParent(&other);
    edit->show();
    EXPECT_EQ(label->parentWidget(), &other);
    EXPECT_TRUE(label->isVisible());
}

TEST_F(LabelFixture, aLabelMadeWhileTheWindowIsHiddenAppearsWithIt)
{
    edit->SetLabelPosition(lpTopLeft);
    edit->SetLabelCaption(QStringLiteral("Imię"));
    TLabel* label = edit->GetLabel();
    EXPECT_FALSE(label->isHidden());
    EXPECT_EQ(labelGeometry().topLeft(), QPoint(150, 100 - label->height() - 4));
    edit->SetLabelCaption(QStringLiteral("Imiona"));
    edit->move(160, 110);
    ASSERT_TRUE(window.show());
    EXPECT_TRUE(label->isVisible());
    EXPECT_EQ(label->text(), QStringLiteral("Imiona"));
    EXPECT_EQ(labelGeometry().topLeft(), QPoint(160, 110 - label->height() - 4));

    // A hidden edit keeps its label hidden when the window appears.
    window.form.hide();
    edit->hide();
    ASSERT_TRUE(window.show());
    EXPECT_FALSE(label->isVisible());
}

TEST_F(LabelFixture, theLabelFollowsTheEnabledStateUnlessAlwaysEnabled)
{
    edit->SetLabelCaption(QStringLiteral("Imię"));
    edit->SetEnabledEx(false);
    EXPECT_FALSE(edit->GetLabel()->isEnabled());
    edit->SetLabelAlwaysEnabled(true);
    EXPECT_TRUE(edit->GetLabel()->isEnabled());
    edit->SetEnabledEx(true);
    edit->SetEnabledEx(false);
    EXPECT_TRUE(edit->GetLabel()->isEnabled());
}

TEST_F(LabelFixture, clicksOnTheLabelNameTheEditAndItsAcceleratorFocusesIt)
{
    auto* other = new QLineEdit(&window.form);
    other->setGeometry(150, 200, 100, 21);
    edit->SetLabelCaption(QStringLiteral("&Nazwisko"));
    QObject* clickedWith = nullptr;
    QObject* doubleClickedWith = nullptr;
    edit->OnLabelClick = [&](TAdvEdit* sender) { clickedWith = sender; };
    edit->OnLabelDblClick = [&](TAdvEdit* sender) { doubleClickedWith = sender; };
    ASSERT_TRUE(window.show());
    other->setFocus();
    QTest::mouseClick(edit->GetLabel(), Qt::LeftButton);
    QTest::mouseDClick(edit->GetLabel(), Qt::LeftButton);
    EXPECT_EQ(clickedWith, edit);
    EXPECT_EQ(doubleClickedWith, edit);
    QTest::keyClick(&window.form, Qt::Key_N, Qt::AltModifier);
    EXPECT_TRUE(edit->hasFocus());
}

TEST_F(LabelFixture, theLabelTakesTheEditsFontOnceLoadedWithTheParentsFont)
{
    TFont large;
    large.SetHeight(-20);
    edit->SetLabelFont(large);
    EXPECT_EQ(edit->GetLabelFont().GetHeight(), -11);

    edit->setFont(large.ToQFont());
    edit->SetLabelFont(large);
    edit->SetLabelCaption(QStringLiteral("Imię"));
    EXPECT_EQ(edit->GetLabel()->font().pixelSize(), 20);

    TAdvEdit inherited(&window.form);
    inherited.SetLabelCaption(QStringLiteral("Imię"));
    inherited.Loaded();
    EXPECT_EQ(inherited.GetLabel()->font().family(), inherited.font().family());
    EXPECT_EQ(QFontInfo(inherited.GetLabel()->font()).pixelSize(), QFontInfo(inherited.font()).pixelSize());
}
