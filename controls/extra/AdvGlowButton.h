// The glow button: a push button drawn with gradients that glow into a hot look under the pointer and into a
// pressed look when pressed, that can stay down as a check button or in an exclusive group, carry a drop-down
// part, and size itself to its glyph and caption. Its colours for each look come from its appearance, which the
// library's colour schemes fill in one step.
#pragma once

#include "ActionList.h"
#include "AdvGDIP.h"
#include "AdvGlowButtonDraw.h"
#include "AdvHintInfo.h"
#include "Canvas.h"
#include "ControlProperty.h"
#include "GDIPicture.h"
#include "ImageList.h"
#include "Styler.h"

#include <QMenu>
#include <QPointer>
#include <QWidget>
#include <functional>

class QTimer;

// The button's five looks (normal, hot, down, checked, disabled). Every change of a value fires OnChange.
class TGlowButtonAppearance
{
public:
    TGlowButtonAppearance();
    TGlowButtonAppearance(const TGlowButtonAppearance&) = delete;
    TGlowButtonAppearance& operator=(const TGlowButtonAppearance&) = delete;

    TColor GetColor() const { return normal.Color; }
    void SetColor(TColor value) { set(normal.Color, value); }
    TColor GetColorTo() const { return normal.ColorTo; }
    void SetColorTo(TColor value) { set(normal.ColorTo, value); }
    TColor GetColorMirror() const { return normal.ColorMirror; }
    void SetColorMirror(TColor value) { set(normal.ColorMirror, value); }
    TColor GetColorMirrorTo() const { return normal.ColorMirrorTo; }
    void SetColorMirrorTo(TColor value) { set(normal.ColorMirrorTo, value); }
    TColor GetColorHot() const { return hot.Color; }
    void SetColorHot(TColor value) { set(hot.Color, value); }
    TColor GetColorHotTo() const { return hot.ColorTo; }
    void SetColorHotTo(TColor value) { set(hot.ColorTo, value); }
    TColor GetColorMirrorHot() const { return hot.ColorMirror; }
    void SetColorMirrorHot(TColor value) { set(hot.ColorMirror, value); }
    TColor GetColorMirrorHotTo() const { return hot.ColorMirrorTo; }
    void SetColorMirrorHotTo(TColor value) { set(hot.ColorMirrorTo, value); }
    TColor GetColorDown() const { return down.Color; }
    void SetColorDown(TColor value) { set(down.Color, value); }
    TColor GetColorDownTo() const { return down.ColorTo; }
    void SetColorDownTo(TColor value) { set(down.ColorTo, value); }
    TColor GetColorMirrorDown() const { return down.ColorMirror; }
    void SetColorMirrorDown(TColor value) { set(down.ColorMirror, value); }
    TColor GetColorMirrorDownTo() const { return down.ColorMirrorTo; }
    void SetColorMirrorDownTo(TColor value) { set(down.ColorMirrorTo, value); }
    TColor GetColorChecked() const { return checked.Color; }
    void SetColorChecked(TColor value) { set(checked.Color, value); }
    TColor GetColorCheckedTo() const { return checked.ColorTo; }
    void SetColorCheckedTo(TColor value) { set(checked.ColorTo, value); }
    TColor GetColorMirrorChecked() const { return checked.ColorMirror; }
    void SetColorMirrorChecked(TColor value) { set(checked.ColorMirror, value); }
    TColor GetColorMirrorCheckedTo() const { return checked.ColorMirrorTo; }
    void SetColorMirrorCheckedTo(TColor value) { set(checked.ColorMirrorTo, value); }
    TColor GetColorDisabled() const { return disabled.Color; }
    void SetColorDisabled(TColor value) { set(disabled.Color, value); }
    TColor GetColorDisabledTo() const { return disabled.ColorTo; }
    void SetColorDisabledTo(TColor value) { set(disabled.ColorTo, value); }
    TColor GetColorMirrorDisabled() const { return disabled.ColorMirror; }
    void SetColorMirrorDisabled(TColor value) { set(disabled.ColorMirror, value); }
    TColor GetColorMirrorDisabledTo() const { return disabled.ColorMirrorTo; }
    void SetColorMirrorDisabledTo(TColor value) { set(disabled.ColorMirrorTo, value); }
    TColor GetBorderColor() const { return normal.BorderColor; }
    void SetBorderColor(TColor value) { set(normal.BorderColor, value); }
    TColor GetBorderColorHot() const { return hot.BorderColor; }
    void SetBorderColorHot(TColor value) { set(hot.BorderColor, value); }
    TColor GetBorderColorDown() const { return down.BorderColor; }
    void SetBorderColorDown(TColor value) { set(down.BorderColor, value); }
    TColor GetBorderColorChecked() const { return checked.BorderColor; }
    void SetBorderColorChecked(TColor value) { set(checked.BorderColor, value); }
    TColor GetBorderColorDisabled() const { return disabled.BorderColor; }
    void SetBorderColorDisabled(TColor value) { set(disabled.BorderColor, value); }
    TGDIPGradient GetGradient() const { return normal.Gradient; }
    void SetGradient(TGDIPGradient value) { set(normal.Gradient, value); }
    TGDIPGradient GetGradientMirror() const { return normal.GradientMirror; }
    void SetGradientMirror(TGDIPGradient value) { set(normal.GradientMirror, value); }
    TGDIPGradient GetGradientHot() const { return hot.Gradient; }
    void SetGradientHot(TGDIPGradient value) { set(hot.Gradient, value); }
    TGDIPGradient GetGradientMirrorHot() const { return hot.GradientMirror; }
    void SetGradientMirrorHot(TGDIPGradient value) { set(hot.GradientMirror, value); }
    TGDIPGradient GetGradientDown() const { return down.Gradient; }
    void SetGradientDown(TGDIPGradient value) { set(down.Gradient, value); }
    TGDIPGradient GetGradientMirrorDown() const { return down.GradientMirror; }
    void SetGradientMirrorDown(TGDIPGradient value) { set(down.GradientMirror, value); }
    TGDIPGradient GetGradientChecked() const { return checked.Gradient; }
    void SetGradientChecked(TGDIPGradient value) { set(checked.Gradient, value); }
    TGDIPGradient GetGradientMirrorChecked() const { return checked.GradientMirror; }
    void SetGradientMirrorChecked(TGDIPGradient value) { set(checked.GradientMirror, value); }
    TGDIPGradient GetGradientDisabled() const { return disabled.Gradient; }
    void SetGradientDisabled(TGDIPGradient value) { set(disabled.Gradient, value); }
    TGDIPGradient GetGradientMirrorDisabled() const { return disabled.GradientMirror; }
    void SetGradientMirrorDisabled(TGDIPGradient value) { set(disabled.GradientMirror, value); }
    // With the button's own font (not its parent's), the caption is drawn in the system's face.
    bool GetSystemFont() const { return systemFont; }
    void SetSystemFont(bool value) { set(systemFont, value); }

