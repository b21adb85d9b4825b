#include "RealDesktop.h"

#include "TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <cstdlib>

namespace RealDesktop {

namespace {

QByteArray runTool(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(tool, arguments);
    process.waitForFinished(10000);
    return process.readAllStandardOutput();
}

QString shotsFolder()
{
    const QString folder = qEnvironmentVariable("KV_DESKTOP_SHOTS", testOutputFolder());
    QDir().mkpath(folder);
    return folder;
}

QString describe(const QWidget* window)
{
    if (!window)
        return QStringLiteral("none");
    return QStringLiteral("%1 \"%2\" 0x%3")
        .arg(QLatin1String(window->metaObject()->className()), window->windowTitle())
        .arg(window->winId(), 0, 16);
}

QString windowReport()
{
    QString report = QStringLiteral("active: %1\n").arg(describe(QApplication::activeWindow()));
    const QWindow* modal = QGuiApplication::modalWindow();
    report += QStringLiteral("modal window: 0x%1\n").arg(modal ? modal->winId() : 0, 0, 16);
    QStringList stack;
    for (const WId id : stacking())
        stack.prepend(QStringLiteral("0x%1").arg(id, 0, 16));
    report += QStringLiteral("stacking, top first: %1\nvisible:\n").arg(stack.join(u' '));
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible())
            report += QStringLiteral("  %1\n").arg(describe(window));
    }
    return report;
}

} // namespace

void click(QWidget* widget, QPoint at)
{
    if (at == QPoint(-1, -1))
        at = widget->rect().center();
    const QPoint global = widget->mapToGlobal(at);
    runTool(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QString::number(global.x()),
                                        QString::number(global.y()), QStringLiteral("click"), QStringLiteral("1")});
}

void hover(QWidget* widget, QPoint at)
{
    const QPoint global = widget->mapToGlobal(at);
    runTool(QStringLiteral("xdotool"),
            {QStringLiteral("mousemove"), QString::number(global.x()), QString::number(global.y())});
}

void key(const QString& keys)
{
    runTool(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("--clearmodifiers"), keys});
}

void type(const QString& text)
{
    runTool(QStringLiteral("xdotool"), {QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("20"), text});
}

bool windowManagerRuns()
{
    return runTool(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")})
        .contains("window id");
}

QList<WId> stacking()
{
    const QString text = QString::fromLatin1(
        runTool(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST_STACKING")}));
    QList<WId> ids;
    static const QRegularExpression id(QStringLiteral("0x([0-9a-fA-F]+)"));
    for (auto match = id.globalMatch(text); match.hasNext();)
        ids.append(WId(match.next().captured(1).toULongLong(nullptr, 16)));
    return ids;
}

bool activeOnTop(const QWidget* window)
{
    if (!window || !window->isVisible() || QApplication::activeWindow() != window)
        return false;
    const QList<WId> stack = stacking();
    return !stack.isEmpty() && stack.last() == window->winId();
}

bool modalOnTop(const QWidget* window)
{
    return activeOnTop(window) && QGuiApplication::modalWindow() == window->windowHandle();
}

QWidget* shownWindowOf(const char* className)
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window->inherits(className))
            return window;
    }
    return nullptr;
}

void saveScreen(const QString& name)
{
    QScreen* screen = QGuiApplication::primaryScreen();
    screen->grabWindow(0).save(shotsFolder() + u'/' + name + QStringLiteral(".png"));
}

void run(const QString& journey, const std::vector<Step>& steps, int stepLimitMs)
{
    size_t next = 0;
    QElapsedTimer waiting;
    waiting.start();
    QEventLoop done;
    QTimer poll;
    poll.setInterval(50);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (next == steps.size()) {
            done.quit();
            return;
        }
        const Step& step = steps[next];
        if (step.ready()) {
            ++next;
            waiting.restart();
            // Queued, so that a step that opens a modal window does not hold up the polling.
            QMetaObject::invokeMethod(&poll, step.act, Qt::QueuedConnection);
            return;
        }
        if (waiting.elapsed() > stepLimitMs) {
            saveScreen(journey + QStringLiteral("-stuck"));
            std::fprintf(stderr, "%s: step \"%s\" did not come within %d ms\n%s", qPrintable(journey),
                         qPrintable(step.name), stepLimitMs, qPrintable(windowReport()));
            std::fflush(stderr);
            // A window left modal cannot be unwound from here.
            std::_Exit(EXIT_FAILURE);
        }
    });
    poll.start();
    done.exec();
    saveScreen(journey);
}

} // namespace RealDesktop
