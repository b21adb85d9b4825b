#include "TestSupport.h"

#include <QApplication>
#include <QBuffer>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

QByteArray readFileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFileBytes(const QString& path, const QByteArray& data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(data) == data.size();
}

bool setModificationTime(const QString& path, const QDateTime& time)
{
    QFile file(path);
    return file.open(QIODevice::ReadWrite) && file.setFileTime(time, QFileDevice::FileModificationTime);
}

QByteArray imageBytes(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QImage whiteImage(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image;
}

namespace {

QString describe(const QWidget* widget)
{
    const QRect r = widget->geometry();
    const QString name =
        widget->objectName().isEmpty() ? QString::fromLatin1(widget->metaObject()->className()) : widget->objectName();
    return QStringLiteral("%1 [%2,%3 %4×%5]").arg(name).arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

} // namespace

QStringList overlappingSiblings(const QWidget* window)
{
    QStringList overlaps;
    QList<const QWidget*> parents{window};
    while (!parents.isEmpty()) {
        const QWidget* parent = parents.takeFirst();
        QList<const QWidget*> shown;
        for (const QObject* object : parent->children()) {
            const auto* child = qobject_cast<const QWidget*>(object);
            if (child && !child->isWindow() && child->isVisibleTo(window) && !child->size().isEmpty())
                shown.append(child);
        }
        for (qsizetype i = 0; i < shown.size(); ++i) {
            for (qsizetype j = i + 1; j < shown.size(); ++j) {
                if (shown[i]->geometry().intersects(shown[j]->geometry()))
                    overlaps.append(describe(parent) + QStringLiteral(": ") + describe(shown[i]) +
                                    QStringLiteral(" / ") + describe(shown[j]));
            }
        }
        parents.append(shown);
    }
    return overlaps;
}

QString sharedDataFolder()
{
    const QString named = qEnvironmentVariable("KV_SHARED_DATA");
    const QString folder = named.isEmpty() ? QStringLiteral(KRONVEL_SOURCE_DIR "/../shared/data") : named;
    return QDir(folder).exists() ? QDir(folder).canonicalPath() : QString();
}

QString sharedGedcomFolder()
{
    const QString shared = sharedDataFolder();
    return !shared.isEmpty() && QDir(shared + QStringLiteral("/gedcom")).exists() ? shared + QStringLiteral("/gedcom")
                                                                                  : QString();
}

QString testOutputFolder()
{
    const QString folder = QDir::current().filePath(QStringLiteral("test-output"));
    QDir().mkpath(folder);
    return folder;
}

void typeText(QObject* target, const QString& text)
{
    for (const QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QCoreApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(ch));
        QCoreApplication::sendEvent(target, &release);
    }
}

void commitText(QObject* target, const QString& text)
{
    QInputMethodEvent event(QString(), {});
    event.setCommitString(text);
    QCoreApplication::sendEvent(target, &event);
}

void whenShownModal(QWidget* window, std::function<void()> step)
{
    // The timer lives in the window, so it goes with a window that never shows.
    auto* poll = new QTimer(window);
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, target = QPointer<QWidget>(window), step = std::move(step)] {
        if (!target || !target->isVisible() || !target->isModal())
            return;
        if (!target->isActiveWindow()) {
            QApplication::setActiveWindow(target);
            return;
        }
        poll->stop();
        poll->deleteLater();
        step();
    });
    poll->start();
}

bool waitUntil(const std::function<bool()>& condition, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    QTimer wake;
    wake.start(5);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        // Objects whose deletion was posted go only when an event loop returns to them: as in QTest::qWaitFor,
        // they go here.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}