    const TGlowLook& Normal() const { return normal; }
    const TGlowLook& Hot() const { return hot; }
    const TGlowLook& Down() const { return down; }
    const TGlowLook& Checked() const { return checked; }
    const TGlowLook& Disabled() const { return disabled; }

    // Every value through its setter: the face colours look by look, the borders, the gradients, SystemFont.
    void Assign(const TGlowButtonAppearance& source);
    // Loads a colour scheme; tsCustom changes nothing.
    void LoadScheme(TQRBStyle style);

    std::function<void(TGlowButtonAppearance* sender)> OnChange;

private:
    template <typename T>
    void set(T& field, const T& value)
    {
        if (field == value)
            return;
        field = value;
        if (OnChange)
            OnChange(this);
    }

    TGlowLook normal;
    TGlowLook hot;
    TGlowLook down;
    TGlowLook checked;
    TGlowLook disabled;
    bool systemFont = true;
};

enum TFocusType { ftBorder, ftHot, ftHotBorder, ftNone };
enum TAdvButtonStyle { bsButton, bsCheck };
// The sizes a button in a resizable toolbar shrinks to: glyph only, glyph with a small caption, full size.
enum TButtonSizeState { bsGlyph, bsLabel, bsLarge };
enum TDropDownDirection { ddDown, ddRight };
// Where the key tip shows beside the button; shpAuto shows it as shpTop.
enum TShortCutHintPos {
    shpLeft,
    shpTop,
    shpRight,
    shpBottom,
    shpCenter,
    shpTopLeft,
    shpTopRight,
    shpAboveTop,
    shpAboveTopLeft,
    shpAboveTopRight,
    shpBottomLeft,
    shpBottomRight,
    shpBelowBottom,
    shpBelowBottomLeft,
    shpBelowBottomRight,
    shpBelowBottomCenter,
    shpAuto
};
// The look the button is drawn in.
enum TAdvButtonState { absUp, absDisabled, absDown, absDropDown, absExclusive };
// What OnDrawButton is told about the look just drawn.
enum TGlowButtonState { gsNormal, gsHot, gsDown };
// Which fade runs.
enum TGlowState { gsHover, gsPush, gsNone };

