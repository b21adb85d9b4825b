#include "AdvEdit.h"
#include "InputTestSupport.h"
#include "TestSupport.h"
#include "UrlOpener.h"

#include <QImage>
#include <QLineEdit>

namespace {

struct LookFixture : ::testing::Test
{
    void SetUp() override
    {
        edit = new TAdvEdit(&window.form);
        edit->setGeometry(100, 20, 150, 21);
        other = new QLineEdit(&window.form);
        other->setGeometry(100, 60, 150, 21);
        ASSERT_TRUE(window.show());
        other->setFocus();
        settle();
    }
    void enter()
    {
        edit->setFocus();
        settle();
    }
    void leave()
    {
        other->setFocus();
        settle();
    }
    // Pixels of grey text (antialiased), not the black caret nor the white ground.
    int countGrey(const QImage& image, const QRect& area) const
    {
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) {
                const QColor c = image.pixelColor(x, y);
                count += c.red() == c.green() && c.green() == c.blue() && c.red() > 60 && c.red() < 230;
            }
        return count;
    }
    int countPixels(const QImage& image, const QColor& color, const QRect& area) const
    {
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                count += image.pixelColor(x, y) == color;
        return count;
    }

    ShownForm window;
    TAdvEdit* edit = nullptr;
    QLineEdit* other = nullptr;
};

} // namespace

TEST_F(LookFixture, focusColoursComeAndGoWithTheFocus)
{
    edit->SetFocusColor(clYellow);
    edit->SetFocusFontColor(clNavy);
    enter();
    EXPECT_EQ(edit->GetColor(), clYellow);
    EXPECT_EQ(edit->GetFontColor(), clNavy);
    leave();
    EXPECT_EQ(edit->GetColor(), clWindow);
    EXPECT_EQ(edit->GetFontColor(), clWindowText);
}

TEST_F(LookFixture, aFontColourSetWhileFocusedOutlastsTheFocus)
{
    enter();
    edit->SetFontColor(clRed);
    EXPECT_EQ(edit->GetFontColor(), clRed);
    leave();
    EXPECT_EQ(edit->GetFontColor(), clRed);
    enter();
    edit->SetFontColor(clWindowText);
    leave();
    EXPECT_EQ(edit->GetFontColor(), clWindowText);
}

TEST_F(LookFixture, disabledAndModifiedEditsShowTheirColours)
{
    edit->SetColorEx(clAqua);
    edit->setEnabled(false);
    EXPECT_EQ(edit->GetColor(), edit->GetDisabledColor());
    edit->setEnabled(true);
    EXPECT_EQ(edit->GetColor(), clAqua);

    edit->SetShowModified(true);
    enter();
    QTest::keyClicks(edit, QStringLiteral("a"));
    EXPECT_EQ(edit->GetFontColor(), edit->GetModifiedColor());
    edit->SetText(QStringLiteral("b"));
    EXPECT_EQ(edit->GetFontColor(), clWindowText);
}

TEST_F(LookFixture, linksOpenOnlyThroughTheLinkPolicy)
{
    RecordingOpener opener;
    edit->SetShowURL(true);
    struct Case
    {
        const char* value;
        const char* opened;
    };
    const Case cases[] = {
        {"jan@example.com", "mailto:jan@example.com"},
        {"www.example.com", "http://www.example.com"},
        {"https://example.com/a", "https://example.com/a"},
        {"file:///etc/passwd", nullptr},
    };
    for (const Case& c : cases) {
        opener.opened.clear();
        edit->SetText(QString::fromUtf8(c.value));
        EXPECT_TRUE(edit->font().underline()) << c.value;
        EXPECT_EQ(edit->GetFontColor(), edit->GetURLColor());
        enter();
        QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(20, 10));
        EXPECT_EQ(opener.opened, c.opened ? QStringList{QString::fromUtf8(c.opened)} : QStringList()) << c.value;
        leave();
    }

    // A handler may keep the link shut.
    opener.opened.clear();
    edit->OnURLClick = [](TAdvEdit*, const QString&, bool& show) { show = false; };
    edit->SetText(QStringLiteral("www.example.com"));
    enter();
    QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_TRUE(opener.opened.isEmpty());

    edit->SetText(QStringLiteral("Kowalski"));
    EXPECT_FALSE(edit->font().underline());
    EXPECT_EQ(edit->GetFontColor(), clWindowText);
}

