// Times the person windows over the object files benchmark's data folder of 100,000 persons: a refill of the person
// list as typing a letter makes it (search, sort by name, rows, tiles, title, selection), a full repaint of its tile
// view of 1000 x 600 pixels whose pictures have their thumbnails cached, and the quick person form opening on an
// existing person (fields loaded, the sex handler, the five name and place lists filled).
//
//   bench_person_windows          generate the folder with bench_object_files, measure, delete it
//   bench_person_windows DIR      measure an existing data folder
#include "AdvCombo.h"
#include "AdvEdit.h"
#include "Bazadanych.h"
#include "BenchSupport.h"
#include "Fact.h"
#include "FormularzOsobyUnit.h"
#include "Grids.h"
#include "ListaOsobForm.h"
#include "Miniaturyunit.h"
#include "Picture.h"
#include "Picturemanager.h"
#include "Settings.h"
#include "Vh_langmanager.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

constexpr int runs = 7;

// The time this thread has run, in milliseconds: on a machine shared with other work the wall-clock time
// also counts the waits for a processor.
double threadMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

struct Timing
{
    double wall = 0;
    double processor = 0;
};

template <typename Work>
Timing median(Work work)
{
    std::vector<double> walls;
    std::vector<double> processors;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        const double started = threadMilliseconds();
        work();
        processors.push_back(threadMilliseconds() - started);
        walls.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(walls.begin(), walls.end());
    std::sort(processors.begin(), processors.end());
    return {walls[walls.size() / 2], processors[processors.size() / 2]};
}

void printResult(const char* what, Timing time, double goal)
{
    std::printf("%-44s %8.1f ms  (processor %.1f ms; median of %d)", what, time.wall, time.processor, runs);
    if (goal > 0)
        std::printf("  goal: under %.0f ms%s", goal, time.processor < goal ? "" : "  SLOWER THAN THE GOAL");
    std::printf("\n");
}

// The folder's pictures are names only: the tiles in view get real files (portraits of a camera's size), so
// that their thumbnails have something to be made from.
void writeVisiblePictures(int count)
{
    QImage portrait(1200, 1600, QImage::Format_RGB32);
    QPainter painter(&portrait);
    painter.fillRect(portrait.rect(), QColor(150, 120, 90));
    painter.fillRect(QRect(300, 300, 600, 900), QColor(230, 200, 170));
    painter.end();
    for (int row = 0; row < count && row < gDB.GetResultCount(); ++row) {
        const KV_Person* person = gDB.GetResultPerson(row);
        if (const KV_Picture* picture = gDB.FindPicture(person->GetProfilePictureID()))
            portrait.save(picture->GetFullPath(), "JPG");
    }
}

int measure(const QString& folder)
{
    // The pictures the tiles show are written into the folder.
    if (!writableFolder(folder))
        return 1;
    gLangM.Load(KX_LangManager::MessageTable());
    gSettings.Apply();
    gAppFolder = QStringLiteral(KRONVEL_SOURCE_DIR "/resources/");
    gDB.DataFolder = folder + u'/';
    gDB.FileExtension = QStringLiteral(".kvfile");
    QElapsedTimer timer;
    timer.start();
    gDB.LoadAll(nullptr);
    report("data folder loaded", timer, gDB.GetPersonCount());
    if (gDB.GetPersonCount() == 0) {
        std::printf("no persons in %s: nothing to measure\n", qPrintable(folder));
        return 1;
    }

    QTemporaryDir cache;
    gMiniaturyUnit.CacheFolder = cache.path() + QStringLiteral("/thumbnails/");
    QDir().mkpath(gMiniaturyUnit.CacheFolder);
    SetPicturesFolder(folder + QStringLiteral("/multimedia"));
    QDir().mkpath(GetPicturesFolder());

    TFormListaOsob form;
    // The tile grid gets 1000 x 600 pixels: the window less its title, search, view and action panels.
    form.resize(1000, 600 + 73 + 70 + 34 + 51);
    form.show();
    QCoreApplication::processEvents();

    const QString letter = QStringLiteral("K");
    form.EditSzukaj->SetText(letter);
    printResult("refill (search, sort by name, rows, select)", median([&] { form.Refill(QString()); }), 200);
    std::printf("  rows after the search for \"K\": %d of %d\n", gDB.GetResultCount(), gDB.GetPersonCount());
    printResult("  of it the search in every field", median([&] { gDB.SearchPersons(letter, 0, 0, 0, 0); }), 0);
    printResult("  of it the sort by name", median([&] { gDB.SortPersons(PersonSortKey::Name, true, false); }), 0);

    form.SetViewStyle(StyleTiles);
    QCoreApplication::processEvents();
    TDrawGrid* grid = form.DrawGridListaOsob;
    std::printf("tile grid %d x %d, %d columns of %d px\n", grid->width(), grid->height(), grid->GetColCount(),
                grid->GetColWidth(0));
    writeVisiblePictures(grid->GetColCount() * (grid->height() / grid->GetDefaultRowHeight() + 1));
    grid->viewport()->grab(); // makes the thumbnails
    printResult("full repaint of the tiles, thumbnails cached", median([&] { grid->viewport()->grab(); }), 50);

    TFormDaneOsobyBasic quickForm;
    const KV_Person* person = gDB.GetResultPerson(0);
    quickForm.SetupFor(person->ID, person->Sex);
    printResult("quick person form opened on a person", median([&] { quickForm.LoadFields(); }), 200);
    std::printf("  lists: %d forenames, %d surnames, %d places\n", quickForm.AdvComboBoxImie->count(),
                quickForm.AdvComboBoxNazwisko->count(), quickForm.AdvComboBoxDataUrMiejsce->count());
    QStringList words;
    for (int i = 0; i < 50000; ++i)
        words.append(QStringLiteral("Miejscowość %1").arg(i));
    printResult("a list of 50,000 words filled", median([&] { quickForm.AdvComboBoxDataUrMiejsce->SetItems(words); }),
                0);
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return measureDataFolder(app.arguments(), QStringLiteral(OBJECT_FILES_BENCH), measure);
}
