#include "RaportOsobyUnit.h"
#include "ReportWindows.h"

#include "AdvCombo.h"
#include "Fact.h"
#include "Miniaturyunit.h"
#include "PdfTools.h"
#include "Pdfmanager.h"
#include "Picture.h"
#include "ProgressBar.h"
#include "TestSupport.h"

#include "TreeTestSupport.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPushButton>
#include <QTest>

namespace {

// A family made in the test: Jan with his parents, a sister and a half-brother, his wife Maria with their two
// children and a son whose mother is unknown; the report dialog; the message boxes and the desktop answered by
// the test.
class PersonReportTest : public TreeFolderFixture
{
protected:
    void SetUp() override
    {
        TreeFolderFixture::SetUp();
        gPDFManager.PageText1 = QStringLiteral("www.kronvel.example | v.1.0");
        gPDFManager.PageText2 = QStringLiteral("Strona: #NR_STRONY#");
        adam = addPerson("Adam", "Nowak");
        ewa = addPerson(u("Ewa"), "Nowak", 0);
        jan = addPerson("Jan", "Nowak");
        makeChild(jan, adam, ewa);
        makeChild(addPerson("Zofia", "Nowak", 0), adam, ewa);
        makeChild(addPerson("Roman", "Nowak"), adam, nullptr);
        maria = addPerson("Maria", "Nowak", 0);
        makeUnion(jan, maria);
        makeChild(addPerson("Piotr", "Nowak"), jan, maria);
        makeChild(addPerson("Kasia", "Nowak", 0), jan, maria);
        makeChild(addPerson("Tomasz", "Nowak"), jan, nullptr);
        fact(jan, "BIRT", "12-05-1950", u("Kraków"));
        fact(jan, "BAPM", "20-05-1950");
        fact(jan, "EDUC", "1970", u("Gdańsk"))->Private = true;
        fact(jan, "MARR", "1975", u("Łódź"), maria);
        fact(jan, "DEAT", "2001");
        fact(jan, "BURI", "2001");
        jan->SetDead(true);
        jan->InsertAttribute(-1, "OCCU", u("Zawód"), u("stolarz"), false);
        jan->InsertAttribute(-1, "HOBBY", "Hobby", u("wędkarstwo"), true);
    }
    void TearDown() override
    {
        const PDFManager fresh;
        gPDFManager.MarginLeft = fresh.MarginLeft;
        gPDFManager.MarginRight = fresh.MarginRight;
        gPDFManager.MirrorMargins = fresh.MirrorMargins;
        gPDFManager.ShowPageText2 = fresh.ShowPageText2;
        gPDFManager.PageText1.clear();
        gPDFManager.PageText2.clear();
        TreeFolderFixture::TearDown();
    }

    // A fact named by its type, as the editor and the import name them.
    static KV_Fact* fact(KV_Person* owner, const char* type, const QString& date = QString(),
                         const QString& place = QString(), KV_Person* partner = nullptr)
    {
        KV_Fact* made = addFact(owner, QLatin1String(type), date, place, partner);
        made->Name = made->GetTypeLabel();
        return made;
    }
    KV_Picture* addPhoto(KV_Person* owner)
    {
        QImage image(300, 400, QImage::Format_RGB32);
        image.fill(QColor(40, 90, 160));
        const QString path = folder.filePath(QStringLiteral("photo_%1.png").arg(gDB.GetPictureCount()));
        EXPECT_TRUE(image.save(path));
        auto* picture = new KV_Picture;
        picture->File = path;
        EXPECT_TRUE(gDB.AddPictureToPerson(owner->ID, picture));
        return picture;
    }
    // The report of the scope through "F3 - Generuj", for the person when the scope is the chosen person.
    void generate(int scope, const KV_Person* person = nullptr)
    {
        dialog.SelectedPersonID = person ? person->ID : QString();
        dialog.AdvComboBoxZakresDanych->SetItemIndex(scope);
        dialog.ButtonZapiszClick();
    }
    QString path() const { return gReportsFolder + QStringLiteral("RaportDane.pdf"); }
    QString text(int page = 0) const { return PdfTools::text(path(), page); }
    // The persons of the person list's search, sorted by surname.
    static void search(const QString& words)
    {
        gDB.SearchPersons(words, 0, 0, 0, 0);
        gDB.SortPersons(PersonSortKey::Surname, true, false);
    }