// The key tip: a small frameless window with a light gradient, a grey rounded frame and the key's text.
class TShortCutHintWindow : public QWidget
{
    Q_OBJECT
public:
    explicit TShortCutHintWindow(QWidget* owner);

    // The gradient's upper and lower colours.
    TColor GetColor() const { return color; }
    void SetColor(TColor value) { SetAndUpdate(*this, color, value); }
    TColor GetColorTo() const { return colorTo; }
    void SetColorTo(TColor value) { SetAndUpdate(*this, colorTo, value); }
    // Sizes the window to the text, never narrower than an "O" and 8 pixels.
    void SetText(const QString& value);
    QString GetText() const { return text; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int leastWidth() const;

    TColor color = clWhite;
    TColor colorTo = clWhite;
    QString text;
};

class TAdvCustomGlowButton : public QWidget, public IQRBStyle, public TActionClient
{
    Q_OBJECT
public:
    explicit TAdvCustomGlowButton(QWidget* parent = nullptr);
    ~TAdvCustomGlowButton() override;

    QString GetCaption() const override { return caption; }
    void SetCaption(const QString& value) override;
    // Drawn when Caption is empty.
    QString GetWideCaption() const { return wideCaption; }
    void SetWideCaption(const QString& value);
    // The caption's font; while ParentFont is set, the parent's font is used instead.
    const TFont& GetFont() const { return font; }
    void SetFont(const TFont& value);
    bool GetParentFont() const { return parentFont; }
    void SetParentFont(bool value);
    TAntiAlias GetAntiAlias() const { return antiAlias; }
    void SetAntiAlias(TAntiAlias value) { SetAndUpdate(*this, antiAlias, value); }
    // Sizes the button to its glyph and caption, with the margins.
    bool GetAutoSize() const { return autoSize; }
    void SetAutoSizeEx(bool value);
    // Only bsSingle draws a border.
    TBorderStyle GetBorderStyle() const { return borderStyle; }
    void SetBorderStyle(TBorderStyle value) { SetAndUpdate(*this, borderStyle, value); }
    bool GetCancel() const { return cancel; }
    void SetCancel(bool value) { cancel = value; }
    bool GetDefault() const { return isDefault; }
    void SetDefault(bool value) { isDefault = value; }
    // Takes the focus on a press with the mouse.
    bool GetTabStop() const { return focusPolicy() != Qt::NoFocus; }
    void SetTabStop(bool value) { setFocusPolicy(value ? Qt::StrongFocus : Qt::NoFocus); }
    int GetImageIndex() const { return imageIndex; }
    void SetImageIndex(int value);
    TImageList* GetImages() const { return images; }
    void SetImages(TImageList* value);
    TImageList* GetDisabledImages() const { return disabledImages; }
    void SetDisabledImages(TImageList* value);
    TImageList* GetHotImages() const { return hotImages; }
    void SetHotImages(TImageList* value) { hotImages = value; }
    TGDIPPicture& GetPicture() { return picture; }
    void SetPicture(const TGDIPPicture& value) { picture.Assign(&value); }
    TGDIPPicture& GetDisabledPicture() { return disabledPicture; }
    void SetDisabledPicture(const TGDIPPicture& value);
    TGDIPPicture& GetHotPicture() { return hotPicture; }
    void SetHotPicture(const TGDIPPicture& value) { hotPicture.Assign(&value); }
    TFocusType GetFocusType() const { return focusType; }
    void SetFocusType(TFocusType value) { SetAndUpdate(*this, focusType, value); }
    // Room the automatic size leaves around glyph and caption.
    int GetMarginVert() const { return marginVert; }
    void SetMarginVert(int value);
    int GetMarginHorz() const { return marginHorz; }
    void SetMarginHorz(int value);
    // Handed to the window when the button is clicked.
    int GetModalResult() const { return modalResult; }
    void SetModalResult(int value) { modalResult = value; }
    // Lines under the caption in NotesFont; any notes put glyph and text to the left.
    const TStringList& GetNotes() const { return notes; }
    void SetNotes(const TStringList& value);
    const TFont& GetNotesFont() const { return notesFont; }
    void SetNotesFont(const TFont& value) { SetAndUpdate(*this, notesFont, value); }
    TAdvHintInfo& GetOfficeHint() { return officeHint; }
    void SetOfficeHint(const TAdvHintInfo& value) { officeHint.Assign(&value); }
    TButtonPosition GetPosition() const { return position; }
    void SetPosition(TButtonPosition value) { SetAndUpdate(*this, position, value); }
    int GetInitRepeatPause() const { return initRepeatPause; }
    void SetInitRepeatPause(int value) { initRepeatPause = value; }
    int GetRepeatPause() const { return repeatPause; }
    void SetRepeatPause(int value) { repeatPause = value; }
    bool GetRepeatClick() const { return repeatClick; }
    void SetRepeatClick(bool value) { repeatClick = value; }
    bool GetRounded() const { return rounded; }
    void SetRounded(bool value) { SetAndUpdate(*this, rounded, value); }
    QString GetShortCutHint() const { return shortCutHint; }
    void SetShortCutHint(const QString& value) { shortCutHint = value; }
    TShortCutHintPos GetShortCutHintPos() const { return shortCutHintPos; }
    void SetShortCutHintPos(TShortCutHintPos value) { shortCutHintPos = value; }
    bool GetShowCaption() const { return showCaption; }
    void SetShowCaption(bool value);
    // Draws a disabled button in the disabled look.
    bool GetShowDisabled() const { return showDisabled; }
    void SetShowDisabled(bool value) { SetAndUpdate(*this, showDisabled, value); }
    int GetSpacing() const { return spacing; }
    void SetSpacing(int value) { SetAndUpdate(*this, spacing, value); }
    // The parent shows through the face while the pointer is outside.
    bool GetTransparent() const { return transparent; }
    void SetTransparent(bool value) { transparent = value; }
    StringTrimming GetTrimming() const { return trimming; }
    void SetTrimming(StringTrimming value) { SetAndUpdate(*this, trimming, value); }
    bool GetWordWrap() const { return wordWrap; }
    void SetWordWrap(bool value) { SetAndUpdate(*this, wordWrap, value); }

