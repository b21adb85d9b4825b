#include "FromularzUnit.h"

#include "Bazadanych.h"
#include "DrawnIcon.h"
#include "FamilyViewLinks.h"
#include "FamilyViewPage.h"
#include "FileFailure.h"
#include "Fonts.h"
#include "Menus.h"
#include "OsobaFormUnit.h"
#include "PersonPicker.h"
#include "ProgramWindow.h"
#include "Prompter.h"
#include "RelacjaAddUnit.h"
#include "ReportWindows.h"
#include "Toolkit.h"
#include "UrlOpener.h"

#include <QAction>
#include <QFrame>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

TFormFormularz* FormFormularz = nullptr;

namespace {

enum class Glyph { EmptyForm, PickPerson, Back, Print, Help, Close };

// The header's pictures, drawn rather than shipped: a blank sheet, a figure with a magnifier, an arrow back, a
// printer, a question mark and a cross.
QIcon headerIcon(Glyph glyph)
{
    DrawnIcon drawn;
    QPainter& p = drawn.painter();
    const QColor ink = drawn.ink();
    switch (glyph) {
    case Glyph::EmptyForm: {
        QPainterPath sheet;
        sheet.moveTo(7, 3);
        sheet.lineTo(20, 3);
        sheet.lineTo(26, 9);
        sheet.lineTo(26, 29);
        sheet.lineTo(7, 29);
        sheet.closeSubpath();
        p.setBrush(Qt::white);
        p.drawPath(sheet);
        p.drawPolyline(QPolygonF({QPointF(20, 3), QPointF(20, 9), QPointF(26, 9)}));
        break;
    }
    case Glyph::PickPerson:
        p.setBrush(QColor(183, 219, 255));
        p.drawEllipse(QRectF(6, 3, 10, 10));
        p.drawRoundedRect(QRectF(3, 15, 16, 13), 4, 4);
        p.setBrush(QColor(255, 255, 255, 200));
        p.drawEllipse(QRectF(16, 14, 10, 10));
        p.setPen(QPen(ink, 3));
        p.drawLine(QPointF(24.5, 22.5), QPointF(29, 27));
        break;
    case Glyph::Back: {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 120, 60));
        p.drawPolygon(QPolygonF({QPointF(3, 16), QPointF(15, 5), QPointF(15, 11), QPointF(28, 11), QPointF(28, 21),
                                 QPointF(15, 21), QPointF(15, 27)}));
        break;
    }
    case Glyph::Print:
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 3, 14, 9));
        p.setBrush(QColor(190, 200, 210));
        p.drawRoundedRect(QRectF(3, 11, 26, 12), 2, 2);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 18, 14, 11));
        p.drawLine(QPointF(12, 22), QPointF(20, 22));
        p.drawLine(QPointF(12, 25), QPointF(20, 25));
        break;
    case Glyph::Help:
        drawn.paintHelp();
        break;
    case Glyph::Close:
        p.setPen(QPen(QColor(190, 50, 40), 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(8, 8), QPointF(24, 24));
        p.drawLine(QPointF(24, 8), QPointF(8, 24));
        break;
    }
    return drawn.icon();
}

QToolButton* headerButton(QWidget* parent, const char* name, const QString& caption, Glyph glyph, int left, int width)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setText(caption);
    button->setIcon(headerIcon(glyph));
    button->setIconSize(QSize(32, 32));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setAutoRaise(true);
    button->setGeometry(left, 5, width, 63);
    return button;
}

void separatorBevel(QWidget* parent, int left)
{
    auto* bevel = new QFrame(parent);
    bevel->setFrameShape(QFrame::VLine);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(left, 10, 2, 53);
}

constexpr int NewWomanType = 100;
constexpr int NewManType = 101;
// Grandparents' slots: the tens say whose parent (2 the father's, 3 the mother's), the ones which parent.
constexpr int FathersParents = 20;
constexpr int MothersParents = 30;

} // namespace

