// The person editor's views: the header with the picture, the relatives in their groups, the facts and the
// attributes, the tab captions with their counts, and which buttons can act on the selection.
#include "OsobaFormUnit.h"

#include "AdvGroupBox.h"
#include "AdvPageControl.h"
#include "AdvPanel.h"
#include "Bazadanych.h"
#include "EditingInput.h"
#include "Fact.h"
#include "Picture.h"
#include "Rotate.h"
#include "Settings.h"
#include "StdCtrls.h"
#include "Vh_langmanager.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>

namespace {

QString text(const char* key)
{
    return gLangM.Get(QLatin1String(key));
}

// The labels of rows that have no caption of their own: eight blanks and the running number.
QString numberedLabel(int number)
{
    return QString(8, u' ') + QString::number(number) + QStringLiteral(") ");
}

// The rows of the relatives view, without the group headers.
int relativeRowCount(const QTreeWidget* list)
{
    int rows = 0;
    for (int group = 0; group < list->topLevelItemCount(); ++group)
        rows += list->topLevelItem(group)->childCount();
    return rows;
}

QString countedCaption(const char* plain, const char* counted, int count)
{
    return count == 0 ? text(plain) : gLangM.FormatInt(QLatin1String(counted), count);
}

} // namespace

void TOsobaEdycjaForm::RefreshAll()
{
    RefreshPersonPanel();
    RefreshTitle();
    UpdateButtons();
    FillRelatives(false);
    FillFacts(QString(), false);
    FillAttributes(-1, false);
    UpdateTabCaptions();
}

void TOsobaEdycjaForm::RefreshPersonPanel()
{
    const KV_Person* person = gDB.FindPerson(PersonID);
    if (person)
        PersonSex = person->Sex;
    RefreshHeader();
    ApplySexColors();
    DrawProfilePicture(person);
}

void TOsobaEdycjaForm::RefreshTitle()
{
    const KV_Person* person = gDB.FindPerson(PersonID);
    PersonName = person ? person->GetDisplayName(DisplayNameMode::Plain, false, false) : QString();
    PanelTitle->SetCaption(PersonName);
}

void TOsobaEdycjaForm::RefreshHeader()
{
    RefreshTitle();
    KV_Person* person = gDB.FindPerson(PersonID);
    const QString unknown = QStringLiteral("?");
    if (person) {
        LabelDataUr->SetCaption(person->GetBirthText(true, true, false, unknown));
        LabelDataZg->SetCaption(person->GetDeathText(true, false, unknown));
        MemoNote->setPlainText(NoteForMemo(person->Note));
        PaintBoxPicture->setCursor(Qt::PointingHandCursor);
    } else {
        LabelDataUr->SetCaption(unknown);
        LabelDataZg->SetCaption(QString());
        MemoNote->clear();
        PaintBoxPicture->unsetCursor();
    }
    const bool dead = person && person->IsDead();
    LabelDataZgLabel->setVisible(dead);
    LabelDataZg->setVisible(dead);
    showPictureButtons(person);
}

void TOsobaEdycjaForm::showPictureButtons(const KV_Person* person)
{
    const bool hasPicture = person && !person->GetProfilePictureID().isEmpty();
    if (person) {
        ButtonUsunZdjecie->setText(
            gLangM.FormatStr(QStringLiteral("LABEL_ZDJECIA_(%S)"), QString::number(person->GetPictureCount())));
    }
    ButtonUsunZdjecie->setVisible(hasPicture);
    ButtonDodajZdjecie->setVisible(!hasPicture);
}

void TOsobaEdycjaForm::ApplySexColors()
{
    AdvGroupBoxPictureFrame->SetColor(gSettings.GetSexColor(PersonSex));
    ShowSexColor(AdvPanelDaneOsoby, PersonSex);
    AdvPageControl1->update();
}

void TOsobaEdycjaForm::DrawProfilePicture(const KV_Person* person)
{
    const QRect area = PaintBoxPicture->rect();
    PictureID.clear();
    PictureFile.clear();
    if (PictureBitmap.isNull())
        PictureBitmap = QImage(area.size(), QImage::Format_RGB32);
    PictureBitmap.fill(Qt::white);
    const KV_Picture* picture = person ? gDB.FindPicture(person->GetProfilePictureID()) : nullptr;
    if (picture) {
        PictureID = picture->ID;
        PictureFile = picture->GetFullPath();
        TCanvas canvas(&PictureBitmap);
        DrawPictureInRect(nullptr, &canvas, FromQRect(area), 15, true, PictureFile, PictureFile, clWhite, true, nullptr,
                          nullptr, nullptr, false, true, true, false);
    }
    PaintBoxPicture->update();
}

