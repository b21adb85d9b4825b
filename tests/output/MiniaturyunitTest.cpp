#include "Miniaturyunit.h"
#include "TestSupport.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Pictures are written where the test says, in the format it names; the thumbnail cache sits in its own folder.
class MiniaturyUnitTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        unit.CacheFolder = dir.filePath("temp/thumbnails/");
        ASSERT_TRUE(QDir().mkpath(unit.CacheFolder));
    }

    // Qt writes no GIF files: GIF pictures are copies of the test data's GIF of that size.
    QString picture(const QString& name, int width, int height, const char* format = "PNG")
    {
        if (QByteArray(format) == "GIF") {
            const QString path = dir.filePath(name);
            const QString data = QStringLiteral(KRONVEL_TEST_DATA "/%1x%2.gif").arg(width).arg(height);
            QFile::remove(path);
            EXPECT_TRUE(QFile::copy(data, path)) << data.toStdString();
            return path;
        }
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(QColor(200, 30, 30));
        const QString path = dir.filePath(name);
        EXPECT_TRUE(image.save(path, format)) << name.toStdString();
        return path;
    }

    // The size of a picture file and whether its contents are BMP data.
    static QSize bitmapSize(const QString& path)
    {
        QImageReader reader(path);
        reader.setDecideFormatFromContent(true);
        return reader.format() == "bmp" ? reader.size() : QSize();
    }

    QTemporaryDir dir;
    MiniaturyUnit unit;
};

} // namespace

