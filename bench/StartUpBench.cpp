// Times the program from its start to its start page over the object files benchmark's data folder of 100,000
// persons, against the plain loop that lists the folder and reads its files on one thread, and reads the
// program's memory once the page is there. The program runs as a user starts it: a home folder of its own whose
// documents folder holds the data folder, no settings, offscreen. The start page counts as there when the
// program has written it for its view.
//
//   bench_start_up          generate the folder with bench_object_files, measure, delete it
//   bench_start_up DIR      measure an existing data folder (the program writes its temp/, Raporty/ and
//                           multimedia/ folders into it)
#include "BenchSupport.h"
#include "PlainLoop.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int runs = 3;
// What a start costs before it reads any data: the windows, the web engine, the page.
constexpr qint64 allowanceMs = 500;

struct Start
{
    qint64 ms = -1;
    long residentMegabytes = -1;
};

// The resident memory of a running process, from /proc.
long residentMegabytes(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong() / 1024;
    }
    return -1;
}

Start startOnce(const QString& home, const QString& page)
{
    QFile::remove(page);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_DOCUMENTS_DIR"})
        environment.remove(QLatin1String(name));
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("QTWEBENGINE_CHROMIUM_FLAGS"), QStringLiteral("--no-sandbox --disable-gpu"));
    QProcess program;
    program.setProcessEnvironment(environment);
    program.setStandardOutputFile(QProcess::nullDevice());
    program.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    program.start(QStringLiteral(KRONVEL_PATH), {});
    Start start;
    if (program.waitForStarted()) {
        while (program.state() == QProcess::Running && !QFile::exists(page) && timer.elapsed() < 120000)
            QThread::msleep(10);
        if (QFile::exists(page)) {
            start.ms = timer.elapsed();
            // The page is handed to the view right after it is written; let the view take it before reading.
            QThread::msleep(1000);
            start.residentMegabytes = residentMegabytes(program.processId());
        }
    }
    program.terminate();
    if (!program.waitForFinished(10000))
        program.kill();
    program.waitForFinished(10000);
    return start;
}

int measure(const QString& folder)
{
    if (!writableFolder(folder))
        return 1;
    QTemporaryDir home;
    const QString documents = home.path() + QStringLiteral("/Documents");
    if (!home.isValid() || !QDir().mkpath(documents) ||
        !QFile::link(QDir(folder).absolutePath(), documents + QStringLiteral("/Genealogia"))) {
        std::printf("cannot make the home folder\n");
        return 1;
    }
    const QString page = folder + QStringLiteral("/temp/index.html");

    qint64 bytes = 0;
    plainLoop(folder, true, bytes); // warms the cache
    qint64 plain = plainLoop(folder, true, bytes);
    std::vector<Start> starts;
    for (int run = 0; run < runs; ++run) {
        starts.push_back(startOnce(home.path(), page));
        plain = std::min(plain, plainLoop(folder, true, bytes));
    }
    std::sort(starts.begin(), starts.end(), [](const Start& a, const Start& b) { return a.ms < b.ms; });
    const Start median = starts[starts.size() / 2];
    if (median.ms < 0) {
        std::printf("the program wrote no start page\n");
        return 1;
    }
    std::printf("plain loop, listed per kind, one thread %8lld ms  (%lld MB of files)\n", static_cast<long long>(plain),
                static_cast<long long>(bytes >> 20));
    std::printf("program start to start page            %8lld ms  median of %d; (start - %lld ms) / plain loop = %.2f "
                "(goal: 1.30 or less)\n",
                static_cast<long long>(median.ms), runs, static_cast<long long>(allowanceMs),
                double(median.ms - allowanceMs) / double(std::max<qint64>(plain, 1)));
    std::printf("program memory with the start page     %8ld MB  resident, main process (goal: under 500)\n",
                median.residentMegabytes);
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    return measureDataFolder(app.arguments(), QStringLiteral(OBJECT_FILES_BENCH), measure);
}
