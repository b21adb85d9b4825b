// Windows and the toolkit's way of arranging controls in them.
//
// Align and Anchors work on any widget: SetAlign(child, alTop) or SetAnchors(child, akRight | akBottom), once the
// child has its parent. The parent arranges such children through its TAlignHost: a plain widget gets a default
// one on first use; a container that keeps room for itself (a caption, a border) derives from TAlignHost and
// overrides AdjustClientRect or AlignControls. Aligned children take their side of the remaining client rectangle
// in the order top, bottom, left, right, client; children of one alignment are ordered by their position, then by
// creation. An anchored child keeps its distances to the anchored sides of its parent as the parent's size
// changes; a child anchored on neither side of a direction keeps its centre. Hidden children take no room.
// Qt reports no size changes to hidden widgets: a window built hidden is arranged as its containers are placed and
// when it is shown; code that resizes a child of a hidden window and needs the result at once calls Realign.
//
// TForm is a top-level window with the toolkit's life cycle: ShowModal returns the modal result, closing asks
// OnCloseQuery and OnClose, OnActivate runs at each activation, KeyPreview shows the form every key first, Esc
// clicks the cancel button and Return the default button. A window shown with ShowModal stays above the window that
// was active when it opened, and that window is active and on top again when it closes.
#pragma once

#include "Toolkit.h"

#include <QHash>
#include <QPointer>
#include <QWidget>
#include <functional>

class QAbstractButton;
class QEventLoop;
class QKeyEvent;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum TAnchorKind { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
// A set of TAnchorKind bits.
using TAnchors = int;
constexpr TAnchors DefaultAnchors = akLeft | akTop;

TAlign GetAlign(const QWidget* control);
void SetAlign(QWidget* control, TAlign align);
TAnchors GetAnchors(const QWidget* control);
void SetAnchors(QWidget* control, TAnchors anchors);

// The toolkit's Tag: a number a window gives a control for its own use; 0 until set.
int GetTag(const QObject* control);
void SetTag(QObject* control, int tag);

class AlignWatcher;

// Arranges the aligned and anchored children of one container widget.
class TAlignHost
{
public:
    explicit TAlignHost(QWidget* container);
    virtual ~TAlignHost();
    TAlignHost(const TAlignHost&) = delete;
    TAlignHost& operator=(const TAlignHost&) = delete;

    // The host of a container: its own when it derives from TAlignHost, else a plain one made on first use.
    static TAlignHost* Of(QWidget* container);

    QWidget* GetContainer() const { return container; }
    // Arranges the children again (the container calls it when its client rectangle changes in a way Qt does not
    // report, such as a caption bar growing).
    void Realign();

    // The part of the client rectangle in which children are aligned; the default keeps it whole.
    virtual void AdjustClientRect(TRect& rect);
    // Places the aligned children into the rectangle, which shrinks by what each takes, and moves the anchored
    // ones. The rectangle starts as the container's client rectangle and first passes through AdjustClientRect.
    // control is the child whose change asked for the arranging, or null.
    virtual void AlignControls(QWidget* control, TRect& rect);

private:
    friend class AlignWatcher;
    friend void SetAlign(QWidget*, TAlign);
    friend void SetAnchors(QWidget*, TAnchors);

    struct AnchorRule
    {
        QRect geometry;      // where the anchors put the child, before sizes are clamped at 0
        QRect applied;       // the geometry last given to the child
        QSize containerSize; // the container's size when geometry was taken
    };

    void watch(QWidget* child);
    void forget(QWidget* child);
    // A child moved or sized by its owner keeps its new distances.
    void childMoved(QWidget* child);
    void realignFor(QWidget* control);
    void placeAligned(TRect& rect);
    void placeAnchored();

    QWidget* container;
    AlignWatcher* watcher;
    bool aligning = false;
    QHash<QWidget*, AnchorRule> anchorRules;
};

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrClose = 11;

enum TCloseAction { caNone, caHide, caFree, caMinimize };
// Border styles of windows and of controls (controls use bsNone and bsSingle).
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;
enum TPosition { poDesigned, poScreenCenter, poOwnerFormCenter };

class TForm : public QWidget, public TAlignHost
{
    Q_OBJECT
public:
    // A window owned by another one stays above it and is centred on it with poOwnerFormCenter.
    explicit TForm(QWidget* owner = nullptr);
    ~TForm() override;

