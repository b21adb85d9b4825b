// Text drag and drop between controls and other programs, over QDrag and QMimeData: a drop-target base class that
// recognises text, rich text and file lists and hands them to overridable operations, and the start of a drag of
// one text. Texts travel as Unicode (text/plain); rich text (text/rtf) only while SetRTFAware is on.
#pragma once

#include "Toolkit.h"

#include <QStringList>
#include <Qt>
#include <functional>

class QDrag;
class QMimeData;
class QWidget;

constexpr int DROPEFFECT_NONE = 0;
constexpr int DROPEFFECT_COPY = 1;
constexpr int DROPEFFECT_MOVE = 2;

constexpr long DRAGDROP_S_DROP = 0x00040100;
constexpr long DRAGDROP_S_CANCEL = 0x00040101;

// Copy while Ctrl is held, move otherwise.
int StandardEffect(Qt::KeyboardModifiers shift);
// Whether rich text is offered by drags and accepted by drop targets (off at start).
void SetRTFAware(bool value);

// A drop target. Register it for a widget with RegisterDragDrop; points are screen co-ordinates.
class TAEDropTarget
{
public:
    virtual ~TAEDropTarget() = default;

    // What a drop delivers; false refuses the drop (the source then keeps a moved text). The base takes nothing
    // and refuses nothing.
    virtual bool DropText(const TPoint& point, const QString& text);
    virtual bool DropRTF(const TPoint& point, const QString& rtf);
    virtual bool DropFiles(const TPoint& point, const QStringList& files);
    // Asked while the mouse moves over the target; allow false shows that nothing can be dropped there.
    virtual void DragMouseMove(const TPoint& point, bool& allow);

    // The platform's side: each answers the drop effect.
    int DragEnter(const QMimeData* data, Qt::KeyboardModifiers shift, const TPoint& point);
    int DragOver(Qt::KeyboardModifiers shift, const TPoint& point);
    // The drag left the target without a drop.
    virtual void DragLeave() {}
    int Drop(const QMimeData* data, Qt::KeyboardModifiers shift, const TPoint& point);

protected:
    // The keys held at the drop being delivered.
    Qt::KeyboardModifiers DropShift() const { return dropShift; }

private:
    bool accepted = false;
    Qt::KeyboardModifiers dropShift;
};

// The widget accepts drops for the target (not owned) until RevokeDragDrop; false when the widget is null.
bool RegisterDragDrop(QWidget* window, TAEDropTarget* target);
void RevokeDragDrop(QWidget* window);

// Drags the text (and the rich text, when given and SetRTFAware is on) out of the source widget with the allowed
// effects (DROPEFFECT_COPY | DROPEFFECT_MOVE) and waits for the drop: DRAGDROP_S_DROP with the effect of the drop,
// or DRAGDROP_S_CANCEL (Esc, or released where nothing was taken) with DROPEFFECT_NONE.
long StartTextDoDragDrop(QWidget* source, const QString& text, const QString& rtf, int allowedEffects, int& effect);

// The modal drag loop, QDrag::exec by default. The headless test platform has no drag and drop of its own: tests
// install a loop that delivers the drop themselves; an empty loop restores the default.
using DragLoop = std::function<Qt::DropAction(QDrag& drag, Qt::DropActions allowed)>;
void SetDragLoop(DragLoop loop);