    RecordingPrompter prompter;
    RecordingOpener opener;
    TFormRaportOsoby dialog;
    KV_Person* adam = nullptr;
    KV_Person* ewa = nullptr;
    KV_Person* jan = nullptr;
    KV_Person* maria = nullptr;
};

} // namespace

TEST_F(PersonReportTest, oneChosenPersonOnOnePageWithHeaderAndParents)
{
    SKIP_WITHOUT_TOOL("pdftotext");
    generate(TFormRaportOsoby::SelectedPerson, jan);
    EXPECT_EQ(PdfTools::pageCount(path()), 1);
    const QString page = text();
    EXPECT_FALSE(page.contains("Strona")) << page.toStdString();
    EXPECT_TRUE(page.contains("www.kronvel.example"));
    for (const char* shown : {"Jan Nowak", "ur. 12-05-1950", "zm. 2001", "Ojciec: Adam Nowak", "Matka: Ewa Nowak"})
        EXPECT_TRUE(page.simplified().contains(u(shown))) << shown << "\n" << page.toStdString();
    EXPECT_EQ(opener.opened, QStringList{QUrl::fromLocalFile(path()).toString()});

    // A father of "-1" or one that names nobody drops his row; the mother's row moves up.
    const double motherRow = PdfTools::findWord(PdfTools::words(path(), 1), "Matka:").box.top();
    for (const char* father : {"-1", "person_nobody"}) {
        jan->FID = QLatin1String(father);
        generate(TFormRaportOsoby::SelectedPerson, jan);
        const QVector<PdfTools::Word> words = PdfTools::words(path(), 1);
        EXPECT_TRUE(PdfTools::findWord(words, "Ojciec:").box.isEmpty()) << father;
        EXPECT_LT(PdfTools::findWord(words, "Matka:").box.top(), motherRow - 5) << father;
    }
}

TEST_F(PersonReportTest, factAndAttributeModesChooseTheRowsAndTheirHeadingCounts)
{
    SKIP_WITHOUT_TOOL("pdftotext");
    dialog.AdvComboBoxZwiazki->SetItemIndex(0);
    struct Case
    {
        int facts;
        const char* heading; // nullptr: no section
        QStringList shown;
        QStringList left;
    };
    const auto label = [](const char* type) { return GetFactTypeLabel(QLatin1String(type)) + u':'; };
    const Case cases[] = {
        {0, nullptr, {}, {label("BAPM"), label("BURI")}},
        {1, "Fakty/Zdarzenia (6)", {label("BIRT"), label("EDUC"), label("MARR"), label("BURI")}, {}},
        {2, "Fakty/Zdarzenia (5)", {label("BIRT"), label("MARR"), label("DEAT")}, {label("EDUC")}},
        {3, "Fakty/Zdarzenia (3)", {label("BAPM"), label("EDUC"), label("BURI")}, {label("BIRT"), label("MARR")}},
        {4, "Fakty/Zdarzenia (2)", {label("BAPM"), label("BURI")}, {label("EDUC"), label("DEAT")}},
    };
    for (const Case& c : cases) {
        dialog.AdvComboBoxFakty->SetItemIndex(c.facts);
        generate(TFormRaportOsoby::SelectedPerson, jan);
        const QString page = text().simplified();
        EXPECT_EQ(page.contains("Fakty/Zdarzenia"), c.heading != nullptr) << c.facts;
        if (c.heading) {
            EXPECT_TRUE(page.contains(QLatin1String(c.heading))) << c.facts << page.toStdString();
        }
        for (const QString& shown : c.shown)
            EXPECT_TRUE(page.contains(shown)) << c.facts << " " << shown.toStdString();
        for (const QString& left : c.left)
            EXPECT_FALSE(page.contains(left)) << c.facts << " " << left.toStdString();
    }

    struct AttributeCase
    {
        int attributes;
        const char* heading;
        bool hobby;
    };
    const AttributeCase attributeCases[] = {
        {0, nullptr, false}, {1, "Informacje dodatkowe (2)", true}, {2, "Informacje dodatkowe (1)", false}};
    for (const AttributeCase& c : attributeCases) {
        dialog.AdvComboBoxAtr->SetItemIndex(c.attributes);
        generate(TFormRaportOsoby::SelectedPerson, jan);
        const QString page = text().simplified();
        EXPECT_EQ(page.contains("Informacje dodatkowe"), c.heading != nullptr) << c.attributes;
        if (c.heading) {
            EXPECT_TRUE(page.contains(QLatin1String(c.heading))) << c.attributes;
        }
        EXPECT_EQ(page.contains(u("Zawód:")) && page.contains(u("stolarz")), c.attributes != 0) << c.attributes;
        EXPECT_EQ(page.contains(u("wędkarstwo")), c.hobby) << c.attributes;
    }

    // A section that its filter leaves empty draws no heading.
    dialog.AdvComboBoxFakty->SetItemIndex(TFormRaportOsoby::OtherFacts);
    KV_Person* piotr = gDB.FindPerson(jan->GetChildID(0));
    fact(piotr, "BIRT", "1980");
    generate(TFormRaportOsoby::SelectedPerson, piotr);
    EXPECT_FALSE(text().contains("Fakty/Zdarzenia"));
    EXPECT_FALSE(text().contains("Informacje dodatkowe"));
}

