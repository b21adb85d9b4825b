#include "EditorCommandsFixture.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace {

using Answer = Prompter::Answer;

class OsobaFormPicturesTest : public EditorCommandsFixture
{
protected:
    void SetUp() override
    {
        EditorCommandsFixture::SetUp();
        ASSERT_TRUE(sources.isValid());
    }

    // A picture file outside the data folder, as the user picks it.
    QString source(const QString& name, const QColor& colour) const
    {
        QImage image(60, 40, QImage::Format_RGB32);
        image.fill(colour);
        const QString path = sources.path() + u'/' + name;
        EXPECT_TRUE(writeFileBytes(path, imageBytes(image)));
        return path;
    }
    QStringList picturesCopied() const { return QDir(picturesFolder()).entryList(QDir::Files); }
    QStringList pictureFiles() const
    {
        return QDir(folder.path()).entryList({QStringLiteral("picture_*")}, QDir::Files, QDir::Name);
    }

    QTemporaryDir sources;
};

TEST_F(OsobaFormPicturesTest, anAddedPictureIsCopiedWrittenAndShown)
{
    const auto editor = editorOf(adam);
    EXPECT_FALSE(editor->ButtonDodajZdjecie->isHidden());
    EXPECT_TRUE(editor->ButtonUsunZdjecie->isHidden());
    fileAnswers.answers = {source(QStringLiteral("portret.png"), Qt::red)};
    editor->WstawZdjecie();
    ASSERT_EQ(fileAnswers.fileRequests.size(), 1u);
    EXPECT_EQ(fileAnswers.fileRequests[0].Kind, fdOpenPicture);
    EXPECT_TRUE(fileAnswers.fileRequests[0].Filter.startsWith("All (*.png;*.gif;*.jpg;*.jpeg;*.bmp)|"));
    EXPECT_TRUE(prompts.texts.isEmpty()) << prompts.texts.join(u'\n').toStdString();
    EXPECT_EQ(picturesCopied(), QStringList{"portret.png"});
    ASSERT_EQ(pictureFiles().size(), 1);

    reload();
    ASSERT_EQ(P(adam)->Pictures.size(), 1);
    const KV_Picture* picture = gDB.FindPicture(P(adam)->Pictures.first());
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->File, "[#] portret.png");
    EXPECT_EQ(picture->Name, "portret");
    EXPECT_EQ(picture->PersonID, adam);
    EXPECT_EQ(editor->PictureID, picture->ID);
    EXPECT_EQ(editor->PictureFile, picturesFolder() + "portret.png");
    EXPECT_FALSE(editor->ButtonUsunZdjecie->isHidden());
    EXPECT_TRUE(editor->ButtonDodajZdjecie->isHidden());
    EXPECT_EQ(editor->ButtonUsunZdjecie->text(), u("Zdjęcia (1)"));
    // The picture box shows the picture: red inside the white frame.
    EXPECT_EQ(editor->PictureBitmap.pixelColor(editor->PictureBitmap.width() / 2, 60), QColor(Qt::red));

    // Cancelled: nothing happens.
    editor->WstawZdjecie();
    EXPECT_EQ(pictureFiles().size(), 1);
}

TEST_F(OsobaFormPicturesTest, aPictureIsWrittenBeforeThePersonThatListsIt)
{
    const auto editor = editorOf(adam);
    // A folder under the person's file name: the person cannot be written (root writes anywhere else).
    ASSERT_TRUE(QFile::remove(pathOf(adam)));
    ASSERT_TRUE(QDir().mkpath(pathOf(adam) + QStringLiteral("/inside")));
    fileAnswers.answers = {source(QStringLiteral("a.png"), Qt::green)};
    editor->WstawZdjecie();
    EXPECT_EQ(prompts.texts, QStringList{u("Nie można zapisać pliku [%1]: Is a directory").arg(pathOf(adam))});
    EXPECT_EQ(pictureFiles().size(), 1) << "the picture's file came first";
    EXPECT_EQ(P(adam)->GetPictureCount(), 1) << "the person in memory has it";
    EXPECT_EQ(editor->ButtonUsunZdjecie->text(), u("Zdjęcia (1)"));
}

