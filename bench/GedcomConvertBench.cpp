// Times the conversion of read GEDCOM records into database objects, without the saving, at three sizes of the
// generated family tree: the processor time per person should not grow with the tree. Each size is converted in a
// process of its own, so that no size inherits the memory another one freed.
//
// The saving is left out by giving the import a data folder that cannot be written: the import then fails at its
// first save and undoes itself; the conversion before it is what is timed.
//
//   bench_gedcom_convert                   the three sizes
//   bench_gedcom_convert --convert FILE    one conversion, in this process
//   bench_gedcom_convert --generate N FILE writes the generated tree of N individuals to FILE, for a profiler
#include "Bazadanych.h"
#include "BenchSupport.h"
#include "GedcomImport.h"
#include "Picturemanager.h"
#include "Vh_langmanager.h"
#include "_gedcom.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int sizes[] = {3000, 30000, 100000};
// Processor time per person at the largest size against the smallest, and per person at the largest.
constexpr double growthGoal = 1.3;
constexpr double microsecondsGoal = 10;

double processorSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + now.tv_nsec / 1e9;
}

// Prints "converted=N cpu_us_per_person=X wall_us_per_person=Y" for the parent to read.
int convertOne(const QString& path)
{
    QTemporaryDir folder;
    const QString blocked = folder.filePath(QStringLiteral("blocked"));
    QFile file(blocked);
    if (!folder.isValid() || !file.open(QIODevice::WriteOnly)) {
        std::printf("no temporary folder\n");
        return 1;
    }
    file.close();
    gLangM.Load(KX_LangManager::MessageTable());
    gDB.InitAttributeTypes();
    gDB.FileExtension = QStringLiteral(".kvfile");
    gDB.DataFolder = blocked + u'/';
    SetPicturesFolder(folder.filePath(QStringLiteral("multimedia/")));
    if (!gGedcom.LoadFile(path)) {
        std::printf("cannot read %s\n", qPrintable(path));
        return 1;
    }
    gGedcom.Parse();

    int starts = 0;
    int persons = 0;
    double cpu = 0;
    double wall = 0;
    QElapsedTimer timer;
    timer.start();
    const double cpuStart = processorSeconds();
    ImportGedcomRecords(gDB, gGedcom, path, [&](int position, int) {
        // The import bar starts again from 0 when the saving begins.
        if (position == 0 && ++starts == 2) {
            cpu = processorSeconds() - cpuStart;
            wall = timer.nsecsElapsed() / 1e9;
            persons = gDB.GetPersonCount();
        }
    });
    if (persons == 0) {
        std::printf("nothing was converted from %s\n", qPrintable(path));
        return 1;
    }
    std::printf("converted=%d cpu_us_per_person=%.2f wall_us_per_person=%.2f\n", persons, cpu * 1e6 / persons,
                wall * 1e6 / persons);
    return 0;
}

// The conversion of the file in a child process; its per-person processor time, or -1.
double convertInChild(const char* self, const QString& path)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return -1;
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        dup2(pipeEnds[1], STDOUT_FILENO);
        close(pipeEnds[0]);
        const QByteArray file = path.toLocal8Bit();
        execl("/proc/self/exe", self, "--convert", file.constData(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeEnds[1]);
    QByteArray output;
    char buffer[4096];
    for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        output.append(buffer, n);
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    std::printf("  %s", output.constData());
    const qsizetype at = output.indexOf("cpu_us_per_person=");
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || at < 0)
        return -1;
    return output.mid(at + 18).split(' ').first().toDouble();
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--convert") == 0)
        return convertOne(QString::fromLocal8Bit(argv[2]));
    if (argc == 4 && std::strcmp(argv[1], "--generate") == 0) {
        GeneratedGedcom::writeDetailedTree(QString::fromLocal8Bit(argv[3]), std::atoi(argv[2]));
        return 0;
    }

    QTemporaryDir dir;
    std::vector<double> perPerson;
    for (const int size : sizes) {
        const QString path = dir.filePath(QStringLiteral("generated-%1.ged").arg(size));
        GeneratedGedcom::writeDetailedTree(path, size);
        std::printf("%d generated individuals\n", size);
        const double microseconds = convertInChild(argv[0], path);
        if (microseconds < 0)
            return 1;
        perPerson.push_back(microseconds);
    }
    std::printf("processor time per person: %.2f us at %d, %.2f us at %d; ratio %.2f (goals: at most %.1f, and "
                "under %.0f us)\n",
                perPerson.front(), sizes[0], perPerson.back(), sizes[2], perPerson.back() / perPerson.front(),
                growthGoal, microsecondsGoal);
    return 0;
}
