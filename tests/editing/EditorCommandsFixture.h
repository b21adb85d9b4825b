// The standard family with every dialog the person editor opens made, a scripted file dialog, a pictures folder in
// the data folder and the report windows recorded, for the tests of the editor's commands.
#pragma once

#include "AdvCombo.h"
#include "AdvEdit.h"
#include "AdvPageControl.h"
#include "AdvPanel.h"
#include "AtrybutUnit.h"
#include "FactEdycjaUnit.h"
#include "FamilyFixture.h"
#include "FormularzOsobyUnit.h"
#include "OsobaFormUnit.h"
#include "Picturemanager.h"
#include "PowiekszeniePlikuGraficznego.h"
#include "ReportWindows.h"
#include "ScriptedFileDialogs.h"
#include "ZmianaKolejnosciUnit.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

class EditorCommandsFixture : public FamilyFixture
{
protected:
    void SetUp() override
    {
        FamilyFixture::SetUp();
        gDB.InitAttributeTypes();
        factEditor = std::make_unique<TFormFaktEdycja>();
        FormFaktEdycja = factEditor.get();
        attributeEditor = std::make_unique<TFormAtrybutEdycja>();
        FormAtrybutEdycja = attributeEditor.get();
        reorderDialog = std::make_unique<TFormKolejnoscZmiana>();
        FormKolejnoscZmiana = reorderDialog.get();
        viewer = std::make_unique<TFormPwiekszenie>();
        FormPwiekszenie = viewer.get();
        quickForm = std::make_unique<TFormDaneOsobyBasic>();
        FormDaneOsobyBasic = quickForm.get();
        SetPicturesFolder(picturesFolder());
        gReportWindows.ShowPersonReport = [this](const QString& id, bool locked) {
            reports << QStringLiteral("person %1 %2").arg(id, locked ? "locked" : "free");
        };
        gReportWindows.ShowTreeReport = [this](TreeType type, const QString& id) {
            reports << QStringLiteral("tree %1 %2").arg(int(type)).arg(id);
        };
    }
    void TearDown() override
    {
        gReportWindows = ReportWindows();
        SetPicturesFolder(QString());
        FormDaneOsobyBasic = nullptr;
        FormPwiekszenie = nullptr;
        FormKolejnoscZmiana = nullptr;
        FormAtrybutEdycja = nullptr;
        FormFaktEdycja = nullptr;
        quickForm.reset();
        viewer.reset();
        reorderDialog.reset();
        attributeEditor.reset();
        factEditor.reset();
        FamilyFixture::TearDown();
    }

    QString picturesFolder() const { return folder.path() + QStringLiteral("/multimedia/"); }

    // An editor showing the person, its views loaded as at its first activation.
    static std::unique_ptr<TOsobaEdycjaForm> editorOf(const QString& id)
    {
        auto editor = std::make_unique<TOsobaEdycjaForm>();
        editor->Translate();
        editor->PersonID = id;
        editor->RefreshAll();
        return editor;
    }

    // Runs the step inside the dialog's next modal showing and counts the showing; a dialog the step leaves open is
    // closed, so the command goes on as after "Zamknij".
    void onShown(TForm* dialog, std::function<void()> step)
    {
        whenShownModal(dialog, [this, dialog, step] {
            ++dialogsShown;
            step();
            if (dialog->IsModal() && dialog->GetModalResult() == mrNone)
                dialog->Close();
        });
    }

    // The fact editor saves the fact with the place given.
    void saveFactWithPlace(const QString& place)
    {
        onShown(factEditor.get(), [this, place] {
            factEditor->AdvComboBoxMiejsce->SetText(place);
            // An existing fact's save waits for a change the user types.
            factEditor->ButtonZapisz->setEnabled(true);
            factEditor->ButtonZapisz->click();
        });
    }

