#include "ListaOsobForm.h"
#include "AdvCombo.h"
#include "AdvEdit.h"
#include "AppFixture.h"
#include "Fact.h"
#include "Fonts.h"
#include "FormularzOsobyUnit.h"
#include "Grids.h"
#include "Localisation.h"
#include "Miniaturyunit.h"
#include "OsobaFormUnit.h"
#include "PersonListModel.h"
#include "Picture.h"
#include "Picturemanager.h"
#include "ReportWindows.h"
#include "StartUnit.h"
#include "StepAtQuestionPrompter.h"
#include "TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLinearGradient>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QSet>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <vector>

namespace {

// Counts the showings of a window.
class ShowCounter : public QObject
{
public:
    explicit ShowCounter(QWidget* window) { window->installEventFilter(this); }
    int shown = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            ++shown;
        return false;
    }
};

class ListaOsobFormTest : public AppFixture
{
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        ASSERT_TRUE(folder.isValid());
        gDB.DataFolder = folder.path() + u'/';
        gDB.FileExtension = QStringLiteral(".kvfile");
        gDB.StorageError.clear();
        gSettings.PersonListStyle = StyleList;
        gSettings.Apply();
        gAppFolder = QStringLiteral(KRONVEL_SOURCE_DIR "/resources/");
        gMiniaturyUnit.CacheFolder.clear();
        form = std::make_unique<TFormListaOsob>();
        FormListaOsob = form.get();
        form->EditPerson = [this](const QString& id, int sex) {
            calls << QStringLiteral("edit '%1' %2").arg(id).arg(sex);
            return editResult;
        };
        form->ShowFamilyView = [this](const QString& id) { calls << QStringLiteral("family '%1'").arg(id); };
    }
    void TearDown() override
    {
        form.reset();
        gReportWindows = ReportWindows();
        gDB.DataFolder.clear();
        gDB.FileExtension.clear();
        AppFixture::TearDown();
    }

    static KV_Person* addPerson(const QString& surname, const QString& forename, int sex, bool dead = false)
    {
        auto* person = new KV_Person;
        person->Surname = surname;
        person->Forename = forename;
        person->Sex = sex;
        person->SetDead(dead);
        gDB.AddPerson(person);
        return person;
    }
    // storedDate as the files keep it: "#1DDMMYYYY", "" for none.
    static void addFact(KV_Person* person, const char* type, const QString& storedDate, const QString& place)
    {
        auto* fact = new KV_Fact;
        fact->Type = QLatin1String(type);
        fact->Date.FromStorageText(storedDate);
        fact->Place = place;
        gDB.AddFactToPerson(person->ID, fact);
    }

    // Ten persons: three of them dead, one of them with a death fact without a date and one without any.
    void makeTen()
    {
        jan = addPerson("Kowalski", "Jan", 1, true);
        addFact(jan, "BIRT", "#112051901", "Kraków");
        addFact(jan, "DEAT", "#103041970", "Kraków");
        anna = addPerson("Kowalska", "Anna", 0, true);
        addFact(anna, "BIRT", "#100001905", "Poznań");
        addFact(anna, "DEAT", "", "Poznań");
        piotr = addPerson("Nowak", "Piotr", 1);
        addFact(piotr, "BIRT", "#101011930", "Gdańsk");
        maria = addPerson("Nowak", "Maria", 0);
        addFact(maria, "BIRT", "#115081932", "Gdańsk");
        jozef = addPerson("Wiśniewski", "Józef", 2);
        addFact(jozef, "BIRT", "#107071950", "Łódź");
        zofia = addPerson("Wójcik", "Zofia", 0, true);
        adam = addPerson("Zieliński", "Adam", 1);
        addFact(adam, "BIRT", "#101021960", "Kraków");
        addPerson("Zielińska", "Ewa", 0);
        addPerson("Lewandowski", "Marek", 1);
        addPerson("Kamińska", "Barbara", 0);
    }

    // Shows the window as the main window does and waits until it is active, without a modal loop.
    bool showBrowsing()
    {
        form->MarkForRefresh();
        form->show();
        form->activateWindow();
        return QTest::qWaitForWindowActive(form.get());
    }

    // Runs ShowPersonList, with one step for each showing of the window; a step that leaves the window open gets
    // it closed, so a missing step fails the test instead of hanging it.
    void runShowings(bool selectMode, std::vector<std::function<void()>> steps)
    {
        ShowCounter counter(form.get());
        size_t done = 0;
        QTimer poll;
        poll.setInterval(5);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (!form->IsModal() || counter.shown <= int(done))
                return;
            // The offscreen platform activates a window only at its first showing: its focus window stays the
            // same while it is hidden.
            if (!form->isActiveWindow())
                QApplication::setActiveWindow(form.get());
            if (done < steps.size())
                steps[done]();
            ++done;
            if (form->IsModal() && form->GetModalResult() == mrNone)
                form->Zamknij();
        });
        poll.start();
        form->MarkForRefresh();
        form->ShowPersonList(selectMode);
        EXPECT_EQ(done, steps.size());
    }

    QString titleText() const { return form->PanelTitle->text(); }
    QString cell(int row, int column) const { return form->ListViewOsobyModel->index(row, column).data().toString(); }
    int rowOf(const KV_Person* person) const { return int(gDB.ResultList.indexOf(const_cast<KV_Person*>(person))); }
    QStringList column(int col) const
    {
        QStringList texts;
        for (int row = 0; row < form->ListViewOsobyModel->rowCount(); ++row)
            texts << cell(row, col);
        return texts;
    }
    void clickHeader(int section)
    {
        QHeaderView* header = form->ListViewOsoby->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(section) + 10, header->height() / 2));
    }
    void selectRow(int row)
    {
        form->ListViewOsoby->selectionModel()->setCurrentIndex(
            form->ListViewOsobyModel->index(row, 1), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    static void chooseItem(TAdvComboBox* combo, int index)
    {
        combo->SetItemIndex(index);
        Q_EMIT combo->activated(index);
    }

    QTemporaryDir folder;
    RecordingPrompter prompts;
    std::unique_ptr<TFormListaOsob> form;
    QStringList calls;
    QString editResult;
    KV_Person* jan = nullptr;
    KV_Person* anna = nullptr;
    KV_Person* piotr = nullptr;
    KV_Person* maria = nullptr;
    KV_Person* jozef = nullptr;
    KV_Person* zofia = nullptr;
    KV_Person* adam = nullptr;
};

TEST_F(ListaOsobFormTest, titleCountsTheRowsAndFiltersShowTheClearButtonThatF10Hides)
{
    makeTen();
    ASSERT_TRUE(showBrowsing());
    EXPECT_EQ(titleText(), "Liczba osób: 10");
    EXPECT_TRUE(form->ButtonWyczysc->isHidden());

    chooseItem(form->FiltrStan, 1);
    EXPECT_EQ(titleText(), "Liczba osób: 3 z 10");
    EXPECT_FALSE(form->ButtonWyczysc->isHidden());
    EXPECT_EQ(form->ListViewOsobyModel->rowCount(), 3);

    form->EditSzukaj->setFocus();
    QTest::keyClick(form->EditSzukaj, Qt::Key_F10);
    EXPECT_EQ(titleText(), "Liczba osób: 10");
    EXPECT_TRUE(form->ButtonWyczysc->isHidden());
    EXPECT_EQ(form->FiltrStan->GetItemIndex(), 0);
}

TEST_F(ListaOsobFormTest, emptyDatabaseShowsOneWhiteTileRowAndDisablesThePersonCommands)
{
    gSettings.PersonListStyle = StyleTiles;
    ASSERT_TRUE(showBrowsing());
    form->Refill(QString());
    EXPECT_EQ(titleText(), "Liczba osób: 0");
    EXPECT_EQ(form->DrawGridListaOsob->GetRowCount(), 1);
    const QImage tiles = form->DrawGridListaOsob->viewport()->grab().toImage();
    for (int y = 0; y < tiles.height(); y += 7) {
        for (int x = 0; x < tiles.width(); x += 7)
            ASSERT_EQ(tiles.pixelColor(x, y), QColor(Qt::white)) << x << "," << y;
    }

    ASSERT_TRUE(form->TimerPokazZdjecie->isActive());
    form->TimerPokazZdjecieTimer();
    EXPECT_FALSE(form->TimerPokazZdjecie->isActive());
    for (QPushButton* button : {form->ButtonDrukuj, form->ButtonPersonEdit, form->ButtonPersonUsun,
                                form->ButtonPersonFormularz, form->ButtonPersonSelect})
        EXPECT_FALSE(button->isEnabled()) << button->objectName().toStdString();
    EXPECT_TRUE(form->ButtonAddFemale->isEnabled());
}

TEST_F(ListaOsobFormTest, cellsShowSexDatesAndDeathOnlyForDeadPersons)
{
    makeTen();
    ASSERT_TRUE(showBrowsing());
    struct Case
    {
        KV_Person** person;
        QString name, sex, birth, birthPlace, death, deathPlace;
    };
    const QString nbsp(QChar(0x00A0));
    const Case cases[] = {
        {&jan, "Kowalski, Jan", "M", "12-05-1901" + nbsp + "r.", "Kraków", "03-04-1970" + nbsp + "r.", "Kraków"},
        {&anna, "Kowalska, Anna", "K", "1905" + nbsp + "r.", "Poznań", "+", "Poznań"},
        {&maria, "Nowak, Maria", "K", "15-08-1932" + nbsp + "r.", "Gdańsk", "", ""},
        {&jozef, "Wiśniewski, Józef", "?", "07-07-1950" + nbsp + "r.", "Łódź", "", ""},
        {&zofia, "Wójcik, Zofia", "K", "", "", "", ""},
    };
    for (const Case& c : cases) {
        const int row = rowOf(*c.person);
        ASSERT_GE(row, 0);
        const QStringList cells = {cell(row, 2), cell(row, 4), cell(row, 5), cell(row, 6), cell(row, 7), cell(row, 8)};
        EXPECT_EQ(cells, QStringList({c.name, c.sex, c.birth, c.birthPlace, c.death, c.deathPlace}))
            << c.name.toStdString() << ": " << cells.join(u'|').toStdString();
        EXPECT_EQ(cell(row, 1), QString::number(row + 1));
        EXPECT_EQ(form->ListViewOsobyModel->index(row, 0).data(PersonListModel::IDRole).toString(), (*c.person)->ID);
    }
}

TEST_F(ListaOsobFormTest, twoClicksOnBirthDateSortBothWaysKeepingTheSelectedPerson)
{
    makeTen();
    ASSERT_TRUE(showBrowsing());
    QHeaderView* header = form->ListViewOsoby->horizontalHeader();
    EXPECT_EQ(header->sortIndicatorSection(), 2) << "by name at first";
    form->SelectID(maria->ID);

    clickHeader(5);
    EXPECT_EQ(header->sortIndicatorSection(), 5);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
    QStringList expected = {"", "", "", "", "1901", "1905", "1930", "1932", "1950", "1960"};
    QStringList years;
    for (const QString& date : column(5))
        years << date.section(u'-', -1).left(4);
    EXPECT_EQ(years, expected) << "persons without a birth date first";
    EXPECT_EQ(form->GetCurrentID(), maria->ID);

    clickHeader(5);
    EXPECT_EQ(header->sortIndicatorSection(), 5);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
    EXPECT_EQ(cell(0, 2), "Zieliński, Adam");
    EXPECT_EQ(form->GetCurrentID(), maria->ID);

    // "LP" sorts nothing: the mark stays where the order is.
    clickHeader(1);
    EXPECT_EQ(header->sortIndicatorSection(), 5);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
    EXPECT_EQ(cell(0, 2), "Zieliński, Adam");
}

TEST_F(ListaOsobFormTest, lettersTypedQuicklyRefillOnceWithTheFinalText)
{
    makeTen();
    ASSERT_TRUE(showBrowsing());
    form->EditSzukaj->setFocus();
    QTest::keyClicks(form->EditSzukaj, QStringLiteral("nowak"));
    EXPECT_EQ(form->ListViewOsobyModel->rowCount(), 10) << "the refill waits for the event loop";
    QCoreApplication::processEvents();
    EXPECT_EQ(column(2), QStringList({"Nowak, Maria", "Nowak, Piotr"}));
    EXPECT_EQ(titleText(), "Liczba osób: 2 z 10");
    EXPECT_EQ(form->GetCurrentID(), maria->ID) << "the first row is selected";
}

TEST_F(ListaOsobFormTest, tileColumnsFollowTheGridWidth)
{
    struct Case
    {
        int gridWidth, columns, columnWidth;
    };
    const Case cases[] = {{1000, 3, 323}, {400, 1, 370}, {300, 1, 300}, {20, 1, 300}};
    for (const Case& c : cases) {
        form->DrawGridListaOsob->resize(c.gridWidth, 300);
        form->LayoutTiles();
        EXPECT_EQ(form->DrawGridListaOsob->GetColCount(), c.columns) << c.gridWidth;
        for (int col = 0; col < c.columns; ++col)
            EXPECT_EQ(form->DrawGridListaOsob->GetColWidth(col), c.columnWidth) << c.gridWidth;
    }
}

TEST_F(ListaOsobFormTest, aSearchRepaintsTheTilesEvenWhenTheirRowCountStays)
{
    gSettings.PersonListStyle = StyleTiles;
    ASSERT_TRUE(showBrowsing());
    // One row of tiles before the search and after it: a Nowak in the last tile, and Kowalskis before.
    const int columns = form->DrawGridListaOsob->GetColCount();
    ASSERT_GE(columns, 2);
    for (int i = 1; i < columns; ++i)
        addPerson("Kowalski", QStringLiteral("Jan %1").arg(i), 1);
    addPerson("Nowak", "Piotr", 1);
    form->Refill(QString());
    QCoreApplication::processEvents();
    QSet<int> drawn;
    const auto drawCell = form->DrawGridListaOsob->OnDrawCell;
    form->DrawGridListaOsob->OnDrawCell = [&](TDrawGrid* grid, int col, int row, const TRect& rect,
                                              TGridDrawState state, TCanvas& canvas) {
        drawn.insert(row * grid->GetColCount() + col);
        drawCell(grid, col, row, rect, state, canvas);
    };
    form->EditSzukaj->SetText(QStringLiteral("Kowal"));
    form->Refill(QString());
    ASSERT_EQ(form->DrawGridListaOsob->GetRowCount(), 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return drawn.contains(columns - 1); })) << "the last tile still shows Nowak";
}

