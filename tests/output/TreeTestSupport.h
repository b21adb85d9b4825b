// What the family-tree tests share.
#pragma once

#include "Bazadanych.h"
#include "DataFolderFixture.h"
#include "Pdfmanager.h"
#include "TreeSetings.h"
#include "Treeunit.h"

#include <QDir>

// Runs measure inside a document of the PDF layer at scale 1 with the tree's box fonts loaded, as the layout
// measures, and returns its result.
template <typename Measure>
auto measuredWithTreeFonts(Measure measure)
{
    gPDFManager.SetScale(1.0);
    gPDFManager.BeginDocument(false);
    gTree.LoadFonts(true);
    const auto result = measure();
    gPDFManager.EndDocument(QString());
    return result;
}

// A data folder with its temporary and reports folders and the program's templates, and the tree settings at their
// defaults around each test.
class TreeFolderFixture : public DataFolderFixture
{
protected:
    void SetUp() override
    {
        DataFolderFixture::SetUp();
        gTreeSetings = KV_TreeSetings();
        gAppFolder = QStringLiteral(KRONVEL_SOURCE_DIR "/resources/");
        gTempFolder = gDB.DataFolder + QStringLiteral("temp/");
        gReportsFolder = gDB.DataFolder + QStringLiteral("Raporty/");
        QDir().mkpath(gTempFolder);
        QDir().mkpath(gReportsFolder);
    }
    void TearDown() override
    {
        gTree.Reset();
        gTreeSetings = KV_TreeSetings();
        DataFolderFixture::TearDown();
    }
};
