// The family view: one person, the probant, with the closest family around (parents, grandparents, partners,
// children grouped by partner, siblings) as a page in the embedded browser. Its links walk from person to
// person, edit persons, add relatives and remove relations; "Cofnij" walks back along the history of shown
// persons that gDB keeps. The window is made once and shown modally for the person ShowFor names.
#pragma once

#include "Forms.h"
#include "WebBrowser.h"

#include <QString>
#include <QUrl>

class QAction;
class QMenu;
class QToolButton;

class TFormFormularz : public TForm
{
    Q_OBJECT
public:
    explicit TFormFormularz(QWidget* owner = nullptr);

    // The person the next activation shows ("" the empty page); the caller then shows the window modally.
    void ShowFor(const QString& personID);
    // Shows the page of the person: the one shown before goes onto the history unless back is set (only
    // "Cofnij" sets it), it is the empty page or it is this person again. A page that cannot be made is
    // reported in a message box, and the view keeps the page it had.
    void BuildFamilyViewPage(const QString& personID, bool back);

    // The person the next activation builds, and whether it still has to.
    QString PendingID;
    bool BuildPending = true;
    // The person on show; "" for the empty page. An ID that names no person stays here while the empty page
    // stands for it.
    QString ShownID;

    // Handlers.
    void FormActivate();
    // "Pusty formularz".
    void SpeedButton2Click();
    // "Wybierz osobę": a person picked from the person list.
    void SpeedButton5Click();
    // "Cofnij".
    void Cofnij();
    // "Drukuj": the print menu under the button.
    void SpeedButton4Click();
    // "Pomoc".
    void SpeedButton1Click();
    // "Zamknij".
    void SpeedButton3Click();
    // What the view does with a navigation; commands run after the engine's callback.
    TCppWebBrowser::Decision CppWebBrowserFormularzBeforeNavigate2(const QUrl& url);
    // The print menu's trees as the probant allows them, as it opens.
    void PopupMenuWydrukPopup();
    void RaportDaneszczegowe1Click();
    void Drzewoprzodkw1Click();
    void Drzewopotomkw1Click();
    void Drzewoprzodkwipotomkw1Click();

    // The link commands.
    void ShowPerson(const QString& personID);
    void EditShownPerson(const QString& personID);
    void AddRelativeOfType(int type);
    void DeleteRelationOfKind(int kind, const QString& otherID);

    // Components.
    QWidget* PanelHeader;
    QToolButton* SpeedButton2;
    QToolButton* SpeedButton5;
    QToolButton* SpeedButtonCofnij;
    QToolButton* SpeedButton4;
    QToolButton* SpeedButton1;
    QToolButton* SpeedButton3;
    QWidget* PanelContent;
    TCppWebBrowser* CppWebBrowserFormularz;
    QMenu* PopupMenuWydruk;
    QAction* RaportDaneszczegowe1;
    QAction* N2;
    QAction* Drzewoprzodkw1;
    QAction* Drzewopotomkw1;
    QAction* Drzewoprzodkwipotomkw1;

private:
    void buildHeader();
    void buildContent();
    void buildPrintMenu();
    void connectHandlers();
    // Shows the add-relative dialog prepared for the relative, and the page again after a save.
    void addRelative(const QString& anchorID, const QString& secondParentID, int type);

    // The page file the view was last sent to; its own load is the one navigation that goes through.
    QUrl pageUrl;
};

// The family view, created third by the entry point.
extern TFormFormularz* FormFormularz;

// The family view of a person ("" the empty page), shown modally: the way in for every other window.
void ShowFamilyView(const QString& personID);
