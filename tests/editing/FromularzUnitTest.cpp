#include "FromularzUnit.h"
#include "AdvCombo.h"
#include "FamilyFixture.h"
#include "FamilyViewPage.h"
#include "FormularzOsobyUnit.h"
#include "HtmlEscape.h"
#include "OsobaFormUnit.h"
#include "ReportWindows.h"
#include "WebPageDriver.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <memory>

#ifndef KRONVEL_SOURCE_DIR
#error "KRONVEL_SOURCE_DIR is set by the test build"
#endif

namespace {

class FromularzUnitTest : public FamilyFixture
{
protected:
    void SetUp() override
    {
        FamilyFixture::SetUp();
        gAppFolder = QStringLiteral(KRONVEL_SOURCE_DIR "/resources/");
        gTempFolder = folder.path() + QStringLiteral("/temp/");
        QDir().mkpath(gTempFolder);
        gDB.History.clear();
        view = std::make_unique<TFormFormularz>();
        FormFormularz = view.get();
        web = std::make_unique<WebPageDriver>(view->CppWebBrowserFormularz);
        view->resize(1084, 618);
    }
    void TearDown() override
    {
        FormFormularz = nullptr;
        web.reset();
        view.reset();
        gDB.History.clear();
        gReportWindows = ReportWindows();
        FamilyFixture::TearDown();
    }

    // Shows the window for the person and waits for the page.
    void showFor(const QString& id)
    {
        view->ShowFor(id);
        view->show();
        ASSERT_TRUE(web->waitForPages(1));
    }
    bool nextPage(const std::function<void()>& step) { return web->nextPage(step); }
    QVariant evaluate(const QString& script) { return web->evaluate(script); }
    // Follows the page's own link with that address, as a click would.
    void click(const QString& href) { EXPECT_TRUE(web->clickLink(href)) << "no link " << href.toStdString(); }
    // Sends the view to an address the page does not offer, as a forged link would.
    void go(const QString& address) { web->go(address); }
    // Marks the document shown, so a later look can tell whether it was replaced.
    void markDocument() { evaluate("window.kvMark = true"); }
    bool documentStillMarked() { return evaluate("window.kvMark === true").toBool(); }
    QUrl shownUrl() const { return view->CppWebBrowserFormularz->url(); }
    QString boxText(const QString& elementId, const QString& part)
    {
        return evaluate("(function () { const e = document.querySelector('#" + elementId + " ." + part +
                        "'); return e ? e.textContent : null; })()")
            .toString();
    }
    // A picture file of one colour in the data folder, attached to the person as the profile picture.
    void givePicture(const QString& personID, const QColor& colour, const QString& name)
    {
        QImage image(60, 80, QImage::Format_RGB32);
        image.fill(colour);
        QPainter(&image).fillRect(15, 10, 30, 30, colour.lighter(150));
        const QString path = folder.path() + u'/' + name;
        ASSERT_TRUE(writeFileBytes(path, imageBytes(image)));
        auto* picture = new KV_Picture;
        picture->File = path;
        ASSERT_TRUE(gDB.AddPictureToPerson(personID, picture));
    }
    // Waits until the page's pictures have loaded and the view shows them, for a screenshot.
    void waitForPicturesDrawn()
    {
        EXPECT_TRUE(waitUntil([&] { return evaluate("Array.from(document.images).every(i => i.complete)").toBool(); }));
        EXPECT_TRUE(web->waitForFrame());
    }
    // The image shows more than a blank view: many colours.
    static int colourCount(const QImage& image)
    {
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); y += 3) {
            for (int x = 0; x < image.width(); x += 3)
                colours.insert(image.pixel(x, y));
        }
        return int(colours.size());
    }

    std::unique_ptr<TFormFormularz> view;
    std::unique_ptr<WebPageDriver> web;
    RecordingOpener opener;
};