TEST_F(ListaOsobFormTest, tileTextsLieOneBelowTheOtherWithinTheTile)
{
    const QString longName = u("Aleksandra Wiktoria Maria Józefina Konstancja Wiśniewska-Zielińska");
    const QString longPlace = u("ur. 12-05-1901 r., Kraków, powiat krakowski, województwo krakowskie, Polska");
    const QString death = u("zm. 03-04-1970 r., Poznań");
    struct Case
    {
        const char* what;
        QStringList texts;
        // Each text gets at least these lines, an empty one none.
        int leastLines[3];
    };
    const Case cases[] = {
        {"short texts", {u("Jan Kowalski"), u("ur. 1901"), death}, {1, 1, 1}},
        {"a long name", {longName, u("ur. 1901"), death}, {2, 1, 1}},
        {"a birth place on two lines", {u("Jan Kowalski"), longPlace, death}, {1, 2, 1}},
        {"everything long", {longName, longPlace, longPlace}, {2, 1, 1}},
        {"no death", {longName, longPlace, QString()}, {2, 1, 0}},
    };
    QFont name(Fonts::familyFor(QStringLiteral("Tahoma")));
    name.setPixelSize(14);
    name.setBold(true);
    QFont date(Fonts::familyFor(QStringLiteral("Tahoma")));
    date.setPixelSize(13);
    // The text area of a tile 300 px wide and 100 px high.
    const QRectF area(101, 17, 196, 81);
    for (const Case& c : cases) {
        const QVector<TileTextLine> lines = LayoutTileTexts(c.texts, {name, date, date}, area, 3);
        int counts[3] = {0, 0, 0};
        for (int i = 0; i < lines.size(); ++i) {
            ++counts[lines[i].text];
            EXPECT_TRUE(area.contains(lines[i].box)) << c.what << ", line " << i;
            EXPECT_FALSE(lines[i].shown.isEmpty()) << c.what << ", line " << i;
            if (i > 0) {
                EXPECT_GE(lines[i].box.top(), lines[i - 1].box.bottom()) << c.what << ", line " << i;
            }
        }
        for (int text = 0; text < 3; ++text) {
            EXPECT_GE(counts[text], c.leastLines[text]) << c.what << ", text " << text;
            if (c.texts[text].isEmpty()) {
                EXPECT_EQ(counts[text], 0) << c.what << ", text " << text;
            }
        }
    }
}

