#include "RelacjaAddUnit.h"

#include "AdvCombo.h"
#include "AdvEdit.h"
#include "AdvGroupBox.h"
#include "AdvOfficeButtons.h"
#include "AdvPanel.h"
#include "BasicFacts.h"
#include "DialogFrame.h"
#include "EditingInput.h"
#include "HtmlEscape.h"
#include "PersonPicker.h"
#include "Prompter.h"
#include "Settings.h"
#include "StdCtrls.h"
#include "Unitdata.h"
#include "Vh_langmanager.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <memory>

TFormRelacjaAdd* FormRelacjaAdd = nullptr;

namespace {

constexpr int clientWidth = 600;
constexpr int clientHeight = 640;
// The column on the right of the fields, with the buttons that choose a person, level with the first field.
constexpr int choiceColumnWidth = 176;
constexpr int choiceTop = 18;
constexpr int fieldPanelWidth = clientWidth - choiceColumnWidth;
// Sex codes, which are also the items of the sex list.
constexpr int woman = 0;
constexpr int man = 1;
constexpr int unspecifiedSex = 2;

bool isChildType(RelationKind type)
{
    return type == RelationKind::Son || type == RelationKind::Daughter;
}

bool isSiblingType(RelationKind type)
{
    return type == RelationKind::Brother || type == RelationKind::Sister;
}

const char* titleKey(RelationKind type)
{
    switch (type) {
    case RelationKind::Father:
        return "LABEL_DODAWANIE_OJCA";
    case RelationKind::Mother:
        return "LABEL_DODAWANIE_MATKI";
    case RelationKind::Partner:
        return "LABEL_DODAWANIE_NOWEGO_ZWIAZKU";
    case RelationKind::Son:
        return "LABEL_DODAWANIE_SYNA";
    case RelationKind::Daughter:
        return "LABEL_DODAWANIE_CORKI";
    case RelationKind::Brother:
        return "LABEL_DODAWANIE_BRATA";
    case RelationKind::Sister:
        return "LABEL_DODAWANIE_SIOSTRY";
    }
    return "";
}

// The sex a new relative of the type starts with; a partner takes the sex the anchor does not have.
int presetSex(RelationKind type, const KV_Person* anchor)
{
    switch (type) {
    case RelationKind::Mother:
    case RelationKind::Daughter:
    case RelationKind::Sister:
        return woman;
    case RelationKind::Partner:
        return anchor && anchor->IsMale() ? woman : man;
    default:
        return man;
    }
}

QString text(const char* key)
{
    return gLangM.Get(QLatin1String(key));
}

} // namespace

TFormRelacjaAdd::TFormRelacjaAdd(QWidget* owner) : TForm(owner)
{
    setUpDialogFrame(this, "FormRelacjaAdd", clientWidth, clientHeight);
    PanelTitle = addNameTitlePanel(this, "PanelTitle", QStringLiteral("Nowa relacja"));
    buildButtons();
    AdvPanelDane = addFieldPanel(this, "AdvPanelDane");
    buildChoiceColumn();
    buildFields();
    connectHandlers();
}

void TFormRelacjaAdd::buildChoiceColumn()
{
    auto* column = new QWidget(AdvPanelDane);
    column->resize(choiceColumnWidth, clientHeight);
    SetAlign(column, alRight);
    Button2 = addButton(column, "Button2", QStringLiteral("Wybierz z listy"),
                        QRect(8, choiceTop, choiceColumnWidth - 20, 28));
    ButtonUsunWybor = addButton(column, "ButtonUsunWybor", QStringLiteral("Usuń wybór z listy"),
                                QRect(8, choiceTop + 36, choiceColumnWidth - 20, 28));
    ButtonUsunWybor->hide();
}

void TFormRelacjaAdd::buildFields()
{
    addPersonPanel(AdvPanelDane, fieldPanelWidth);
    // The union list heads the stack; only a son or daughter shows it.
    AdvComboBoxZwiazki = addOwnWordList("AdvComboBoxZwiazki", "Dziecko ze związku z:");
    AdvComboBoxZwiazki->SetStyle(csDropDownList);
    addNameRows();
    AdvGroupBox2 = addLifeRows("AdvGroupBox2");
    finishLoading(this);
}

void TFormRelacjaAdd::buildButtons()
{
    PanelButtons = addButtonPanel(this, "PanelButtons");
    ButtonZapisz = addSaveButton(PanelButtons, "ButtonZapisz");
    Button4 = addButton(PanelButtons, "Button4", QStringLiteral("Zamknij"), QRect(clientWidth - 124, 11, 108, 28));
    SetCancelButton(Button4);
}

