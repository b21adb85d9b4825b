#include "Forms.h"

#include "Canvas.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QScreen>
#include <QStyle>
#include <QVariant>
#include <QWindow>
#include <algorithm>

namespace {

const char* const alignProperty = "kvAlign";
const char* const anchorsProperty = "kvAnchors";
const char* const tagProperty = "kvTag";
const char* const hostProperty = "kvAlignHost";

TAlignHost* registeredHost(const QWidget* container)
{
    return reinterpret_cast<TAlignHost*>(container->property(hostProperty).value<quintptr>());
}

bool takesPart(const QWidget* child)
{
    return GetAlign(child) != alNone || GetAnchors(child) != DefaultAnchors;
}

// Qt tells a hidden widget nothing about its new size until it is shown; a container placed while hidden arranges
// its own children at once, so that the whole window is laid out before it appears.
void place(QWidget* child, const QRect& geometry)
{
    const QSize oldSize = child->size();
    child->setGeometry(geometry);
    if (!child->isVisible() && child->size() != oldSize) {
        if (TAlignHost* host = registeredHost(child))
            host->Realign();
    }
}

} // namespace

// Watches a container for its size and its children, and the children it arranges for their size and visibility.
// It lives as a child of the container; for a plain host made on demand it also owns that host.
class AlignWatcher : public QObject
{
public:
    AlignWatcher(TAlignHost* host, QWidget* container, bool ownsHost)
        : QObject(container), host(host), ownsHost(ownsHost)
    {
        container->installEventFilter(this);
    }

    ~AlignWatcher() override
    {
        if (host) {
            host->watcher = nullptr;
            if (ownsHost)
                delete host;
        }
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!host)
            return false;
        QWidget* container = host->GetContainer();
        if (watched == container) {
            switch (event->type()) {
            case QEvent::Resize:
                host->Realign();
                break;
            case QEvent::ChildAdded:
                if (auto* child = qobject_cast<QWidget*>(static_cast<QChildEvent*>(event)->child());
                    child && takesPart(child)) {
                    host->watch(child);
                    host->realignFor(child);
                }
                break;
            case QEvent::ChildRemoved:
                if (auto* child = static_cast<QChildEvent*>(event)->child(); child && child->isWidgetType()) {
                    host->forget(static_cast<QWidget*>(child));
                    host->Realign();
                }
                break;
            default:
                break;
            }
            return false;
        }
        auto* child = qobject_cast<QWidget*>(watched);
        if (!child || child->parentWidget() != container)
            return false;
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
            host->childMoved(child);
            // An aligned child moved by its owner takes its place in the order of its side again.
            if (GetAlign(child) != alNone)
                host->realignFor(child);
            break;
        case QEvent::ShowToParent:
        case QEvent::HideToParent:
            if (GetAlign(child) != alNone)
                host->realignFor(child);
            break;
        default:
            break;
        }
        return false;
    }

    TAlignHost* host;
    bool ownsHost;
};

TAlign GetAlign(const QWidget* control)
{
    const QVariant value = control->property(alignProperty);
    return value.isValid() ? TAlign(value.toInt()) : alNone;
}

void SetAlign(QWidget* control, TAlign align)
{
    if (GetAlign(control) == align)
        return;
    control->setProperty(alignProperty, int(align));
    if (QWidget* parent = control->parentWidget()) {
        TAlignHost* host = TAlignHost::Of(parent);
        host->watch(control);
        host->realignFor(control);
    }
}

int GetTag(const QObject* control)
{
    return control->property(tagProperty).toInt();
}

void SetTag(QObject* control, int tag)
{
    control->setProperty(tagProperty, tag);
}

TAnchors GetAnchors(const QWidget* control)
{
    const QVariant value = control->property(anchorsProperty);
    return value.isValid() ? value.toInt() : DefaultAnchors;
}

void SetAnchors(QWidget* control, TAnchors anchors)
{
    if (GetAnchors(control) == anchors)
        return;
    control->setProperty(anchorsProperty, anchors);
    if (QWidget* parent = control->parentWidget()) {
        TAlignHost* host = TAlignHost::Of(parent);
        // The distances to keep are the ones the child has now.
        host->forget(control);
        host->watch(control);
    }
}

TAlignHost::TAlignHost(QWidget* container) : container(container)
{
    if (TAlignHost* previous = registeredHost(container))
        delete previous->watcher;
    container->setProperty(hostProperty, QVariant::fromValue(quintptr(this)));
    watcher = new AlignWatcher(this, container, false);
}

