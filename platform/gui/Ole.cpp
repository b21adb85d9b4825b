#include "Ole.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>
#include <algorithm>

namespace {

const QString rtfFormat = QStringLiteral("text/rtf");

bool rtfAware = false;
DragLoop dragLoop;

TPoint screenPoint(const QWidget* widget, const QPointF& position)
{
    const QPoint global = widget->mapToGlobal(position.toPoint());
    return Point(global.x(), global.y());
}

// Text proper: Qt also reads a list of files as text, which is no text offered by the source.
bool offersText(const QMimeData* data)
{
    const QStringList formats = data->formats();
    return std::any_of(formats.begin(), formats.end(),
                       [](const QString& format) { return format.startsWith(QLatin1String("text/plain")); });
}

QStringList localFiles(const QMimeData* data)
{
    QStringList files;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            files.append(url.toLocalFile());
    }
    return files;
}

Qt::DropAction toDropAction(int effect)
{
    switch (effect) {
    case DROPEFFECT_COPY:
        return Qt::CopyAction;
    case DROPEFFECT_MOVE:
        return Qt::MoveAction;
    default:
        return Qt::IgnoreAction;
    }
}

// Hands the drag events of one widget to its drop target.
class DropTargetFilter : public QObject
{
public:
    DropTargetFilter(QWidget* window, TAEDropTarget* target) : QObject(window), window(window), target(target) {}

    TAEDropTarget* Target() const { return target; }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != window)
            return false;
        switch (event->type()) {
        case QEvent::DragEnter: {
            auto* drag = static_cast<QDragEnterEvent*>(event);
            answer(drag, target->DragEnter(drag->mimeData(), drag->modifiers(), screenPoint(window, drag->position())));
            return true;
        }
        case QEvent::DragMove: {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            answer(drag, target->DragOver(drag->modifiers(), screenPoint(window, drag->position())));
            return true;
        }
        case QEvent::DragLeave:
            target->DragLeave();
            return true;
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            answer(drop, target->Drop(drop->mimeData(), drop->modifiers(), screenPoint(window, drop->position())));
            return true;
        }
        default:
            return false;
        }
    }

private:
    static void answer(QDropEvent* event, int effect)
    {
        if (effect == DROPEFFECT_NONE) {
            event->ignore();
            return;
        }
        event->setDropAction(toDropAction(effect));
        event->accept();
    }

    QWidget* window;
    TAEDropTarget* target;
};

DropTargetFilter* filterOf(QWidget* window)
{
    // The filter has no meta-object of its own, so qobject_cast cannot tell it from the widget's other children.
    for (QObject* child : window->children()) {
        if (auto* filter = dynamic_cast<DropTargetFilter*>(child))
            return filter;
    }
    return nullptr;
}

} // namespace

int StandardEffect(Qt::KeyboardModifiers shift)
{
    return shift.testFlag(Qt::ControlModifier) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

void SetRTFAware(bool value)
{
    rtfAware = value;
}

bool TAEDropTarget::DropText(const TPoint&, const QString&)
{
    return true;
}

bool TAEDropTarget::DropRTF(const TPoint&, const QString&)
{
    return true;
}

bool TAEDropTarget::DropFiles(const TPoint&, const QStringList&)
{
    return true;
}

void TAEDropTarget::DragMouseMove(const TPoint&, bool& allow)
{
    allow = true;
}

int TAEDropTarget::DragEnter(const QMimeData* data, Qt::KeyboardModifiers shift, const TPoint&)
{
    accepted = data && (offersText(data) || !localFiles(data).isEmpty() || (rtfAware && data->hasFormat(rtfFormat)));
    return accepted ? StandardEffect(shift) : DROPEFFECT_NONE;
}

int TAEDropTarget::DragOver(Qt::KeyboardModifiers shift, const TPoint& point)
{
    if (!accepted)
        return DROPEFFECT_NONE;
    bool allow = true;
    DragMouseMove(point, allow);
    return allow ? StandardEffect(shift) : DROPEFFECT_NONE;
}

int TAEDropTarget::Drop(const QMimeData* data, Qt::KeyboardModifiers shift, const TPoint& point)
{
    if (!accepted || !data)
        return DROPEFFECT_NONE;
    dropShift = shift;
    bool taken = true;
    if (rtfAware && data->hasFormat(rtfFormat))
        taken = DropRTF(point, QString::fromUtf8(data->data(rtfFormat)));
    else if (offersText(data))
        taken = DropText(point, data->text());
    const QStringList files = localFiles(data);
    if (!files.isEmpty())
        taken = DropFiles(point, files) && taken;
    return taken ? StandardEffect(shift) : DROPEFFECT_NONE;
}

bool RegisterDragDrop(QWidget* window, TAEDropTarget* target)
{
    if (!window || !target)
        return false;
    RevokeDragDrop(window);
    window->installEventFilter(new DropTargetFilter(window, target));
    window->setAcceptDrops(true);
    return true;
}

void RevokeDragDrop(QWidget* window)
{
    if (!window)
        return;
    if (DropTargetFilter* filter = filterOf(window)) {
        window->removeEventFilter(filter);
        delete filter;
    }
    window->setAcceptDrops(false);
}

long StartTextDoDragDrop(QWidget* source, const QString& text, const QString& rtf, int allowedEffects, int& effect)
{
    auto* data = new QMimeData;
    data->setText(text);
    if (rtfAware && !rtf.isEmpty())
        data->setData(rtfFormat, rtf.toUtf8());
    // Qt's drag machinery may still refer to the drag while its loop unwinds: it goes with the next event round.
    auto* drag = new QDrag(source);
    drag->setMimeData(data);
    Qt::DropActions allowed;
    if (allowedEffects & DROPEFFECT_COPY)
        allowed |= Qt::CopyAction;
    if (allowedEffects & DROPEFFECT_MOVE)
        allowed |= Qt::MoveAction;
    const Qt::DropAction action = dragLoop ? dragLoop(*drag, allowed) : drag->exec(allowed, Qt::MoveAction);
    drag->deleteLater();
    switch (action) {
    case Qt::CopyAction:
        effect = DROPEFFECT_COPY;
        return DRAGDROP_S_DROP;
    case Qt::MoveAction:
    case Qt::TargetMoveAction:
        effect = DROPEFFECT_MOVE;
        return DRAGDROP_S_DROP;
    default:
        effect = DROPEFFECT_NONE;
        return DRAGDROP_S_CANCEL;
    }
}

void SetDragLoop(DragLoop loop)
{
    dragLoop = std::move(loop);
}
