#include "AppFixture.h"
#include "Bazadanych.h"
#include "Kx_settings.h"
#include "RaportDrzewo.h"
#include "TestSupport.h"
#include "TreeSetings.h"
#include "Treeunit.h"

#include "AdvCombo.h"
#include "AdvOfficeButtons.h"

#include <QDir>
#include <QTemporaryDir>

namespace {

// The tree report's choices reach the settings file through the settings the main window saves at close.
class TreeReportSettingsTest : public AppFixture
{
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        gTreeSetings = KV_TreeSetings();
        gTempFolder = folder.path() + QStringLiteral("/temp/");
        gReportsFolder = folder.path() + QStringLiteral("/Raporty/");
        QDir().mkpath(gTempFolder);
        QDir().mkpath(gReportsFolder);
    }
    void TearDown() override
    {
        gTree.Reset();
        gTreeSetings = KV_TreeSetings();
        AppFixture::TearDown();
    }

    // config.ini as the main window writes it at close, read back.
    KX_Settings savedAtClose()
    {
        const QString path = folder.filePath("config.ini");
        KX_Settings written;
        ExchangeSettings(written, false);
        EXPECT_TRUE(written.Save(path));
        KX_Settings read;
        EXPECT_EQ(read.Load(path), KX_Settings::LoadResult::Loaded);
        return read;
    }

    QTemporaryDir folder;
    RecordingOpener opener;
};

} // namespace

TEST_F(TreeReportSettingsTest, onlyAGeneratedTreesChoicesAreSavedAtClose)
{
    auto* jan = new KV_Person;
    jan->Forename = QStringLiteral("Jan");
    gDB.AddPerson(jan);
    TFormRaportDrzewo dialog;
    dialog.SetupFor(2, jan->ID);
    dialog.FormActivate();
    dialog.OptionShowPlaces->SetChecked(true);
    dialog.KWS->SetItemIndex(1);
    EXPECT_EQ(savedAtClose().GetString("TreeSettings", "ShowPlaces", ""), "0");

    dialog.ButtonZapiszClick();
    const KX_Settings saved = savedAtClose();
    EXPECT_EQ(saved.GetString("TreeSettings", "ShowPlaces", ""), "1");
    EXPECT_EQ(saved.GetString("TreeSettings", "Frame0fill", ""), "1");
    EXPECT_EQ(opener.opened.size(), 1);
}
