// Times the GEDCOM import end to end: kv_import reads and imports a file into an empty data folder, in a process of
// its own so that its peak memory belongs to that import. Beside each import the same run times a plain loop that
// creates the same number of files of the same sizes in a fresh folder, with one flush at the end, as the import
// does: the part of the import that is not file creation shows in the ratio of the two.
//
// The folders stay until the end of the run: the file system is slow to give out inodes for a while after many
// files were deleted, which would burden the next import but not its plain loop.
//
// The data: the shared royal92.ged, the same file ten and 33 times over with renamed cross-references (30,100 and
// 99,330 persons), and a generated file of 100,000 individuals in families with about three events each. Everything is
// made at run time in a temporary folder and removed afterwards.
//
//   bench_gedcom_import                    the four imports
//   bench_gedcom_import FILE...            imports of the given GEDCOM files
//   bench_gedcom_import --generate FILE    writes the generated file of 100,000 individuals to FILE
#include "BenchSupport.h"

#include <QByteArray>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int generatedCount = 100000;

struct ImportRun
{
    bool ok = false;
    QString lastLine; // kv_import's "persons=N facts=N pictures=N seconds=S"
    double seconds = 0;
    double userSeconds = 0;
    double systemSeconds = 0;
    long peakKilobytes = 0;
};

double seconds(const timeval& time)
{
    return double(time.tv_sec) + time.tv_usec / 1e6;
}

