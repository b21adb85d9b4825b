// The panel's place, size and collapsed state in an INI file: the values and their order, restoring a collapsed
// panel, and values edited by hand.
#include "AdvPanel.h"
#include "IniFile.h"
#include "InputTestSupport.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <memory>

namespace {

class AdvPanelPositionTest : public ::testing::Test
{
protected:
    // A white panel with a 20-pixel caption bar that keeps its position under [Okno] of the test's file and
    // collapses in the given steps, without delay.
    std::unique_ptr<TAdvPanel> makePanel(int collapsSteps = 0)
    {
        auto panel = std::make_unique<TAdvPanel>(&window);
        panel->setGeometry(10, 20, 150, 120);
        panel->SetHeight(120);
        panel->GetCaption().SetVisible(true);
        panel->SetColor(clWhite);
        panel->SetCollapsSteps(collapsSteps);
        panel->SetCollapsDelay(0);
        TPanelPosition& position = panel->GetPosition();
        position.SetSave(true);
        position.SetKey(file());
        position.SetSection(QStringLiteral("Okno"));
        position.SetLocation(clInifile);
        return panel;
    }
    QString file() const { return folder.filePath(QStringLiteral("panele.ini")); }
    void writeFile(const char* text) { writeFileBytes(file(), QByteArray(text)); }

    QTemporaryDir folder;
    QWidget window;
};

} // namespace

// Collapsing with and without animation: the stored values are the same.
constexpr int CollapsStepCounts[] = {0, 2};

TEST_F(AdvPanelPositionTest, destroyedPanelWritesItsSixValuesInOrder)
{
    for (const int steps : CollapsStepCounts) {
        auto panel = makePanel(steps);
        panel->SetCollaps(true);
        panel.reset();
        const QString text = QString::fromUtf8(readFileBytes(file()));
        EXPECT_EQ(text, QStringLiteral("[Okno]\r\nTop=20\r\nLeft=10\r\nHeight=18\r\nFullHeight=120\r\nWidth=150\r\n"
                                       "Collaps=1\r\n"))
            << steps;
        QFile::remove(file());
    }
}

// The restored panel expands to its full height in its own colour, also after an animated collapse.
TEST_F(AdvPanelPositionTest, loadingRestoresTheCollapsedPanelAndItsFullHeight)
{
    for (const int steps : CollapsStepCounts) {
        writeFile("[Inne]\r\nTop=1\r\n[Okno]\r\nTop=40\r\nLeft=30\r\nHeight=18\r\nFullHeight=90\r\nWidth=170\r\n"
                  "Collaps=1\r\n");
        auto panel = makePanel(steps);
        panel->Loaded();
        EXPECT_TRUE(panel->GetCollaps()) << steps;
        EXPECT_EQ(panel->geometry(), QRect(30, 40, 170, 18)) << steps;
        panel->SetCollaps(false);
        EXPECT_EQ(panel->height(), 90) << steps;
        EXPECT_EQ(panel->GetColor(), clWhite) << steps;
        panel->GetPosition().SetSave(false);
    }
}

TEST_F(AdvPanelPositionTest, storeWithoutFullHeightExpandsToTheStoredHeight)
{
    for (const int steps : CollapsStepCounts) {
        writeFile("[Okno]\r\nHeight=200\r\nCollaps=1\r\n");
        auto panel = makePanel(steps);
        panel->Loaded();
        EXPECT_TRUE(panel->GetCollaps()) << steps;
        EXPECT_EQ(panel->height(), 18) << steps;
        panel->SetCollaps(false);
        EXPECT_EQ(panel->height(), 200) << steps;
        EXPECT_EQ(panel->GetColor(), clWhite) << steps;
        panel->GetPosition().SetSave(false);
    }
}

TEST_F(AdvPanelPositionTest, handEditedValuesAreBoundedOrIgnored)
{
    writeFile("[okno]\r\ntop=abc\r\nLeft=-99999999\r\nHeight=999999999\r\nWidth=\r\nCollaps=2\r\n");
    auto panel = makePanel();
    panel->Loaded();
    EXPECT_EQ(panel->y(), 20);
    EXPECT_EQ(panel->x(), -32768);
    EXPECT_EQ(panel->height(), 32767);
    EXPECT_EQ(panel->width(), 150);
    EXPECT_FALSE(panel->GetCollaps());
    panel->GetPosition().SetSave(false);
}

TEST_F(AdvPanelPositionTest, registryKeyNamesAFileInTheConfigurationFolder)
{
    auto panel = makePanel();
    panel->GetPosition().SetLocation(clRegistry);
    panel->GetPosition().SetKey(QStringLiteral("Software\\Kronvel\\Panele"));
    panel->SavePosition();
    const QString stored = PersistenceFile(QStringLiteral("Software\\Kronvel\\Panele"), true);
    EXPECT_TRUE(stored.endsWith(QStringLiteral("/Software_Kronvel_Panele.ini")));
    EXPECT_EQ(TIniFile(stored).ReadInteger(QStringLiteral("Okno"), QStringLiteral("Width"), 0), 150);
    QFile::remove(stored);
    panel->GetPosition().SetSave(false);
}

TEST(IniFileTest, writingKeepsOtherLinesAndAddsNamesToTheirSection)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("a/b.ini"));
    writeFileBytes(folder.filePath(QStringLiteral("x.ini")), "");
    {
        TIniFile ini(path);
        ini.WriteString(QStringLiteral("Jeden"), QStringLiteral("A"), QStringLiteral("1"));
        ini.WriteString(QStringLiteral("Dwa"), QStringLiteral("B"), QStringLiteral("2"));
        ASSERT_TRUE(ini.UpdateFile());
    }
    TIniFile ini(path);
    ini.WriteString(QStringLiteral("jeden"), QStringLiteral("C"), QStringLiteral("ą"));
    ini.WriteInteger(QStringLiteral("JEDEN"), QStringLiteral("a"), 5);
    ASSERT_TRUE(ini.UpdateFile());
    EXPECT_EQ(QString::fromUtf8(readFileBytes(path)), QStringLiteral("[Jeden]\r\na=5\r\nC=ą\r\n[Dwa]\r\nB=2\r\n"));
    EXPECT_EQ(TIniFile(path).ReadInteger(QStringLiteral("Dwa"), QStringLiteral("b"), 0), 2);
    EXPECT_EQ(TIniFile(path).ReadInteger(QStringLiteral("Jeden"), QStringLiteral("C"), 7), 7);
}
