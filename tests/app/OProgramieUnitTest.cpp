#include "OProgramieUnit.h"
#include "AppFixture.h"
#include "HTMLabel.h"
#include "TestSupport.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

class AboutBoxTest : public AppFixture
{
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        gWebAddress = QStringLiteral("https://www.varnhold.example/kronvel/");
    }

    // Shows the box as the main window does and runs act once it is active; a box that act leaves open is closed
    // with "Zamknij".
    void showAbout(TFormOProgramie& about, const std::function<void()>& act)
    {
        QTimer::singleShot(0, [&] {
            EXPECT_TRUE(QTest::qWaitForWindowActive(&about));
            act();
            if (about.GetModalResult() == mrNone)
                about.Button2->click();
        });
        about.ShowAbout();
    }

    // The first point of the label over its link.
    static QPoint linkPoint(THTMLabel* label)
    {
        for (int y = 0; y < label->height(); y += 2) {
            for (int x = 0; x < label->width(); x += 2) {
                TRect hover;
                if (!label->IsAnchor(x, y, hover).isEmpty())
                    return QPoint(x + 2, y + 2);
            }
        }
        return QPoint(-1, -1);
    }

    static QPoint expectedPlace(const QWidget& window)
    {
        const QRect area = window.screen()->availableGeometry();
        const QSize size = window.frameGeometry().size();
        return QPoint(area.left() + (area.width() - size.width()) / 2,
                      area.top() + qMin((area.height() - size.height()) / 2, int(area.height() * 0.2)));
    }

    RecordingOpener opener;
};

TEST_F(AboutBoxTest, showsTheProductAndItsLinkOpensTheWebPage)
{
    TFormOProgramie about;
    EXPECT_EQ(about.HTMLabel1->GetText(),
              "Kronvel\r\n\r\nProgram do ewidencji danych genealogicznych.\r\n\r\nWięcej na stronie: "
              "https://www.varnhold.example/kronvel/");
    EXPECT_EQ(about.Image1->pixmap().size(), QSize(205, 166));

    showAbout(about, [&] {
        EXPECT_EQ(about.GetCaption(), "Kronvel v.1.2.2.0");
        EXPECT_EQ(about.pos(), expectedPlace(about));
        EXPECT_TRUE(about.grab().save(testOutputFolder() + "/about_box.png"));

        const QPoint link = linkPoint(about.HTMLabel1);
        ASSERT_GE(link.x(), 0) << "the label shows a link";
        QTest::mouseClick(about.HTMLabel1, Qt::LeftButton, {}, link);
        EXPECT_EQ(opener.opened, QStringList{"https://www.varnhold.example/kronvel/"});

        QTest::keyClick(about.focusWidget() ? about.focusWidget() : &about, Qt::Key_Escape);
        EXPECT_EQ(about.GetModalResult(), mrCancel) << "Esc closes the box";
    });
    EXPECT_FALSE(about.isVisible());
}

TEST_F(AboutBoxTest, isPlacedAgainAtEveryActivation)
{
    TFormOProgramie about;
    showAbout(about, [&] {
        about.move(7, 9);
        about.FormActivate();
        EXPECT_EQ(about.pos(), expectedPlace(about));
    });
    about.move(7, 9);
    showAbout(about, [&] { EXPECT_EQ(about.pos(), expectedPlace(about)); });
}

} // namespace