TFormFormularz::TFormFormularz(QWidget* owner) : TForm(owner)
{
    setObjectName(QStringLiteral("FormFormularz"));
    setFont(QFont(Fonts::familyFor(QStringLiteral("Tahoma")), 8));
    SetCaption(QStringLiteral("Formularz: Widok najbliższej rodziny"));
    buildHeader();
    buildContent();
    buildPrintMenu();
    SetClientSize(1084, 618);
    SetPosition(poScreenCenter);
    connectHandlers();
    SpeedButton4->setEnabled(false);
    SpeedButtonCofnij->setEnabled(!gDB.IsHistoryEmpty());
}

void TFormFormularz::buildHeader()
{
    PanelHeader = new QWidget(this);
    PanelHeader->setObjectName(QStringLiteral("PanelHeader"));
    PanelHeader->resize(1084, 73);
    SetAlign(PanelHeader, alTop);
    int left = 4;
    const auto add = [&](const char* name, const char* caption, Glyph glyph, int width) {
        QToolButton* button = headerButton(PanelHeader, name, QString::fromUtf8(caption), glyph, left, width);
        left += width + 2;
        separatorBevel(PanelHeader, left);
        left += 4;
        return button;
    };
    SpeedButton2 = add("SpeedButton2", "Pusty formularz", Glyph::EmptyForm, 86);
    SpeedButton5 = add("SpeedButton5", "Wybierz osobę", Glyph::PickPerson, 78);
    SpeedButtonCofnij = add("SpeedButtonCofnij", "Cofnij", Glyph::Back, 78);
    SpeedButton4 = add("SpeedButton4", "Drukuj", Glyph::Print, 78);
    SpeedButton1 = add("SpeedButton1", "Pomoc", Glyph::Help, 78);
    SpeedButton3 = headerButton(PanelHeader, "SpeedButton3", QStringLiteral("Zamknij"), Glyph::Close, left, 78);
}

void TFormFormularz::buildContent()
{
    PanelContent = new QWidget(this);
    PanelContent->setObjectName(QStringLiteral("PanelContent"));
    SetAlign(PanelContent, alClient);
    CppWebBrowserFormularz = new TCppWebBrowser(PanelContent);
    CppWebBrowserFormularz->setObjectName(QStringLiteral("CppWebBrowserFormularz"));
    SetAlign(CppWebBrowserFormularz, alClient);
    // No context menu: the view has no OnContextMenu, so a right click does nothing.
}

void TFormFormularz::buildPrintMenu()
{
    PopupMenuWydruk = newNamedMenu(this, "PopupMenuWydruk");
    const auto item = [this](const char* name, const char* caption) {
        return addNamedItem(PopupMenuWydruk, name, caption);
    };
    RaportDaneszczegowe1 = item("RaportDaneszczegowe1", "Raport: Dane szczegółowe");
    N2 = addNamedSeparator(PopupMenuWydruk, "N2");
    Drzewoprzodkw1 = item("Drzewoprzodkw1", "Drzewo przodków");
    Drzewopotomkw1 = item("Drzewopotomkw1", "Drzewo potomków");
    Drzewoprzodkwipotomkw1 = item("Drzewoprzodkwipotomkw1", "Drzewo przodków i potomków");
}

