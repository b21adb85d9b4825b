// Imports a GEDCOM file into a data folder the way the program does, without any window, and prints what the
// reader found and what the import made. The last line is always
//   persons=N facts=N pictures=N seconds=S
// (the objects made and the time of reading and importing) when the import succeeded; the exit status is 0 then,
// and not 0, with the reason, when the file could not be imported or another program works in the data folder.
//
//   kv_import [--kill-after N] FILE.ged DATA_FOLDER
//
// --kill-after N is for the crash tests: the process kills itself (SIGKILL, nothing cleaned up) once N object files
// are written, or, when N is at least the number of objects, after the last one, before the final flush.
#include "Bazadanych.h"
#include "CrashRecovery.h"
#include "FileSystem.h"
#include "FolderLock.h"
#include "GedcomImport.h"
#include "Picturemanager.h"
#include "Prompter.h"
#include "Vh_langmanager.h"
#include "_gedcom.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <csignal>
#include <cstdio>

namespace {

// Longer lists are cut to this many entries.
constexpr int listedEntries = 20;

// The message boxes the import may show (an unknown attribute code) go to the error stream.
class ConsolePrompter : public Prompter
{
public:
    ConsolePrompter() { setPrompter(this); }
    ~ConsolePrompter() override { setPrompter(nullptr); }
    Answer ask(const QString& text, const QString&, Buttons buttons, Icon) override
    {
        std::fprintf(stderr, "%s\n", qPrintable(text));
        return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    }
};

int fail(const QString& message)
{
    std::fprintf(stderr, "kv_import: %s\n", qPrintable(message));
    return 1;
}

void printList(const char* title, const QStringList& entries)
{
    if (entries.isEmpty())
        return;
    std::printf("  %s (%lld):\n", title, qlonglong(entries.size()));
    for (qsizetype i = 0; i < entries.size() && i < listedEntries; ++i)
        std::printf("    %s\n", qPrintable(entries[i]));
    if (entries.size() > listedEntries)
        std::printf("    ... and %lld more\n", qlonglong(entries.size() - listedEntries));
}

const char* problemName(GedcomProblem::Kind kind)
{
    switch (kind) {
    case GedcomProblem::Kind::InvalidBytes:
        return "invalid bytes";
    case GedcomProblem::Kind::ControlCharacters:
        return "control characters removed";
    case GedcomProblem::Kind::LevelNotANumber:
        return "level not a number, line skipped";
    case GedcomProblem::Kind::NoTag:
        return "no tag, line skipped";
    case GedcomProblem::Kind::LevelTooHigh:
        return "level above 99, line skipped with the lines below it";
    case GedcomProblem::Kind::RepeatedXref:
        return "cross-reference repeated, pointers lead to the first record";
    }
    return "";
}

void printReader(const _Gedcom& reader)
{
    std::printf("GEDCOM file %s\n", qPrintable(reader.filePath()));
    std::printf("  encoding %s, %d lines\n", qPrintable(gedcomEncodingName(reader.encoding())), reader.lineCount());
    std::printf("  %lld individuals, %lld families, %lld sources, %d multimedia links in individuals\n",
                qlonglong(reader.individuals().size()), qlonglong(reader.families().size()),
                qlonglong(reader.sources().size()), reader.multimediaCount());
    QStringList problems;
    for (const GedcomProblem& problem : reader.problems())
        problems << QStringLiteral("line %1: %2: %3").arg(problem.line).arg(problemName(problem.kind), problem.skipped);
    printList("problems", problems);
}

void printImport(const GedcomImportSummary& summary)
{
    std::printf("Import\n");
    std::printf("  %d persons, %d facts, %d pictures (%d files copied), %d files written\n", summary.persons,
                summary.facts, summary.pictures, summary.picturesCopied, summary.filesWritten);
    std::printf("  %d individuals without cross-reference, %d references to no individual, %d union facts without "
                "both spouses, %d children kept with their first father or mother\n",
                summary.skippedIndividuals, summary.danglingReferences, summary.droppedUnionFacts,
                summary.childrenKeptWithFirstParent);
    std::printf("  %d multimedia links taken from multimedia records, %d notes and %d multimedia links pointing at no "
                "record\n",
                summary.multimediaFromRecords, summary.notesPointingNowhere, summary.multimediaPointingNowhere);
    printList("persons named as their own partner, parent or child (family, individual)", summary.selfLinks);
    printList("picture files not found (kept with the path as written)", summary.missingPictures);
    printList("links that are no picture files (not imported)", summary.notPictures);
    printList("picture files not copied into the pictures folder", summary.uncopiedPictures);
    printList("values of repeated events not taken (the first event of a kind is kept)", summary.valuesNotTaken);
    printList("level-1 lines of individuals not imported", TagCounts(summary.unconvertedIndividualTags));
    printList("level-1 lines of families not imported", TagCounts(summary.unconvertedFamilyTags));
    if (summary.saveFailures > 0)
        std::printf("  %d objects could not be saved\n", summary.saveFailures);
    std::printf("  %s\n", qPrintable(summary.message()));
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    int killAfter = -1;
    if (arguments.size() == 4 && arguments[0] == QStringLiteral("--kill-after")) {
        killAfter = arguments[1].toInt();
        arguments = arguments.mid(2);
    }
    if (arguments.size() != 2) {
        std::fprintf(stderr, "usage: kv_import [--kill-after N] FILE.ged DATA_FOLDER\n");
        return 2;
    }
    ConsolePrompter console;
    const QString gedcomPath = QFileInfo(arguments[0]).absoluteFilePath();
    const QString dataFolder = QDir(arguments[1]).absolutePath() + u'/';

    // What the main window does before the import window can be opened.
    gLangM.Load(KX_LangManager::MessageTable());
    gLangM.Load(KX_LangManager::CaptionTable());
    gDB.InitAttributeTypes();
    gDB.FileExtension = QStringLiteral(".kvfile");
    SetPicturesFolder(dataFolder + QStringLiteral("multimedia/"));
    if (!FileSystem::createFolders(dataFolder) || !FileSystem::createFolders(GetPicturesFolder()))
        return fail(QStringLiteral("cannot create the data folder %1").arg(dataFolder));
    gDB.DataFolder = dataFolder;
    // Like the program at start: the folder is this process's alone while it imports, and what a crash left there
    // (an import cut off, a change of several files) is put right before anything is loaded.
    const FolderLock lock(dataFolder);
    if (lock.state() == FolderLock::State::InUse)
        return fail(
            QStringLiteral("the data folder %1 is in use by another program; nothing was imported").arg(dataFolder));
    if (!lock.held())
        return fail(QStringLiteral("cannot lock the data folder: %1").arg(lock.error()));
    const CrashLeftovers leftovers = ClearCrashLeftovers(lock);
    if (const QString told = leftovers.message(); !told.isEmpty())
        std::printf("%s\n", qPrintable(told));
    gDB.LoadAll(nullptr);
    std::printf("Data folder %s: %d persons, %d facts, %d pictures before the import\n", qPrintable(dataFolder),
                gDB.GetPersonCount(), gDB.GetFactCount(), gDB.GetPictureCount());

    if (!FileSystem::fileExists(gedcomPath))
        return fail(gLangM.FormatStr(QStringLiteral("LABEL_ERROR_MISSING_GEDCOM_FILE"), gedcomPath));
    QElapsedTimer timer;
    timer.start();
    if (!gGedcom.LoadFile(gedcomPath))
        return fail(gLangM.Get(QStringLiteral("LABEL_ERROR_LOAD_GEDCOM")) + u' ' + gedcomPath);
    gGedcom.Parse();
    const double readSeconds = timer.nsecsElapsed() / 1e9;
    printReader(gGedcom);

    // The import bar starts again from 0 when the saving begins.
    int starts = 0;
    double savingStart = 0;
    const GedcomImportSummary summary = ImportGedcomRecords(gDB, gGedcom, gedcomPath, [&](int position, int maximum) {
        if (position == 0 && ++starts == 2)
            savingStart = timer.nsecsElapsed() / 1e9;
        if (starts == 2 && killAfter >= 0 && position == std::min(killAfter, maximum)) {
            std::fflush(stdout);
            std::raise(SIGKILL);
        }
    });
    const double seconds = timer.nsecsElapsed() / 1e9;
    printImport(summary);
    if (!summary.succeeded())
        return fail(summary.error);
    std::printf("  read %.3f s, converted %.3f s, saved %.3f s\n", readSeconds, savingStart - readSeconds,
                seconds - savingStart);
    std::printf("persons=%d facts=%d pictures=%d seconds=%.3f\n", summary.persons, summary.facts, summary.pictures,
                seconds);
    return 0;
}
