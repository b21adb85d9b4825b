// One interactive save of a relation: a father and a child linked or unlinked, both persons written in one change
// (temporary files, journal, replacements), against the disk's own flush measured in the same run: a write with
// fdatasync, and the two plain atomic writes that the same save cost without the journal.
//
//   bench_interactive_save [FOLDER]   (a temporary folder on the same disk as the build without one)
#include "Bazadanych.h"
#include "BenchSupport.h"
#include "FileSystem.h"

#include <QCoreApplication>
#include <QDir>

#include <algorithm>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int rounds = 200;

double percentile95(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() * 95 / 100];
}

template <typename Work>
std::vector<double> timed(Work work)
{
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer one;
        one.start();
        work(i);
        times.push_back(double(one.nsecsElapsed()) / 1e6);
    }
    return times;
}

int measure(const QString& folder)
{
    if (!writableFolder(folder))
        return 1;
    gDB.DataFolder = QDir(folder).absolutePath() + u'/';
    gDB.FileExtension = QStringLiteral(".kvfile");
    auto* father = new KV_Person;
    father->Forename = QStringLiteral("Jan");
    father->Surname = QStringLiteral("Nowak");
    father->Sex = 1;
    auto* child = new KV_Person;
    child->Forename = QStringLiteral("Piotr");
    child->Surname = QStringLiteral("Nowak");
    child->Sex = 1;
    gDB.AddPerson(father);
    gDB.AddPerson(child);

    bool failed = false;
    const std::vector<double> changes = timed([&](int i) {
        if (i % 2 == 0) {
            father->AddChild(child->ID);
            child->FID = father->ID;
        } else {
            father->RemoveChild(child->ID);
            child->FID.clear();
        }
        failed = !gDB.SavePersons(father, child) || failed;
    });
    if (failed)
        std::printf("a save failed: %s\n", qPrintable(gDB.StorageError));

    const QString fatherPath = gDB.DataFolder + father->ID + gDB.FileExtension;
    const QString childPath = gDB.DataFolder + child->ID + gDB.FileExtension;
    const QByteArray fatherBytes = readWholeFile(fatherPath);
    const QByteArray childBytes = readWholeFile(childPath);
    const std::vector<double> plain = timed([&](int) {
        FileSystem::atomicWrite(fatherPath, fatherBytes);
        FileSystem::atomicWrite(childPath, childBytes);
    });

    // The floor under any durable save: a new file of a person's size written and flushed, its name with it.
    const QByteArray probe = QFile::encodeName(gDB.DataFolder + QStringLiteral("probe.bin"));
    const std::vector<double> flushes = timed([&](int) {
        const int fd = ::open(probe.constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0644);
        ::write(fd, fatherBytes.constData(), size_t(fatherBytes.size()));
        ::fdatasync(fd);
        ::close(fd);
        ::unlink(probe.constData());
    });
    gDB.Clear();
    for (const QString& path : {fatherPath, childPath})
        FileSystem::deleteFile(path);

    const double flush = median(flushes);
    std::printf("one relation change, 2 persons in one change   %6.2f ms median, %6.2f ms at 95%% of %d\n",
                median(changes), percentile95(changes), rounds);
    std::printf("  the same 2 files as plain atomic writes      %6.2f ms median, %6.2f ms at 95%%\n", median(plain),
                percentile95(plain));
    std::printf("  the disk's own flush (new file, fdatasync)   %6.2f ms median, %6.2f ms at 95%%\n", flush,
                percentile95(flushes));
    // The journal adds one flush of its own (its name in the folder goes with it) to the flushes of the files.
    std::printf("  the change costs %.1f flushes, the plain writes %.1f (goal: one or two more, a few ms at most)\n",
                median(changes) / std::max(flush, 1e-3), median(plain) / std::max(flush, 1e-3));
    return failed ? 1 : 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() > 1)
        return measure(args[1]);
    QTemporaryDir folder(QDir::currentPath() + QStringLiteral("/interactive-save-XXXXXX"));
    return measure(folder.path());
}