TEST_F(MiniaturyUnitTest, thumbnailsOfEveryFormatAreFittedIntoTheBoxAndNamedByThePathsDigest)
{
    struct Case
    {
        const char* name;
        const char* format;
        int width;
        int height;
        QSize thumbnail;
    };
    const Case cases[] = {
        {"szeroki.png", "PNG", 1000, 500, {250, 125}}, {"mały.jpg", "JPEG", 100, 50, {250, 125}},
        {"wysoki.gif", "GIF", 333, 1000, {83, 250}},   {"zdjęcie ż.bmp", "BMP", 400, 400, {250, 250}},
        {"linia.png", "PNG", 2000, 1, {250, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = picture(QString::fromUtf8(c.name), c.width, c.height, c.format);
        const QString digest =
            QString::fromLatin1(QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Md5).toHex().toUpper());
        const QString thumbnail = unit.GetThumbnail(path);
        EXPECT_EQ(thumbnail, unit.CacheFolder + digest + ".bmp");
        EXPECT_EQ(bitmapSize(thumbnail), c.thumbnail);
    }
    EXPECT_EQ(QDir(unit.CacheFolder).entryList(QDir::Files | QDir::Hidden).size(), 5) << "no temporary files are left";
}

TEST_F(MiniaturyUnitTest, thumbnailsAreReusedUntilThePicturesModificationTimeChanges)
{
    const QDateTime taken = QDateTime(QDate(2020, 5, 1), QTime(12, 0));
    const QString path = picture("portret.png", 1000, 500);
    ASSERT_TRUE(setModificationTime(path, taken));
    const QString thumbnail = unit.GetThumbnail(path);
    ASSERT_EQ(bitmapSize(thumbnail), QSize(250, 125));

    // Another picture under the same time is not noticed: the cached one is reused.
    picture("portret.png", 500, 1000);
    ASSERT_TRUE(setModificationTime(path, taken));
    EXPECT_EQ(unit.GetThumbnail(path), thumbnail);
    EXPECT_EQ(bitmapSize(thumbnail), QSize(250, 125));

    // Any other time, older ones included (a picture restored from a backup), makes it again.
    ASSERT_TRUE(setModificationTime(path, taken.addDays(-30)));
    EXPECT_EQ(unit.GetThumbnail(path), thumbnail);
    EXPECT_EQ(bitmapSize(thumbnail), QSize(125, 250));

    picture("portret.png", 800, 800);
    ASSERT_TRUE(setModificationTime(path, taken.addDays(1)));
    EXPECT_EQ(unit.GetThumbnail(path), thumbnail);
    EXPECT_EQ(bitmapSize(thumbnail), QSize(250, 250));
}

TEST_F(MiniaturyUnitTest, noThumbnailForNothingAMissingFileOrOneThatIsNoPicture)
{
    writeFileBytes(dir.filePath("opis.jpg"), "to nie jest zdjęcie");
    EXPECT_EQ(unit.GetThumbnail(""), "");
    EXPECT_EQ(unit.GetThumbnail(dir.filePath("brak.jpg")), "");
    EXPECT_EQ(unit.GetThumbnail(dir.filePath("opis.jpg")), "");
    EXPECT_TRUE(QDir(unit.CacheFolder).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

TEST_F(MiniaturyUnitTest, scaledBitmapsGoToTheDefaultNameInAFolderMadeForThem)
{
    const QString source = picture("rodzina.jpg", 400, 300, "JPEG");
    const QString folder = dir.filePath("nowy/folder/");
    EXPECT_EQ(unit.MakeScaledBitmap(source, "", folder, 200, 200), folder + "tempfile.jpg");
    EXPECT_EQ(bitmapSize(folder + "tempfile.jpg"), QSize(200, 150));

    struct Case
    {
        int width;
        int height;
        QSize size;
    };
    const Case cases[] = {{-1, 150, {200, 150}}, {100, -1, {100, 75}}, {800, 900, {800, 600}}};
    for (const Case& c : cases) {
        const QString target = dir.filePath("out.bmp");
        EXPECT_EQ(unit.MakeScaledBitmap(source, target, folder, c.width, c.height), target);
        EXPECT_EQ(bitmapSize(target), c.size) << c.width << " x " << c.height;
    }
    EXPECT_EQ(unit.MakeScaledBitmap(source, dir.filePath("zero.bmp"), folder, 0, 100), "");
    EXPECT_EQ(unit.MakeScaledBitmap(dir.filePath("brak.png"), dir.filePath("none.bmp"), folder, 100, 100), "");
    EXPECT_FALSE(QFile::exists(dir.filePath("none.bmp")));
}

TEST_F(MiniaturyUnitTest, reportImagesAreZoomedUniquelyNamedAndDeletedAtTheEnd)
{
    const QString landscape = picture("krajobraz.png", 400, 300);
    const QString square = picture("kwadrat.gif", 1000, 1000, "GIF");
    const QString temp = dir.filePath("temp/");
    QStringList made;
    {
        MiniaturyUnit reports;
        made << reports.MakeReportImage(-1, landscape, "", temp, 100, 100, 3.0);
        made << reports.MakeReportImage(-1, square, "", temp, 113, 141, 3.0);
        made << reports.MakeReportImage(-1, landscape, dir.filePath("własny.jpg"), temp, 40, 40, 1.0);
        static const QRegularExpression uniqueName(
            "/file_temp_unique_\\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\\}\\.jpg$");
        EXPECT_TRUE(uniqueName.match(made[0]).hasMatch()) << made[0].toStdString();
        EXPECT_TRUE(made[0].startsWith(temp));
        EXPECT_NE(made[0], made[1]);
        EXPECT_EQ(bitmapSize(made[0]), QSize(300, 225));
        EXPECT_EQ(bitmapSize(made[1]), QSize(339, 339));
        EXPECT_EQ(bitmapSize(made[2]), QSize(40, 30));
        EXPECT_EQ(reports.TempFiles, made);

        EXPECT_EQ(reports.MakeReportImage(-1, landscape, "", dir.filePath("brak/"), 100, 100, 3.0), "")
            << "no folder is made for report images";
        EXPECT_EQ(reports.TempFiles.size(), 3);
        // A file that cannot be deleted does not keep the others.
        const QString undeletable = dir.filePath("folder.jpg");
        ASSERT_TRUE(QDir().mkpath(undeletable));
        reports.TempFiles.prepend(undeletable);
    }
    for (const QString& file : made)
        EXPECT_FALSE(QFile::exists(file)) << file.toStdString();
}

TEST(MiniaturyUnitNamesTest, guidTextsAreNewEachTimeInRegistryForm)
{
    const QString first = MiniaturyUnit::NewGuidText();
    EXPECT_TRUE(QRegularExpression("^\\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\\}$")
                    .match(first)
                    .hasMatch())
        << first.toStdString();
    EXPECT_NE(MiniaturyUnit::NewGuidText(), first);
    EXPECT_TRUE(MiniaturyUnit::UniqueTempJpgName().startsWith("file_temp_unique_{"));
    EXPECT_TRUE(MiniaturyUnit::UniqueTempJpgName().endsWith("}.jpg"));
}