TEST_F(PersonReportTest, unionsChildrenAndSiblings)
{
    SKIP_WITHOUT_TOOL("pdftotext");
    generate(TFormRaportOsoby::SelectedPerson, jan);
    const QString all = text().simplified();
    EXPECT_TRUE(all.contains(u("Związek #1 Maria Nowak"))) << all.toStdString();
    EXPECT_TRUE(all.contains(GetFactTypeLabel("MARR") + u(": 1975 r. Łódź"))) << all.toStdString();
    EXPECT_TRUE(all.contains(u("Dzieci: 1) Piotr Nowak"))) << all.toStdString();
    EXPECT_TRUE(all.contains(u("2) Kasia Nowak")));
    EXPECT_TRUE(all.contains(u("Dzieci (1) 1) Tomasz Nowak"))) << all.toStdString();
    EXPECT_TRUE(all.contains(u("Rodzeństwo (2) 1) Zofia Nowak 2) Roman Nowak"))) << all.toStdString();

    // Without unions every child is listed among the other children.
    dialog.AdvComboBoxZwiazki->SetItemIndex(0);
    dialog.AdvComboBoxRodzenstwo->SetItemIndex(0);
    generate(TFormRaportOsoby::SelectedPerson, jan);
    const QString plain = text().simplified();
    EXPECT_FALSE(plain.contains(u("Związek")));
    EXPECT_TRUE(plain.contains(u("Dzieci (3) 1) Piotr Nowak 2) Kasia Nowak 3) Tomasz Nowak"))) << plain.toStdString();
    EXPECT_FALSE(plain.contains(u("Rodzeństwo")));
}

