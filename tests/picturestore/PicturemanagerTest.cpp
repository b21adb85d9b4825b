#include "Picturemanager.h"
#include "TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A pictures folder (not yet created) and a folder of source pictures, both temporary; the store's folder is
// restored afterwards so no other test sees it.
class PictureStoreTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        previousFolder = GetPicturesFolder();
        SetPicturesFolder(root.filePath(QStringLiteral("data/multimedia")));
        QDir(root.path()).mkpath(QStringLiteral("sources"));
    }
    void TearDown() override { SetPicturesFolder(previousFolder); }

    QString source(const QString& name, const QByteArray& contents)
    {
        const QString path = root.filePath(QStringLiteral("sources/") + name);
        writeFileBytes(path, contents);
        return path;
    }
    QString stored(const QString& name) { return GetPicturesFolder() + name; }
    QStringList folderEntries() const
    {
        return QDir(GetPicturesFolder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }

    QTemporaryDir root;
    QString previousFolder;
};

} // namespace

TEST_F(PictureStoreTest, folderTextAlwaysEndsWithSlashUnlessEmpty)
{
    SetPicturesFolder(QStringLiteral("/data/multimedia"));
    EXPECT_EQ(GetPicturesFolder(), QStringLiteral("/data/multimedia/"));
    SetPicturesFolder(QStringLiteral("/data/multimedia/"));
    EXPECT_EQ(GetPicturesFolder(), QStringLiteral("/data/multimedia/"));
    SetPicturesFolder(QString());
    EXPECT_EQ(GetPicturesFolder(), QString());
    // Not set yet: a stored name resolves to the bare file name.
    EXPECT_EQ(ResolvePicturePath(QStringLiteral("[#] a.jpg")), QStringLiteral("a.jpg"));
}