TEST_F(FromularzUnitTest, theEmptyPageOffersANewPersonWithPrintingDisabled)
{
    EXPECT_FALSE(view->SpeedButton4->isEnabled()) << "nothing to print before a page";
    EXPECT_EQ(view->GetCaption(), u("Formularz: Widok najbliższej rodziny"));
    showFor(QString());
    EXPECT_EQ(shownUrl(), QUrl::fromLocalFile(gTempFolder + ".html"));
    EXPECT_EQ(view->ShownID, "");
    EXPECT_FALSE(view->SpeedButton4->isEnabled());
    EXPECT_FALSE(view->SpeedButtonCofnij->isEnabled());
    EXPECT_EQ(evaluate("Array.from(document.querySelectorAll('#id_probant a')).map(a => a.getAttribute('href') + "
                       "'=' + a.textContent).join('|')")
                  .toString(),
              "person_add_type_100=KOBIETA|person_add_type_101=MEZCZYZNA");
    EXPECT_TRUE(evaluate("document.getElementById('spouses-column').hidden").toBool());
    EXPECT_EQ(evaluate("document.querySelectorAll('#id_father a').length").toInt(), 0) << "nothing to add to";
    EXPECT_EQ(evaluate("getComputedStyle(document.getElementById('probant-frame')).backgroundColor").toString(),
              "rgb(226, 229, 233)")
        << "the style sheet copied beside the page applies";
    for (const QString& name : FamilyViewIncludeFiles())
        EXPECT_TRUE(QFileInfo::exists(gTempFolder + name)) << name.toStdString();

    // The add menu opens on its title; the relatives an empty page cannot take cannot be clicked.
    const QString menuDisplay = "getComputedStyle(document.querySelector('.dropdown-menu')).display";
    EXPECT_EQ(evaluate(menuDisplay).toString(), "none");
    evaluate("document.getElementById('add-menu-button').click(); true");
    EXPECT_EQ(evaluate(menuDisplay).toString(), "block");
    EXPECT_EQ(
        evaluate("getComputedStyle(document.querySelector('a[href=\"person_add_type_3\"]')).pointerEvents").toString(),
        "none");
    EXPECT_EQ(
        evaluate("getComputedStyle(document.querySelector('a[href=\"person_add_type_1\"]')).pointerEvents").toString(),
        "auto");
    EXPECT_TRUE(web->waitForFrame());
    EXPECT_TRUE(view->CppWebBrowserFormularz->grab().save(testOutputFolder() + "/family_view_add_menu.png"));
}

TEST_F(FromularzUnitTest, theHistoryLeadsBackAndNeverHoldsTheEmptyPageOrARepeat)
{
    view->ShowFor(jan);
    view->show();
    ASSERT_TRUE(web->waitForPages(1));
    EXPECT_TRUE(view->SpeedButton4->isEnabled());
    EXPECT_FALSE(view->SpeedButtonCofnij->isEnabled());

    // A link to a child: the father goes onto the history.
    ASSERT_TRUE(nextPage([&] { click("person_form_" + piotr); }));
    EXPECT_EQ(view->ShownID, piotr);
    EXPECT_EQ(shownUrl(), QUrl::fromLocalFile(gTempFolder + piotr + ".html"));
    EXPECT_EQ(gDB.History, QStringList{jan});
    EXPECT_TRUE(view->SpeedButtonCofnij->isEnabled());

    // The same person again adds nothing.
    ASSERT_TRUE(nextPage([&] { click("person_form_" + piotr); }));
    EXPECT_EQ(gDB.History, QStringList{jan});

    // Back: the father again, without pushing the child.
    ASSERT_TRUE(nextPage([&] { view->SpeedButtonCofnij->click(); }));
    EXPECT_EQ(view->ShownID, jan);
    EXPECT_TRUE(gDB.History.isEmpty());
    EXPECT_FALSE(view->SpeedButtonCofnij->isEnabled());

    // The empty page is never pushed, but the person before it is.
    ASSERT_TRUE(nextPage([&] { view->SpeedButton2->click(); }));
    EXPECT_EQ(view->ShownID, "");
    EXPECT_FALSE(view->SpeedButton4->isEnabled());
    EXPECT_EQ(gDB.History, QStringList{jan});
    ASSERT_TRUE(nextPage([&] { view->BuildFamilyViewPage(anna, false); }));
    EXPECT_EQ(gDB.History, QStringList{jan});

    // A later showing of another person puts the last one shown onto the history.
    view->hide();
    view->ShowFor(ewa);
    ASSERT_TRUE(nextPage([&] { view->show(); }));
    EXPECT_EQ(view->ShownID, ewa);
    EXPECT_EQ(gDB.History, QStringList({anna, jan}));
}