    QString GetVersion() const { return VersionNrText(GetVersionNr()); }
    void SetVersion(const QString&) {}
    virtual quint32 GetVersionNr() const { return 0x01080300; }

    TGlowButtonAppearance& GetAppearance() { return appearance; }
    void SetAppearance(const TGlowButtonAppearance& value);
    bool GetAllowAllUp() const { return allowAllUp; }
    void SetAllowAllUp(bool value);
    bool GetDown() const { return down; }
    void SetDown(bool value);
    // Buttons of the same parent with the same non-zero index are down one at a time.
    int GetGroupIndex() const { return groupIndex; }
    void SetGroupIndex(int value);
    TButtonLayout GetLayout() const { return layout; }
    void SetLayout(TButtonLayout value);
    TAdvButtonStyle GetStyle() const { return style; }
    void SetStyle(TAdvButtonStyle value) { style = value; }
    TButtonSizeState GetMaxButtonSizeState() const { return maxButtonSizeState; }
    TButtonSizeState GetMinButtonSizeState() const { return minButtonSizeState; }
    TButtonSizeState GetButtonSizeState() const { return buttonSizeState; }
    bool GetDropDownButton() const { return dropDownButton; }
    void SetDropDownButton(bool value);
    TDropDownPosition GetDropDownPosition() const { return dropDownPosition; }
    void SetDropDownPosition(TDropDownPosition value);
    // Where the menu opens and the arrow points.
    TDropDownDirection GetDropDownDirection() const { return dropDownDirection; }
    void SetDropDownDirection(TDropDownDirection value) { SetAndUpdate(*this, dropDownDirection, value); }
    // The drop-down part reacts on its own, apart from the main part.
    bool GetDropDownSplit() const { return dropDownSplit; }
    void SetDropDownSplit(bool value) { dropDownSplit = value; }
    QMenu* GetDropDownMenu() const { return dropDownMenu; }
    void SetDropDownMenu(QMenu* value) { dropDownMenu = value; }
    bool GetDroppedDown() const { return droppedDown; }
    void SetDroppedDown(bool value) { droppedDown = value; }
    // Shrinks or restores the button in a resizable toolbar; smaller states draw a 16 x 16 glyph, bsGlyph no
    // caption, and lay out glyph left and drop-down part right.
    void SetButtonSizeState(TButtonSizeState value);
    void SetMaxButtonSizeState(TButtonSizeState value);
    void SetMinButtonSizeState(TButtonSizeState value);
    // The size the button needs in the size state: glyph, caption, spacing, margins and drop-down part.
    TPoint GetButtonSize(TButtonSizeState sizeState);