TAlignHost::~TAlignHost()
{
    if (registeredHost(container) == this)
        container->setProperty(hostProperty, QVariant());
    if (watcher) {
        watcher->host = nullptr;
        delete watcher;
    }
}

TAlignHost* TAlignHost::Of(QWidget* container)
{
    if (TAlignHost* host = registeredHost(container))
        return host;
    auto* host = new TAlignHost(container);
    host->watcher->ownsHost = true;
    return host;
}

void TAlignHost::watch(QWidget* child)
{
    child->installEventFilter(watcher);
    if (GetAnchors(child) != DefaultAnchors && !anchorRules.contains(child))
        anchorRules.insert(child, AnchorRule{child->geometry(), child->geometry(), container->size()});
}

void TAlignHost::forget(QWidget* child)
{
    anchorRules.remove(child);
}

void TAlignHost::childMoved(QWidget* child)
{
    if (aligning)
        return;
    const auto rule = anchorRules.find(child);
    if (rule != anchorRules.end() && child->geometry() != rule->applied)
        *rule = AnchorRule{child->geometry(), child->geometry(), container->size()};
}

void TAlignHost::Realign()
{
    realignFor(nullptr);
}

void TAlignHost::realignFor(QWidget* control)
{
    if (aligning)
        return;
    aligning = true;
    TRect rect = FromQRect(container->contentsRect());
    AlignControls(control, rect);
    aligning = false;
}

void TAlignHost::AdjustClientRect(TRect&) {}

void TAlignHost::AlignControls(QWidget*, TRect& rect)
{
    AdjustClientRect(rect);
    placeAligned(rect);
    placeAnchored();
}

void TAlignHost::placeAligned(TRect& rect)
{
    QVector<QWidget*> children;
    for (QObject* object : container->children()) {
        auto* child = qobject_cast<QWidget*>(object);
        if (child && !child->isWindow() && !child->isHidden() && GetAlign(child) != alNone)
            children.append(child);
    }
    for (const TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
        QVector<QWidget*> group;
        std::copy_if(children.begin(), children.end(), std::back_inserter(group),
                     [align](QWidget* child) { return GetAlign(child) == align; });
        // The child nearest to its side goes first; ties keep the order of creation.
        std::stable_sort(group.begin(), group.end(), [align](QWidget* a, QWidget* b) {
            switch (align) {
            case alTop:
                return a->y() < b->y();
            case alBottom:
                return a->y() + a->height() > b->y() + b->height();
            case alLeft:
                return a->x() < b->x();
            case alRight:
                return a->x() + a->width() > b->x() + b->width();
            default:
                return false;
            }
        });
        for (QWidget* child : group) {
            const int width = qMax(0, rect.Width());
            const int height = qMax(0, rect.Height());
            switch (align) {
            case alTop:
                place(child, QRect(rect.Left, rect.Top, width, child->height()));
                rect.Top += child->height();
                break;
            case alBottom:
                place(child, QRect(rect.Left, rect.Bottom - child->height(), width, child->height()));
                rect.Bottom -= child->height();
                break;
            case alLeft:
                place(child, QRect(rect.Left, rect.Top, child->width(), height));
                rect.Left += child->width();
                break;
            case alRight:
                place(child, QRect(rect.Right - child->width(), rect.Top, child->width(), height));
                rect.Right -= child->width();
                break;
            default:
                place(child, QRect(rect.Left, rect.Top, width, height));
                break;
            }
        }
    }
}

void TAlignHost::placeAnchored()
{
    const QSize size = container->size();
    for (auto it = anchorRules.begin(); it != anchorRules.end(); ++it) {
        QWidget* child = it.key();
        AnchorRule& rule = it.value();
        const TAnchors anchors = GetAnchors(child);
        if (GetAlign(child) != alNone || anchors == DefaultAnchors)
            continue;
        if (child->geometry() != rule.applied) {
            // Moved or sized by its owner while hidden, in the container's size of the last arranging: the
            // distances to keep are the new ones.
            rule.geometry = rule.applied = child->geometry();
        }
        const int dx = size.width() - rule.containerSize.width();
        const int dy = size.height() - rule.containerSize.height();
        QRect& g = rule.geometry;
        if ((anchors & akLeft) && (anchors & akRight))
            g.setWidth(g.width() + dx);
        else if (anchors & akRight)
            g.translate(dx, 0);
        else if (!(anchors & akLeft))
            g.translate(dx / 2, 0);
        if ((anchors & akTop) && (anchors & akBottom))
            g.setHeight(g.height() + dy);
        else if (anchors & akBottom)
            g.translate(0, dy);
        else if (!(anchors & akTop))
            g.translate(0, dy / 2);
        rule.containerSize = size;
        rule.applied = QRect(g.topLeft(), QSize(qMax(0, g.width()), qMax(0, g.height())));
        place(child, rule.applied);
    }
}