TEST_F(FromularzUnitTest, aRebuildOfThePageOnShowLoadsItAgain)
{
    showFor(piotr);
    EXPECT_EQ(boxText("id_probant", "person-name"), "Piotr Kowalski");
    P(piotr)->Forename = QStringLiteral("Paweł");
    ASSERT_TRUE(nextPage([&] { view->BuildFamilyViewPage(piotr, false); }));
    EXPECT_EQ(boxText("id_probant", "person-name"), u("Paweł Kowalski"));
    EXPECT_TRUE(gDB.History.isEmpty());
}

TEST_F(FromularzUnitTest, removingAGrandparentCutsTheFathersLinkAndShowsThePageAgain)
{
    KV_Person* grandmother = addPerson(u("Aniela"), u("Kowalska"), 0);
    makeChild(P(jan), nullptr, grandmother);
    save(grandmother);
    save(P(jan));
    showFor(piotr);
    EXPECT_EQ(boxText("id_grand-parents_2", "person-name"), "Aniela Kowalska");

    prompts.answers = {Prompter::Answer::Yes};
    ASSERT_TRUE(nextPage([&] { click("person_delete_22x" + grandmother->ID); }));
    ASSERT_EQ(prompts.texts.size(), 1);
    EXPECT_TRUE(prompts.texts[0].contains("Aniela Kowalska")) << prompts.texts[0].toStdString();
    EXPECT_TRUE(prompts.texts[0].contains("Jan Kowalski")) << "the father's link, not the probant's";
    EXPECT_EQ(P(jan)->MID, "");
    EXPECT_FALSE(P(grandmother->ID)->CList.contains(jan));
    EXPECT_EQ(view->ShownID, piotr);
    EXPECT_EQ(evaluate("document.querySelector('#id_grand-parents_2 a').getAttribute('href')").toString(),
              "person_add_type_22");
}

TEST_F(FromularzUnitTest, addLinksPrepareTheAddRelativeDialogForTheRightPerson)
{
    const KV_Person* grandfather = addPerson(u("Józef"), u("Kowalski"), 1);
    struct Case
    {
        QString href;
        QString anchor;
        QString secondParent;
        RelationKind kind;
    };
    // Piotr's father is Jan, his mother Anna.
    const Case cases[] = {
        {"person_add_type_21", jan, "", RelationKind::Father},
        {"person_add_type_32", anna, "", RelationKind::Mother},
        {"person_add_type_6", jan, anna, RelationKind::Brother},
        {"person_add_type_3", piotr, "", RelationKind::Partner},
    };
    showFor(piotr);
    for (const Case& c : cases) {
        bool shown = false;
        whenShownModal(form.get(), [&] {
            shown = true;
            EXPECT_EQ(form->SubjectID, piotr) << c.href.toStdString();
            EXPECT_EQ(form->AnchorID, c.anchor) << c.href.toStdString();
            EXPECT_EQ(form->SecondParentID, c.secondParent) << c.href.toStdString();
            EXPECT_EQ(form->RelationType, c.kind) << c.href.toStdString();
            form->Button4Click();
        });
        go(c.href);
        EXPECT_TRUE(waitUntil([&] { return shown; })) << c.href.toStdString();
        EXPECT_TRUE(waitUntil([&] { return !form->isVisible(); })) << c.href.toStdString();
    }

    // Saved: the page is built again, and shows the new grandfather.
    picks = {grandfather->ID};
    whenShownModal(form.get(), [&] {
        form->WybierzOsobeZListy();
        form->ButtonZapiszClick();
    });
    ASSERT_TRUE(nextPage([&] { click("person_add_type_21"); }));
    EXPECT_EQ(P(jan)->FID, grandfather->ID);
    EXPECT_EQ(boxText("id_grand-parents_1", "person-name"), u("Józef Kowalski"));
    EXPECT_TRUE(gDB.History.isEmpty());
}