TEST_F(ListaOsobFormTest, lastListColumnTakesTheRestButNeverLessThan120)
{
    QHeaderView* header = form->ListViewOsoby->horizontalHeader();
    const int others = 50 + 300 + 0 + 70 + 110 + 120 + 110;
    form->ListViewOsoby->resize(1200, 300);
    form->FitLastColumn();
    EXPECT_EQ(header->sectionSize(8), 1200 - 30 - others);
    form->ListViewOsoby->resize(500, 300);
    form->FitLastColumn();
    EXPECT_EQ(header->sectionSize(8), 120);

    form->ListViewOsoby->resize(1200, 300);
    header->resizeSection(2, 200);
    EXPECT_EQ(header->sectionSize(8), 1200 - 30 - others + 100) << "dragging a divider refits the last column";
}

TEST_F(ListaOsobFormTest, tilesShowTheProfileThumbnailOrThePlaceholderOfTheSex)
{
    const QString female = gAppFolder + "TEMPLATE/include/avatar_female.png";
    const QString male = gAppFolder + "TEMPLATE/include/avatar_male.png";
    ASSERT_FALSE(QImage(female).isNull());
    ASSERT_FALSE(QImage(male).isNull());
    EXPECT_EQ(GetTilePicturePath(*addPerson("A", "Anna", 0)), female);
    EXPECT_EQ(GetTilePicturePath(*addPerson("B", "Bolesław", 1)), male);
    EXPECT_EQ(GetTilePicturePath(*addPerson("C", "Czesław", 2)), male);

    KV_Person* withPicture = addPerson("D", "Danuta", 0);
    const QString file = folder.filePath("portret.png");
    QImage portrait(600, 800, QImage::Format_RGB32);
    portrait.fill(Qt::darkCyan);
    ASSERT_TRUE(portrait.save(file));
    auto* picture = new KV_Picture;
    picture->SetFile(file);
    gDB.AddPictureToPerson(withPicture->ID, picture);
    withPicture->PictureProfile = picture->ID;
    EXPECT_EQ(GetTilePicturePath(*withPicture), file) << "no thumbnail folder yet";
    gMiniaturyUnit.CacheFolder = folder.filePath("thumbnails/");
    const QString thumbnail = GetTilePicturePath(*withPicture);
    EXPECT_TRUE(thumbnail.startsWith(gMiniaturyUnit.CacheFolder)) << thumbnail.toStdString();
    EXPECT_EQ(QImage(thumbnail).size(), QSize(187, 250));
}