TEST_F(OsobaFormPicturesTest, noPictureIsAddedWithoutAPersonOrACopy)
{
    struct Case
    {
        const char* what;
        std::function<QString()> person;
        bool folderBlocked;
    };
    const Case cases[] = {
        {"no person at all", [] { return QString(); }, false},
        {"the person deleted meanwhile",
         [this] {
             const QString id = adam;
             EXPECT_TRUE(gDB.DeletePerson(P(adam)));
             return id;
         },
         false},
        {"the pictures folder cannot be made", [this] { return adam; }, true},
    };
    for (const Case& c : cases) {
        startAfresh();
        makeFamily();
        const auto editor = editorOf(adam);
        editor->PersonID = c.person();
        if (c.folderBlocked) {
            ASSERT_TRUE(writeFileBytes(folder.path() + QStringLiteral("/multimedia"), "not a folder"));
        }
        prompts.texts.clear();
        fileAnswers.answers = {source(QStringLiteral("b.png"), Qt::blue)};
        editor->ButtonDodajZdjecie->click();
        const QString expected =
            c.folderBlocked
                ? gLangM.FormatStr("LABEL_NIE_MOZNA_SKOPIOWAC_WSKAZANEGO_ZDJECIA_DO_FOLDERU", picturesFolder())
                : u("Nie ma osoby, do której można dołączyć zdjęcie");
        EXPECT_EQ(prompts.texts, QStringList{expected}) << c.what;
        EXPECT_TRUE(QDir(picturesFolder()).entryList(QDir::Files).isEmpty()) << c.what << ": nothing copied";
        EXPECT_TRUE(pictureFiles().isEmpty()) << c.what;
        EXPECT_EQ(gDB.GetPictureCount(), 0) << c.what;
        QFile::remove(folder.path() + QStringLiteral("/multimedia"));
    }
}

TEST_F(OsobaFormPicturesTest, theViewerOpensOnTheShownPictureAndTheEditorFollowsItsChanges)
{
    const auto editor = editorOf(adam);
    fileAnswers.answers = {source(QStringLiteral("c.png"), Qt::red), source(QStringLiteral("d.png"), Qt::green)};
    editor->WstawZdjecie();
    editor->WstawZdjecie();
    ASSERT_EQ(P(adam)->GetPictureCount(), 2);
    const QString first = P(adam)->Pictures.first();
    const QString second = P(adam)->Pictures.last();
    EXPECT_EQ(editor->PictureID, first) << "the first picture is the profile picture";
    EXPECT_EQ(editor->ButtonUsunZdjecie->text(), u("Zdjęcia (2)"));

    // A click on the picture box opens the viewer; there the picture shown is deleted.
    onShown(viewer.get(), [this, first] {
        EXPECT_EQ(viewer->PersonID, adam);
        EXPECT_EQ(viewer->CurrentID, first);
        EXPECT_EQ(viewer->PanelTitle->GetText(), u("Zdjęcia: Adam Lis"));
        prompts.answers = {Answer::Yes};
        viewer->Usuzdjcie1Click();
    });
    QTest::mouseClick(editor->PaintBoxPicture, Qt::LeftButton);
    ASSERT_EQ(dialogsShown, 1);
    EXPECT_EQ(editor->PictureID, second);
    EXPECT_EQ(editor->ButtonUsunZdjecie->text(), u("Zdjęcia (1)"));
    EXPECT_FALSE(editor->ButtonUsunZdjecie->isHidden());

    // Through the button; the last picture deleted, "Dodaj zdjęcie" comes back.
    onShown(viewer.get(), [this] {
        prompts.answers = {Answer::Yes};
        viewer->Usuzdjcie1Click();
    });
    editor->ButtonUsunZdjecie->click();
    EXPECT_EQ(dialogsShown, 2);
    EXPECT_EQ(editor->PictureID, "");
    EXPECT_TRUE(editor->ButtonUsunZdjecie->isHidden());
    EXPECT_FALSE(editor->ButtonDodajZdjecie->isHidden());
    EXPECT_EQ(editor->PictureBitmap.pixelColor(editor->PictureBitmap.width() / 2, 60), QColor(Qt::white));

    // Without a picture, a click on the box adds one.
    fileAnswers.answers = {source(QStringLiteral("e.png"), Qt::blue)};
    QTest::mouseClick(editor->PaintBoxPicture, Qt::LeftButton);
    EXPECT_EQ(dialogsShown, 2) << "no viewer";
    EXPECT_EQ(P(adam)->GetPictureCount(), 1);
}

} // namespace