TEST_F(FromularzUnitTest, aNewWomanFromTheEmptyPageGetsHerOwnPage)
{
    TFormDaneOsobyBasic quickForm;
    FormDaneOsobyBasic = &quickForm;
    showFor(QString());
    whenShownModal(&quickForm, [&] {
        EXPECT_EQ(quickForm.AdvComboBoxPlec->currentText(), "Kobieta");
        quickForm.AdvComboBoxImie->SetText(QStringLiteral("Jadwiga"));
        quickForm.ButtonSave->click();
    });
    // The person editor opens on her; closed at once.
    auto* poll = new QTimer(view.get());
    QObject::connect(poll, &QTimer::timeout, [poll] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* editor = qobject_cast<TOsobaEdycjaForm*>(window);
            if (editor && editor->isVisible() && editor->IsModal()) {
                poll->stop();
                editor->Button4Click();
            }
        }
    });
    poll->start(5);
    ASSERT_TRUE(nextPage([&] { click("person_add_type_100"); }));
    FormDaneOsobyBasic = nullptr;
    const QString id = newPersonID();
    ASSERT_FALSE(id.isEmpty());
    EXPECT_EQ(P(id)->Sex, 0);
    EXPECT_EQ(view->ShownID, id);
    EXPECT_EQ(boxText("id_probant", "person-name"), "Jadwiga");
    EXPECT_TRUE(gDB.History.isEmpty()) << "the empty page before her is not remembered";
}

TEST_F(FromularzUnitTest, linksThatAreNoCommandLeaveThePageAndOthersGoToTheLinkPolicy)
{
    showFor(piotr);
    const QUrl page = shownUrl();
    const int loaded = web->pagesLoaded();
    markDocument();
    for (const QString& address : {QStringLiteral("person_add_type_x"), "person_delete_ab" + jan,
                                   QStringLiteral("person_add_type_77"), QStringLiteral("index.html")}) {
        go(address);
    }
    go("https://example.com/genealogy/person_form_" + jan);
    ASSERT_TRUE(waitUntil([&] { return !opener.opened.isEmpty(); }));
    // Every link was decided before the last one reached the opener, and a command a link had started would have
    // been queued then: a look into the page lets it run first, and the mark shows the document was never replaced.
    EXPECT_TRUE(documentStillMarked());
    EXPECT_EQ(opener.opened, QStringList{"https://example.com/genealogy/person_form_" + jan});
    EXPECT_EQ(shownUrl(), page);
    EXPECT_EQ(web->pagesLoaded(), loaded);
    EXPECT_EQ(view->ShownID, piotr);
    EXPECT_TRUE(prompts.texts.isEmpty());
    EXPECT_EQ(P(piotr)->FID, jan);
}

