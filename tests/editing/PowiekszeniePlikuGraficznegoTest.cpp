#include "PowiekszeniePlikuGraficznego.h"
#include "AdvCombo.h"
#include "AdvEdit.h"
#include "AdvPanel.h"
#include "EditingFixture.h"
#include "GifWriter.h"
#include "Miniaturyunit.h"
#include "PaintBox.h"
#include "Person.h"
#include "Picturemanager.h"
#include "ScriptedFileDialogs.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <functional>

namespace {

using Answer = Prompter::Answer;

const QColor red(220, 30, 30);
const QColor green(30, 180, 60);
const QColor yellow(240, 210, 40);
const QColor purple(130, 40, 160);

bool near(const QColor& a, const QColor& b, int tolerance = 40)
{
    return qAbs(a.red() - b.red()) <= tolerance && qAbs(a.green() - b.green()) <= tolerance &&
           qAbs(a.blue() - b.blue()) <= tolerance;
}

QImage filled(int width, int height, const QColor& colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

class PowiekszeniePlikuGraficznegoTest : public EditingFixture
{
protected:
    void SetUp() override
    {
        EditingFixture::SetUp();
        ASSERT_TRUE(sources.isValid());
        gAppFolder = QStringLiteral(KRONVEL_SOURCE_DIR "/resources/");
        SetPicturesFolder(picturesFolder());
        gMiniaturyUnit.CacheFolder = folder.path() + QStringLiteral("/temp/thumbnails/");
        form = std::make_unique<TFormPwiekszenie>();
        FormPwiekszenie = form.get();
    }
    void TearDown() override
    {
        FormPwiekszenie = nullptr;
        form.reset();
        gMiniaturyUnit.CacheFolder.clear();
        SetPicturesFolder(QString());
        EditingFixture::TearDown();
    }

    QString picturesFolder() const { return folder.path() + QStringLiteral("/multimedia/"); }

    // A picture file outside the data folder, as the user picks it.
    QString source(const QString& name, const QByteArray& bytes, const QString& subfolder = QString()) const
    {
        const QString dir = sources.path() + u'/' + subfolder;
        QDir().mkpath(dir);
        const QString path = dir + u'/' + name;
        EXPECT_TRUE(writeFileBytes(path, bytes));
        return path;
    }

    // A person written to the data folder.
    KV_Person* savedPerson()
    {
        KV_Person* person = addPerson(QStringLiteral("Jan"), QStringLiteral("Kowalski"));
        save(person);
        return person;
    }

    // A picture of the person that points at the file where it lies.
    KV_Picture* attach(KV_Person* person, const QString& file, const QString& name = QString())
    {
        auto* picture = new KV_Picture;
        picture->File = file;
        picture->Name = name;
        EXPECT_TRUE(gDB.AddPictureToPerson(person->ID, picture));
        EXPECT_TRUE(gDB.SavePicture(picture, picture->ID));
        EXPECT_TRUE(gDB.SavePerson(person, person->ID));
        return picture;
    }

    // Opens the viewer on the person at its first picture, shown and painted.
    void open(const KV_Person* person)
    {
        form->LoadPictureList(person->ID);
        form->ShowPicture(QString());
        form->show();
        QApplication::processEvents();
    }

    QPoint cellCentre(int index) const
    {
        TRect cell;
        EXPECT_TRUE(form->GetCellRect(QString::number(index), false, cell));
        return QPoint((cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2);
    }
    void clickCell(int index) { QTest::mouseClick(form->PaintBoxMiniatury, Qt::LeftButton, {}, cellCentre(index)); }
    // The colour of the strip at a point of the cell, counted from the cell's top-left corner.
    QColor stripPixel(int index, int dx, int dy) const
    {
        TRect cell;
        form->GetCellRect(QString::number(index), false, cell);
        return form->PaintBoxMiniatury->grab().toImage().pixelColor(cell.Left + dx, cell.Top + dy);
    }
    // The marker's blue disc shows a little below its top edge.
    bool hasMarker(int index) const { return near(stripPixel(index, 10 + 16, 10 + 4), QColor(52, 120, 210), 50); }
    QColor previewCentre() const
    {
        const QImage preview = form->PaintBoxZdjecie->grab().toImage();
        return preview.pixelColor(preview.width() / 2, preview.height() / 3);
    }

    void typeTitle(const QString& text)
    {
        form->AdvEditZdjecieNazwa->setFocus();
        form->AdvEditZdjecieNazwa->selectAll();
        typeText(form->AdvEditZdjecieNazwa, text);
    }

    QTemporaryDir sources;
    ScriptedFileDialogs dialogs;
    std::unique_ptr<TFormPwiekszenie> form;
};

TEST_F(PowiekszeniePlikuGraficznegoTest, addsMakesProfileAndDeletesPictures)
{
    KV_Person* person = savedPerson();
    open(person);
    EXPECT_TRUE(form->PictureIDs.isEmpty());
    EXPECT_TRUE(form->CurrentID.isEmpty());
    EXPECT_TRUE(form->PanelDaneZdjecia->isHidden());
    EXPECT_TRUE(form->ButtonUsunZdjecie->isHidden());
    EXPECT_TRUE(form->SpeedButtonUstawJakoProfilowe->isHidden());
    EXPECT_FALSE(form->SpeedButtonDodajZdjecie->isHidden());
    EXPECT_EQ(form->PaintBoxMiniatury->height(), 10) << "an empty strip";

    // The first picture: copied in, written, listed, shown, and the profile picture without being made one.
    dialogs.answers = {source(QStringLiteral("a.png"), imageBytes(filled(120, 90, red)))};
    form->SpeedButtonDodajZdjecie->click();
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(dialogs.fileRequests[0].Kind, fdOpenPicture);
    EXPECT_TRUE(dialogs.fileRequests[0].Filter.startsWith("All (*.png;*.gif;*.jpg;*.jpeg;*.bmp)|"));
    ASSERT_EQ(person->Pictures.size(), 1);
    const QString first = person->Pictures[0];
    const KV_Picture* picture = gDB.FindPicture(first);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->File, "[#] a.png");
    EXPECT_EQ(picture->Name, "a");
    EXPECT_TRUE(QFileInfo::exists(picturesFolder() + "a.png"));
    EXPECT_TRUE(readFileBytes(pathOf(first)).contains("[#] a.png"));
    EXPECT_TRUE(readFileBytes(pathOf(person->ID)).contains(first.toUtf8()));
    EXPECT_EQ(form->CurrentID, first);
    EXPECT_EQ(form->FullPath, picturesFolder() + "a.png");
    EXPECT_EQ(form->AdvEditZdjecieNazwa->GetText(), "a");
    EXPECT_FALSE(form->PanelDaneZdjecia->isHidden());
    EXPECT_FALSE(form->ButtonUsunZdjecie->isHidden());
    EXPECT_TRUE(form->SpeedButtonUstawJakoProfilowe->isHidden());
    EXPECT_TRUE(person->PictureProfile.isEmpty());
    EXPECT_TRUE(hasMarker(0));
    EXPECT_TRUE(near(previewCentre(), red));

    // Another a.png of the same size but other pixels keeps the first and takes a numbered name.
    dialogs.answers = {source(QStringLiteral("a.png"), imageBytes(filled(120, 90, green)), QStringLiteral("other"))};
    form->SpeedButtonDodajZdjecie->click();
    ASSERT_EQ(person->Pictures.size(), 2);
    const QString second = person->Pictures[1];
    EXPECT_EQ(gDB.FindPicture(second)->File, "[#] a (1).png");
    EXPECT_EQ(form->CurrentID, second);
    EXPECT_TRUE(near(previewCentre(), green));
    EXPECT_FALSE(form->SpeedButtonUstawJakoProfilowe->isHidden());
    EXPECT_TRUE(hasMarker(0));
    EXPECT_FALSE(hasMarker(1));

    form->SpeedButtonUstawJakoProfilowe->click();
    EXPECT_EQ(person->PictureProfile, second);
    EXPECT_TRUE(readFileBytes(pathOf(person->ID)).contains("PictureProfile=\"" + second.toUtf8() + "\""));
    EXPECT_EQ(form->ProfileID, second);
    EXPECT_FALSE(hasMarker(0));
    EXPECT_TRUE(hasMarker(1));

    // Deleting the profile picture: its record goes, its image stays, the marker moves to the first one left.
    prompts.answers = {Answer::Yes};
    form->ButtonUsunZdjecie->click();
    EXPECT_EQ(prompts.texts.last(), "Czy chcesz usunąć wybrane zdjęcie?");
    EXPECT_EQ(person->Pictures, QStringList{first});
    EXPECT_EQ(gDB.FindPicture(second), nullptr);
    EXPECT_FALSE(QFileInfo::exists(pathOf(second)));
    EXPECT_TRUE(QFileInfo::exists(picturesFolder() + "a (1).png"));
    EXPECT_TRUE(person->PictureProfile.isEmpty());
    EXPECT_FALSE(readFileBytes(pathOf(person->ID)).contains(second.toUtf8()));
    EXPECT_EQ(form->ProfileID, first);
    EXPECT_EQ(form->CurrentID, first);
    EXPECT_TRUE(hasMarker(0));
    EXPECT_EQ(form->PaintBoxMiniatury->height(), 160 + 2 * 10);
}

TEST_F(PowiekszeniePlikuGraficznegoTest, aFailedCopyNamesThePicturesFolderAndAddsNothing)
{
    KV_Person* person = savedPerson();
    open(person);
    // Root copies into read-only folders, so a plain file stands where the pictures folder should be.
    ASSERT_TRUE(writeFileBytes(folder.path() + "/multimedia", "not a folder"));
    const QByteArray personFile = readFileBytes(pathOf(person->ID));
    dialogs.answers = {source(QStringLiteral("a.png"), imageBytes(filled(20, 20, red)))};
    form->SpeedButtonDodajZdjecie->click();
    ASSERT_EQ(prompts.texts.size(), 1);
    EXPECT_TRUE(prompts.texts[0].startsWith("Nie można skopiować wskazanego zdjęcia do folderu"));
    EXPECT_TRUE(prompts.texts[0].contains("[" + picturesFolder() + "]")) << prompts.texts[0].toStdString();
    EXPECT_TRUE(person->Pictures.isEmpty());
    EXPECT_TRUE(form->PictureIDs.isEmpty());
    EXPECT_EQ(gDB.GetPictureCount(), 0);
    EXPECT_EQ(readFileBytes(pathOf(person->ID)), personFile);
    EXPECT_TRUE(QDir(folder.path()).entryList({"picture_*"}).isEmpty());
}

TEST_F(PowiekszeniePlikuGraficznegoTest, aPictureFileThatCannotBeWrittenIsReportedAndNotListed)
{
    KV_Person* person = savedPerson();
    open(person);
    const QByteArray personFile = readFileBytes(pathOf(person->ID));
    // Every new picture file fails: a folder stands where the data folder's files go.
    gDB.DataFolder = folder.path() + "/missing/";
    dialogs.answers = {source(QStringLiteral("a.png"), imageBytes(filled(20, 20, red)))};
    form->SpeedButtonDodajZdjecie->click();
    gDB.DataFolder = folder.path() + u'/';
    ASSERT_EQ(prompts.texts.size(), 1);
    EXPECT_FALSE(prompts.texts[0].isEmpty());
    EXPECT_TRUE(person->Pictures.isEmpty());
    EXPECT_EQ(gDB.GetPictureCount(), 0);
    EXPECT_EQ(readFileBytes(pathOf(person->ID)), personFile);
}

TEST_F(PowiekszeniePlikuGraficznegoTest, pendingEditsFollowTheAnswer)
{
    struct Case
    {
        const char* what;
        Answer answer;
        // The picture shown after the click on the second thumbnail, and the first picture's stored title.
        int shown;
        const char* storedTitle;
        bool stillPending;
    };
    const Case cases[] = {
        {"Yes saves and switches", Answer::Yes, 1, "Nowy", false},
        {"No switches and drops the edits", Answer::No, 1, "pierwsze", false},
        {"Cancel stays with the typed title", Answer::Cancel, 0, "pierwsze", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        startAfresh();
        prompts.texts.clear();
        prompts.captions.clear();
        KV_Person* person = savedPerson();
        KV_Picture* first = attach(person, source("1.png", imageBytes(filled(40, 40, red))), "pierwsze");
        KV_Picture* second = attach(person, source("2.png", imageBytes(filled(40, 40, green))), "drugie");
        const QStringList ids{first->ID, second->ID};
        open(person);
        EXPECT_TRUE(form->SpeedButtonZapisz->isHidden());
        typeTitle("Nowy");
        EXPECT_FALSE(form->SpeedButtonZapisz->isHidden()) << "typing shows Zapisz";

        prompts.answers = {c.answer};
        clickCell(1);
        ASSERT_EQ(prompts.texts.size(), 1);
        EXPECT_EQ(prompts.texts[0], "Wprowadzono zmiany w opisie zdjęcia. Czy chcesz je zapisać?");
        EXPECT_EQ(prompts.captions[0], gLangM.Get("LABEL_UWAGA"));
        EXPECT_EQ(form->CurrentID, ids[c.shown]);
        EXPECT_EQ(first->Name, c.storedTitle);
        EXPECT_EQ(readFileBytes(pathOf(first->ID)).contains("Nowy"), QString(c.storedTitle) == "Nowy");
        EXPECT_EQ(form->HasPendingEdits(), c.stillPending);
        EXPECT_EQ(form->AdvEditZdjecieNazwa->GetText(), c.shown == 1 ? "drugie" : "Nowy");
        form->hide();
    }
}

TEST_F(PowiekszeniePlikuGraficznegoTest, datesAreCheckedOnSaveAndOnClose)
{
    KV_Person* person = savedPerson();
    KV_Picture* picture = attach(person, source("1.png", imageBytes(filled(40, 40, red))), "pierwsze");
    open(person);

    form->AdvComboZdjecieData->setFocus();
    typeText(form->AdvComboZdjecieData, "zła data");
    EXPECT_EQ(form->AdvComboZdjecieData->GetFontColor(), TColor(0x0000FF)) << "an invalid date turns red";
    form->SpeedButtonZapisz->click();
    EXPECT_EQ(prompts.texts.last(), "Wpisz poprawną wartość w pole Data!");
    EXPECT_TRUE(form->HasPendingEdits());

    form->AdvComboZdjecieData->SetText("N.N.");
    EXPECT_NE(form->AdvComboZdjecieData->GetFontColor(), TColor(0x0000FF));
    form->SpeedButtonZapisz->click();
    EXPECT_FALSE(form->HasPendingEdits());
    EXPECT_EQ(picture->Date.ToStorageText(), "#NN#");
    EXPECT_TRUE(readFileBytes(pathOf(picture->ID)).contains("#NN#"));

    // Closing with an invalid date answered Yes keeps the window open; No then closes it.
    bool openAfterYes = false;
    prompts.texts.clear();
    whenShownModal(form.get(), [&] {
        form->AdvComboZdjecieData->SetText("31 lutego 1900 zła");
        prompts.answers = {Answer::Yes};
        form->AdvEditZdjecieNazwa->setFocus();
        QTest::keyClick(form->AdvEditZdjecieNazwa, Qt::Key_Escape);
        // The close is decided once this step has returned to the modal loop.
        QTimer::singleShot(0, form.get(), [&] {
            openAfterYes = form->IsModal() && form->isVisible();
            prompts.answers = {Answer::No};
            form->Close();
        });
    });
    EXPECT_EQ(form->ShowModal(), mrCancel);
    EXPECT_TRUE(openAfterYes);
    EXPECT_TRUE(prompts.texts.contains("Wpisz poprawną wartość w pole Data!"));
    EXPECT_EQ(picture->Date.ToStorageText(), "#NN#");

    // "Dodaj zdjęcie" with pending edits asks first: Cancel stays, No drops the edits and opens the dialog.
    form->show();
    typeTitle("Inny");
    prompts.texts.clear();
    prompts.answers = {Answer::Cancel};
    form->SpeedButtonDodajZdjecie->click();
    EXPECT_EQ(prompts.texts.size(), 1);
    EXPECT_TRUE(dialogs.fileRequests.empty());
    EXPECT_EQ(form->AdvEditZdjecieNazwa->GetText(), "Inny");
    prompts.answers = {Answer::No};
    form->SpeedButtonDodajZdjecie->click();
    EXPECT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(form->AdvEditZdjecieNazwa->GetText(), "pierwsze");
    EXPECT_FALSE(form->HasPendingEdits());
}

TEST_F(PowiekszeniePlikuGraficznegoTest, cellsWheelAndPreviewGeometry)
{
    KV_Person* person = savedPerson();
    for (int i = 0; i < 10; ++i)
        attach(person, source(QStringLiteral("%1.png").arg(i), imageBytes(filled(400, 200, red))));
    open(person);

    const int w = form->PanelInneZdjecia->width() - 60;
    EXPECT_EQ(w, 200);
    for (int i : {0, 1, 9}) {
        TRect cell;
        ASSERT_TRUE(form->GetCellRect(QString::number(i), false, cell));
        EXPECT_EQ(cell, Rect(10, 5 + 170 * i, 10 + w, 155 + 170 * i)) << i;
        ASSERT_TRUE(form->GetCellRect(person->Pictures[i], true, cell));
        EXPECT_EQ(cell.Top, 5 + 170 * i);
    }
    TRect cell;
    EXPECT_FALSE(form->GetCellRect("10", false, cell));
    EXPECT_FALSE(form->GetCellRect("01", false, cell));
    EXPECT_FALSE(form->GetCellRect("picture_none", true, cell));
    EXPECT_EQ(form->PaintBoxMiniatury->size(), QSize(form->PanelInneZdjecia->width() - 50, 10 * 160 + 11 * 10));

    // The hand over a cell, the arrow between cells.
    QTest::mouseMove(form->PaintBoxMiniatury, cellCentre(0));
    EXPECT_EQ(form->PaintBoxMiniatury->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(form->PaintBoxMiniatury, QPoint(100, 162));
    EXPECT_EQ(form->PaintBoxMiniatury->cursor().shape(), Qt::ArrowCursor);

    const auto turn = [](QWidget* target, int delta) {
        const QPoint at(target->width() / 2, target->height() / 2);
        QWheelEvent wheel(at, target->mapToGlobal(at), {}, QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &wheel);
    };
    QScrollBar* strip = form->ScrollBoxMiniatury->verticalScrollBar();
    QScrollBar* preview = form->ScrollBoxPreview->verticalScrollBar();
    // Room to scroll the preview, which otherwise always fits its area.
    form->PanelZdjecieIMG->setMinimumHeight(3000);
    QApplication::processEvents();
    turn(form->ScrollBoxMiniatury->viewport(), -120);
    EXPECT_EQ(strip->value(), 10);
    turn(form->ScrollBoxMiniatury->viewport(), -240);
    EXPECT_EQ(strip->value(), 30);
    turn(form->ScrollBoxMiniatury->viewport(), 120);
    EXPECT_EQ(strip->value(), 20);
    turn(form->PaintBoxZdjecie, -120);
    EXPECT_EQ(preview->value(), 10);
    EXPECT_EQ(strip->value(), 20);
    turn(form->MemoNote->viewport(), 360);
    EXPECT_EQ(preview->value(), 0) << "never above the top";
    form->PanelZdjecieIMG->setMinimumHeight(0);

    // The 400 x 200 picture fills the width less 10 px on each side, at the top, at every size of the window.
    for (const QSize& size : {QSize(1000, 660), QSize(1300, 900), QSize(900, 550)}) {
        form->resize(size);
        QApplication::processEvents();
        const QImage shot = form->PaintBoxZdjecie->grab().toImage();
        ASSERT_EQ(form->PreviewBitmap.size(), form->PaintBoxZdjecie->size());
        const int inner = shot.width() - 20;
        const int height = qMin(shot.height() - 20, inner / 2);
        const int width = height * 2;
        const int left = (shot.width() - width) / 2;
        SCOPED_TRACE(QStringLiteral("%1 x %2").arg(shot.width()).arg(shot.height()).toStdString());
        EXPECT_TRUE(near(shot.pixelColor(left + 2, 12), red));
        EXPECT_TRUE(near(shot.pixelColor(left + width - 3, 10 + height - 3), red));
        EXPECT_FALSE(near(shot.pixelColor(left + width + 6, 10 + height / 2), red));
        EXPECT_FALSE(near(shot.pixelColor(left + width / 2, 10 + height + 6), red));
    }
}

TEST_F(PowiekszeniePlikuGraficznegoTest, sixKindsOfPicturesAndEscape)
{
    KV_Person* person = savedPerson();
    attach(person, source("zielony.png", imageBytes(filled(300, 200, green))), "PNG");
    attach(person, source("czerwony.jpg", imageBytes(filled(200, 300, red), "JPG")), "JPEG");
    GifWriter gif(80, 60);
    gif.image(0, 0, 80, 60, GifWriter::Blue);
    attach(person, source("niebieski.gif", gif.finish()), "GIF");
    attach(person, source("fioletowy.bmp", imageBytes(filled(250, 250, purple), "BMP")), "BMP");
    attach(person, source("zepsuty.png", "to nie jest obraz"), "zepsuty");
    person->Pictures.append("picture_00000000-0000-0000-0000-000000000000");
    person->PictureProfile = person->Pictures[1];
    ASSERT_TRUE(gDB.SavePerson(person, person->ID));

    form->LoadPictureList(person->ID);
    form->PanelTitle->SetText("Zdjęcia: Jan Kowalski");
    form->ShowPicture(person->Pictures[1]);
    form->show();
    form->ScrollBoxMiniatury->verticalScrollBar()->setValue(0);
    QApplication::processEvents();
    EXPECT_TRUE(near(previewCentre(), red));
    EXPECT_TRUE(hasMarker(1));
    EXPECT_TRUE(near(stripPixel(3, 100, 75), purple));
    form->grab().save(testOutputFolder() + "/picture-viewer.png");

    // The cell of an ID without a record ignores a click; an unreadable file shows its empty fields.
    form->ScrollBoxMiniatury->verticalScrollBar()->setValue(form->ScrollBoxMiniatury->verticalScrollBar()->maximum());
    QApplication::processEvents();
    form->grab().save(testOutputFolder() + "/picture-viewer-end.png");
    clickCell(5);
    EXPECT_EQ(form->CurrentID, person->Pictures[1]);
    clickCell(4);
    EXPECT_EQ(form->CurrentID, person->Pictures[4]);
    EXPECT_EQ(form->AdvEditZdjecieNazwa->GetText(), "zepsuty");

    whenShownModal(form.get(), [&] {
        form->MemoNote->setFocus();
        QTest::keyClick(form->MemoNote, Qt::Key_Escape);
    });
    EXPECT_EQ(form->ShowModal(), mrCancel);
    EXPECT_TRUE(form->PreviewBitmap.isNull()) << "closing releases the preview";
}

} // namespace