TForm::TForm(QWidget* owner) : QWidget(owner, Qt::Window), TAlignHost(this)
{
    qApp->installEventFilter(this);
}

TForm::~TForm()
{
    if (OnDestroy)
        OnDestroy(this);
}

void TForm::SetClientSize(int clientWidth, int clientHeight)
{
    if (borderStyle == bsSizeable || borderStyle == bsSizeToolWin)
        resize(clientWidth, clientHeight);
    else
        setFixedSize(clientWidth, clientHeight);
    if (!isVisible())
        Realign();
}

void TForm::SetBorderStyle(TFormBorderStyle value)
{
    if (borderStyle == value)
        return;
    borderStyle = value;
    applyBorderStyle();
}

void TForm::applyBorderStyle()
{
    Qt::WindowFlags flags = Qt::Window;
    switch (borderStyle) {
    case bsNone:
        flags |= Qt::FramelessWindowHint;
        break;
    case bsDialog:
        flags = Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
        break;
    case bsToolWindow:
    case bsSizeToolWin:
        flags = Qt::Tool;
        break;
    default:
        break;
    }
    setWindowFlags(flags);
    if (borderStyle == bsSizeable || borderStyle == bsSizeToolWin) {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    } else {
        setFixedSize(size());
    }
}

void TForm::placeOnScreen()
{
    if (placed)
        return;
    placed = true;
    const QRect available = screen() ? screen()->availableGeometry() : QRect();
    QSize frame = frameGeometry().size() - size();
    // Before the first showing the window manager's frame is not known yet: room for a caption and thin edges.
    if (frame.isNull())
        frame = QSize(8, style()->pixelMetric(QStyle::PM_TitleBarHeight) + 8);
    if (available.isValid() && (borderStyle == bsSizeable || borderStyle == bsSizeToolWin))
        resize(size().boundedTo(available.size() - frame));
    QRect area;
    if (position == poOwnerFormCenter && parentWidget())
        area = parentWidget()->window()->geometry();
    else if (position == poScreenCenter)
        area = available;
    if (area.isValid())
        move(area.center() - rect().center());
    if (available.isValid()) {
        const QSize outer = size() + frame;
        move(std::max(available.left(), std::min(x(), available.right() + 1 - outer.width())),
             std::max(available.top(), std::min(y(), available.bottom() + 1 - outer.height())));
    }
}

void TForm::setVisible(bool visible)
{
    if (visible && !isVisible())
        placeOnScreen();
    QWidget::setVisible(visible);
}

void TForm::SetCancelButton(QAbstractButton* button)
{
    cancelButton = button;
}

void TForm::SetDefaultButton(QAbstractButton* button)
{
    defaultButton = button;
}

void TForm::SetModalResult(TModalResult value)
{
    modalResult = value;
    if (modalLoop && value != mrNone)
        modalLoop->exit();
}

TModalResult TForm::ShowModal()
{
    if (modalLoop)
        return mrNone;
    QWidget* owner = ActiveOwnerWindow();
    if (owner == this || !owner)
        owner = parentWidget() ? parentWidget()->window() : nullptr;
    hide();
    modalResult = mrNone;
    setWindowModality(Qt::ApplicationModal);
    stackAbove(owner);
    show();
    raise();
    activateWindow();
    QEventLoop loop;
    modalLoop = &loop;
    modalOwner = owner;
    TCloseAction action = caNone;
    do {
        loop.exec(QEventLoop::DialogExec);
        if (modalResult != mrNone) {
            action = closeAction();
            if (action == caNone)
                modalResult = mrNone;
        }
    } while (modalResult == mrNone);
    modalLoop = nullptr;
    hide();
    setWindowModality(Qt::NonModal);
    if (modalOwner && modalOwner->isVisible()) {
        modalOwner->raise();
        modalOwner->activateWindow();
    }
    modalOwner = nullptr;
    if (action == caFree)
        deleteLater();
    return modalResult;
}

void TForm::stackAbove(QWidget* owner)
{
    create();
    if (QWindow* window = windowHandle())
        window->setTransientParent(owner ? owner->window()->windowHandle() : nullptr);
}