void TFormRelacjaAdd::connectHandlers()
{
    OnShow = [this](QObject*) { activationPending = true; };
    OnActivate = [this](QObject*) { FormActivate(); };
    OnShortCut = [this](QKeyEvent* key, bool& handled) { FormShortCut(key, handled); };
    connect(ButtonZapisz, &QPushButton::clicked, this, &TFormRelacjaAdd::ButtonZapiszClick);
    connect(Button4, &QPushButton::clicked, this, &TFormRelacjaAdd::Button4Click);
    connect(Button2, &QPushButton::clicked, this, &TFormRelacjaAdd::WybierzOsobeZListy);
    connect(ButtonUsunWybor, &QPushButton::clicked, this, &TFormRelacjaAdd::ButtonUsunWyborClick);
    CheckBoxOsobaZmarla->OnClick = [this](QObject*) { CheckBoxOsobaZmarlaClick(); };
    AdvComboBoxPlec->OnChange = [this](TAdvCustomCombo*) { AdvComboBoxPlecChange(); };
    AdvComboBoxRodowe->OnExit = [this](TAdvCustomCombo*) { AdvComboBoxRodoweExit(); };
    AdvComboBoxDataUr->OnChange = [this](TCustomEdit*) { AdvComboBoxDataUrChange(); };
    AdvEditDataSmierci->OnChange = [this](TCustomEdit*) { AdvEditDataSmierciChange(); };

    setUpTyping();
    EnterMovesOn(AdvComboBoxZwiazki);
    EscapeCloses(MemoNote);
}

void TFormRelacjaAdd::AddRelative(const QString& subjectID, const QString& anchorID, const QString& secondParentID,
                                  RelationKind type)
{
    SubjectID = subjectID;
    AnchorID = anchorID;
    SecondParentID = secondParentID;
    RelationType = type;
    ChosenID.clear();
    Saved = false;
    SetupPending = true;
}

void TFormRelacjaAdd::FormActivate()
{
    // Coming back from the person list or from a message must not load the fields again over what was typed.
    if (!activationPending)
        return;
    activationPending = false;
    if (SetupPending) {
        LoadFields(-1);
        SetupPending = false;
    }
    if (AdvComboBoxImie->isVisible() && AdvComboBoxImie->isEnabled())
        AdvComboBoxImie->setFocus(Qt::ActiveWindowFocusReason);
    AdvComboBoxPlecChange();
}

void TFormRelacjaAdd::LoadFields(int unionIndex)
{
    ButtonUsunWybor->setVisible(!ChosenID.isEmpty());
    AdvComboBoxZwiazki->setEnabled(true);
    const KV_Person* anchor = gDB.FindPerson(AnchorID);
    const KV_Person* chosen = gDB.FindPerson(ChosenID);
    const KV_Person* secondParent = gDB.FindPerson(SecondParentID);
    PanelTitle->SetText(htmlEscape(text(titleKey(RelationType))));

    if (isChildType(RelationType)) {
        AdvComboBoxZwiazki->clear();
        AdvComboBoxZwiazki->addItem(text("LABEL_CHILD_IN_ONE_PERSON_FAMILY"));
        for (const QString& partnerID : anchor ? anchor->FList : QStringList()) {
            AdvComboBoxZwiazki->addItem(
                gDB.GetPersonDisplayName(partnerID, DisplayNameMode::Plain, true, true, QString()), partnerID);
        }
        // The first partner is the likeliest other parent.
        AdvComboBoxZwiazki->SetItemIndex(AdvComboBoxZwiazki->count() > 1 ? 1 : 0);
        if (unionIndex != -1 && unionIndex < AdvComboBoxZwiazki->count())
            AdvComboBoxZwiazki->SetItemIndex(unionIndex);
    }
    AdvComboBoxZwiazki->parentWidget()->setVisible(isChildType(RelationType));

    if (chosen)
        showPerson(*chosen, chosen->IsFemale() || chosen->IsMale() ? chosen->Sex : unspecifiedSex);
    else
        presetNewRelative(anchor, secondParent);
    AdvComboBoxPlec->setEnabled(RelationType != RelationKind::Father && RelationType != RelationKind::Mother);
    CheckBoxOsobaZmarlaClick();
}