TEST_F(FromularzUnitTest, namesDatesAndPicturesReachThePageAsText)
{
    const QString hostile = QStringLiteral("O'Brien \\ <b>bold</b>\n</script><img src=x onerror=alert(1)>");
    KV_Person* person = P(kasia);
    person->Forename = hostile;
    person->Dead = 1;
    addFact(person, "DEAT", "1990", hostile);
    const QString pictureFolder = folder.path() + QStringLiteral("/it's <b> & #1 zdjęcia/");
    QDir().mkpath(pictureFolder);
    QImage image(60, 80, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    ASSERT_TRUE(writeFileBytes(pictureFolder + "a'b.png", imageBytes(image)));
    auto* picture = new KV_Picture;
    picture->File = pictureFolder + "a'b.png";
    ASSERT_TRUE(gDB.AddPictureToPerson(kasia, picture));

    showFor(kasia);
    EXPECT_EQ(boxText("id_probant", "person-name"), person->GetDisplayName(DisplayNameMode::Plain, false, false));
    EXPECT_TRUE(boxText("id_probant", "person-name").startsWith(hostile));
    EXPECT_EQ(boxText("id_probant", "person-death"), person->GetDeathText(true, true, "?"));
    EXPECT_TRUE(boxText("id_probant", "person-death").contains("<b>bold</b>\n</script><img"));
    EXPECT_EQ(evaluate("document.querySelectorAll('b, img:not(.person-picture)').length").toInt(), 0);
    EXPECT_EQ(evaluate("document.scripts.length").toInt(), 2) << "no script made of the data";
    const QString source = evaluate("document.querySelector('#id_probant img').src").toString();
    EXPECT_EQ(QUrl(source).toLocalFile(), picture->File);
    EXPECT_TRUE(waitUntil(
        [&] { return evaluate("document.querySelector('#id_probant img').naturalWidth").toInt() == 60; }, 10000))
        << "the picture loads";
    // The mother's box, with no picture, shows the avatar.
    EXPECT_TRUE(evaluate("document.querySelector('#id_mother img').src").toString().endsWith("avatar_female.png"));
}

TEST_F(FromularzUnitTest, aPageThatCannotBeMadeIsReportedAndTheViewKeepsItsPage)
{
    showFor(piotr);
    const QUrl page = shownUrl();
    markDocument();
    gAppFolder = folder.path() + QStringLiteral("/nowhere/");
    view->BuildFamilyViewPage(jan, false);
    ASSERT_EQ(prompts.texts.size(), 1);
    EXPECT_EQ(prompts.texts[0],
              u("Nie można odczytać pliku [%1TEMPLATE/form.html]: No such file or directory").arg(gAppFolder));
    EXPECT_EQ(prompts.captions[0], "Kronvel");
    EXPECT_EQ(view->ShownID, jan) << "the history and the person shown are updated first";
    EXPECT_EQ(gDB.History, QStringList{piotr});
    // Nothing was asked of the view: a look into the page lets anything queued run, and finds the same document.
    EXPECT_TRUE(documentStillMarked());
    EXPECT_EQ(shownUrl(), page);
    EXPECT_EQ(boxText("id_probant", "person-name"), "Piotr Kowalski");
}

TEST_F(FromularzUnitTest, thePrintMenuOffersTheTreesThePersonHasAndReportsTheShownPerson)
{
    QStringList reports;
    gReportWindows.ShowTreeReport = [&](TreeType type, const QString& id) {
        reports << QStringLiteral("tree %1 %2").arg(int(type)).arg(id);
    };
    gReportWindows.ShowPersonReport = [&](const QString& id, bool locked) {
        reports << QStringLiteral("person %1 %2").arg(id).arg(locked);
    };
    struct Case
    {
        QString id;
        bool ancestors;
        bool descendants;
    };
    makeChild(addPerson(u("Marek"), u("Kowalski"), 1), P(piotr), nullptr);
    const Case cases[] = {{ewa, true, false}, {jan, false, true}, {adam, false, false}, {piotr, true, true}};
    for (const Case& c : cases) {
        view->ShownID = c.id;
        view->PopupMenuWydrukPopup();
        EXPECT_TRUE(view->RaportDaneszczegowe1->isEnabled());
        EXPECT_EQ(view->Drzewoprzodkw1->isEnabled(), c.ancestors) << nameOf(c.id).toStdString();
        EXPECT_EQ(view->Drzewopotomkw1->isEnabled(), c.descendants) << nameOf(c.id).toStdString();
        EXPECT_EQ(view->Drzewoprzodkwipotomkw1->isEnabled(), c.ancestors && c.descendants);
    }
    view->RaportDaneszczegowe1->trigger();
    view->Drzewoprzodkw1->trigger();
    view->Drzewopotomkw1->trigger();
    view->Drzewoprzodkwipotomkw1->trigger();
    EXPECT_EQ(reports,
              QStringList({"person " + piotr + " 1", "tree 1 " + piotr, "tree 2 " + piotr, "tree 3 " + piotr}));

    // The menu opens under the button.
    view->show();
    bool menuSeen = false;
    QTimer::singleShot(0, [&] {
        menuSeen = true;
        EXPECT_TRUE(view->PopupMenuWydruk->isVisible());
        EXPECT_EQ(view->PopupMenuWydruk->pos(),
                  view->SpeedButton4->mapToGlobal(QPoint(0, view->SpeedButton4->height())));
        view->PopupMenuWydruk->close();
    });
    view->SpeedButton4Click();
    EXPECT_TRUE(waitUntil([&] { return menuSeen; }));
}

TEST_F(FromularzUnitTest, choosingAPersonHelpAndClosing)
{
    showFor(jan);
    picks = {QString(), ewa};
    view->SpeedButton5->click();
    EXPECT_EQ(view->ShownID, jan) << "nothing chosen";
    ASSERT_TRUE(nextPage([&] { view->SpeedButton5->click(); }));
    EXPECT_EQ(view->ShownID, ewa);
    EXPECT_EQ(pickerCalls, (QList<std::pair<bool, bool>>{{true, true}, {true, true}}));

    view->SpeedButton1->click();
    EXPECT_EQ(opener.opened, QStringList{QUrl::fromLocalFile(gAppFolder + "help.pdf").toString()});

    // The way in for other windows: shown modally for the person, "Zamknij" ends the showing.
    view->hide();
    QString shownInside;
    QTimer::singleShot(0, [&] {
        ASSERT_TRUE(waitUntil([&] { return view->ShownID == maria && web->pagesLoaded() >= 3; }, 30000));
        shownInside = view->ShownID;
        view->SpeedButton3->click();
    });
    ShowFamilyView(maria);
    EXPECT_EQ(shownInside, maria);
    EXPECT_FALSE(view->isVisible());
}

TEST_F(FromularzUnitTest, screenshotsOfAFamilyAndOfTheEmptyPage)
{
    // Jan with his parents and three grandparents, a brother and a sister, two unions with children, pictures.
    KV_Person* father = addPerson(u("Stanisław"), u("Kowalski"), 1);
    KV_Person* mother = P(helena);
    KV_Person* fathersFather = addPerson(u("Józef"), u("Kowalski"), 1);
    KV_Person* fathersMother = addPerson(u("Aniela"), u("Kowalska"), 0);
    KV_Person* mothersFather = addPerson(u("Wojciech"), u("Sowa"), 1);
    KV_Person* sister = addPerson(u("Teresa"), u("Kowalska"), 0);
    KV_Person* son = addPerson(u("Marek"), u("Kowalski"), 1);
    makeUnion(father, mother);
    makeChild(father, fathersFather, fathersMother);
    makeChild(mother, mothersFather, nullptr);
    makeChild(P(jan), father, mother);
    makeChild(P(tomasz), father, mother);
    makeChild(sister, father, mother);
    makeChild(son, P(jan), P(maria));
    addFact(P(jan), "BIRT", "12.05.1950", u("Kraków"));
    addFact(fathersFather, "BIRT", "1890", u("Tarnów"));
    fathersFather->Dead = 1;
    addFact(fathersFather, "DEAT", "3.02.1960", u("Tarnów"));
    addFact(P(piotr), "BIRT", "1975");
    givePicture(jan, QColor(70, 110, 160), "jan.png");
    givePicture(anna, QColor(170, 90, 110), "anna.png");
    givePicture(fathersFather->ID, QColor(120, 120, 90), "jozef.png");

    showFor(jan);
    waitForPicturesDrawn();
    EXPECT_EQ(evaluate("document.querySelectorAll('.person-box:not(.empty)').length").toInt(), 13);
    EXPECT_EQ(evaluate("document.querySelectorAll('.child-group').length").toInt(), 2);
    const QImage family = web->pictureWhen([](const QImage& picture) { return colourCount(picture) > 50; });
    EXPECT_TRUE(family.save(testOutputFolder() + "/family_view.png"));
    EXPECT_TRUE(view->grab().save(testOutputFolder() + "/family_view_window.png"));
    EXPECT_GT(colourCount(family), 50) << "the boxes, not a blank view";

    ASSERT_TRUE(nextPage([&] { view->SpeedButton2->click(); }));
    waitForPicturesDrawn();
    const QImage empty =
        web->pictureWhen([&](const QImage& picture) { return picture != family && colourCount(picture) > 20; });
    EXPECT_TRUE(empty.save(testOutputFolder() + "/family_view_empty.png"));
    EXPECT_GT(colourCount(empty), 20) << "the boxes, not a blank view";
}

} // namespace