TEST_F(PersonReportTest, listAndEveryoneScopesStartEachPersonOnANumberedPage)
{
    SKIP_WITHOUT_TOOL("pdftotext");
    search(u("Maria"));
    ASSERT_EQ(gDB.GetResultCount(), 1);
    generate(TFormRaportOsoby::AllPersons);
    const int persons = gDB.GetPersonCount();
    ASSERT_EQ(PdfTools::pageCount(path()), persons);
    // Name order: Adam, Ewa, Jan, Kasia, Maria, Piotr, Roman, Tomasz, Zofia.
    const char* order[] = {"Adam", "Ewa", "Jan", "Kasia", "Maria", "Piotr", "Roman", "Tomasz", "Zofia"};
    for (int page = 1; page <= persons; ++page) {
        const QVector<PdfTools::Word> words = PdfTools::words(path(), page);
        ASSERT_FALSE(words.isEmpty());
        EXPECT_EQ(words.first().text, QLatin1String(order[page - 1])) << page;
        EXPECT_NEAR(words.first().box.top(), gPDFManager.CmToPt(1.5), 4) << page;
        EXPECT_TRUE(text(page).contains(QStringLiteral("Strona: %1").arg(page))) << page;
    }

    // The list's persons: the last search, also after the report on everyone.
    generate(TFormRaportOsoby::PersonsOfTheList);
    EXPECT_EQ(PdfTools::pageCount(path()), 1);
    EXPECT_EQ(PdfTools::words(path(), 1).first().text, "Maria");
    EXPECT_TRUE(text().contains("Strona: 1"));
    EXPECT_TRUE(dialog.ProgressBarGenRaport->isVisibleTo(&dialog));
    EXPECT_EQ(dialog.ProgressBarGenRaport->GetPosition(), 1);
}

TEST_F(PersonReportTest, longValuesAndLabelsAreNeitherCutNorOverlapping)
{
    SKIP_WITHOUT_TOOL("pdftotext");
    dialog.AdvComboBoxFakty->SetItemIndex(TFormRaportOsoby::AllFacts);
    const double bottom = 841.89 - gPDFManager.CmToPt(1.5);
    for (const int count : {60, 100}) {
        QStringList lines;
        for (int i = 1; i <= count; ++i)
            lines << QStringLiteral("Linia%1").arg(i);
        KV_Fact* note = fact(maria, "CUSTOM");
        note->Name = QStringLiteral("Opis");
        note->Description = lines.join(u'\n');
        generate(TFormRaportOsoby::SelectedPerson, maria);
        const int pages = PdfTools::pageCount(path());
        EXPECT_GE(pages, 2) << count;
        QStringList found;
        for (int page = 1; page <= pages; ++page) {
            for (const PdfTools::Word& word : PdfTools::words(path(), page)) {
                if (!word.text.startsWith("Linia"))
                    continue;
                found << word.text;
                EXPECT_LE(word.box.bottom(), bottom + 0.5) << count << " " << word.text.toStdString();
            }
        }
        EXPECT_EQ(found, lines) << count;
        // The row starts at the top of a page with its label.
        const QVector<PdfTools::Word> second = PdfTools::words(path(), 2);
        EXPECT_NEAR(PdfTools::findWord(second, "Linia1").box.top(), gPDFManager.CmToPt(1.5), 14) << count;
        EXPECT_FALSE(PdfTools::findWord(second, "Opis:").box.isEmpty()) << count;
        gDB.DeleteFact(nullptr, note);
    }

    // A label that wraps into more lines than its value ends above the next row.
    KV_Fact* first = fact(maria, "CUSTOM", "1990");
    first->Name = u("Bardzo długa nazwa własnego faktu, która zawija się w wiele wierszy kolumny etykiet koniec");
    KV_Fact* next = fact(maria, "CUSTOM", "1991");
    next->Name = u("Następny");
    next->Description = u("wartośćnastępna");
    generate(TFormRaportOsoby::SelectedPerson, maria);
    const QVector<PdfTools::Word> words = PdfTools::words(path(), 1);
    const PdfTools::Word labelEnd = PdfTools::findWord(words, "koniec:");
    ASSERT_FALSE(labelEnd.box.isEmpty());
    EXPECT_LE(labelEnd.box.bottom(), PdfTools::findWord(words, u("Następny:")).box.top());
    EXPECT_LE(labelEnd.box.bottom(), PdfTools::findWord(words, "1991").box.top());
}