void TFormRelacjaAdd::presetNewRelative(const KV_Person* anchor, const KV_Person* secondParent)
{
    clearPerson();
    const int sex = presetSex(RelationType, anchor);
    AdvComboBoxPlec->SetItemIndex(sex);

    if (gSettings.ChildSurnamePrefill) {
        // The surname the relative most likely has, in the form of its sex, and whether it is also its family
        // name.
        QString surname;
        bool alsoFamilyName = true;
        switch (RelationType) {
        case RelationKind::Father:
        case RelationKind::Mother:
            if (anchor)
                surname = KV_DB::SurnameForSex(anchor->Sex, anchor->Familyname, sex);
            alsoFamilyName = RelationType == RelationKind::Father;
            break;
        case RelationKind::Partner:
            if (anchor && sex == woman)
                surname = KV_DB::SurnameForSex(anchor->Sex, anchor->Surname, woman);
            alsoFamilyName = false;
            break;
        case RelationKind::Son:
        case RelationKind::Daughter:
            if (anchor)
                surname = KV_DB::SurnameForSex(anchor->Sex, anchor->Surname, sex);
            break;
        case RelationKind::Brother:
        case RelationKind::Sister: {
            // The parent whose surname a child of this sex carries, else the other one's in the child's form.
            const KV_Person* own = RelationType == RelationKind::Brother ? anchor : secondParent;
            const KV_Person* other = RelationType == RelationKind::Brother ? secondParent : anchor;
            if (own)
                surname = own->Surname;
            else if (other)
                surname = KV_DB::SurnameForSex(other->Sex, other->Surname, sex);
            break;
        }
        }
        AdvComboBoxNazwisko->SetText(surname);
        if (alsoFamilyName)
            AdvComboBoxRodowe->SetText(surname);
    }
}

void TFormRelacjaAdd::FillDictionaries()
{
    fillWordLists();
}

void TFormRelacjaAdd::AdvComboBoxPlecChange()
{
    const int sex = AdvComboBoxPlec->GetItemIndex();
    ShowSexColor(AdvPanel3, sex);
    ShowSexColor(AdvPanelDane, sex);
    CheckBoxOsobaZmarla->update();
    FillDictionaries();
}

void TFormRelacjaAdd::CheckBoxOsobaZmarlaClick()
{
    showDeathFields();
}

void TFormRelacjaAdd::AdvComboBoxRodoweExit()
{
    fillEmptySurname();
}

void TFormRelacjaAdd::AdvComboBoxDataUrChange()
{
    ShowDateValidity(AdvComboBoxDataUr, AdvComboBoxNazwisko);
}

void TFormRelacjaAdd::AdvEditDataSmierciChange()
{
    ShowDateValidity(AdvEditDataSmierci, AdvComboBoxNazwisko);
}

void TFormRelacjaAdd::FormShortCut(QKeyEvent* key, bool& handled)
{
    handled = clickOnF3(key, ButtonZapisz);
}

void TFormRelacjaAdd::Button4Click()
{
    SetModalResult(mrCancel);
}

// ---- Choosing an existing person -----------------------------------------------------------------------------

QString TFormRelacjaAdd::selectedPartnerID() const
{
    return AdvComboBoxZwiazki->GetItemIndex() >= 1 ? AdvComboBoxZwiazki->currentData().toString() : QString();
}

void TFormRelacjaAdd::WybierzOsobeZListy()
{
    const int sex = AdvComboBoxPlec->GetItemIndex();
    const QString id = PickPerson(sex == woman || sex == unspecifiedSex, sex == man || sex == unspecifiedSex);
    if (id.isEmpty())
        return;
    if (!CanSelectPerson(id)) {
        prompter().message(gDB.LastError, gProductName);
        return;
    }
    ChosenID = id;
    LoadFields(AdvComboBoxZwiazki->GetItemIndex());
    // The union the choice was checked against stays until the choice is dropped.
    AdvComboBoxZwiazki->setEnabled(false);
}

void TFormRelacjaAdd::ButtonUsunWyborClick()
{
    ChosenID.clear();
    LoadFields(AdvComboBoxZwiazki->GetItemIndex());
}

