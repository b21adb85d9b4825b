// Reads the generated GEDCOM file of 100,000 individuals through the import window (offscreen, shown, with its
// live counters) and through the reader alone, in turns, and prints both times and their ratio. Goal: the window
// adds less than 10%. The best of the runs shows the cost itself; the median what a busy machine adds to it.
#include "BenchSupport.h"
#include "GedcomImportUnit.h"
#include "_gedcom.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int individuals = 100000;
// Runs of each kind, taken in turns so that a machine that gets busier slows both alike.
constexpr int rounds = 7;
constexpr double goal = 1.10;

// The reader is used again for each run, emptied first, as the window uses the program's one reader.
double readerSeconds(_Gedcom& reader, const QString& path)
{
    reader.Clear();
    QElapsedTimer timer;
    timer.start();
    if (!reader.LoadFile(path))
        return -1;
    reader.Parse();
    return timer.nsecsElapsed() / 1e9;
}

double windowSeconds(TFormGedcomImport& window, const QString& path)
{
    window.Reset();
    QElapsedTimer timer;
    timer.start();
    window.LoadGedcomFile(path);
    const double seconds = timer.nsecsElapsed() / 1e9;
    return window.ButtonImport->isHidden() ? -1 : seconds;
}

struct Figures
{
    double best;
    double median;
};

Figures figures(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return {values.front(), values[values.size() / 2]};
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("generated-100000.ged"));
    GeneratedGedcom::writeDetailedTree(path, individuals);

    _Gedcom separate;
    TFormGedcomImport window;
    window.show();
    std::vector<double> reader;
    std::vector<double> windowed;
    for (int round = 0; round < rounds; ++round) {
        reader.push_back(readerSeconds(separate, path));
        windowed.push_back(windowSeconds(window, path));
        if (reader.back() < 0 || windowed.back() < 0) {
            std::printf("the generated file could not be read\n");
            return 1;
        }
    }
    const Figures alone = figures(reader);
    const Figures through = figures(windowed);
    std::printf("reading %d generated individuals, %d runs each, in turns\n", individuals, rounds);
    std::printf("  reader alone        best %.3f s, median %.3f s\n", alone.best, alone.median);
    std::printf("  through the window  best %.3f s, median %.3f s\n", through.best, through.median);
    std::printf("  ratio of the bests %.3f, of the medians %.3f (goal: below %.2f)\n", through.best / alone.best,
                through.median / alone.median, goal);
    return 0;
}