    QString GetCaption() const { return windowTitle(); }
    void SetCaption(const QString& value) { setWindowTitle(value); }
    void SetClientSize(int clientWidth, int clientHeight);
    void SetBorderStyle(TFormBorderStyle value);
    void SetPosition(TPosition value) { position = value; }
    bool GetKeyPreview() const { return keyPreview; }
    void SetKeyPreview(bool value) { keyPreview = value; }

    // Esc clicks the cancel button, Return the default button (unless the focus is on another button, which Return
    // clicks instead).
    void SetCancelButton(QAbstractButton* button);
    void SetDefaultButton(QAbstractButton* button);

    TModalResult GetModalResult() const { return modalResult; }
    // While the window is shown modally a result other than mrNone ends the showing, once the handler that set it
    // has returned and OnCloseQuery and OnClose agree.
    void SetModalResult(TModalResult value);
    // Shows the window modally, above the window that was active (ActiveOwnerWindow), and returns its modal result:
    // mrCancel (2) when it was closed by Close, Esc through a cancel button that closes, or the close box. The
    // window stays the application's modal window for the whole showing, even when Qt replaces its native window
    // (as a web view's first page does); on return the owner is raised and activated again.
    TModalResult ShowModal();
    bool IsModal() const { return modalLoop != nullptr; }
    // Ends a modal showing with mrCancel; otherwise asks OnCloseQuery and OnClose and does what OnClose decides
    // (by default hides the window; caFree deletes it later).
    void Close();
    // OnCloseQuery's answer, true without a handler.
    bool CloseQuery();

    // The events pass the form as their sender, as the toolkit's do.
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnResize;
    TNotifyEvent OnDestroy;
    std::function<void(QObject* Sender, bool& CanClose)> OnCloseQuery;
    std::function<void(QObject* Sender, TCloseAction& Action)> OnClose;
    // Every key pressed in the window, before the control with the focus sees it; Handled stops it there.
    std::function<void(QKeyEvent* Key, bool& Handled)> OnShortCut;
    // With KeyPreview, every key before the control with the focus sees it; setting Key (or the character) to 0
    // swallows it, another value goes on to the control in its place.
    std::function<void(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift)> OnKeyDown;
    std::function<void(QObject* Sender, QChar& Key)> OnKeyPress;

    void setVisible(bool visible) override;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void applyBorderStyle();
    // Centres the window as its position asks. A window larger than its screen's work area would lose its caption
    // or an edge there: one that can be sized is cut down to the work area, and every one is moved into it as far as
    // it fits, its top-left corner first.
    void placeOnScreen();
    // Makes the native window a transient of the owner's, so that the window manager keeps it above the owner.
    void stackAbove(QWidget* owner);
    // A replaced native window is no longer modal in Qt's eyes: shown again, it is.
    void keepModal();
    bool modalityLost() const;
    // What OnClose decides after OnCloseQuery agreed; caNone when it did not.
    TCloseAction closeAction();
    bool previewKey(QObject* receiver, QKeyEvent* event);

    TFormBorderStyle borderStyle = bsSizeable;
    TPosition position = poDesigned;
    bool keyPreview = false;
    bool placed = false;
    TModalResult modalResult = mrNone;
    QEventLoop* modalLoop = nullptr;
    QPointer<QWidget> modalOwner;
    // Set while keepModal shows the window again: the handlers see no second showing.
    bool reshowing = false;
    QPointer<QAbstractButton> cancelButton;
    QPointer<QAbstractButton> defaultButton;
};

// A reusable group of controls placed on a form like one control. Styling walks stop at a frame: the frame's own
// components are styled by a styler owned by the frame.
class TFrame : public QWidget
{
    Q_OBJECT
public:
    explicit TFrame(QWidget* parent = nullptr) : QWidget(parent) {}
};

// The form a control sits on, or null.
TForm* GetParentForm(QWidget* control);

// The window a window opened now belongs above: the active window; without one (a desktop that activates nothing)
// the application's modal window, else the first visible top-level window. Null when no window is shown.
QWidget* ActiveOwnerWindow();