bool TFormRelacjaAdd::CanSelectPerson(const QString& chosenID)
{
    const auto refuse = [](const char* key) {
        gDB.LastError = text(key);
        return false;
    };
    if (chosenID == SubjectID)
        return refuse("LABEL_NIE_MOZNA_WYBRAC_OSOBY_DLA_KTOREJ_TWORZY_SIE_RELACJE.WYBIERZ_INNA_OSOBE.");
    const KV_Person* chosen = gDB.FindPerson(chosenID);
    if (!chosen) {
        gDB.LastError = gLangM.FormatStr(QStringLiteral("LABEL_BRAK_DANYCH_OSOBY_O_ID:_%S"), chosenID);
        return false;
    }
    switch (RelationType) {
    case RelationKind::Father:
    case RelationKind::Mother:
        return gDB.CanBeParent(chosenID, AnchorID, RelationType);
    case RelationKind::Partner:
        return gDB.CanCreateUnion(AnchorID, chosenID);
    case RelationKind::Son:
    case RelationKind::Daughter: {
        const QString partnerID = selectedPartnerID();
        if (!keepsRecordedParents(*chosen, partnerID))
            return false;
        if (!AnchorID.isEmpty() && gDB.CanBeChild(AnchorID, chosenID, RelationType) == KV_DB::ChildRefused)
            return false;
        return partnerID.isEmpty() || gDB.CanBeChild(partnerID, chosenID, RelationType) != KV_DB::ChildRefused;
    }
    case RelationKind::Brother:
    case RelationKind::Sister: {
        if (chosen->HasKnownParents(false))
            return refuse("LABEL_WYBRANA_OSOBA_MA_JUZ_OJCA_LUB_MATKE. WYBIERZ_INNA_OSOBE.");
        const KV_Person* father = gDB.FindPerson(AnchorID);
        const KV_Person* mother = gDB.FindPerson(SecondParentID);
        if (!father || !mother) {
            if (father && father->HasChild(chosenID))
                return refuse("LABEL_WYBRANA_OSOBA_JEST_JUZ_SIOSTRA_LUB_BRATEM_(JEST_DZIECKIEM_OJCA). "
                              "WYBIERZ_INNA_OSOBE.");
            if (mother && mother->HasChild(chosenID))
                return refuse("LABEL_WYBRANA_OSOBA_JEST_JUZ_SIOSTRA_LUB_BRATEM_(JEST_DZIECKIEM_MATKI). "
                              "WYBIERZ_INNA_OSOBE.");
        } else if (father->HasChild(chosenID) && mother->HasChild(chosenID)) {
            return refuse("LABEL_WYBRANA_OSOBA_JEST_JUZ_SIOSTRA_LUB_BRATEM_(JEST_DZIECKIEM_OJCA_I_MATKI). "
                          "WYBIERZ_INNA_OSOBE.");
        }
        const RelationKind childKind =
            RelationType == RelationKind::Brother ? RelationKind::Son : RelationKind::Daughter;
        // A father recorded by no person is left out when the mother exists: the sibling is then hers alone.
        if (!AnchorID.isEmpty() && (father || !mother) &&
            gDB.CanBeChild(AnchorID, chosenID, childKind) == KV_DB::ChildRefused)
            return false;
        return SecondParentID.isEmpty() || gDB.CanBeChild(SecondParentID, chosenID, childKind) != KV_DB::ChildRefused;
    }
    }
    return true;
}

bool TFormRelacjaAdd::keepsRecordedParents(const KV_Person& chosen, const QString& partnerID)
{
    // The slots the link writes and what it writes into them; a slot it leaves alone may hold anyone.
    const KV_Person* anchor = gDB.FindPerson(AnchorID);
    const bool anchorIsFather = anchor && anchor->IsMale();
    QString newFather;
    QString newMother;
    if (!partnerID.isEmpty()) {
        newFather = anchorIsFather ? AnchorID : partnerID;
        newMother = anchorIsFather ? partnerID : AnchorID;
    } else if (anchorIsFather) {
        newFather = AnchorID;
    } else {
        newMother = AnchorID;
    }
    const auto overwritten = [](const QString& recorded, const QString& coming) {
        return !coming.isEmpty() && !recorded.isEmpty() && recorded != coming;
    };
    if (!overwritten(chosen.FID, newFather) && !overwritten(chosen.MID, newMother))
        return true;
    gDB.LastError =
        text(chosen.HasKnownParents(true) ? "LABEL_WYBRANA_OSOBA_MA_JUZ_OJCA_I_MATKE. WYBIERZ_INNA_OSOBE."
                                          : "LABEL_WYBRANA_OSOBA_MA_JUZ_OJCA_LUB_MATKE. WYBIERZ_INNA_OSOBE.");
    return false;
}

// ---- Saving ----------------------------------------------------------------------------------------------------

void TFormRelacjaAdd::ButtonZapiszClick()
{
    if (!SaveRelative()) {
        prompter().message(LastError, gProductName);
        return;
    }
    Saved = true;
    SetModalResult(mrOk);
}