TEST_F(ListaOsobFormTest, deleteSelectsTheNextRowThenTheNewLastRowAndEmptiesTheList)
{
    makeTen();
    ASSERT_TRUE(showBrowsing());
    const QString question =
        gLangM.Get("LABEL_CZY_CHCESZ_USUNAC_WYBRANA_OSOBE_ORAZ_WSZYSTKIE_JEJ_ODWOLANIA_DO_INNYCH_OSOB?");

    const QString next = gDB.ResultList[5]->ID;
    selectRow(4);
    prompts.answers = {Prompter::Answer::Yes};
    form->deletePerson();
    EXPECT_EQ(prompts.texts.last(), question);
    EXPECT_EQ(prompts.captions.last(), "Uwaga");
    EXPECT_EQ(form->ListViewOsobyModel->rowCount(), 9);
    EXPECT_EQ(form->GetCurrentID(), next);

    const QString newLast = gDB.ResultList[7]->ID;
    selectRow(8);
    prompts.answers = {Prompter::Answer::Yes};
    form->deletePerson();
    EXPECT_EQ(form->ListViewOsobyModel->rowCount(), 8);
    EXPECT_EQ(form->GetCurrentID(), newLast);

    prompts.answers = {Prompter::Answer::No};
    form->deletePerson();
    EXPECT_EQ(form->ListViewOsobyModel->rowCount(), 8) << "only Yes deletes";

    chooseItem(form->FiltrPlec, 3);
    ASSERT_EQ(form->ListViewOsobyModel->rowCount(), 1);
    prompts.answers = {Prompter::Answer::Yes};
    form->deletePerson();
    EXPECT_EQ(form->ListViewOsobyModel->rowCount(), 0);
    EXPECT_EQ(form->GetCurrentID(), "");
    EXPECT_EQ(titleText(), "Liczba osób: 0 z 7");
}