TEST_F(PersonReportTest, aNameOfTwentyThousandLettersIsCutAboveTheFooter)
{
    SKIP_WITHOUT_TOOL("pdftotext");
    jan->Forename = QString(20000, u'J');
    jan->InsertAttribute(-1, "NOTE", QString(20000, u'E'), QString(20000, u'W'), false);
    generate(TFormRaportOsoby::SelectedPerson, jan);
    const double bottom = 841.89 - gPDFManager.CmToPt(1.5);
    QString name;
    QString label;
    QString value;
    for (int page = 1; page <= PdfTools::pageCount(path()); ++page) {
        for (const PdfTools::Word& word : PdfTools::words(path(), page)) {
            QString* part = word.text.startsWith("JJJ")   ? &name
                            : word.text.startsWith("EEE") ? &label
                            : word.text.startsWith("WWW") ? &value
                                                          : nullptr;
            if (!part)
                continue;
            EXPECT_LE(word.box.bottom(), bottom + 0.5) << page;
            *part += word.text;
        }
    }
    // The name and the label are cut where their boxes end; a value taller than a page goes on over the pages.
    for (const QString* part : {&name, &label}) {
        EXPECT_TRUE(part->endsWith(QChar(0x2026)));
        EXPECT_GT(part->size(), 100);
    }
    EXPECT_EQ(value, QString(20000, u'W'));
    // The header goes on below the name on the first page.
    EXPECT_TRUE(text(1).simplified().contains(u("Ojciec: Adam Nowak")));
    EXPECT_TRUE(text().contains(u("stolarz")));
}

TEST_F(PersonReportTest, mirroredMarginsSwapOnEvenPages)
{
    SKIP_WITHOUT_TOOL("pdftotext");
    // The name stands 40 + 2 + 15 mm right of the left edge.
    const double nameOffset = gPDFManager.MmToPt(57);
    struct Case
    {
        int margins;
        double odd;
        double even;
    };
    const Case cases[] = {{0, 42.52, 42.52}, {1, 56.69, 56.69}, {2, 56.69, 28.35}};
    for (const Case& c : cases) {
        dialog.AdvComboBoxMarginesy->SetItemIndex(c.margins);
        generate(TFormRaportOsoby::AllPersons);
        EXPECT_NEAR(PdfTools::words(path(), 1).first().box.left(), c.odd + nameOffset, 0.5) << c.margins;
        EXPECT_NEAR(PdfTools::words(path(), 2).first().box.left(), c.even + nameOffset, 0.5) << c.margins;
        EXPECT_NEAR(PdfTools::words(path(), 3).first().box.left(), c.odd + nameOffset, 0.5) << c.margins;
    }
}

TEST_F(PersonReportTest, pictureOrEmptyFrameAndNoReportImageLeftBehind)
{
    SKIP_WITHOUT_TOOL("pdfimages");
    // No picture: the empty 40 x 50 mm frame at the top left of the content.
    generate(TFormRaportOsoby::SelectedPerson, maria);
    EXPECT_TRUE(PdfTools::images(path()).isEmpty());
    const QImage page = PdfTools::page(path(), 1);
    const double left = gPDFManager.CmToPt(1.5);
    const QRect frame = PdfTools::inkBounds(page, QRect(20, 20, 150, 180));
    EXPECT_NEAR(frame.left(), left, 1.5);
    EXPECT_NEAR(frame.top(), left, 1.5);
    EXPECT_NEAR(frame.width(), gPDFManager.MmToPt(40), 2);
    EXPECT_NEAR(frame.height(), gPDFManager.MmToPt(50), 2);

    // A picture is embedded, and its report image is gone once the file is written.
    addPhoto(jan);
    const QStringList before = gMiniaturyUnit.TempFiles;
    generate(TFormRaportOsoby::SelectedPerson, jan);
    EXPECT_EQ(PdfTools::images(path()).size(), 1);
    EXPECT_TRUE(QDir(gTempFolder).entryList(QDir::Files).isEmpty())
        << QDir(gTempFolder).entryList().join(' ').toStdString();
    EXPECT_EQ(gMiniaturyUnit.TempFiles, before);
}

