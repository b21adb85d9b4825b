#include "OsobaFormUnit.h"
#include "AdvCombo.h"
#include "AdvPageControl.h"
#include "AdvPanel.h"
#include "ControlCaptions.h"
#include "EditingFixture.h"
#include "Fonts.h"
#include "FormularzOsobyUnit.h"
#include "StdCtrls.h"

#include <QAction>
#include <QApplication>
#include <QFontMetricsF>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <algorithm>
#include <functional>

namespace {

// Opens the delegate's styling to the tests.
struct OpenDelegate : EditorRowDelegate
{
    using EditorRowDelegate::EditorRowDelegate;
    using EditorRowDelegate::initStyleOption;
};

class OsobaFormUnitTest : public EditingFixture
{
protected:
    void SetUp() override
    {
        EditingFixture::SetUp();
        quickForm = std::make_unique<TFormDaneOsobyBasic>();
        FormDaneOsobyBasic = quickForm.get();
    }
    void TearDown() override
    {
        FormDaneOsobyBasic = nullptr;
        quickForm.reset();
        EditingFixture::TearDown();
    }

    // The standard family: Jan with his parents, a full and a half brother, two wives with children, a son without
    // a second parent, a dangling child ID, a marriage with a woman who is not his partner, a private fact and a
    // private attribute.
    void makeFamily()
    {
        father = addPerson("Stanisław", "Kowalski", 1);
        mother = addPerson("Maria", "Kowalska", 0);
        jan = addPerson("Jan", "Kowalski", 1);
        makeChild(jan, father, mother);
        brother = addPerson("Piotr", "Kowalski", 1);
        makeChild(brother, father, mother);
        KV_Person* stepmother = addPerson("Zofia", "Nowak", 0);
        halfBrother = addPerson("Adam", "Kowalski", 1);
        makeChild(halfBrother, father, stepmother);
        wife = addPerson("Anna", "Kowalska", 0);
        makeUnion(jan, wife);
        secondWife = addPerson("Ewa", "Kowalska", 0);
        makeUnion(jan, secondWife);
        firstChild = addPerson("Tomasz", "Kowalski", 1);
        makeChild(firstChild, jan, wife);
        secondChild = addPerson("Ola", "Kowalska", 0);
        makeChild(secondChild, jan, wife);
        thirdChild = addPerson("Kacper", "Kowalski", 1);
        makeChild(thirdChild, jan, secondWife);
        lonelyChild = addPerson("Marek", "Kowalski", 1);
        makeChild(lonelyChild, jan, nullptr);
        jan->AddChild(QStringLiteral("person_GONE"));
        addFact(jan, "BIRT", QStringLiteral("1950"), QStringLiteral("Kraków"));
        marriage = addFact(jan, "MARR", QStringLiteral("1975"), QStringLiteral("Kraków"), wife);
        marriage->Name = marriage->GetTypeLabel();
        KV_Person* other = addPerson("Barbara", "Lis", 0);
        addFact(jan, "MARR", QStringLiteral("1990"), QStringLiteral("Łódź"), other);
        addFact(jan, "EDUC", QString(), QStringLiteral("Kraków"))->Private = true;
        jan->AddAttribute({QStringLiteral("Zawód"), QStringLiteral("stolarz"), QStringLiteral("OCCU"), false});
        jan->AddAttribute({QStringLiteral("Telefon"), QStringLiteral("123"), QStringLiteral("PHONE"), true});
    }

    std::unique_ptr<TOsobaEdycjaForm> editorOf(const QString& id)
    {
        auto editor = std::make_unique<TOsobaEdycjaForm>();
        editor->Translate();
        editor->PersonID = id;
        editor->RefreshAll();
        return editor;
    }

    // The relatives view as text: a group's header, then each of its rows as "label|text|kind|ID".
    static QStringList relatives(const TOsobaEdycjaForm& editor)
    {
        QStringList rows;
        for (int g = 0; g < editor.ListViewRodzina->topLevelItemCount(); ++g) {
            const QTreeWidgetItem* group = editor.ListViewRodzina->topLevelItem(g);
            rows << group->text(0);
            for (int r = 0; r < group->childCount(); ++r) {
                const QTreeWidgetItem* row = group->child(r);
                rows << QStringLiteral("%1|%2|%3|%4")
                            .arg(row->text(0), row->text(1), row->data(0, RowKindRole).toString(),
                                 row->data(0, RowIDRole).toString());
            }
        }
        return rows;
    }