    // Hands the modal result to the window, then tells the container and OnClick (without OnClick, the bound
    // action runs).
    virtual void Click();
    // The click of Return and Esc: opens the menu of a button that is a menu, else clicks.
    void InternalClick();
    // Opens the drop-down menu below or beside the button, with the button shown down meanwhile.
    void DoDropDown();
    // Tells OnDropDown that the drop-down part was pressed.
    void PopupBtnDown();
    // Finds out again whether the pointer is over the button.
    void UpdateTracking();
    // Copies the common properties of another glow button (not the looks of the state, the group or the layout).
    void Assign(const TAdvCustomGlowButton* source);

    // Shows ShortCutHint in the key tip at its place beside the button; hides it.
    void ShowShortCutHint();
    void HideShortCutHint();
    TShortCutHintWindow* GetShortCutHintWindow() const { return keyTip; }
    // Where a key tip of the size tipSize goes for a button whose client area is button (screen co-ordinates).
    static QPoint ShortCutHintPlace(TShortCutHintPos position, const QRect& button, const QSize& tipSize);

    // Loads one of the library's colour schemes into the appearance.
    void SetComponentStyle(TQRBStyle AStyle) override;
    // Sizes an automatically sized button now, else repaints it.
    void PerformResize();
    // The window has set every property: an automatically sized button sizes itself, and actions bound from now
    // on are bound at run time.
    virtual void Loaded();

    // Set, a running program leaves the button's ImageIndex alone when its action's image changes (the button
    // still draws the action's image).
    static bool FStaticActionImageIndex;
    // The bound action's images may set ImageIndex: with FStaticActionImageIndex, or when the action's list has
    // Images.
    bool ActionHasImages() const;