void TFormFormularz::connectHandlers()
{
    // The build runs once the window is on the screen, outside the activation's own event. A desktop that does
    // not activate new windows sends no activation at all, so being shown starts it as well.
    const auto activate = [this](QObject*) {
        if (BuildPending)
            QMetaObject::invokeMethod(this, &TFormFormularz::FormActivate, Qt::QueuedConnection);
    };
    OnActivate = activate;
    OnShow = activate;
    connect(SpeedButton2, &QToolButton::clicked, this, &TFormFormularz::SpeedButton2Click);
    connect(SpeedButton5, &QToolButton::clicked, this, &TFormFormularz::SpeedButton5Click);
    connect(SpeedButtonCofnij, &QToolButton::clicked, this, &TFormFormularz::Cofnij);
    connect(SpeedButton4, &QToolButton::clicked, this, &TFormFormularz::SpeedButton4Click);
    connect(SpeedButton1, &QToolButton::clicked, this, &TFormFormularz::SpeedButton1Click);
    connect(SpeedButton3, &QToolButton::clicked, this, &TFormFormularz::SpeedButton3Click);
    connect(PopupMenuWydruk, &QMenu::aboutToShow, this, &TFormFormularz::PopupMenuWydrukPopup);
    connect(RaportDaneszczegowe1, &QAction::triggered, this, &TFormFormularz::RaportDaneszczegowe1Click);
    connect(Drzewoprzodkw1, &QAction::triggered, this, &TFormFormularz::Drzewoprzodkw1Click);
    connect(Drzewopotomkw1, &QAction::triggered, this, &TFormFormularz::Drzewopotomkw1Click);
    connect(Drzewoprzodkwipotomkw1, &QAction::triggered, this, &TFormFormularz::Drzewoprzodkwipotomkw1Click);
    CppWebBrowserFormularz->OnBeforeNavigate2 = [this](const QUrl& url) {
        return CppWebBrowserFormularzBeforeNavigate2(url);
    };
}

void TFormFormularz::ShowFor(const QString& personID)
{
    PendingID = personID;
    BuildPending = true;
}

void TFormFormularz::FormActivate()
{
    if (!BuildPending)
        return;
    // Cleared first: a page that cannot be made reports it in a message box, whose closing activates the
    // window again, and must not report it anew.
    BuildPending = false;
    BuildFamilyViewPage(PendingID, false);
}

void TFormFormularz::BuildFamilyViewPage(const QString& personID, bool back)
{
    if (!ShownID.isEmpty() && !back && ShownID != personID)
        gDB.PushHistory(ShownID);
    SpeedButtonCofnij->setEnabled(!gDB.IsHistoryEmpty());
    ShownID = personID;
    SpeedButton4->setEnabled(!ShownID.isEmpty());

    QString page;
    try {
        page = WriteFamilyViewPage(personID);
    } catch (const FileError& error) {
        prompter().message(FileFailureText(error), gProductName, Prompter::Icon::Error);
        return;
    } catch (const Exception& error) {
        prompter().message(error.Message(), gProductName, Prompter::Icon::Error);
        return;
    }
    pageUrl = QUrl::fromLocalFile(page);
    // The same page built again is loaded again: its file has changed.
    if (CppWebBrowserFormularz->url() == pageUrl)
        CppWebBrowserFormularz->reload();
    else
        CppWebBrowserFormularz->Navigate(page);
}

TCppWebBrowser::Decision TFormFormularz::CppWebBrowserFormularzBeforeNavigate2(const QUrl& url)
{
    FamilyViewCommands commands;
    commands.ShowPerson = [this](const QString& id) { ShowPerson(id); };
    commands.EditPerson = [this](const QString& id) { EditShownPerson(id); };
    commands.AddRelative = [this](int type) { AddRelativeOfType(type); };
    commands.DeleteRelation = [this](int kind, const QString& id) { DeleteRelationOfKind(kind, id); };
    return FamilyViewLinkDecision(url, pageUrl, commands);
}

void TFormFormularz::ShowPerson(const QString& personID)
{
    BuildFamilyViewPage(personID, false);
}

void TFormFormularz::EditShownPerson(const QString& personID)
{
    EditPerson(ProgramMainWindow(), personID, 0);
    BuildFamilyViewPage(ShownID, false);
}