TEST_F(PersonReportTest, theReportFunctionSetsThePersonAndTheScopeLock)
{
    dialog.AdvComboBoxZakresDanych->SetItemIndex(TFormRaportOsoby::AllPersons);
    // From the person editor: the chosen person, the scope locked.
    whenShownModal(&dialog, [&] {
        EXPECT_EQ(dialog.SelectedPersonID, jan->ID);
        EXPECT_EQ(dialog.AdvComboBoxZakresDanych->GetItemIndex(), TFormRaportOsoby::SelectedPerson);
        EXPECT_FALSE(dialog.AdvComboBoxZakresDanych->isEnabled());
        EXPECT_TRUE(dialog.ProgressBarGenRaport->isHidden());
        // F3 generates; Esc closes.
        QWidget* focus = dialog.focusWidget() ? dialog.focusWidget() : &dialog;
        QTest::keyClick(focus, Qt::Key_F3);
        EXPECT_EQ(opener.opened, QStringList{QUrl::fromLocalFile(path()).toString()});
        QTest::keyClick(focus, Qt::Key_Escape);
    });
    OpenPersonReport(jan->ID, true);
    EXPECT_FALSE(dialog.isVisible());

    // From the person list without a current person: the scope stays as chosen, and free.
    dialog.AdvComboBoxZakresDanych->SetItemIndex(TFormRaportOsoby::AllPersons);
    whenShownModal(&dialog, [&] {
        EXPECT_EQ(dialog.AdvComboBoxZakresDanych->GetItemIndex(), TFormRaportOsoby::AllPersons);
        EXPECT_TRUE(dialog.AdvComboBoxZakresDanych->isEnabled());
        dialog.Button2->click();
    });
    OpenPersonReport(QString(), false);
    EXPECT_EQ(dialog.GetModalResult(), mrClose);

    // With a current person the scope goes back to that person, and stays free.
    whenShownModal(&dialog, [&] {
        EXPECT_EQ(dialog.AdvComboBoxZakresDanych->GetItemIndex(), TFormRaportOsoby::SelectedPerson);
        EXPECT_TRUE(dialog.AdvComboBoxZakresDanych->isEnabled());
        dialog.Button2->click();
    });
    OpenPersonReport(maria->ID, false);
}

TEST_F(PersonReportTest, aReportThatCannotBeWrittenIsReportedAndNotOpened)
{
    ASSERT_TRUE(QDir().mkpath(path()));
    generate(TFormRaportOsoby::SelectedPerson, jan);
    EXPECT_EQ(prompter.texts, QStringList{u("Nie można zapisać pliku [%1]: Is a directory").arg(path())});
    EXPECT_TRUE(opener.opened.isEmpty());
}

TEST_F(PersonReportTest, screenshotOfTheDialogAndAPage)
{
    dialog.FormActivate();
    ASSERT_TRUE(dialog.grab().save(testOutputFolder() + "/RaportOsoby.png"));
    if (PdfTools::available("pdftoppm")) {
        addPhoto(jan);
        dialog.AdvComboBoxFakty->SetItemIndex(TFormRaportOsoby::AllFacts);
        generate(TFormRaportOsoby::SelectedPerson, jan);
        ASSERT_TRUE(PdfTools::page(path(), 1, 100).save(testOutputFolder() + "/RaportOsoby-page.png"));
    }
}

TEST_F(PersonReportTest, theChosenScopeSurvivesAnotherActivationOfTheShowing)
{
    whenShownModal(&dialog, [&] {
        dialog.AdvComboBoxZakresDanych->SetItemIndex(TFormRaportOsoby::PersonsOfTheList);
        // Back from the report's viewer or from a message: the window is activated again.
        QEvent activation(QEvent::WindowActivate);
        QApplication::sendEvent(&dialog, &activation);
        EXPECT_EQ(dialog.AdvComboBoxZakresDanych->GetItemIndex(), TFormRaportOsoby::PersonsOfTheList);
        dialog.Button2->click();
    });
    OpenPersonReport(jan->ID, false);

    // The next showing starts from its person again.
    whenShownModal(&dialog, [&] {
        EXPECT_EQ(dialog.AdvComboBoxZakresDanych->GetItemIndex(), TFormRaportOsoby::SelectedPerson);
        dialog.Button2->click();
    });
    OpenPersonReport(jan->ID, false);
}