bool TFormRelacjaAdd::SaveRelative()
{
    const char* message = nullptr;
    if (TAdvEdit* wrong = wrongDate(message)) {
        LastError = text(message);
        wrong->setFocus(Qt::OtherFocusReason);
        return false;
    }

    KV_Person* anchor = gDB.FindPerson(AnchorID);
    KV_Person* second = nullptr;
    if (isChildType(RelationType))
        second = gDB.FindPerson(selectedPartnerID());
    else if (isSiblingType(RelationType))
        second = gDB.FindPerson(SecondParentID);
    // A brother or sister of a person without a recorded father still has the mother.
    const bool motherAlone = isSiblingType(RelationType) && second;
    if (!anchor && !motherAlone) {
        LastError = gLangM.FormatStr(QStringLiteral("LABEL_BRAK_DANYCH_OSOBY_O_ID:_%S"), AnchorID);
        return false;
    }
    std::unique_ptr<KV_Person> made;
    KV_Person* relative = nullptr;
    if (ChosenID.isEmpty()) {
        made = std::make_unique<KV_Person>();
        relative = made.get();
    } else if (!(relative = gDB.FindPerson(ChosenID))) {
        // Deleted in another window since it was chosen.
        LastError = gLangM.FormatStr(QStringLiteral("LABEL_BRAK_DANYCH_OSOBY_O_ID:_%S"), ChosenID);
        return false;
    }

    takeBasicData(*relative);
    if (made) {
        if (!gDB.AddPerson(relative)) {
            LastError = gDB.GetLastError();
            return false;
        }
        made.release();
    }

    QStringList failures;
    // The relative, its facts and the persons it is linked to reach the disk together.
    KV_DB::FileChange change(gDB);
    // Empty birth fields leave a chosen person's birth as it was recorded.
    writeLifeFacts(*relative, EmptyBirth::StaysAsRecorded, failures);
    if (!gDB.SavePersons(relative))
        failures.append(gDB.StorageError);
    linkRelative(relative, anchor, second, failures);
    if (!change.commit())
        failures.append(gDB.StorageError);
    ReportStorageFailures(failures);
    return true;
}

void TFormRelacjaAdd::linkRelative(KV_Person* relative, KV_Person* anchor, KV_Person* second, QStringList& failures)
{
    // Only IDs are kept past the question about the parents' union: any of the three may be deleted meanwhile.
    const QString relativeID = relative->ID;
    const QString anchorID = anchor ? anchor->ID : QString();
    QString thirdID;
    switch (RelationType) {
    case RelationKind::Father:
    case RelationKind::Mother: {
        const bool father = RelationType == RelationKind::Father;
        (father ? anchor->FID : anchor->MID) = relative->ID;
        relative->AddChild(anchor->ID);
        thirdID = father ? anchor->MID : anchor->FID;
        AskUnionOfParents(father ? relativeID : thirdID, father ? thirdID : relativeID, anchorID);
        break;
    }
    case RelationKind::Partner:
        anchor->AddPartner(relative->ID);
        relative->AddPartner(anchor->ID);
        break;
    case RelationKind::Son:
    case RelationKind::Daughter:
        anchor->AddChild(relative->ID);
        if (second)
            second->AddChild(relative->ID);
        if (anchor->IsMale()) {
            relative->FID = anchor->ID;
            if (second)
                relative->MID = second->ID;
        } else {
            relative->MID = anchor->ID;
            if (second)
                relative->FID = second->ID;
        }
        thirdID = second ? second->ID : QString();
        break;
    case RelationKind::Brother:
    case RelationKind::Sister:
        if (anchor) {
            anchor->AddChild(relative->ID);
            relative->FID = anchor->ID;
        }
        if (second) {
            second->AddChild(relative->ID);
            relative->MID = second->ID;
        }
        thirdID = second ? second->ID : QString();
        break;
    }
    if (!gDB.SavePersons(gDB.FindPerson(relativeID), gDB.FindPerson(anchorID), gDB.FindPerson(thirdID)))
        failures.append(gDB.StorageError);
}

void TFormRelacjaAdd::AskUnionOfParents(const QString& fatherID, const QString& motherID, const QString& childID)
{
    const KV_Person* father = gDB.FindPerson(fatherID);
    const KV_Person* mother = gDB.FindPerson(motherID);
    if (!father || !mother || (father->HasPartner(motherID) && mother->HasPartner(fatherID)))
        return;
    const QString question =
        gLangM.FormatStr(QStringLiteral("LABEL_CZY_CHCESZ_UTWORZYC_ZWIAZEK_POMIEDZY_RODZICAMI_OSOBY:_%S"),
                         gDB.GetPersonDisplayName(childID, DisplayNameMode::Plain, true, true, QString()));
    if (!prompter().confirm(question, text("LABEL_UWAGA")))
        return;
    KV_Person* husband = gDB.FindPerson(fatherID);
    KV_Person* wife = gDB.FindPerson(motherID);
    if (!husband || !wife)
        return;
    husband->AddPartner(motherID);
    wife->AddPartner(fatherID);
}