void TFormFormularz::AddRelativeOfType(int type)
{
    if (type == NewWomanType || type == NewManType) {
        const QString id = EditPerson(ProgramMainWindow(), QString(), type - NewWomanType);
        if (!id.isEmpty())
            BuildFamilyViewPage(id, false);
        return;
    }
    if (type >= int(RelationKind::Father) && type <= int(RelationKind::Daughter)) {
        addRelative(ShownID, QString(), type);
        return;
    }
    // Siblings and grandparents hang on the probant's parents: without the probant there are none.
    const KV_Person* probant = gDB.FindPerson(ShownID);
    if (!probant)
        return;
    const int tens = type - type % 10;
    const int parentKind = type % 10;
    if (type == int(RelationKind::Brother) || type == int(RelationKind::Sister))
        addRelative(probant->FID, probant->MID, type);
    else if (tens == FathersParents && (parentKind == 1 || parentKind == 2))
        addRelative(probant->FID, QString(), parentKind);
    else if (tens == MothersParents && (parentKind == 1 || parentKind == 2))
        addRelative(probant->MID, QString(), parentKind);
}

void TFormFormularz::addRelative(const QString& anchorID, const QString& secondParentID, int type)
{
    TFormRelacjaAdd* dialog = FormRelacjaAdd;
    if (!dialog)
        return;
    dialog->AddRelative(ShownID, anchorID, secondParentID, RelationKind(type));
    dialog->ShowModal();
    if (dialog->Saved)
        BuildFamilyViewPage(ShownID, false);
}

void TFormFormularz::DeleteRelationOfKind(int kind, const QString& otherID)
{
    TFormRelacjaAdd* dialog = FormRelacjaAdd;
    if (!dialog)
        return;
    QString personID = ShownID;
    const int tens = kind - kind % 10;
    const bool grandparent = (tens == FathersParents || tens == MothersParents) && (kind % 10 == 1 || kind % 10 == 2);
    if (grandparent) {
        // A grandparent's link is a relation of the probant's father or mother.
        const KV_Person* probant = gDB.FindPerson(ShownID);
        if (!probant)
            return;
        personID = tens == FathersParents ? probant->FID : probant->MID;
        kind -= tens;
    }
    if (dialog->DeleteRelation(personID, otherID, RelationKind(kind)))
        BuildFamilyViewPage(ShownID, false);
}

void TFormFormularz::SpeedButton2Click()
{
    BuildFamilyViewPage(QString(), false);
}

void TFormFormularz::SpeedButton5Click()
{
    const QString id = PickPerson(true, true);
    if (!id.isEmpty())
        BuildFamilyViewPage(id, false);
}

void TFormFormularz::Cofnij()
{
    BuildFamilyViewPage(gDB.PopHistory(), true);
}

void TFormFormularz::SpeedButton4Click()
{
    popUpUnder(PopupMenuWydruk, SpeedButton4);
}

void TFormFormularz::SpeedButton1Click()
{
    openHelp(gAppFolder);
}

void TFormFormularz::SpeedButton3Click()
{
    Close();
}

void TFormFormularz::PopupMenuWydrukPopup()
{
    const KV_Person* probant = gDB.FindPerson(ShownID);
    const bool ancestors = probant && probant->HasKnownParents(false);
    const bool descendants = probant && probant->GetChildCount() > 0;
    RaportDaneszczegowe1->setEnabled(true);
    Drzewoprzodkw1->setEnabled(ancestors);
    Drzewopotomkw1->setEnabled(descendants);
    Drzewoprzodkwipotomkw1->setEnabled(ancestors && descendants);
}

void TFormFormularz::RaportDaneszczegowe1Click()
{
    OpenPersonReport(ShownID, true);
}

void TFormFormularz::Drzewoprzodkw1Click()
{
    OpenTreeReport(TreeType::Ancestors, ShownID);
}

void TFormFormularz::Drzewopotomkw1Click()
{
    OpenTreeReport(TreeType::Descendants, ShownID);
}

void TFormFormularz::Drzewoprzodkwipotomkw1Click()
{
    OpenTreeReport(TreeType::AncestorsAndDescendants, ShownID);
}

void ShowFamilyView(const QString& personID)
{
    if (!FormFormularz)
        return;
    FormFormularz->ShowFor(personID);
    FormFormularz->ShowModal();
}
