#include "Theme.h"
#include "Canvas.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QStyle>
#include <QStyleFactory>
#include <QWidget>
#include <memory>

namespace {

QImage drawnPart(QWidget& window, const char* themeClass, int part, int state)
{
    QImage image(40, 22, QImage::Format_ARGB32);
    image.fill(Qt::white);
    {
        TCanvas canvas(&image);
        HTHEME theme = OpenThemeData(&window, QString::fromLatin1(themeClass));
        DrawThemeBackground(theme, canvas, part, state, Rect(0, 0, 40, 22));
        CloseThemeData(theme);
    }
    return image;
}

} // namespace

TEST(ThemeTest, everyStyleButTheClassicOneCountsAsThemed)
{
    QWidget themed;
    QWidget classic;
    std::unique_ptr<QStyle> windowsStyle(QStyleFactory::create(QStringLiteral("Windows")));
    classic.setStyle(windowsStyle.get());

    EXPECT_TRUE(IsThemeActive());
    EXPECT_TRUE(IsThemeActive(&themed));
    EXPECT_FALSE(IsThemeActive(&classic));
    EXPECT_EQ(OpenThemeData(&classic, QStringLiteral("button")), nullptr);
}

TEST(ThemeTest, theFirstKnownClassOfTheListIsOpened)
{
    QWidget window;
    EXPECT_EQ(OpenThemeData(&window, QStringLiteral("nothing")), nullptr);
    EXPECT_EQ(OpenThemeData(nullptr, QStringLiteral("button")), nullptr);
    HTHEME theme = OpenThemeData(&window, QStringLiteral("nothing; ComboBox"));
    EXPECT_NE(theme, nullptr);
    CloseThemeData(theme);
}

TEST(ThemeTest, partsAreDrawnInTheirStates)
{
    QWidget window;
    const QImage blank = [] {
        QImage image(40, 22, QImage::Format_ARGB32);
        image.fill(Qt::white);
        return image;
    }();
    for (const auto& [themeClass, part] : {std::pair{"button", BP_PUSHBUTTON}, std::pair{"combobox", CP_DROPDOWNBUTTON},
                                           std::pair{"window", WP_CLOSEBUTTON}}) {
        const QImage normal = drawnPart(window, themeClass, part, PBS_NORMAL);
        EXPECT_NE(normal, blank) << themeClass;
        if (part != WP_CLOSEBUTTON) {
            EXPECT_NE(drawnPart(window, themeClass, part, PBS_PRESSED), normal) << themeClass;
        }
    }
    EXPECT_EQ(drawnPart(window, "button", 99, PBS_NORMAL), blank);
}