TEST_F(PictureStoreTest, storedPathsResolveIntoTheFolderOnlyWithThePrefix)
{
    SetPicturesFolder(QStringLiteral("/data/multimedia"));
    struct Case
    {
        const char* stored;
        const char* resolved;
    };
    const Case cases[] = {
        {"[#] a.jpg", "/data/multimedia/a.jpg"},
        {"[#]xa.jpg", "/data/multimedia/a.jpg"},
        {"[#]", "/data/multimedia/"},
        {"", ""},
        {"[#", "[#"},
        {"x[#] a.jpg", "x[#] a.jpg"},
        {"/home/anna/Pictures/a.jpg", "/home/anna/Pictures/a.jpg"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ResolvePicturePath(QString::fromUtf8(c.stored)), QString::fromUtf8(c.resolved)) << c.stored;
}

TEST_F(PictureStoreTest, newPictureIsCopiedUnderItsNameIntoCreatedFolder)
{
    const QString path = source(QStringLiteral("Zdjęcie Anny.JPG"), "picture");
    ASSERT_EQ(CopyPictureToFolder(path), QStringLiteral("[#] Zdjęcie Anny.JPG"));
    EXPECT_EQ(readFileBytes(stored(QStringLiteral("Zdjęcie Anny.JPG"))), "picture");
    EXPECT_EQ(readFileBytes(path), "picture");
    // No temporary file is left behind.
    EXPECT_EQ(folderEntries(), QStringList({QStringLiteral("Zdjęcie Anny.JPG")}));
}

TEST_F(PictureStoreTest, samePictureTwiceReusesTheFileAndItsName)
{
    const QString path = source(QStringLiteral("photo.jpg"), "picture");
    ASSERT_EQ(CopyPictureToFolder(path), QStringLiteral("[#] photo.jpg"));
    const QDateTime written = QFileInfo(stored(QStringLiteral("photo.jpg"))).lastModified();
    EXPECT_EQ(CopyPictureToFolder(path), QStringLiteral("[#] photo.jpg"));
    EXPECT_EQ(folderEntries(), QStringList({QStringLiteral("photo.jpg")}));
    EXPECT_EQ(QFileInfo(stored(QStringLiteral("photo.jpg"))).lastModified(), written);

    // A picture already inside the folder is its own target: nothing is copied, nothing truncated.
    EXPECT_EQ(CopyPictureToFolder(stored(QStringLiteral("photo.jpg"))), QStringLiteral("[#] photo.jpg"));
    EXPECT_EQ(readFileBytes(stored(QStringLiteral("photo.jpg"))), "picture");
    EXPECT_EQ(folderEntries(), QStringList({QStringLiteral("photo.jpg")}));
}

TEST_F(PictureStoreTest, differentPicturesOfOneNameGetNumberedNames)
{
    QDir().mkpath(GetPicturesFolder());
    writeFileBytes(stored(QStringLiteral("photo.jpg")), "first picture");     // another size
    writeFileBytes(stored(QStringLiteral("photo (1).jpg")), "other picture"); // same size, other bytes
    writeFileBytes(stored(QStringLiteral("photo (2).jpg")), "the picture!!"); // same size, same bytes
    writeFileBytes(stored(QStringLiteral("scan")), "x");

    // The first name holding the same bytes is reused; the different file of the same size is skipped.
    EXPECT_EQ(CopyPictureToFolder(source(QStringLiteral("photo.jpg"), "the picture!!")),
              QStringLiteral("[#] photo (2).jpg"));
    // A new picture takes the first free name.
    EXPECT_EQ(CopyPictureToFolder(source(QStringLiteral("photo.jpg"), "a new picture")),
              QStringLiteral("[#] photo (3).jpg"));
    EXPECT_EQ(readFileBytes(stored(QStringLiteral("photo (3).jpg"))), "a new picture");
    // A name without an extension gets the number at its end.
    EXPECT_EQ(CopyPictureToFolder(source(QStringLiteral("scan"), "y")), QStringLiteral("[#] scan (1)"));
    // Nothing already in the folder was changed.
    EXPECT_EQ(readFileBytes(stored(QStringLiteral("photo.jpg"))), "first picture");
    EXPECT_EQ(readFileBytes(stored(QStringLiteral("photo (1).jpg"))), "other picture");
}

TEST_F(PictureStoreTest, folderStandingAtACandidateNameIsPassedOver)
{
    QDir().mkpath(stored(QStringLiteral("photo.jpg")));
    QDir().mkpath(stored(QStringLiteral("photo (1).jpg")));
    writeFileBytes(stored(QStringLiteral("photo (1).jpg/inside.jpg")), "kept");

    EXPECT_EQ(CopyPictureToFolder(source(QStringLiteral("photo.jpg"), "picture")), QStringLiteral("[#] photo (2).jpg"));
    EXPECT_EQ(readFileBytes(stored(QStringLiteral("photo (2).jpg"))), "picture");
    EXPECT_TRUE(QFileInfo(stored(QStringLiteral("photo.jpg"))).isDir());
    EXPECT_EQ(readFileBytes(stored(QStringLiteral("photo (1).jpg/inside.jpg"))), "kept");
}

TEST_F(PictureStoreTest, thirtyOneDifferentPicturesOfOneNameStopAtThirty)
{
    for (int i = 0; i <= 30; ++i) {
        const QString expected = i == 0 ? QStringLiteral("[#] a.png") : QStringLiteral("[#] a (%1).png").arg(i);
        ASSERT_EQ(CopyPictureToFolder(source(QStringLiteral("a.png"), QByteArray::number(i))), expected);
    }
    EXPECT_EQ(CopyPictureToFolder(source(QStringLiteral("a.png"), "31")), QString());
    EXPECT_EQ(folderEntries().size(), 31);
}

TEST_F(PictureStoreTest, failedCopiesGiveEmptyResultAndLeaveNothing)
{
    // A missing source: even an empty file of its name in the folder is not taken as the same picture.
    QDir().mkpath(GetPicturesFolder());
    writeFileBytes(stored(QStringLiteral("gone.jpg")), "");
    EXPECT_EQ(CopyPictureToFolder(root.filePath(QStringLiteral("sources/gone.jpg"))), QString());

    EXPECT_EQ(folderEntries(), QStringList({QStringLiteral("gone.jpg")}));

    // A pictures folder that cannot be made, because a file stands where one of its parents should be.
    writeFileBytes(root.filePath(QStringLiteral("file")), "x");
    SetPicturesFolder(root.filePath(QStringLiteral("file/multimedia")));
    EXPECT_EQ(CopyPictureToFolder(source(QStringLiteral("c.jpg"), "x")), QString());

    // No pictures folder set: there is nowhere to copy to.
    SetPicturesFolder(QString());
    EXPECT_EQ(CopyPictureToFolder(source(QStringLiteral("b.jpg"), "x")), QString());
}

TEST(IsPictureFileTest, onlyTheKnownExtensionsOfTheNamePartCount)
{
    struct Case
    {
        const char* name;
        bool picture;
    };
    const Case cases[] = {
        {"photo.jpg", true},
        {"/home/anna/scan.jpeg", true},
        {"logo.Png", true},
        {"old.BMP", true},
        {"anim.gif", true},
        {"image.tif", false},
        {"archive.jpg.zip", false},
        {"noextension", false},
        {"/home/anna/pictures.jpg/photo", false},
        {"/home/my.pictures/photo", false},
        {".jpg", true},
        {"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsPictureFile(QString::fromUtf8(c.name)), c.picture) << c.name;
}