    std::function<void(QObject* Sender, TCanvas& Canvas, const TRect& Rect, TGlowButtonState State)> OnDrawButton;
    // Asked before the automatic size is applied; may change it.
    std::function<void(QObject* Sender, int& W, int& H)> OnSetButtonSize;
    TNotifyEvent OnClick;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    // The drop-down part was pressed, or F4.
    TNotifyEvent OnDropDown;
    // May choose another place for the key tip.
    std::function<void(QObject* Sender, TButtonSizeState State, TShortCutHintPos& Position)> OnGetShortCutHintPos;
    // For a container of buttons: a click, before OnClick, and every key pressed on the button, after its own
    // handling (while it is set, the button keeps the arrow keys).
    TNotifyEvent OnInternalClick;
    std::function<void(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift)> OnInternalKeyDown;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

    // The pointer came onto the button or left it: starts the fade into or out of the hot look.
    void MouseEnter();
    void MouseLeave();
    // One step of the running fade.
    void FadeTick();
    // The auto-repeat timer ran out: clicks while the button is held.
    virtual void TimerExpired();

    // Called after the face is drawn; draws nothing here.
    virtual void DrawGlyphCaption(TCanvas&) {}
    // A picture of a tool for the glyph, drawn before any picture or image; none here.
    virtual void GetToolImage(TBitmap&) {}
    // A button that is a menu: any press opens the menu.
    virtual bool IsMenuButton() const { return false; }
    virtual bool CanDrawBorder() const { return borderStyle == bsSingle; }
    virtual bool CanDrawFocused() const { return focused && (focusType == ftBorder || focusType == ftHotBorder); }

    // The face as it would be drawn now in the size state given; tool is the tool image's bitmap. Sizing takes the
    // action's images only when they show the button's own ImageIndex.
    TGlowButtonFace FaceInputs(TButtonSizeState sizeState, TBitmap& tool, bool sizing = false);
    // Besides caption, hint and enabled state: the group index (while the window builds the button, or when the
    // button has none) and, when ActionHasImages, the image index.
    void ActionChange(QObject* Sender, bool CheckDefaults) override;
    TActionLinkClass GetActionLinkClass() const override;
    // The glyph list used when no image list is set, made on first use.
    TImageList* InternalImages();
    // Takes the index without re-sizing, for a glyph that replaces one of the same size.
    void StoreImageIndex(int value) { imageIndex = value; }
    // Lets the other down button of the group come up.
    void UpdateExclusive();
    // Another button of the group named is down now.
    void ButtonPressed(int pressedGroup, TAdvCustomGlowButton* sender);

    // The paint state, set by the pointer, the keys and the fades.
    TAdvButtonState state = absUp;
    bool mouseInControl = false;
    bool hover = false;
    bool hot = false;
    bool dropPartHot = false;
    bool pressed = false;
    bool resumePressed = false;
    bool leftButtonHeld = false;
    bool pressedOnFace = false;
    bool focused = false;
    // Runs while a fade runs; the steps go from 0 to 100.
    QPointer<QTimer> fadeTimer;
    int hoverStep = 0;
    int pressStep = 0;
    int stepDelta = 0;
    TGlowState glowState = gsNone;
    TButtonSizeState buttonSizeState = bsLarge;
    TButtonSizeState maxButtonSizeState = bsLarge;
    TButtonSizeState minButtonSizeState = bsGlyph;
    // Layout and drop-down position of the large size state, kept while the button is smaller.
    TButtonLayout savedLayout = blGlyphLeft;
    TDropDownPosition savedDropDownPosition = dpRight;
    // Clicks while the button is held, after InitRepeatPause and then every RepeatPause.
    QPointer<QTimer> repeatTimer;
    // What the action link found when it last tested whether the action's Checked and GroupIndex were in step
    // with the button's: the action then decides about Down and the group.
    bool checkedLinked = false;
    bool groupLinked = false;

private:
    friend class TAdvGlowButtonActionLink;