TEST_F(ListaOsobFormTest, failedDeleteShowsTheStorageErrorAndKeepsTheRows)
{
    makeTen();
    ASSERT_TRUE(showBrowsing());
    form->SelectID(piotr->ID);
    // A folder under the person's file name cannot be deleted as a file (and root writes anywhere).
    ASSERT_TRUE(QDir().mkpath(gDB.DataFolder + piotr->ID + gDB.FileExtension + "/inside"));
    prompts.answers = {Prompter::Answer::Yes};
    form->deletePerson();
    ASSERT_EQ(prompts.texts.size(), 2);
    EXPECT_FALSE(prompts.texts.last().isEmpty());
    EXPECT_EQ(prompts.texts.last(), gDB.StorageError);
    EXPECT_EQ(form->ListViewOsobyModel->rowCount(), 10);
    EXPECT_EQ(form->GetCurrentID(), piotr->ID);
    EXPECT_NE(gDB.FindPerson(piotr->ID), nullptr);
}

// Only the ID is kept across the question: a person deleted meanwhile (in another window) ends the command quietly.
TEST_F(ListaOsobFormTest, aPersonDeletedWhileTheQuestionWaitsIsNotDeletedAgain)
{
    makeTen();
    ASSERT_TRUE(showBrowsing());
    const QString id = piotr->ID;
    form->SelectID(id);
    StepAtQuestionPrompter questions;
    questions.answers = {Prompter::Answer::Yes};
    questions.atQuestion = [id] { ASSERT_TRUE(gDB.DeletePerson(gDB.FindPerson(id))); };
    form->deletePerson();
    EXPECT_EQ(questions.texts.size(), 1) << "the question alone: " << questions.texts.join(" | ").toStdString();
    EXPECT_EQ(gDB.FindPerson(id), nullptr);
    EXPECT_EQ(gDB.GetPersonCount(), 9);
}

TEST_F(ListaOsobFormTest, selectModeReturnsTheChosenPersonOrNothing)
{
    makeTen();
    struct Case
    {
        const char* how;
        std::function<void(TFormListaOsob*)> close;
        bool chosen;
    };
    const Case cases[] = {
        {"double click",
         [](TFormListaOsob* f) {
             const QRect row = f->ListViewOsoby->visualRect(f->ListViewOsobyModel->index(1, 2));
             QTest::mouseClick(f->ListViewOsoby->viewport(), Qt::LeftButton, {}, row.center());
             QTest::mouseDClick(f->ListViewOsoby->viewport(), Qt::LeftButton, {}, row.center());
         },
         true},
        {"Wybierz zaznaczoną osobę", [](TFormListaOsob* f) { f->ButtonPersonSelect->click(); }, true},
        {"Zamknij", [](TFormListaOsob* f) { f->ButtonClose->click(); }, false},
        {"close box", [](TFormListaOsob* f) { f->close(); }, false},
    };
    for (const Case& c : cases) {
        QString listed;
        form->PresetFilter(QString(), true, true);
        runShowings(true, {[&] {
                        EXPECT_FALSE(form->ButtonPersonSelect->isHidden());
                        EXPECT_TRUE(form->ButtonAddMale->isHidden());
                        EXPECT_TRUE(form->ButtonPersonEdit->isHidden());
                        form->SelectID(gDB.ResultList[1]->ID);
                        listed = form->GetCurrentID();
                        c.close(form.get());
                    }});
        EXPECT_FALSE(form->isVisible()) << c.how;
        EXPECT_EQ(form->GetSelectedID(), c.chosen ? listed : QString()) << c.how;
        EXPECT_TRUE(calls.isEmpty()) << c.how;
    }

    form->PresetFilter(QStringLiteral("kow"), true, false);
    EXPECT_EQ(form->FiltrPlec->currentText(), "kobiety");
    EXPECT_EQ(form->EditSzukaj->GetText(), "kow");
    form->PresetFilter(QString(), false, true);
    EXPECT_EQ(form->FiltrPlec->currentText(), "mężczyźni");
}