QTreeWidgetItem* TOsobaEdycjaForm::addGroup(const QString& header)
{
    auto* group = new QTreeWidgetItem(ListViewRodzina, {header});
    group->setFirstColumnSpanned(true);
    group->setFlags(Qt::ItemIsEnabled);
    return group;
}

void TOsobaEdycjaForm::AddRelativeRow(QTreeWidgetItem* group, bool personRow, const QString& label, const QString& id,
                                      RelativeRowKind kind)
{
    QString shownLabel = label;
    QString shownText;
    if (personRow) {
        // A child is listed even when its ID names nobody, so the dangling link shows.
        if (const KV_Person* relative = gDB.FindPerson(id)) {
            shownText = relative->GetDisplayName(DisplayNameMode::Plain, true, true);
        } else {
            shownLabel += text("LABEL_CHILD");
            shownText = QStringLiteral("?");
        }
    } else {
        if (id.isEmpty())
            return;
        shownText = kind == RelativeRowKind::UnionFact
                        ? gDB.GetFactSummary(id, 2)
                        : gDB.GetPersonDisplayName(id, DisplayNameMode::Plain, true, true, QString());
    }
    auto* row = new QTreeWidgetItem(group, {shownLabel, shownText});
    row->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
    row->setData(0, RowIDRole, id);
    row->setData(0, RowKindRole, int(kind));
}

void TOsobaEdycjaForm::FillRelatives(bool updateCaptions)
{
    UnionFactRows = 0;
    const KV_Person* person = gDB.FindPerson(PersonID);
    ListViewRodzina->clear();
    ButtonMenuKolejnosc->setEnabled(false);
    if (!person)
        return;
    ButtonMenuKolejnosc->setEnabled(person->GetPartnerCount() > 1 || person->GetChildCount() > 1);
    ZamienKolejnoscZwiazkow->setEnabled(person->GetPartnerCount() > 1);
    Zmiekolejnodzieci1->setEnabled(person->GetChildCount() > 1);

    if (!person->FID.isEmpty() || !person->MID.isEmpty()) {
        QTreeWidgetItem* parents = addGroup(text("LABEL_PARENTS"));
        AddRelativeRow(parents, false, text("LABEL_FATHER") + u':', person->FID, RelativeRowKind::Father);
        AddRelativeRow(parents, false, text("LABEL_MOTHER") + u':', person->MID, RelativeRowKind::Mother);
    }

    QStringList placed;
    for (int n = 0; n < person->GetPartnerCount(); ++n) {
        const QString partnerID = person->GetPartnerID(n);
        QTreeWidgetItem* family = addGroup(text("LABEL_FAMILY") + QStringLiteral(" #") + QString::number(n + 1));
        AddRelativeRow(family, false, QString(), partnerID, RelativeRowKind::Partner);
        for (const QString& factID : person->Facts) {
            const KV_Fact* fact = gDB.FindFact(factID);
            if (fact && fact->IsUnionFact() && fact->GetOtherPersonID(person->ID) == partnerID) {
                AddRelativeRow(family, false, fact->Name + u':', fact->ID, RelativeRowKind::UnionFact);
                ++UnionFactRows;
            }
        }
        int number = 0;
        for (const QString& childID : person->CList) {
            const KV_Person* child = gDB.FindPerson(childID);
            if (!child || !child->HasParents(person->ID, partnerID))
                continue;
            placed.append(childID);
            ++number;
            const QString lead = number == 1 ? text("LABEL_CHILDREN") + QStringLiteral(":  ") : QString();
            AddRelativeRow(family, true, lead + QString::number(number) + QStringLiteral(") "), childID,
                           RelativeRowKind::Child);
        }
    }

    QTreeWidgetItem* otherChildren = nullptr;
    int number = 0;
    for (const QString& childID : person->CList) {
        if (placed.contains(childID))
            continue;
        if (!otherChildren)
            otherChildren = addGroup(text("LABEL_CHILDREN"));
        AddRelativeRow(otherChildren, true, numberedLabel(++number), childID, RelativeRowKind::Child);
    }

    QStringList siblings;
    KV_DB::CollectChildren(gDB.FindPerson(person->FID), gDB.FindPerson(person->MID), person->ID, siblings);
    if (!siblings.isEmpty()) {
        QTreeWidgetItem* group =
            addGroup(text("LABEL_RODZENSTWO") + QStringLiteral(" (") + QString::number(siblings.size()) + u')');
        // A sibling that is gone has no row, but uses up its number.
        for (int k = 0; k < siblings.size(); ++k) {
            if (gDB.FindPerson(siblings[k]))
                AddRelativeRow(group, false, numberedLabel(k + 1), siblings[k], RelativeRowKind::Sibling);
        }
    }
    ListViewRodzina->expandAll();
    if (updateCaptions)
        UpdateTabCaptions();
}

