// Reads GEDCOM files with the reader and prints, for each, the time of the load and the parse, the individuals
// read per second and the peak memory, beside the floor: a plain pass that reads the same file and walks its lines.
// Without arguments it reads the largest file of the shared collection, royal92.ged ten times over with renamed
// cross-references (30,100 individuals) and a generated file of 100,000 individuals, each in a process of its own
// so that the peak belongs to that read. The shared collection is the one KV_SHARED_DATA names, as for the tests.
//
//   bench_gedcom_read                 both reads
//   bench_gedcom_read --read FILE     one read, in this process
#include "BenchSupport.h"
#include "_gedcom.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Individuals per second, and peak memory as a multiple of the file's size.
constexpr double rateGoal = 300000;
constexpr double memoryGoal = 8;

long residentKilobytes()
{
    long pages = 0;
    long resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// What any reader must do at least: read the file and find the start of every line. Seconds.
double plainPass(const QString& path)
{
    QElapsedTimer timer;
    timer.start();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray bytes = file.readAll();
    qsizetype lines = 0;
    for (qsizetype at = bytes.indexOf('\n'); at >= 0; at = bytes.indexOf('\n', at + 1))
        ++lines;
    const double seconds = timer.nsecsElapsed() / 1e9;
    // Keeps the count from being optimised away.
    if (lines < 0)
        std::printf("no lines\n");
    return seconds;
}

int readOne(const QString& path)
{
    const double megabytes = QFileInfo(path).size() / (1024.0 * 1024.0);
    const long before = residentKilobytes();
    _Gedcom reader;
    QElapsedTimer timer;
    timer.start();
    if (!reader.LoadFile(path)) {
        std::printf("cannot read %s\n", qPrintable(path));
        return 1;
    }
    const double loadSeconds = timer.nsecsElapsed() / 1e9;
    reader.Parse();
    const double totalSeconds = timer.nsecsElapsed() / 1e9;
    const long peak = peakResidentKilobytes();
    const auto individuals = reader.individuals().size();

    std::printf("%s\n", qPrintable(QFileInfo(path).fileName()));
    std::printf("  size %.1f MB, %lld individuals, %lld families, %d lines, encoding %s\n", megabytes,
                qlonglong(individuals), qlonglong(reader.families().size()), reader.lineCount(),
                qPrintable(gedcomEncodingName(reader.encoding())));
    std::printf("  time %.3f s (load %.3f s, parse %.3f s), %.0f individuals per second\n", totalSeconds, loadSeconds,
                totalSeconds - loadSeconds, individuals / totalSeconds);
    std::printf("  peak memory %.1f MB (%.1f MB before the read), %.1f times the file size (goal: under %.0f)\n",
                peak / 1024.0, before / 1024.0, (peak - before) / 1024.0 / megabytes, memoryGoal);
    const double plain = std::min(plainPass(path), plainPass(path));
    std::printf("  plain pass over the lines %.3f s; reader / plain %.1f; goal: at least %.0f individuals per second\n",
                plain, totalSeconds / plain, rateGoal);
    return 0;
}

// The shared collection's GEDCOM folder: under KV_SHARED_DATA when set, as for the tests, else beside the project.
QString sharedGedcomFolder()
{
    const QString named = qEnvironmentVariable("KV_SHARED_DATA");
    return (named.isEmpty() ? QStringLiteral(KRONVEL_SOURCE_DIR "/../shared/data") : named) + QStringLiteral("/gedcom");
}

QString largestSharedFile()
{
    QString largest;
    qint64 largestSize = -1;
    QDirIterator it(sharedGedcomFolder(), {"*.ged", "*.GED"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        if (info.size() > largestSize) {
            largest = info.absoluteFilePath();
            largestSize = info.size();
        }
    }
    return largest;
}

int readInChild(const char* self, const QString& path)
{
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        const QByteArray file = path.toLocal8Bit();
        execl("/proc/self/exe", self, "--read", file.constData(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc == 3 && std::strcmp(argv[1], "--read") == 0)
        return readOne(QString::fromLocal8Bit(argv[2]));

    int failures = 0;
    const QString shared = largestSharedFile();
    if (shared.isEmpty())
        std::printf("the shared GEDCOM data is not beside the project\n");
    else
        failures += readInChild(argv[0], shared);

    QTemporaryDir dir;
    const QString royal = sharedGedcomFolder() + QStringLiteral("/large/royal92.ged");
    if (QFileInfo::exists(royal)) {
        const QString replicated = dir.filePath(QStringLiteral("royal92x10.ged"));
        GeneratedGedcom::replicate(royal, replicated, 10);
        failures += readInChild(argv[0], replicated);
    }
    const QString generated = dir.filePath(QStringLiteral("generated-100000.ged"));
    GeneratedGedcom::writeDetailedTree(generated, 100000);
    failures += readInChild(argv[0], generated);
    return failures == 0 ? 0 : 1;
}