ImportRun runImport(const QString& gedcom, const QString& dataFolder, const QString& log)
{
    ImportRun run;
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        const int out = ::open(QFile::encodeName(log).constData(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
        if (out >= 0) {
            dup2(out, STDOUT_FILENO);
            ::close(out);
        }
        const QByteArray program = KV_IMPORT_PATH;
        const QByteArray file = QFile::encodeName(gedcom);
        const QByteArray folder = QFile::encodeName(dataFolder);
        execl(program.constData(), "kv_import", file.constData(), folder.constData(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    run.peakKilobytes = usage.ru_maxrss;
    run.userSeconds = seconds(usage.ru_utime);
    run.systemSeconds = seconds(usage.ru_stime);
    QFile output(log);
    if (output.open(QIODevice::ReadOnly)) {
        const QList<QByteArray> lines = output.readAll().trimmed().split('\n');
        run.lastLine = QString::fromUtf8(lines.last());
    }
    const QRegularExpressionMatch seconds = QRegularExpression(QStringLiteral("seconds=([0-9.]+)")).match(run.lastLine);
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0 && seconds.hasMatch();
    run.seconds = seconds.captured(1).toDouble();
    return run;
}

struct FileSize
{
    QByteArray name;
    qint64 size;
};

// The object files the import wrote (the pictures folder aside).
std::vector<FileSize> writtenFiles(const QString& folder)
{
    std::vector<FileSize> files;
    for (const QFileInfo& info : QDir(folder).entryInfoList(QDir::Files))
        files.push_back({QFile::encodeName(info.fileName()), info.size()});
    return files;
}

// Creates the files with plain system calls and flushes the file system once.
double createPlainFiles(const QString& folder, const std::vector<FileSize>& files)
{
    QDir().mkpath(folder);
    qint64 largest = 0;
    for (const FileSize& file : files)
        largest = std::max(largest, file.size);
    const QByteArray filler(int(largest), 'x');
    const QByteArray prefix = QFile::encodeName(folder) + '/';
    QElapsedTimer timer;
    timer.start();
    for (const FileSize& file : files) {
        const QByteArray path = prefix + file.name;
        const int fd = ::open(path.constData(), O_CREAT | O_WRONLY | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0 || ::write(fd, filler.constData(), size_t(file.size)) != file.size)
            std::printf("  plain loop: cannot write %s\n", path.constData());
        if (fd >= 0)
            ::close(fd);
    }
    const int folderHandle = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    syncfs(folderHandle);
    ::close(folderHandle);
    return timer.nsecsElapsed() / 1e9;
}

// Each import and each plain loop runs twice, in the order import, plain, plain, import, and the faster of each
// pair counts: a shared machine's file system has slow spells, and this way neither side alone meets them.
bool measure(const QString& title, const QString& gedcom, const QString& work)
{
    std::printf("%s\n", qPrintable(title));
    const auto import = [&](int round) {
        const QString folder = work + QStringLiteral("/data%1").arg(round);
        const ImportRun run = runImport(gedcom, folder, folder + QStringLiteral(".log"));
        if (!run.ok)
            std::printf("  the import failed: %s (see %s.log)\n", qPrintable(run.lastLine), qPrintable(folder));
        return run;
    };
    const ImportRun first = import(1);
    if (!first.ok)
        return false;
    const std::vector<FileSize> files = writtenFiles(work + QStringLiteral("/data1"));
    qint64 bytes = 0;
    for (const FileSize& file : files)
        bytes += file.size;
    const double plainFirst = createPlainFiles(work + QStringLiteral("/plain1"), files);
    const double plainSecond = createPlainFiles(work + QStringLiteral("/plain2"), files);
    const ImportRun second = import(2);
    if (!second.ok)
        return false;
    const ImportRun& run = second.seconds < first.seconds ? second : first;
    const double plain = std::min(plainFirst, plainSecond);

    std::printf("  %s\n", qPrintable(run.lastLine));
    std::printf("  import %.2f s (runs: %.2f s, %.2f s; processor %.2f s user, %.2f s system), %zu files written "
                "(%.1f MB), peak memory %.1f MB\n",
                run.seconds, first.seconds, second.seconds, run.userSeconds, run.systemSeconds, files.size(),
                bytes / 1e6, std::max(first.peakKilobytes, second.peakKilobytes) / 1024.0);
    std::printf("  plain creation of the same files %.2f s (runs: %.2f s, %.2f s); import / plain %.2f (goal: 1.2 "
                "at most)\n",
                plain, plainFirst, plainSecond, plain > 0 ? run.seconds / plain : 0.0);
    // Shown now: deleting the temporary folders after it can take minutes.
    std::fflush(stdout);
    return true;
}

// A family tree of `count` individuals in families of a couple and two children, with about three events each
// (birth, baptism, half of them a death, a quarter a burial, and the family's marriage), occupations, some
// addresses, notes and a few dates no program can read. Polish letters throughout.
void generate(const QString& path, int count)
{
    using namespace GeneratedGedcom;
    Writer out(path);
    if (!out.isOpen())
        return;
    const auto line = [&out](const QString& text) { out.line(text); };
    for (int i = 0; i < count; ++i) {
        const int year = 1700 + i % 300;
        line(QStringLiteral("0 @I%1@ INDI").arg(i));
        line(QStringLiteral("1 NAME %1 /%2/").arg(given[i % 8], surnames[(i / 3) % 10]));
        line(QStringLiteral("1 SEX %1").arg(i % 2 ? "F" : "M"));
        line(QStringLiteral("1 BIRT"));
        line(QStringLiteral("2 DATE %1 %2 %3").arg(1 + i % 28).arg(months[i % 12]).arg(year));
        line(QStringLiteral("2 PLAC %1").arg(places[i % 6]));
        line(QStringLiteral("1 CHR"));
        if (i % 100 == 7)
            line(QStringLiteral("2 DATE (w dzień św. Jana %1)").arg(year));
        else
            line(QStringLiteral("2 DATE %1 %2 %3").arg(2 + i % 27).arg(months[i % 12]).arg(year));
        if (i % 2 == 0) {
            line(QStringLiteral("1 DEAT"));
            line(QStringLiteral("2 DATE ABT %1").arg(year + 60));
            line(QStringLiteral("2 PLAC %1").arg(places[(i + 3) % 6]));
            if (i % 10 == 0)
                line(QStringLiteral("2 CAUS gruźlica"));
        }
        if (i % 4 == 0) {
            line(QStringLiteral("1 BURI"));
            line(QStringLiteral("2 PLAC Cmentarz parafialny, %1").arg(places[(i + 3) % 6]));
        }
        line(QStringLiteral("1 OCCU rolnik"));
        if (i % 5 == 0) {
            line(QStringLiteral("1 RESI"));
            line(QStringLiteral("2 ADDR ul. Polna %1").arg(1 + i % 90));
            line(QStringLiteral("3 CITY %1").arg(places[i % 6]));
        }
        if (i % 3 == 0) {
            line(QStringLiteral("1 NOTE Wspomnienie rodziny o tej osobie, spisane przez wnuków"));
            line(QStringLiteral("2 CONT w zeszycie z %1 roku.").arg(1900 + i % 100));
        }
        out.familyLink(i);
    }
    out.families(count, [](int f) {
        return QStringLiteral("2 DATE %1 %2 %3").arg(1 + f % 28).arg(months[f % 12]).arg(1720 + f % 280);
    });
    out.finish();
}

} // namespace

int main(int argc, char* argv[])
{
    QTemporaryDir work;
    if (!work.isValid()) {
        std::printf("cannot make a temporary folder\n");
        return 1;
    }
    int failures = 0;
    int set = 0;
    const auto next = [&work, &set]() {
        const QString folder = work.filePath(QStringLiteral("set%1").arg(++set));
        QDir().mkpath(folder);
        return folder;
    };

    if (argc == 3 && std::strcmp(argv[1], "--generate") == 0) {
        generate(QString::fromLocal8Bit(argv[2]), generatedCount);
        return 0;
    }
    if (argc > 1) {
        for (int i = 1; i < argc; ++i) {
            const QString file = QFileInfo(QString::fromLocal8Bit(argv[i])).absoluteFilePath();
            failures += !measure(QFileInfo(file).fileName(), file, next());
        }
        return failures == 0 ? 0 : 1;
    }

    const QString royal = QStringLiteral(KRONVEL_SOURCE_DIR "/../shared/data/gedcom/large/royal92.ged");
    if (QFileInfo::exists(royal)) {
        failures += !measure(QStringLiteral("royal92.ged (3,010 individuals)"), royal, next());
        const QString folder = next();
        const QString replicated = folder + QStringLiteral("/royal92x10.ged");
        GeneratedGedcom::replicate(royal, replicated, 10);
        failures += !measure(QStringLiteral("royal92.ged ten times over (30,100 individuals)"), replicated, folder);
        const QString largest = next();
        const QString replicatedMore = largest + QStringLiteral("/royal92x33.ged");
        GeneratedGedcom::replicate(royal, replicatedMore, 33);
        failures += !measure(QStringLiteral("royal92.ged 33 times over (99,330 individuals)"), replicatedMore, largest);
    } else {
        std::printf("the shared GEDCOM data is not beside the project: royal92.ged left out\n");
    }
    const QString folder = next();
    const QString generated = folder + QStringLiteral("/generated-100000.ged");
    generate(generated, generatedCount);
    failures += !measure(QStringLiteral("generated file (100,000 individuals); goal: peak memory below 1 GB"),
                         generated, folder);
    return failures == 0 ? 0 : 1;
}