    // The caption's font as drawn.
    TFont drawnFont() const;
    // The bound action's list's images, when the action shows one of them.
    TImageList* actionImages() const;
    // The action decides about Down: its Checked or GroupIndex is in step with the button's (tests both).
    bool actionKeepsDown();
    // Up, whatever AllowAllUp says: another button of the group went down.
    void comeUp();
    void normaliseState();
    void excludeCorners(TCanvas& canvas) const;
    void startFade();
    void pressFace();
    bool inDropDownPress(const QPoint& point) const;
    bool inside(const QPoint& point) const;
    // The point of the parent where the drop-down menu opens.
    QPoint menuPoint() const;
    void showMenu();
    // Return or Esc of the window: true when this button clicked.
    bool dialogKey(QKeyEvent* key);
    // The caption's accelerator: opens the menu or clicks.
    void dialogChar();
    bool canFocus() const { return isVisible() && isEnabled(); }
    void refreshKeyTipColours();

    QString caption;
    QString wideCaption;
    TFont font;
    bool parentFont = true;
    TAntiAlias antiAlias = aaClearType;
    bool autoSize = false;
    TBorderStyle borderStyle = bsSingle;
    bool cancel = false;
    bool isDefault = false;
    int imageIndex = -1;
    QPointer<TImageList> images;
    QPointer<TImageList> disabledImages;
    QPointer<TImageList> hotImages;
    TGDIPPicture picture;
    TGDIPPicture disabledPicture;
    TGDIPPicture hotPicture;
    TFocusType focusType = ftBorder;
    int marginVert = 1;
    int marginHorz = 1;
    int modalResult = 0;
    TStringList notes;
    TFont notesFont;
    TAdvHintInfo officeHint;
    TButtonPosition position = bpStandalone;
    int initRepeatPause = 400;
    int repeatPause = 100;
    bool repeatClick = false;
    bool rounded = true;
    QString shortCutHint;
    TShortCutHintPos shortCutHintPos = shpTop;
    bool showCaption = true;
    bool showDisabled = true;
    int spacing = 2;
    bool transparent = false;
    StringTrimming trimming = StringTrimmingNone;
    bool wordWrap = true;
    TGlowButtonAppearance appearance;
    bool allowAllUp = false;
    bool down = false;
    int groupIndex = 0;
    TButtonLayout layout = blGlyphLeft;
    TAdvButtonStyle style = bsButton;
    bool dropDownButton = false;
    TDropDownPosition dropDownPosition = dpRight;
    TDropDownDirection dropDownDirection = ddDown;
    bool dropDownSplit = true;
    QPointer<QMenu> dropDownMenu;
    bool droppedDown = false;
    bool painting = false;
    // A press that a release over the button turns into a click.
    bool pendingClick = false;
    int accelerator = 0;         // the caption's shortcut id, 0 for none
    QPointer<QWidget> keyWindow; // the window whose Return and Esc the button watches
    QPointer<TShortCutHintWindow> keyTip;
    TImageList* internalImages = nullptr; // owned as a child
};

// Adds the glow button's own ties to an action: Checked drives Down, GroupIndex drives GroupIndex, and ImageIndex
// drives ImageIndex when the action's list has images.
class TAdvGlowButtonActionLink : public TControlActionLink
{
public:
    void AssignClient(TActionClient* client) override;
    bool IsCheckedLinked() override;
    bool IsGroupIndexLinked() override;
    bool IsImageIndexLinked() override;
    void SetChecked(bool value) override;
    void SetGroupIndex(int value) override;
    void SetImageIndex(int value) override;

private:
    TAdvCustomGlowButton* button = nullptr;
    int imageIndex = 0; // the last index passed to SetImageIndex
};

class TAdvGlowButton : public TAdvCustomGlowButton
{
    Q_OBJECT
public:
    explicit TAdvGlowButton(QWidget* parent = nullptr) : TAdvCustomGlowButton(parent) {}
};