bool TForm::modalityLost() const
{
    // Modal windows opened above this one (its message boxes, its own modal windows) are transients of it.
    for (const QWindow* window = QGuiApplication::modalWindow(); window; window = window->transientParent()) {
        if (window == windowHandle())
            return false;
    }
    return true;
}

void TForm::keepModal()
{
    if (!modalLoop || !isVisible() || !modalityLost())
        return;
    reshowing = true;
    hide();
    setWindowModality(Qt::ApplicationModal);
    stackAbove(modalOwner);
    show();
    reshowing = false;
    raise();
    activateWindow();
}

bool TForm::CloseQuery()
{
    bool canClose = true;
    if (OnCloseQuery)
        OnCloseQuery(this, canClose);
    return canClose;
}

TCloseAction TForm::closeAction()
{
    if (!CloseQuery())
        return caNone;
    TCloseAction action = caHide;
    if (OnClose)
        OnClose(this, action);
    return action;
}

void TForm::Close()
{
    if (modalLoop)
        SetModalResult(mrCancel);
    else
        close();
}

void TForm::closeEvent(QCloseEvent* event)
{
    event->ignore();
    if (modalLoop) {
        SetModalResult(mrCancel);
        return;
    }
    switch (closeAction()) {
    case caHide:
        event->accept();
        break;
    case caFree:
        event->accept();
        deleteLater();
        break;
    case caMinimize:
        showMinimized();
        break;
    case caNone:
        break;
    }
}

bool TForm::event(QEvent* event)
{
    // Qt replaces the native window when a child first needs another kind of surface; the new one is shown
    // without the modality, once the replacing is over.
    if (event->type() == QEvent::WinIdChange && modalLoop)
        QMetaObject::invokeMethod(this, &TForm::keepModal, Qt::QueuedConnection);
    if (event->type() == QEvent::WindowActivate && OnActivate)
        OnActivate(this);
    else if (event->type() == QEvent::WindowDeactivate && OnDeactivate)
        OnDeactivate(this);
    return QWidget::event(event);
}

void TForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous() && !reshowing && OnShow)
        OnShow(this);
}

void TForm::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous() && !reshowing && OnHide)
        OnHide(this);
}

void TForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (OnResize)
        OnResize(this);
}

bool TForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    // Keys reach the focus widget first and then, when it ignores them, its parents: look at each key once, on
    // its way to the first receiver, and only for this window.
    auto* receiver = qobject_cast<QWidget*>(watched);
    if (!receiver || receiver->window() != this)
        return false;
    QWidget* focus = focusWidget();
    if (receiver != (focus ? focus : this))
        return false;
    return previewKey(receiver, static_cast<QKeyEvent*>(event));
}

bool TForm::previewKey(QObject* receiver, QKeyEvent* event)
{
    if (OnShortCut) {
        bool handled = false;
        OnShortCut(event, handled);
        if (handled)
            return true;
    }
    if (!keyPreview)
        return false;
    int key = event->key();
    QString text = event->text();
    if (OnKeyDown) {
        OnKeyDown(this, key, event->modifiers());
        if (key == 0)
            return true;
    }
    if (OnKeyPress && text.size() == 1) {
        QChar character = text[0];
        OnKeyPress(this, character);
        if (character.isNull())
            return true;
        text = QString(character);
    }
    if (key == event->key() && text == event->text())
        return false;
    QKeyEvent replacement(event->type(), key, event->modifiers(), text, event->isAutoRepeat(), event->count());
    QApplication::sendEvent(receiver, &replacement);
    return true;
}

void TForm::keyPressEvent(QKeyEvent* event)
{
    QAbstractButton* target = nullptr;
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        target = cancelButton;
    } else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        auto* focusedButton = qobject_cast<QAbstractButton*>(focusWidget());
        target = focusedButton ? focusedButton : defaultButton.data();
    }
    if (target && target->isVisible() && target->isEnabled()) {
        target->click();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

TForm* GetParentForm(QWidget* control)
{
    return control ? qobject_cast<TForm*>(control->window()) : nullptr;
}

QWidget* ActiveOwnerWindow()
{
    if (QWidget* active = QApplication::activeWindow())
        return active;
    const QWindow* modal = QGuiApplication::modalWindow();
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (modal && window->windowHandle() == modal)
            return window;
    }
    for (QWidget* window : windows) {
        if (window->isVisible() && window->windowType() != Qt::Popup && window->windowType() != Qt::ToolTip)
            return window;
    }
    return nullptr;
}
