#include "WebBrowser.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QWebEngineNewWindowRequest>
#include <QWebEnginePage>
#include <exception>
#include <unistd.h>

// The page that puts each navigation to its browser. New windows are never made: createWindow keeps its
// default, which opens none, after newWindowRequested has shown the request to the browser.
class GuardedPage : public QWebEnginePage
{
public:
    explicit GuardedPage(TCppWebBrowser* browser) : QWebEnginePage(browser), browser(browser)
    {
        connect(this, &QWebEnginePage::newWindowRequested, this, [this](QWebEngineNewWindowRequest& request) {
            this->browser->allowNavigation(request.requestedUrl());
        });
    }

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType, bool) override
    {
        return browser->allowNavigation(url);
    }

private:
    TCppWebBrowser* browser;
};

TCppWebBrowser::TCppWebBrowser(QWidget* parent) : QWebEngineView(parent)
{
    setPage(new GuardedPage(this));
    setContextMenuPolicy(Qt::CustomContextMenu);
    // The menu runs a loop of its own: it opens after the engine's callback has returned.
    connect(
        this, &QWidget::customContextMenuRequested, this,
        [this](const QPoint& pos) {
            if (OnContextMenu)
                OnContextMenu(mapToGlobal(pos));
        },
        Qt::QueuedConnection);
    connect(this, &QWebEngineView::loadFinished, this, &TCppWebBrowser::pageLoaded);
}

void TCppWebBrowser::Navigate(const QString& path)
{
    navigated = QUrl::fromLocalFile(path);
    setUrl(navigated);
}

bool TCppWebBrowser::allowNavigation(const QUrl& url)
{
    if (!OnBeforeNavigate2)
        return true;
    Decision decision;
    try {
        decision = OnBeforeNavigate2(url);
    } catch (...) {
        // The engine's own frames cannot carry an exception: raise it again from the event loop instead.
        QMetaObject::invokeMethod(
            this, [error = std::current_exception()] { std::rethrow_exception(error); }, Qt::QueuedConnection);
        return false;
    }
    if (decision.command)
        QMetaObject::invokeMethod(this, std::move(decision.command), Qt::QueuedConnection);
    return !decision.cancel;
}

void TCppWebBrowser::pageLoaded(bool ok)
{
    // A cancelled navigation also ends in a failed load, and a link may have been followed to another page:
    // only the page asked for counts.
    if (ok && url() == navigated && OnDocumentComplete)
        QMetaObject::invokeMethod(this, OnDocumentComplete, Qt::QueuedConnection);
}

void prepareWebEngine()
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    if (geteuid() != 0)
        return;
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (flags.split(' ').contains("--no-sandbox"))
        return;
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", (flags + " --no-sandbox").trimmed());
}