TEST_F(LookFixture, thePlaceholderShowsOnlyWhileEmptyAndUnfocused)
{
    edit->SetEmptyText(QStringLiteral("Nazwisko"));
    const QRect inside = edit->rect().adjusted(3, 3, -3, -3);
    EXPECT_GT(countGrey(edit->grab().toImage(), inside), 10);
    enter();
    EXPECT_EQ(countGrey(edit->grab().toImage(), inside), 0);
    leave();
    edit->SetText(QStringLiteral("x"));
    const QImage withText = edit->grab().toImage();
    edit->SetEmptyText(QString());
    EXPECT_EQ(edit->grab().toImage(), withText);
}

TEST_F(LookFixture, flatEditsDrawALineUnderTheText)
{
    edit->SetFlatLineColor(clRed);
    edit->SetFlat(true);
    EXPECT_FALSE(edit->hasFrame());
    const QImage shot = edit->grab().toImage();
    const int bottom = edit->height() - 1;
    EXPECT_EQ(shot.pixelColor(10, bottom), ToQColor(clRed));
    EXPECT_EQ(countPixels(shot, ToQColor(clRed), QRect(0, 0, edit->width(), bottom)), 0);
    edit->SetDisabledBorder(false);
    edit->setEnabled(false);
    EXPECT_EQ(edit->grab().toImage().pixelColor(10, bottom), ToQColor(clGray));
}

TEST_F(LookFixture, theErrorMarkerAndTheFocusFrameShowAsSet)
{
    edit->SetText(QStringLiteral("Kowalskki"));
    edit->SetErrorMarkerPos(6);
    edit->SetErrorMarkerLen(2);
    const QColor red = ToQColor(clRed);
    EXPECT_GT(countPixels(edit->grab().toImage(), red, edit->rect()), 5);
    enter();
    EXPECT_EQ(countPixels(edit->grab().toImage(), red, edit->rect()), 0);
    leave();
    edit->SetErrorMarkerLen(0);

    edit->SetFocusBorderColor(clBlue);
    EXPECT_NE(edit->grab().toImage().pixelColor(0, 10), ToQColor(clBlue));
    enter();
    EXPECT_EQ(edit->grab().toImage().pixelColor(0, 10), ToQColor(clBlue));
}

TEST_F(LookFixture, theFocusMayWidenRealignAndEmboldenTheLabel)
{
    edit->SetLabelCaption(QStringLiteral("Imię"));
    edit->SetFocusLabel(true);
    edit->SetFocusWidthInc(20);
    edit->SetFocusAlign(eaRight);
    enter();
    EXPECT_TRUE(edit->GetLabel()->font().bold());
    EXPECT_EQ(edit->width(), 170);
    EXPECT_EQ(edit->GetEditAlign(), eaRight);
    EXPECT_TRUE(edit->alignment() & Qt::AlignRight);
    leave();
    EXPECT_FALSE(edit->GetLabel()->font().bold());
    EXPECT_EQ(edit->width(), 150);
    EXPECT_EQ(edit->GetEditAlign(), eaLeft);
}

TEST_F(LookFixture, loadingKeepsTheColoursAndBorderSetBefore)
{
    edit->SetColorEx(clAqua);
    edit->setEnabled(false);
    edit->Loaded();
    edit->setEnabled(true);
    EXPECT_EQ(edit->GetColor(), clAqua);

    TAdvEdit* flat = new TAdvEdit(&window.form);
    flat->SetFlatParentColor(false);
    flat->SetFlat(true);
    flat->Loaded();
    flat->SetFlat(false);
    EXPECT_EQ(flat->GetBorderStyle(), bsSingle);
    EXPECT_EQ(flat->GetColor(), clWindow);
}
