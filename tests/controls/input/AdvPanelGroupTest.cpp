// The panel group: stacking in columns, invisible panels, the scroll bar and the wheel, reordering, and the
// panels' positions under the group's key.
#include "AdvPanelGroup.h"
#include "IniFile.h"
#include "InputTestSupport.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QScrollBar>
#include <QTemporaryDir>
#include <QWheelEvent>

namespace {

class AdvPanelGroupTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        group.resize(300, 400);
        group.SetBevelOuter(bvNone);
        group.show();
    }

    // Panels of the given heights, added in order.
    QVector<TCustomAdvPanel*> addPanels(std::initializer_list<int> heights)
    {
        QVector<TCustomAdvPanel*> added;
        for (const int h : heights) {
            TCustomAdvPanel* panel = group.AddPanel();
            panel->SetHeight(h);
            added.append(panel);
        }
        group.UpdateGroup();
        return added;
    }

    static QVector<int> tops(const QVector<TCustomAdvPanel*>& panels)
    {
        QVector<int> result;
        for (const TCustomAdvPanel* p : panels)
            result.append(p->y());
        return result;
    }

    TAdvPanelGroup group;
};

} // namespace

TEST_F(AdvPanelGroupTest, panelsStackWithPaddingsInOneColumn)
{
    const auto panels = addPanels({100, 50, 80});
    EXPECT_EQ(tops(panels), (QVector<int>{8, 116, 174}));
    for (const TCustomAdvPanel* p : panels) {
        EXPECT_EQ(p->x(), 8);
        EXPECT_EQ(p->width(), 300 - 16);
    }
    EXPECT_FALSE(group.GetScrollBar()->isVisible());
}

TEST_F(AdvPanelGroupTest, twoColumnsShareARowAndAnInvisiblePanelKeepsItsPlace)
{
    const auto panels = addPanels({100, 50, 80});
    group.SetColumns(2);
    EXPECT_EQ(tops(panels), (QVector<int>{8, 8, 8 + 50 + 8}));
    EXPECT_EQ(panels[1]->x(), 8 + (300 - 8) / 2);
    EXPECT_EQ(panels[0]->width(), (300 - 16) / 2);
    group.SetColumns(0);
    EXPECT_EQ(group.GetColumns(), 2);

    group.SetColumns(1);
    panels[1]->hide();
    group.UpdateGroup();
    EXPECT_EQ(tops(panels), (QVector<int>{8, 116, 116}));
}

TEST_F(AdvPanelGroupTest, shortGroupShowsTheScrollBarAndTheWheelScrollsFourPixels)
{
    const auto panels = addPanels({150, 150, 150});
    group.resize(300, 200);
    QScrollBar* bar = group.GetScrollBar();
    ASSERT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->geometry().right(), 299);
    EXPECT_EQ(bar->width(), 16);
    EXPECT_EQ(panels[0]->width(), 300 - 16 - 16);
    QWheelEvent wheel(QPointF(50, 50), group.mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&group, &wheel);
    EXPECT_EQ(tops(panels), (QVector<int>{4, 162, 320}));

    group.SetGroupStyle(gsHorizontal);
    group.SetGroupStyle(gsVertical);
    group.UpdateGroup();
    EXPECT_EQ(GetAlign(bar), alRight);
    EXPECT_EQ(bar->geometry().right(), 299);
}

// Parts of a notch, as a touchpad sends them, add up to whole notches in either direction.
TEST_F(AdvPanelGroupTest, partialWheelStepsAddUpToNotches)
{
    const auto panels = addPanels({150, 150, 150});
    group.resize(300, 200);
    const auto turn = [&](int angle) {
        QWheelEvent wheel(QPointF(50, 50), group.mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, angle), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&group, &wheel);
        return group.GetScrollBar()->value();
    };
    struct Step
    {
        int angle;
        int position;
    };
    const Step steps[] = {{-40, 0}, {-40, 0}, {-40, 4}, {-100, 4}, {-20, 8}, {-250, 16}, {90, 16}, {40, 12}};
    for (const Step& step : steps)
        EXPECT_EQ(turn(step.angle), step.position) << step.angle;
    EXPECT_EQ(panels[0]->y(), 8 - 12);
}