TEST_F(ListaOsobFormTest, pickerProtocolListsOnlyTheAllowedSex)
{
    makeTen();
    QStringList sexes;
    QTimer::singleShot(0, [&] {
        EXPECT_TRUE(QTest::qWaitFor([&] { return form->IsModal() && form->isActiveWindow(); }));
        sexes = column(4);
        form->SelectID(anna->ID);
        form->wybierzOsobe();
    });
    EXPECT_EQ(PickPersonFromList(true, false), anna->ID);
    EXPECT_EQ(sexes, QStringList(5, "K"));
}

TEST_F(ListaOsobFormTest, browseModeRunsTheEditAndShowsTheListAgainWithThePersonSelected)
{
    makeTen();
    KV_Person* made = nullptr;
    form->EditPerson = [&](const QString& id, int sex) {
        calls << QStringLiteral("edit '%1' %2").arg(id).arg(sex);
        if (id.isEmpty()) {
            made = addPerson("Abacki", "Zbigniew", sex);
            return made->ID;
        }
        return QStringLiteral("person_gone");
    };
    QString selectedAfterNew;
    QString selectedAfterGone;
    runShowings(false, {
                           [&] {
                               EXPECT_TRUE(form->ButtonPersonSelect->isHidden());
                               form->ButtonAddMale->click();
                           },
                           [&] {
                               selectedAfterNew = form->GetCurrentID();
                               form->SelectID(piotr->ID);
                               form->editPerson();
                           },
                           [&] {
                               selectedAfterGone = form->GetCurrentID();
                               form->FormPerson();
                           },
                           [&] { form->ButtonClose->click(); },
                       });
    ASSERT_NE(made, nullptr);
    // The sex of a new person rides along; the editor of an existing person takes the person's own.
    EXPECT_EQ(calls.join(u'|').toStdString(),
              ("edit '' 1|edit '" + piotr->ID + "' 1|family '" + made->ID + "'").toStdString());
    EXPECT_EQ(selectedAfterNew, made->ID);
    EXPECT_EQ(selectedAfterGone, made->ID) << "the first row, Abacki, when the ID is gone";
}

TEST_F(ListaOsobFormTest, editOpensThePersonEditorAndReselectsThePersonAfterwards)
{
    makeTen();
    TFormDaneOsobyBasic quickForm;
    FormDaneOsobyBasic = &quickForm;
    form->EditPerson = [](const QString& id, int sex) { return EditPerson(nullptr, id, sex); };
    QString edited;
    QString selectedAfter;
    // The editor is shown from the list's loop once the list has closed.
    QTimer editorWatch;
    editorWatch.setInterval(5);
    QObject::connect(&editorWatch, &QTimer::timeout, [&] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* editor = qobject_cast<TOsobaEdycjaForm*>(window);
            if (editor && editor->isVisible() && editor->IsModal()) {
                editorWatch.stop();
                edited = editor->PersonID;
                editor->Button4Click();
            }
        }
    });
    editorWatch.start();
    runShowings(false, {[&] {
                            form->SelectID(maria->ID);
                            form->ButtonPersonEdit->click();
                        },
                        [&] { selectedAfter = form->GetCurrentID(); }});
    FormDaneOsobyBasic = nullptr;
    EXPECT_EQ(edited, maria->ID);
    EXPECT_EQ(selectedAfter, maria->ID);
}

TEST_F(ListaOsobFormTest, keysKeepTheWindowOpenMoveToTheListAndActOnTheSelectedRow)
{
    makeTen();
    runShowings(false, {[&] {
                            form->EditSzukaj->setFocus();
                            QTest::keyClick(form->EditSzukaj, Qt::Key_Escape);
                            EXPECT_TRUE(form->isVisible());
                            EXPECT_EQ(form->GetModalResult(), mrNone);
                            QTest::keyClick(form->EditSzukaj, Qt::Key_Return);
                            EXPECT_EQ(form->GetModalResult(), mrNone) << "Enter in the search box does nothing";
                            QTest::keyClick(form->EditSzukaj, Qt::Key_Down);
                            EXPECT_TRUE(form->ListViewOsoby->hasFocus());
                            form->SelectID(jan->ID);
                            QTest::keyClick(form->ListViewOsoby, Qt::Key_Return);
                        },
                        [&] { form->Zamknij(); }});
    EXPECT_EQ(calls, QStringList({"edit '" + jan->ID + "' 0"}));
}

