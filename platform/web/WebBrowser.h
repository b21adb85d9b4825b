// The embedded web browser of the start page and the family view. It shows local pages and asks its owner
// before the engine goes anywhere: every navigation (a clicked link, a script, the page's own load) and every
// new-window request (a link with target="_blank") is put to OnBeforeNavigate2, which may cancel it. Commands
// that a link starts run queued, after the engine's callback has returned, so no window opens and no page is
// loaded from inside the engine.
#pragma once

#include <QUrl>
#include <QWebEngineView>
#include <functional>

class TCppWebBrowser : public QWebEngineView
{
    Q_OBJECT
public:
    // What the owner decides about one navigation: whether the engine goes on, and the work the link asks for.
    struct Decision
    {
        bool cancel = false;
        std::function<void()> command;
    };

    explicit TCppWebBrowser(QWidget* parent = nullptr);

    // Shows the local file at path.
    void Navigate(const QString& path);

    // Asked inside the engine's callback; it must decide at once and show nothing. Without it every navigation
    // proceeds and no new window opens. An exception it throws cancels the navigation and is raised again once
    // the engine's callback has returned, where the program's event handling shows it.
    std::function<Decision(const QUrl& url)> OnBeforeNavigate2;
    // After the page that Navigate asked for has loaded (each loading of it: a reload too), from the event loop; a
    // cancelled or failed navigation never reports here. The page itself tells its load: the engine's own report
    // of a load is lost when the load begins while the engine still ends a cancelled navigation, as a link's
    // command that loads a page does.
    std::function<void()> OnDocumentComplete;
    // A right click over the page, at its screen position. The engine's own menu is never shown: without a
    // handler a right click does nothing.
    std::function<void(const QPoint& globalPos)> OnContextMenu;

private:
    friend class GuardedPage;
    // The owner's decision, with the command queued; true when the engine may go on.
    bool allowNavigation(const QUrl& url);
    void documentLoaded(const QUrl& url);

    QUrl navigated;
};

// The command a link of one of the program's pages names: the file name without its extension when url is a
// file directly in folder (the temporary folder the pages are written to), else "". Links elsewhere, and the
// addresses of other schemes, name no command whatever their last segment reads.
QString StartPageCommandName(const QUrl& url, const QString& folder);

// Prepares the process for the web engine; call before the application object exists. The engine refuses to
// start as root with its sandbox on, so a process running as root switches the sandbox off.
void prepareWebEngine();