// Removing panels updates the bar: once the rest fit, it goes and the first panel is back at the top.
TEST_F(AdvPanelGroupTest, removingPanelsThatNoLongerNeedTheBarScrollsBack)
{
    const auto panels = addPanels({150, 150, 150});
    group.resize(300, 200);
    QScrollBar* bar = group.GetScrollBar();
    bar->setValue(82);
    EXPECT_EQ(panels[2]->y(), 8 + 2 * 158 - 82);
    group.RemovePanel(0);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(panels[1]->y(), 8 - 82);
    group.RemovePanel(0);
    EXPECT_FALSE(bar->isVisible());
    EXPECT_EQ(panels[2]->y(), 8);
    EXPECT_EQ(panels[2]->width(), 300 - 16);
}

TEST_F(AdvPanelGroupTest, horizontalGroupPlacesPanelsSideBySide)
{
    const auto panels = addPanels({100, 100});
    panels[0]->SetWidth(60);
    panels[1]->SetWidth(70);
    group.SetGroupStyle(gsHorizontal);
    EXPECT_EQ(panels[0]->geometry(), QRect(8, 8, 60, 400 - 16));
    EXPECT_EQ(panels[1]->x(), 8 + 60 + 8);
}

TEST_F(AdvPanelGroupTest, movedPanelTakesItsNewPlaceWhateverItsTop)
{
    const auto panels = addPanels({100, 50, 80});
    group.MovePanel(2, 0);
    EXPECT_EQ(group.GetPanel(0), panels[2]);
    EXPECT_EQ(panels[2]->y(), 8);
    EXPECT_EQ(panels[0]->y(), 8 + 80 + 8);
    EXPECT_EQ(panels[2]->GetIndex(), 0);
    EXPECT_THROW(group.GetPanel(3), EListError);
    group.RemovePanel(7);
    EXPECT_EQ(group.GetPanelCount(), 3);
    group.RemovePanel(0);
    EXPECT_EQ(group.GetPanelCount(), 2);
    EXPECT_EQ(panels[0]->y(), 8);
}

TEST_F(AdvPanelGroupTest, collapsingAPanelClosesTheGap)
{
    const auto panels = addPanels({100, 50});
    panels[0]->GetCaption().SetVisible(true);
    panels[0]->SetCollapsSteps(0);
    panels[0]->SetCollaps(true);
    EXPECT_EQ(panels[1]->y(), 8 + 18 + 8);
    group.OpenAllPanels();
    EXPECT_EQ(panels[1]->y(), 116);
}

TEST_F(AdvPanelGroupTest, panelPositionsGoToOneSectionPerPanel)
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("grupa.ini"));
    const auto panels = addPanels({100, 50});
    panels[0]->setObjectName(QStringLiteral("PanelOsoby"));
    panels[1]->setObjectName(QStringLiteral("PanelFaktow"));
    panels[1]->GetPosition().SetSection(QStringLiteral("Własna"));
    group.GetPosition().SetKey(file);
    group.GetPosition().SetLocation(clInifile);
    group.SavePanelPositions();
    const TIniFile ini(file);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("PanelOsoby"), QStringLiteral("Height"), 0), 100);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("PanelFaktow"), QStringLiteral("Top"), 0), 116);
    EXPECT_EQ(panels[1]->GetPosition().GetSection(), QStringLiteral("Własna"));

    panels[0]->SetHeight(30);
    group.LoadPanelPositions();
    EXPECT_EQ(panels[0]->height(), 100);
}

TEST_F(AdvPanelGroupTest, newPanelsTakeTheDefaultSettingsCopied)
{
    TAdvPanelSettings settings;
    settings.SetColor(clYellow);
    settings.SetHeight(70);
    group.SetDefaultPanel(settings);
    settings.SetColor(clRed);
    TCustomAdvPanel* panel = group.AddPanel();
    EXPECT_EQ(panel->GetColor(), clYellow);
    EXPECT_EQ(panel->height(), 70);
}