    // Runs the step on the next person editor that becomes modal, then closes it.
    void onEditor(std::function<void(TOsobaEdycjaForm&)> step)
    {
        auto* poll = new QTimer(quickForm.get());
        poll->setInterval(5);
        QObject::connect(poll, &QTimer::timeout, [poll, step] {
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
                step(*editor);
                if (editor->IsModal())
                    editor->Button4Click();
                return;
            }
        });
        poll->start();
    }

    // The item of a menu with the caption, submenus searched too.
    static QAction* itemOf(const QMenu* menu, const QString& caption)
    {
        for (QAction* item : menu->actions()) {
            if (item->text() == caption)
                return item;
            if (item->menu()) {
                if (QAction* inner = itemOf(item->menu(), caption))
                    return inner;
            }
        }
        return nullptr;
    }
    // The captions of a menu's items, "-" for a separator, hidden items left out.
    static QStringList captionsOf(const QMenu* menu)
    {
        QStringList captions;
        for (const QAction* item : menu->actions()) {
            if (item->isVisible())
                captions << (item->isSeparator() ? QStringLiteral("-") : item->text());
        }
        return captions;
    }

    // Selects a row of the relatives view by the ID it stands for; false when there is none.
    static bool selectRelative(TOsobaEdycjaForm& editor, const QString& id)
    {
        for (int g = 0; g < editor.ListViewRodzina->topLevelItemCount(); ++g) {
            QTreeWidgetItem* group = editor.ListViewRodzina->topLevelItem(g);
            for (int r = 0; r < group->childCount(); ++r) {
                if (group->child(r)->data(0, RowIDRole).toString() == id) {
                    editor.ListViewRodzina->setCurrentItem(group->child(r));
                    return true;
                }
            }
        }
        return false;
    }
    // The IDs of the relatives view's rows of a group, found by the start of its header.
    static QStringList groupIDs(const TOsobaEdycjaForm& editor, const QString& header)
    {
        QStringList ids;
        for (int g = 0; g < editor.ListViewRodzina->topLevelItemCount(); ++g) {
            const QTreeWidgetItem* group = editor.ListViewRodzina->topLevelItem(g);
            if (!group->text(0).startsWith(header))
                continue;
            for (int r = 0; r < group->childCount(); ++r)
                ids << group->child(r)->data(0, RowIDRole).toString();
        }
        return ids;
    }
    // The fact IDs of the facts list in its order, and the selected one.
    static QStringList factRows(const TOsobaEdycjaForm& editor)
    {
        QStringList ids;
        for (int i = 0; i < editor.ListViewFakty->topLevelItemCount(); ++i)
            ids << editor.ListViewFakty->topLevelItem(i)->data(0, RowIDRole).toString();
        return ids;
    }
    static QString selectedFact(const TOsobaEdycjaForm& editor)
    {
        const QTreeWidgetItem* row = SelectedRow(editor.ListViewFakty);
        return row ? row->data(0, RowIDRole).toString() : QString("none");
    }

    // A fact of the person (or of the couple) entered and written with its persons.
    KV_Fact* writtenFact(const QString& personID, const char* type, const QString& date,
                         const QString& partnerID = QString())
    {
        KV_Fact* fact = addFact(P(personID), QLatin1String(type), date, QString(), P(partnerID));
        fact->Name = fact->GetTypeLabel();
        EXPECT_TRUE(gDB.SaveFact(fact, fact->ID));
        EXPECT_TRUE(gDB.SavePersons(P(personID), P(partnerID)));
        return fact;
    }

    std::unique_ptr<TFormFaktEdycja> factEditor;
    std::unique_ptr<TFormAtrybutEdycja> attributeEditor;
    std::unique_ptr<TFormKolejnoscZmiana> reorderDialog;
    std::unique_ptr<TFormPwiekszenie> viewer;
    std::unique_ptr<TFormDaneOsobyBasic> quickForm;
    ScriptedFileDialogs fileAnswers;
    int dialogsShown = 0;
    // What reached the report windows: "person <ID> locked|free" or "tree <type> <ID>".
    QStringList reports;
};