TEST_F(ListaOsobFormTest, printMenuEnablesTreesByRelativesAndOpensTheReports)
{
    makeTen();
    piotr->AddChild(adam->ID);
    adam->FID = piotr->ID;
    adam->AddChild(zofia->ID);
    zofia->FID = adam->ID;
    QStringList reports;
    gReportWindows.ShowPersonReport = [&](const QString& id, bool locked) {
        reports << QStringLiteral("person %1 %2").arg(id).arg(locked);
    };
    gReportWindows.ShowListReport = [&] { reports << QStringLiteral("list"); };
    gReportWindows.ShowTreeReport = [&](TreeType type, const QString& id) {
        reports << QStringLiteral("tree %1 %2").arg(int(type)).arg(id);
    };
    ASSERT_TRUE(showBrowsing());
    struct Case
    {
        KV_Person** person;
        bool ancestors, descendants, both;
    };
    const Case cases[] = {{&piotr, false, true, false},
                          {&adam, true, true, true},
                          {&zofia, true, false, false},
                          {&jan, false, false, false}};
    for (const Case& c : cases) {
        form->SelectID((*c.person)->ID);
        form->PopupMenuWydrukPopup();
        EXPECT_EQ(form->Drzewoprzodkw1->isEnabled(), c.ancestors);
        EXPECT_EQ(form->Drzewopotomkw1->isEnabled(), c.descendants);
        EXPECT_EQ(form->Drzewoprzodkwipotomkw1->isEnabled(), c.both);
        EXPECT_TRUE(form->RaportDaneosobyszczegy1->isEnabled());
        EXPECT_TRUE(form->Listaosb1->isEnabled());
    }

    form->SelectID(adam->ID);
    form->ButtonDrukuj->click();
    EXPECT_TRUE(form->PopupMenuWydruk->isVisible());
    form->PopupMenuWydruk->hide();
    for (QAction* item : {form->RaportDaneosobyszczegy1, form->Listaosb1, form->Drzewoprzodkw1, form->Drzewopotomkw1,
                          form->Drzewoprzodkwipotomkw1})
        item->trigger();
    const QString id = adam->ID;
    EXPECT_EQ(reports, QStringList({"person " + id + " 0", "list", "tree 1 " + id, "tree 2 " + id, "tree 3 " + id}));
}

TEST_F(ListaOsobFormTest, viewButtonsSwitchTheViewKeepTheSelectionAndTheSetting)
{
    makeTen();
    gSettings.PersonListStyle = StyleList;
    ASSERT_TRUE(showBrowsing());
    EXPECT_TRUE(form->SBLVOsobyLista->isChecked());
    EXPECT_TRUE(form->DrawGridListaOsob->isHidden());
    form->SelectID(jozef->ID);

    form->SBLVOsobyKafelki->click();
    EXPECT_EQ(gSettings.PersonListStyle, StyleTiles);
    EXPECT_TRUE(form->ListViewOsoby->isHidden());
    EXPECT_FALSE(form->DrawGridListaOsob->isHidden());
    EXPECT_EQ(form->GetCurrentID(), jozef->ID);
    const int columns = form->DrawGridListaOsob->GetColCount();
    EXPECT_EQ(form->DrawGridListaOsob->GetRowCount(), (10 + columns - 1) / columns);

    QTest::keyClick(form->DrawGridListaOsob, Qt::Key_Right);
    EXPECT_TRUE(form->TimerPokazZdjecie->isActive()) << "a move by the user updates the buttons";
    form->TimerPokazZdjecieTimer();
    EXPECT_TRUE(form->ButtonPersonEdit->isEnabled());

    form->SBLVOsobyLista->click();
    EXPECT_EQ(gSettings.PersonListStyle, StyleList);
    EXPECT_FALSE(form->ListViewOsoby->isHidden());
}

// Pictures for the screenshots: a soft colour with the person's initials.
QString writePortrait(const QString& folder, int index, const QString& initials)
{
    QImage image(300, 400, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, 300, 400);
    gradient.setColorAt(0, QColor::fromHsv((index * 37) % 360, 70, 240));
    gradient.setColorAt(1, QColor::fromHsv((index * 37 + 40) % 360, 140, 180));
    painter.fillRect(image.rect(), gradient);
    QFont font = painter.font();
    font.setPixelSize(120);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(image.rect(), Qt::AlignCenter, initials);
    painter.end();
    const QString path = folder + QStringLiteral("/portret_%1.jpg").arg(index);
    image.save(path);
    return path;
}

