#include "WebBrowser.h"

#include "Fonts.h"
#include "HtmlEscape.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMetaObject>
#include <QWebEngineHistory>
#include <QWebEngineNewWindowRequest>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <exception>
#include <unistd.h>

namespace {

// What each document of the main frame writes to the console when it has loaded, followed by its address.
const QString documentLoadedMark = QStringLiteral("kronvel-document-loaded ");

} // namespace

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
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message, int line,
                                  const QString& source) override
    {
        if (message.startsWith(documentLoadedMark))
            browser->documentLoaded(QUrl(message.mid(documentLoadedMark.size())));
        else
            QWebEnginePage::javaScriptConsoleMessage(level, message, line, source);
    }

private:
    TCppWebBrowser* browser;
};

namespace {

// Every page shown gets the substitute face for Tahoma. The program registers a Tahoma-compatible face for its
// windows and PDFs, but the web engine's hinting spaces that face's letters unevenly ("mę żczy źni"), while it
// spaces the substitute evenly. The faces are given to each document as it is created, before anything is laid
// out, so no page is ever drawn in the uneven face.
QWebEngineScript evenlySpacedFaces()
{
    const QString family = Fonts::substituteFamily();
    QString rules;
    const struct
    {
        const char* weight;
        const char* style;
        const char* suffix;
    } faces[] = {
        {"normal", "normal", ""},
        {"bold", "normal", " Bold"},
        {"normal", "italic", " Oblique"},
        {"bold", "italic", " Bold Oblique"},
    };
    for (const auto& face : faces) {
        rules += QStringLiteral("@font-face { font-family: \"Tahoma\"; src: local(\"%1%2\"); font-weight: %3; "
                                "font-style: %4; }\n")
                     .arg(family, QLatin1String(face.suffix), QLatin1String(face.weight), QLatin1String(face.style));
    }
    QWebEngineScript script;
    script.setName(QStringLiteral("evenlySpacedFaces"));
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::MainWorld);
    script.setRunsOnSubFrames(true);
    script.setSourceCode(QStringLiteral("(function () {\n"
                                        "    const sheet = new CSSStyleSheet();\n"
                                        "    sheet.replaceSync(%1);\n"
                                        "    document.adoptedStyleSheets = [...document.adoptedStyleSheets, sheet];\n"
                                        "})();")
                             .arg(jsString(rules)));
    return script;
}

// Every document of the main frame tells its browser when it has loaded, through the console.
QWebEngineScript documentLoadedReport()
{
    QWebEngineScript script;
    script.setName(QStringLiteral("documentLoadedReport"));
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::ApplicationWorld);
    script.setRunsOnSubFrames(false);
    script.setSourceCode(QStringLiteral("window.addEventListener('load', () => console.info(%1 + location.href));")
                             .arg(jsString(documentLoadedMark)));
    return script;
}

} // namespace

TCppWebBrowser::TCppWebBrowser(QWidget* parent) : QWebEngineView(parent)
{
    setPage(new GuardedPage(this));
    page()->scripts().insert(evenlySpacedFaces());
    page()->scripts().insert(documentLoadedReport());
    // The engine's drawing surface, made on demand, would make Qt replace the window's native window at the first
    // page, while it is on the screen, and the new one would lose its modality and its place above its owner. Asking
    // for the history starts the page without loading anything, and the surface is made now, before the window is.
    page()->history();
    setContextMenuPolicy(Qt::CustomContextMenu);
    // The menu runs a loop of its own: it opens after the engine's callback has returned.
    connect(
        this, &QWidget::customContextMenuRequested, this,
        [this](const QPoint& pos) {
            if (OnContextMenu)
                OnContextMenu(mapToGlobal(pos));
        },
        Qt::QueuedConnection);
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

void TCppWebBrowser::documentLoaded(const QUrl& url)
{
    // A link may have been followed to another page, and a failed load shows an error page: only the page asked
    // for counts. The page gives its address as the engine escapes it, which differs from Qt's in places.
    if (url.isLocalFile() && url.toLocalFile() == navigated.toLocalFile() && OnDocumentComplete)
        QMetaObject::invokeMethod(this, OnDocumentComplete, Qt::QueuedConnection);
}

QString StartPageCommandName(const QUrl& url, const QString& folder)
{
    if (!url.isLocalFile() || folder.isEmpty())
        return QString();
    const QFileInfo file(url.toLocalFile());
    if (QDir::cleanPath(file.absolutePath()) != QDir::cleanPath(folder))
        return QString();
    const QString name = file.fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? name : name.left(dot);
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