void TOsobaEdycjaForm::FillFacts(const QString& selectID, bool updateCaptions)
{
    ListViewFakty->clear();
    const KV_Person* person = gDB.FindPerson(PersonID);
    if (!person)
        return;
    for (const QString& factID : person->Facts) {
        const KV_Fact* fact = gDB.FindFact(factID);
        if (!fact)
            continue;
        const QString about = fact->IsUnionFact()
                                  ? gDB.GetPersonDisplayName(fact->GetOtherPersonID(person->ID), DisplayNameMode::Plain,
                                                             true, true, QString())
                                  : KV_DB::FlattenText(fact->Description);
        auto* row = new QTreeWidgetItem(
            ListViewFakty, {fact->Type, fact->Name, fact->Date.ToDisplayText(false, true), fact->Place, about});
        row->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        row->setData(0, RowIDRole, fact->ID);
        row->setData(0, RowPrivateRole, fact->Private);
        if (!selectID.isEmpty() && fact->ID == selectID)
            SelectRow(ListViewFakty, row);
    }
    SpeedButtonSort->setEnabled(ListViewFakty->topLevelItemCount() > 1);
    if (updateCaptions)
        UpdateTabCaptions();
}

void TOsobaEdycjaForm::FillAttributes(int selectIndex, bool updateCaptions)
{
    ListViewInformacjeDodatkowe->clear();
    KV_Person* person = gDB.FindPerson(PersonID);
    if (!person)
        return;
    for (int i = 0; i < person->GetAttributeCount(); ++i) {
        const KV_Atribute* attribute = person->GetAttribute(i);
        auto* row =
            new QTreeWidgetItem(ListViewInformacjeDodatkowe, {attribute->Code, attribute->Name, attribute->Value});
        row->setData(0, RowIDRole, i);
        row->setData(0, RowPrivateRole, attribute->Private);
    }
    if (updateCaptions)
        UpdateTabCaptions();
    if (QTreeWidgetItem* row = ListViewInformacjeDodatkowe->topLevelItem(selectIndex))
        SelectRow(ListViewInformacjeDodatkowe, row);
}

void TOsobaEdycjaForm::UpdateTabCaptions()
{
    AdvTabSheetFakty->SetCaption(
        countedCaption("LABEL_FAKTY/ZDARZENIA", "LABEL_FAKTY/ZDARZENIA_(%D)", ListViewFakty->topLevelItemCount()));
    AdvTabSheetKrewni->SetCaption(countedCaption("LABEL_NAJBLIZSZA_RODZINA", "LABEL_NAJBLIZSZA_RODZINA_(%D)",
                                                 relativeRowCount(ListViewRodzina) - UnionFactRows));
    AdvTabSheetInfoDodatkowe->SetCaption(countedCaption("LABEL_INFORMACJE_DODATKOWE", "LABEL_INFORMACJE_DODATKOWE_(%D)",
                                                        ListViewInformacjeDodatkowe->topLevelItemCount()));
}

void TOsobaEdycjaForm::UpdateButtons()
{
    const auto rowState = [](const QTreeWidget* list, QPushButton* first, QPushButton* second, QToolButton* up,
                             QToolButton* down) {
        QTreeWidgetItem* row = SelectedRow(list);
        const int index = row ? list->indexOfTopLevelItem(row) : -1;
        first->setEnabled(row);
        second->setEnabled(row);
        up->setEnabled(row && index > 0);
        down->setEnabled(row && index < list->topLevelItemCount() - 1);
    };
    rowState(ListViewFakty, ButtonFactDelete, ButtonFactEdit, SpeedButtonGora, SpeedButtonDol);
    SpeedButtonSort->setEnabled(ListViewFakty->topLevelItemCount() > 1);
    rowState(ListViewInformacjeDodatkowe, ButtonInfoEdytuj, ButtonInfoUsun, SpeedButtonAtrGora, SpeedButtonAtrDol);

    const QTreeWidgetItem* relative = SelectedRow(ListViewRodzina);
    const bool withID = relative && !relative->data(0, RowIDRole).toString().isEmpty();
    const bool unionFact = relative && relative->data(0, RowKindRole).toInt() == int(RelativeRowKind::UnionFact);
    ButtonKrewnyDelete->setEnabled(withID);
    ButtonPokazDaneKrwenego->setEnabled(withID && !unionFact);
    ButtonKrewnyEditFakt->setEnabled(withID && unionFact);
}

QString TOsobaEdycjaForm::selectedFactID() const
{
    const QTreeWidgetItem* row = SelectedRow(ListViewFakty);
    return row ? row->data(0, RowIDRole).toString() : QString();
}

int TOsobaEdycjaForm::selectedAttributeIndex() const
{
    QTreeWidgetItem* row = SelectedRow(ListViewInformacjeDodatkowe);
    return row ? ListViewInformacjeDodatkowe->indexOfTopLevelItem(row) : -1;
}