TEST_F(ListaOsobFormTest, screenshotsOfTheListAndTheTilesOfFiftyPersons)
{
    const QStringList surnames = {"Kowalski", "Nowak", "Wiśniewski", "Wójcik", "Kamiński", "Zieliński", "Dąbrowski"};
    const QStringList forenames[] = {{"Anna", "Zofia", "Małgorzata", "Jadwiga", "Katarzyna"},
                                     {"Jan", "Łukasz", "Józef", "Stanisław", "Piotr", "Bartłomiej"}};
    const QString pictures = folder.filePath("multimedia");
    QDir().mkpath(pictures);
    gMiniaturyUnit.CacheFolder = folder.filePath("thumbnails/");
    for (int i = 0; i < 50; ++i) {
        const int sex = i % 2;
        QString surname = surnames[i % surnames.size()];
        if (sex == 0 && surname.endsWith(u'i'))
            surname.replace(surname.size() - 1, 1, u'a');
        KV_Person* person = addPerson(surname, forenames[sex][(i / 2) % forenames[sex].size()], sex, i % 5 == 0);
        addFact(person, "BIRT",
                QStringLiteral("#1%1%2%3")
                    .arg(1 + i % 28, 2, 10, QChar(u'0'))
                    .arg(1 + i % 12, 2, 10, QChar(u'0'))
                    .arg(1850 + 3 * i),
                "Kraków");
        if (person->IsDead())
            addFact(person, "DEAT", QStringLiteral("#10000%1").arg(1920 + i), "Warszawa");
        if (i % 4 != 3) {
            auto* picture = new KV_Picture;
            picture->SetFile(writePortrait(pictures, i, person->Forename.left(1) + person->Surname.left(1)));
            gDB.AddPictureToPerson(person->ID, picture);
            person->PictureProfile = picture->ID;
        }
    }
    gSettings.PersonListStyle = StyleList;
    ASSERT_TRUE(showBrowsing());
    form->SelectID(gDB.ResultList[2]->ID);
    // The scroll bars follow their ranges at the next turn of the event loop.
    QCoreApplication::processEvents();
    ASSERT_TRUE(form->grab().save(testOutputFolder() + "/ListaOsob_lista.png"));
    form->SBLVOsobyKafelki->click();
    form->DrawGridListaOsob->setFocus();
    QCoreApplication::processEvents();
    ASSERT_TRUE(form->grab().save(testOutputFolder() + "/ListaOsob_kafelki.png"));
}

TEST_F(ListaOsobFormTest, translationSetsEveryTextFromItsKey)
{
    const QList<CaptionEntry> entries = ListaOsobFormCaptions(form.get());
    ASSERT_EQ(entries.size(), 47);
    for (const CaptionEntry& entry : entries)
        EXPECT_NE(gLangM.Get(QLatin1String(entry.key)), QLatin1String(entry.key)) << entry.key;

    form->SetCaption(QString());
    form->FiltrStan->SetLabelCaption(QStringLiteral("x"));
    form->FiltrStan->setItemText(0, QStringLiteral("x"));
    form->FiltrPlec->SetItemIndex(2);
    for (int column = 0; column < PersonListModel::ColumnCount; ++column)
        form->ListViewOsobyModel->setHeaderData(column, Qt::Horizontal, QString());
    TStartForm main;
    TranslateForms(&main);
    EXPECT_EQ(form->GetCaption(), "Lista osób");
    EXPECT_EQ(form->FiltrStan->GetLabelCaption(), "Zmarła");
    EXPECT_EQ(form->FiltrStan->itemText(0), "wybierz");
    EXPECT_EQ(form->FiltrPlec->itemText(2), "mężczyźni");
    EXPECT_EQ(form->FiltrPlec->GetItemIndex(), 0);
    EXPECT_EQ(form->ButtonPersonSelect->text(), "Wybierz zaznaczoną osobę");
    EXPECT_EQ(form->Drzewoprzodkwipotomkw1->text(), "Drzewo przodków i potomków");
    QStringList captions;
    for (int column = 0; column < PersonListModel::ColumnCount; ++column)
        captions << form->ListViewOsobyModel->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    EXPECT_EQ(captions, QStringList({"", "LP", "Nazwisko i imię", "Rodowe", "Płeć", "Data ur.", "Miejsce ur.",
                                     "Data zg.", "Miejsce zg."}));
}

TEST_F(ListaOsobFormTest, captionKeysFollowFromTheDesignTexts)
{
    for (const CaptionEntry& entry : ListaOsobFormCaptions(form.get())) {
        QString path = QStringLiteral("FormListaOsob");
        if (entry.component != form.get())
            path += "->" + entry.component->objectName();
        QString text;
        auto* edit = qobject_cast<TAdvEdit*>(entry.component);
        auto* combo = qobject_cast<TAdvCustomCombo*>(entry.component);
        auto* action = qobject_cast<QAction*>(entry.component);
        auto* button = qobject_cast<QAbstractButton*>(entry.component);
        if (entry.item >= 0) {
            path += QStringLiteral("->Items->Strings[%1]").arg(entry.item);
            text = combo->itemText(entry.item);
        } else if (entry.column >= 0) {
            path += QStringLiteral("->Column[%1]->Caption").arg(entry.column);
            text = form->ListViewOsobyModel->headerData(entry.column, Qt::Horizontal, Qt::DisplayRole).toString();
        } else if (edit || combo) {
            path += "->LabelCaption";
            text = edit ? edit->GetLabelCaption() : combo->GetLabelCaption();
        } else {
            path += "->Caption";
            text = action   ? (action->isSeparator() ? QStringLiteral("-") : action->text())
                   : button ? button->text()
                            : form->GetCaption();
        }
        EXPECT_EQ(CaptionKey(path, text), QLatin1String(entry.key)) << entry.key;
        EXPECT_EQ(gLangM.Get(QLatin1String(entry.key)), text) << entry.key;
    }
}

} // namespace