    static QString personRow(const QString& label, const KV_Person* person, RelativeRowKind kind)
    {
        return QStringLiteral("%1|%2|%3|%4")
            .arg(label, person->GetDisplayName(DisplayNameMode::Plain, true, true))
            .arg(int(kind))
            .arg(person->ID);
    }

    // Runs the step on the next person editor that EditPerson shows, then closes it; counts the editors shown.
    // Deleting the returned watcher stops it.
    QTimer* onEditor(std::function<void(TOsobaEdycjaForm&)> step)
    {
        auto* poll = new QTimer(quickForm.get());
        poll->setInterval(5);
        QObject::connect(poll, &QTimer::timeout, [this, poll, step] {
            for (QWidget* window : QApplication::topLevelWidgets()) {
                auto* editor = qobject_cast<TOsobaEdycjaForm*>(window);
                if (!editor || !editor->isVisible() || !editor->IsModal())
                    continue;
                if (!editor->isActiveWindow()) {
                    QApplication::setActiveWindow(editor);
                    return;
                }
                poll->stop();
                poll->deleteLater();
                ++editorsShown;
                step(*editor);
                editor->Button4Click();
                return;
            }
        });
        poll->start();
        return poll;
    }

    std::unique_ptr<TFormDaneOsobyBasic> quickForm;
    int editorsShown = 0;
    KV_Person* father = nullptr;
    KV_Person* mother = nullptr;
    KV_Person* jan = nullptr;
    KV_Person* brother = nullptr;
    KV_Person* halfBrother = nullptr;
    KV_Person* wife = nullptr;
    KV_Person* secondWife = nullptr;
    KV_Person* firstChild = nullptr;
    KV_Person* secondChild = nullptr;
    KV_Person* thirdChild = nullptr;
    KV_Person* lonelyChild = nullptr;
    KV_Fact* marriage = nullptr;
};

TEST_F(OsobaFormUnitTest, editPersonMakesTheNewPersonFirstAndReturnsTheIDShown)
{
    // The quick form closed: no person, no editor.
    whenShownModal(quickForm.get(), [this] {
        EXPECT_EQ(quickForm->AdvComboBoxPlec->currentText(), "Mężczyzna");
        quickForm->Button4->click();
    });
    QTimer* watcher = onEditor([](TOsobaEdycjaForm&) {});
    EXPECT_EQ(EditPerson(nullptr, QString(), 1), "");
    // A check that nothing opens, kept short: an editor would open inside EditPerson, and the wait only gives the
    // watcher a turn to see one that opened later.
    QTest::qWait(50);
    EXPECT_EQ(editorsShown, 0);
    delete watcher;

    // Saved: the editor shows the new person with the sex chosen in the form.
    whenShownModal(quickForm.get(), [this] {
        quickForm->AdvComboBoxImie->SetText(QStringLiteral("Jadwiga"));
        quickForm->AdvComboBoxPlec->SetItemIndex(0);
        quickForm->ButtonSave->click();
    });
    QString shown;
    int sex = -1;
    onEditor([&](TOsobaEdycjaForm& editor) {
        shown = editor.PersonID;
        sex = editor.PersonSex;
        EXPECT_EQ(editor.PanelTitle->GetCaption(), "Jadwiga");
        EXPECT_EQ(editor.AdvPageControl1->GetActivePage(), editor.AdvTabSheetKrewni);
        EXPECT_FALSE(editor.ButtonFormularz->isHidden());
    });
    const QString id = EditPerson(nullptr, QString(), 1);
    EXPECT_EQ(editorsShown, 1);
    EXPECT_FALSE(id.isEmpty());
    EXPECT_EQ(shown, id);
    EXPECT_EQ(sex, 0);
    EXPECT_EQ(gDB.FindPerson(id)->Forename, "Jadwiga");
}

TEST_F(OsobaFormUnitTest, anUnknownIDGivesTheEmptyEditor)
{
    bool checked = false;
    onEditor([&](TOsobaEdycjaForm& editor) {
        EXPECT_EQ(editor.PanelTitle->GetCaption(), "");
        EXPECT_EQ(editor.LabelDataUr->GetCaption(), "?");
        EXPECT_TRUE(editor.LabelDataZg->isHidden());
        EXPECT_TRUE(editor.LabelDataZgLabel->isHidden());
        EXPECT_FALSE(editor.ButtonDodajZdjecie->isHidden());
        EXPECT_TRUE(editor.ButtonUsunZdjecie->isHidden());
        EXPECT_EQ(editor.ListViewRodzina->topLevelItemCount(), 0);
        EXPECT_EQ(editor.ListViewFakty->topLevelItemCount(), 0);
        EXPECT_EQ(editor.MemoNote->toPlainText(), "");
        EXPECT_EQ(editor.PersonSex, 1) << "the preset stays";
        const int h = editor.screen()->availableGeometry().height();
        EXPECT_EQ(editor.y(), std::min((h - editor.frameGeometry().height()) / 2, int(h * 0.1)));
        checked = true;
    });
    EXPECT_EQ(EditPerson(nullptr, QStringLiteral("person_UNKNOWN"), 1), "person_UNKNOWN");
    EXPECT_TRUE(checked);
}

TEST_F(OsobaFormUnitTest, relativesAreGroupedNumberedAndLabelled)
{
    makeFamily();
    const auto editor = editorOf(jan->ID);
    const QString eight(8, u' ');
    const QString fact =
        QStringLiteral("%1|%2|10|%3").arg(marriage->Name + u':', gDB.GetFactSummary(marriage->ID, 2), marriage->ID);
    const QStringList expected = {
        "Rodzice",
        personRow("Ojciec:", father, RelativeRowKind::Father),
        personRow("Matka:", mother, RelativeRowKind::Mother),
        "Związek #1",
        personRow("", wife, RelativeRowKind::Partner),
        fact,
        personRow("Dzieci:  1) ", firstChild, RelativeRowKind::Child),
        personRow("2) ", secondChild, RelativeRowKind::Child),
        "Związek #2",
        personRow("", secondWife, RelativeRowKind::Partner),
        personRow("Dzieci:  1) ", thirdChild, RelativeRowKind::Child),
        "Dzieci",
        personRow(eight + "1) ", lonelyChild, RelativeRowKind::Child),
        eight + "2) Dziecko|?|4|person_GONE",
        "Rodzeństwo (2)",
        personRow(eight + "1) ", brother, RelativeRowKind::Sibling),
        personRow(eight + "2) ", halfBrother, RelativeRowKind::Sibling),
    };
    const QStringList shown = relatives(*editor);
    EXPECT_EQ(shown, expected) << shown.join(u'\n').toStdString();
    EXPECT_EQ(editor->UnionFactRows, 1) << "the marriage with a woman who is no partner has no row";
    EXPECT_EQ(editor->AdvTabSheetKrewni->GetCaption(), "Najbliższa rodzina (11)");
    EXPECT_EQ(editor->AdvTabSheetFakty->GetCaption(), "Fakty/Zdarzenia (4)");
    EXPECT_EQ(editor->AdvTabSheetInfoDodatkowe->GetCaption(), "Informacje dodatkowe (2)");
    EXPECT_TRUE(editor->ButtonMenuKolejnosc->isEnabled());
    EXPECT_TRUE(editor->ZamienKolejnoscZwiazkow->isEnabled());
}

TEST_F(OsobaFormUnitTest, theSmallFamilyCountsFourAndNoFactsShowNoCount)
{
    KV_Person* person = addPerson("Jan", "Nowak", 1);
    makeChild(person, addPerson("Adam", "Nowak", 1), addPerson("Ewa", "Nowak", 0));
    KV_Person* partner = addPerson("Anna", "Nowak", 0);
    makeUnion(person, partner);
    addFact(person, "MARR", QStringLiteral("1970"), QString(), partner);
    makeChild(addPerson("Piotr", "Nowak", 1), person, partner);
    auto editor = editorOf(person->ID);
    EXPECT_EQ(editor->AdvTabSheetKrewni->GetCaption(), "Najbliższa rodzina (4)");
    EXPECT_EQ(relatives(*editor).size(), 7) << "parents and one union, no other children";
    EXPECT_FALSE(editor->ButtonMenuKolejnosc->isEnabled());

    KV_Person* alone = addPerson("Zofia", "Lis", 0);
    editor = editorOf(alone->ID);
    EXPECT_EQ(editor->AdvTabSheetFakty->GetCaption(), "Fakty/Zdarzenia");
    EXPECT_EQ(editor->AdvTabSheetKrewni->GetCaption(), "Najbliższa rodzina");
    EXPECT_EQ(editor->AdvTabSheetInfoDodatkowe->GetCaption(), "Informacje dodatkowe");
    EXPECT_FALSE(editor->SpeedButtonSort->isEnabled());
}

TEST_F(OsobaFormUnitTest, privateRowsTakeThePrivateColourOnlyWhileMarked)
{
    makeFamily();
    const auto editor = editorOf(jan->ID);
    OpenDelegate facts(EditorRowDelegate::FactsOrAttributes, nullptr);
    OpenDelegate family(EditorRowDelegate::Relatives, nullptr);
    const auto style = [](const OpenDelegate& delegate, QTreeWidget* list, const QModelIndex& index) {
        QStyleOptionViewItem option;
        option.initFrom(list);
        if (list->selectionModel()->isSelected(index))
            option.state |= QStyle::State_Selected;
        delegate.initStyleOption(&option, index);
        return option;
    };
    QTreeWidget* list = editor->ListViewFakty;
    const auto rowOfType = [list](const char* type) {
        return list->indexFromItem(list->findItems(QLatin1String(type), Qt::MatchExactly, 0).value(0), 1);
    };
    const QModelIndex privateFact = rowOfType("EDUC");
    const QModelIndex plainFact = rowOfType("BIRT");
    ASSERT_TRUE(privateFact.siblingAtColumn(0).data(RowPrivateRole).toBool());
    const QColor windowText = style(facts, list, plainFact).palette.color(QPalette::Text);
    EXPECT_EQ(style(facts, list, privateFact).palette.color(QPalette::Text), ToQColor(gSettings.PrivateColor));
    gSettings.MarkPrivate = false;
    EXPECT_EQ(style(facts, list, privateFact).palette.color(QPalette::Text), windowText);
    EXPECT_FALSE(style(facts, list, plainFact).font.bold());
    list->setCurrentItem(list->itemFromIndex(plainFact));
    EXPECT_TRUE(style(facts, list, plainFact).font.bold()) << "the selected row";

    gSettings.MarkPrivate = true;
    QTreeWidget* attributes = editor->ListViewInformacjeDodatkowe;
    EXPECT_EQ(style(facts, attributes, attributes->model()->index(1, 1)).palette.color(QPalette::Text),
              ToQColor(gSettings.PrivateColor));

    QTreeWidget* rows = editor->ListViewRodzina;
    const QModelIndex partnerRow = rows->model()->index(0, 1, rows->model()->index(1, 0));
    ASSERT_EQ(partnerRow.siblingAtColumn(0).data(RowKindRole).toInt(), int(RelativeRowKind::Partner));
    const QStyleOptionViewItem partner = style(family, rows, partnerRow);
    EXPECT_TRUE(partner.font.bold());
    EXPECT_EQ(partner.palette.color(QPalette::Text), QColor(0, 0, 128));
    EXPECT_FALSE(style(family, rows, rows->model()->index(0, 1, rows->model()->index(0, 0))).font.bold());
}

TEST_F(OsobaFormUnitTest, buttonsFollowTheSelection)
{
    makeFamily();
    const auto editor = editorOf(jan->ID);
    const auto relativeRow = [&](int group, int row) {
        return editor->ListViewRodzina->topLevelItem(group)->child(row);
    };
    struct Case
    {
        const char* what;
        std::function<void()> select;
        // fact delete/edit, up, down; relative delete, show, edit fact; attribute edit/delete, up, down
        QString enabled;
    };
    const Case cases[] = {
        {"nothing", [] {}, "000 000 000"},
        {"the first fact", [&] { editor->ListViewFakty->setCurrentItem(editor->ListViewFakty->topLevelItem(0)); },
         "101 000 000"},
        {"a middle fact", [&] { editor->ListViewFakty->setCurrentItem(editor->ListViewFakty->topLevelItem(1)); },
         "111 000 000"},
        {"the last fact", [&] { editor->ListViewFakty->setCurrentItem(editor->ListViewFakty->topLevelItem(3)); },
         "110 000 000"},
        {"the father", [&] { editor->ListViewRodzina->setCurrentItem(relativeRow(0, 0)); }, "000 110 000"},
        {"the marriage", [&] { editor->ListViewRodzina->setCurrentItem(relativeRow(1, 1)); }, "000 101 000"},
        {"the dangling child", [&] { editor->ListViewRodzina->setCurrentItem(relativeRow(3, 1)); }, "000 110 000"},
        {"the first attribute",
         [&] {
             editor->ListViewInformacjeDodatkowe->setCurrentItem(editor->ListViewInformacjeDodatkowe->topLevelItem(0));
         },
         "000 000 101"},
        {"the last attribute",
         [&] {
             editor->ListViewInformacjeDodatkowe->setCurrentItem(editor->ListViewInformacjeDodatkowe->topLevelItem(1));
         },
         "000 000 110"},
    };
    const auto bit = [](const QWidget* w) { return w->isEnabled() ? u'1' : u'0'; };
    for (const Case& c : cases) {
        for (QTreeWidget* list : {editor->ListViewFakty, editor->ListViewRodzina, editor->ListViewInformacjeDodatkowe})
            list->clearSelection();
        c.select();
        editor->UpdateButtons();
        EXPECT_EQ(bit(editor->ButtonFactDelete), bit(editor->ButtonFactEdit)) << c.what;
        EXPECT_EQ(bit(editor->ButtonInfoEdytuj), bit(editor->ButtonInfoUsun)) << c.what;
        const QString state = QString() + bit(editor->ButtonFactDelete) + bit(editor->SpeedButtonGora) +
                              bit(editor->SpeedButtonDol) + u' ' + bit(editor->ButtonKrewnyDelete) +
                              bit(editor->ButtonPokazDaneKrwenego) + bit(editor->ButtonKrewnyEditFakt) + u' ' +
                              bit(editor->ButtonInfoEdytuj) + bit(editor->SpeedButtonAtrGora) +
                              bit(editor->SpeedButtonAtrDol);
        EXPECT_EQ(state, c.enabled) << c.what;
        EXPECT_TRUE(editor->SpeedButtonSort->isEnabled()) << c.what;
    }
}

TEST_F(OsobaFormUnitTest, translateSetsTheEditorsTexts)
{
    TOsobaEdycjaForm editor;
    const QList<CaptionEntry> entries = OsobaEdycjaFormCaptions(&editor);
    ASSERT_EQ(entries.size(), 85);
    for (const CaptionEntry& entry : entries) {
        QString path = QStringLiteral("OsobaEdycjaForm->") + entry.component->objectName();
        QString text;
        if (entry.column >= 0) {
            path += QStringLiteral("->Column[%1]->Caption").arg(entry.column);
            text = qobject_cast<QTreeWidget*>(entry.component)->headerItem()->text(entry.column);
        } else if (auto* action = qobject_cast<QAction*>(entry.component)) {
            // A submenu is named by its menu; its item carries the caption.
            if (QMenu* menu = action->menu())
                path = QStringLiteral("OsobaEdycjaForm->") + menu->objectName();
            path += "->Caption";
            text = action->isSeparator() ? QStringLiteral("-") : action->text();
        } else if (auto* label = qobject_cast<TLabel*>(entry.component)) {
            path += "->Caption";
            text = label->GetCaption();
        } else {
            path += "->Caption";
            text = qobject_cast<QAbstractButton*>(entry.component)->text();
        }
        // The layout misspells one hidden item; its key keeps the misspelling, its text does not.
        const QString designText = text == "Wykształcenie" ? QStringLiteral("Wykszatałcenie") : text;
        EXPECT_EQ(CaptionKey(path, designText), QLatin1String(entry.key)) << entry.key;
        EXPECT_EQ(gLangM.Get(QLatin1String(entry.key)), text) << entry.key;
    }

    editor.ButtonPersonUsun->setText(QString());
    editor.ListViewFakty->headerItem()->setText(1, QString());
    editor.Translate();
    EXPECT_EQ(editor.ButtonPersonUsun->text(), "Usuń");
    EXPECT_EQ(editor.ListViewFakty->headerItem()->text(1), "Fakt/Zdarzenie");
    EXPECT_EQ(gLangM.Get("OsobaEdycjaForm_ButtonPersonUsun_Caption_Usun"), "Usuń");
    EXPECT_EQ(gLangM.Get("OsobaEdycjaForm_ListViewFakty_Column_1__Caption_Fakt/Zdarzenie"), "Fakt/Zdarzenie");
}

TEST_F(OsobaFormUnitTest, basicDataCommandEditsThePersonAndRefreshesTheHeader)
{
    makeFamily();
    save(jan);
    const auto editor = editorOf(jan->ID);
    editor->move(100, 100);
    whenShownModal(quickForm.get(), [this] {
        EXPECT_EQ(quickForm->AdvComboBoxImie->GetText(), "Jan");
        quickForm->AdvComboBoxImie->SetText(QStringLiteral("Janusz"));
        quickForm->ButtonSave->click();
    });
    editor->ButtonEditDaneClick();
    EXPECT_EQ(quickForm->PresetTop, 120);
    EXPECT_EQ(quickForm->PresetLeft, 100 + (editor->width() - quickForm->width()) / 2);
    EXPECT_EQ(editor->PanelTitle->GetCaption(), "Janusz Kowalski");
    EXPECT_EQ(editor->PersonID, jan->ID);
}

TEST_F(OsobaFormUnitTest, noControlLiesOverAnotherOnAnyTab)
{
    makeFamily();
    KV_Person* alone = addPerson("Helena", "Sowa", 0);
    for (const KV_Person* person : {jan, alone}) {
        const auto editor = editorOf(person->ID);
        editor->show();
        for (TAdvTabSheet* page :
             {editor->AdvTabSheetKrewni, editor->AdvTabSheetFakty, editor->AdvTabSheetInfoDodatkowe}) {
            editor->AdvPageControl1->SetActivePage(page);
            QCoreApplication::processEvents();
            EXPECT_EQ(overlappingSiblings(editor.get()), QStringList())
                << person->Forename.toStdString() << ", " << page->objectName().toStdString();
        }
    }
}

TEST_F(OsobaFormUnitTest, everyRowOfTheListsHoldsTheAccentsOfCapitals)
{
    makeFamily();
    const auto editor = editorOf(jan->ID);
    editor->show();
    // The lists' own font, and the font half as large again of a desktop scaled to 150%.
    for (const double scale : {1.0, 1.5}) {
        for (QTreeWidget* list :
             {editor->ListViewRodzina, editor->ListViewFakty, editor->ListViewInformacjeDodatkowe}) {
            QFont font = list->font();
            font.setPixelSize(int(font.pixelSize() * scale));
            list->setFont(font);
            const QTreeWidgetItem* row = list->topLevelItem(0);
            ASSERT_TRUE(row) << list->objectName().toStdString();
            font.setBold(true);
            // Centred on the font engine's line, the accents reach this far above it, and need as much room below.
            const QFontMetricsF metrics(font);
            const double accentsAbove =
                std::max(0.0, Fonts::lineExtents(font).ascent * font.pixelSize() - metrics.ascent());
            EXPECT_GE(list->visualItemRect(row).height(), metrics.height() + 2 * accentsAbove)
                << list->objectName().toStdString() << " at " << scale;
        }
    }
}

TEST_F(OsobaFormUnitTest, screenshotsOfTheEditorOnEachTab)
{
    makeFamily();
    jan->Note = QStringLiteral("Stolarz, budował meble dla całej okolicy.");
    const auto editor = editorOf(jan->ID);
    editor->show();
    for (TAdvTabSheet* page : {editor->AdvTabSheetKrewni, editor->AdvTabSheetFakty, editor->AdvTabSheetInfoDodatkowe}) {
        editor->AdvPageControl1->SetActivePage(page);
        QCoreApplication::processEvents();
        EXPECT_TRUE(editor->grab().save(testOutputFolder() + QStringLiteral("/OsobaEdycjaForm_") + page->objectName() +
                                        QStringLiteral(".png")));
    }
}

} // namespace
