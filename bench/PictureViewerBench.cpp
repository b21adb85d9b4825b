// Times the picture viewer opened on a person with 1,000 pictures, until its first screen is painted: once with
// every thumbnail in the cache, and once with an empty cache, which shows how many thumbnails the opening made
// (only the cells in view should ask for theirs).
#include "Bazadanych.h"
#include "Miniaturyunit.h"
#include "Person.h"
#include "Picture.h"
#include "PowiekszeniePlikuGraficznego.h"
#include "Vh_langmanager.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int pictureCount = 1000;
constexpr int runs = 7;
constexpr double goalMs = 200;
// More than a screen of the strip shows; the pictures after these share one file, never painted.
constexpr int ownFiles = 10;

QByteArray photoBytes()
{
    QImage photo(1600, 1200, QImage::Format_RGB32);
    QPainter painter(&photo);
    painter.fillRect(photo.rect(), QColor(90, 120, 150));
    painter.fillRect(QRect(400, 300, 800, 600), QColor(230, 200, 170));
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    photo.save(&buffer, "JPG");
    return bytes;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

// A person with 1,000 pictures whose first ones have files of their own, so that no opening finds them decoded
// by an earlier one; with cached set, their thumbnails are made beforehand.
QString personWithPictures(const QString& folder, int number, bool cached)
{
    static const QByteArray bytes = photoBytes();
    const QString shared = folder + QStringLiteral("/shared.jpg");
    if (!QFile::exists(shared))
        writeFile(shared, bytes);
    auto* person = new KV_Person;
    gDB.AddPerson(person);
    for (int i = 0; i < pictureCount; ++i) {
        auto* picture = new KV_Picture;
        picture->File = shared;
        if (i < ownFiles) {
            picture->File = folder + QStringLiteral("/photo%1_%2.jpg").arg(number).arg(i);
            writeFile(picture->File, bytes);
            if (cached)
                gMiniaturyUnit.GetThumbnail(picture->File);
        }
        picture->Name = QStringLiteral("Zdjęcie %1").arg(i);
        gDB.AddPictureToPerson(person->ID, picture);
    }
    return person->ID;
}

// Opens the viewer on the person and paints its first screen; milliseconds.
double openAndPaint(TFormPwiekszenie& viewer, const QString& personID)
{
    viewer.hide();
    QElapsedTimer timer;
    timer.start();
    viewer.LoadPictureList(personID);
    viewer.ShowPicture(QString());
    viewer.show();
    // The window is exposed and painted by the event loop, as on a screen.
    QCoreApplication::processEvents();
    return timer.nsecsElapsed() / 1e6;
}

int cachedThumbnails()
{
    return int(QDir(gMiniaturyUnit.CacheFolder).entryList({QStringLiteral("*.bmp")}, QDir::Files).size());
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    gLangM.Load(KX_LangManager::MessageTable());
    QTemporaryDir folder;
    if (!folder.isValid()) {
        std::printf("no temporary folder\n");
        return 1;
    }
    gMiniaturyUnit.CacheFolder = folder.path() + QStringLiteral("/thumbnails/");
    QDir().mkpath(gMiniaturyUnit.CacheFolder);
    TFormPwiekszenie viewer;
    // The window's first showing builds what every later one reuses.
    viewer.show();
    QCoreApplication::processEvents();

    // An empty cache: the opening makes the thumbnails of the cells in view, and only those.
    const QString uncachedPerson = personWithPictures(folder.path(), 0, false);
    const double uncached = openAndPaint(viewer, uncachedPerson);
    std::printf("%-52s %8.1f ms  thumbnails made: %d of %d pictures\n", "viewer opened, no thumbnail cached", uncached,
                cachedThumbnails(), pictureCount);

    std::vector<double> times;
    for (int run = 1; run <= runs; ++run) {
        const QString id = personWithPictures(folder.path(), run, true);
        times.push_back(openAndPaint(viewer, id));
    }
    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    std::printf("%-52s %8.1f ms  (median of %d persons, slowest %.1f)  goal: under %.0f ms%s\n",
                "viewer opened, thumbnails cached, first screen", median, runs, times.back(), goalMs,
                median < goalMs ? "" : "  SLOWER THAN THE GOAL");
    std::printf("  thumbnails asked for by the strip at the last opening: %d\n", viewer.GetThumbnailRequestCount());
    return 0;
}
