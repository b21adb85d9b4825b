// The GEDCOM reader followed by the import, on arbitrary bytes, into a scratch data folder that is removed after
// each run. What the import reports as made must be in the folder: a fresh load finds every object it wrote.
#include "Bazadanych.h"
#include "FileSystem.h"
#include "FuzzSupport.h"
#include "GedcomImport.h"
#include "Picturemanager.h"
#include "Vh_langmanager.h"
#include "_gedcom.h"

#include <QCoreApplication>
#include <QDir>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    startApplication<QCoreApplication>("fuzz_gedcom_import");
    // What the main window does before an import can start.
    gLangM.Load(KX_LangManager::MessageTable());
    gLangM.Load(KX_LangManager::CaptionTable());
    gDB.InitAttributeTypes();
    gDB.FileExtension = QStringLiteral(".kvfile");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString run = scratchFolder() + QStringLiteral("run/");
    const QString dataFolder = run + QStringLiteral("data/");
    const QString gedcomPath = run + QStringLiteral("input.ged");
    SetPicturesFolder(dataFolder + QStringLiteral("multimedia/"));
    if (!FileSystem::createFolders(GetPicturesFolder()) || !FileSystem::atomicWrite(gedcomPath, inputBytes(data, size)))
        fuzzFinding("the scratch data folder could not be made", run);
    gDB.DataFolder = dataFolder;

    _Gedcom reader;
    FUZZ_CHECK(reader.LoadFile(gedcomPath), gedcomPath);
    reader.Parse();
    const GedcomImportSummary summary = ImportGedcomRecords(gDB, reader, gedcomPath);
    FUZZ_CHECK(summary.succeeded(), summary.error);
    summary.details();

    gDB.Clear();
    gDB.LoadAll(nullptr);
    QStringList skipped;
    for (const KV_DB::SkippedFile& file : std::as_const(gDB.SkippedFiles))
        skipped << file.fileName + QStringLiteral(": ") + file.reason;
    FUZZ_CHECK(skipped.isEmpty(), skipped.join(u'\n'));
    FUZZ_CHECK(gDB.GetPersonCount() == summary.persons && gDB.GetFactCount() == summary.facts &&
                   gDB.GetPictureCount() == summary.pictures,
               QStringLiteral("made %1 persons, %2 facts, %3 pictures; loaded %4, %5, %6")
                   .arg(summary.persons)
                   .arg(summary.facts)
                   .arg(summary.pictures)
                   .arg(gDB.GetPersonCount())
                   .arg(gDB.GetFactCount())
                   .arg(gDB.GetPictureCount()));

    gDB.Clear();
    QDir(run).removeRecursively();
    return 0;
}
