// Times the controls on small files whose counts promise huge lists or pictures: list cell files and streams of
// one line of counts, and a 3.5 KB GIF of 150 one-pixel frames on a 3000 x 3000 screen. Each must be refused or
// read in under a second; the largest lists still taken on their counts alone are read as well. Each figure is
// printed beside its goal, with the process's peak memory so far beside its ceiling.
#include "AdvListV.h"
#include "AdvPicture.h"
#include "BenchSupport.h"
#include "GifWriter.h"

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr qint64 GoalMs = 1000;
constexpr long PeakCeilingKilobytes = 400 * 1024;

// Runs one load, prints how it ended, its time and the peak memory; false when it missed a goal.
bool measure(const char* what, const std::function<void()>& load)
{
    QElapsedTimer timer;
    timer.start();
    const char* outcome = "read";
    try {
        load();
    } catch (const std::exception&) {
        outcome = "refused";
    }
    const qint64 ms = timer.elapsed();
    const long peak = peakResidentKilobytes();
    std::printf("%-28s %-8s %6lld ms (goal under %lld ms)  peak %6ld MB (ceiling %ld MB)\n", what, outcome,
                static_cast<long long>(ms), static_cast<long long>(GoalMs), peak / 1024, PeakCeilingKilobytes / 1024);
    return ms < GoalMs && peak < PeakCeilingKilobytes;
}

QByteArray utf16Line(const QString& line)
{
    QByteArray bytes;
    for (const QChar ch : line + QStringLiteral("\r\n"))
        bytes.append(char(ch.unicode() & 0xFF)).append(char(ch.unicode() >> 8));
    return bytes;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir folder;
    bool met = true;

    for (const char* counts :
         {"1,100000", "400,50000", "65535,305", "1,10000000", "65535,10000", "65535,100000", "65535,10000000"}) {
        const QString file = folder.filePath(QStringLiteral("list.txt"));
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly))
            return 1;
        out.write(QByteArray(counts) + "\r\n");
        out.close();
        TAdvListView list;
        met &= measure(qPrintable(QStringLiteral("cell file %1").arg(QLatin1String(counts))),
                       [&] { list.LoadFromFile(file); });
        QBuffer stream;
        stream.setData(utf16Line(QLatin1String(counts)));
        stream.open(QIODevice::ReadOnly);
        met &= measure(qPrintable(QStringLiteral("stream %1").arg(QLatin1String(counts))),
                       [&] { list.LoadFromStream(stream); });
    }

    GifWriter gif(3000, 3000);
    for (int i = 0; i < 150; ++i)
        gif.frame(10, i, i, 1, 1, GifWriter::Red);
    const QByteArray bytes = gif.finish();
    TIPicture picture;
    met &= measure(qPrintable(QStringLiteral("GIF of %1 bytes").arg(bytes.size())), [&] {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        picture.LoadFromStream(&buffer);
    });
    if (!met)
        std::printf("a goal was missed\n");
    return met ? 0 : 1;
}
