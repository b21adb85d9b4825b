// Office-style check box and radio button: self-drawn glyphs for the normal, hot and pressed looks, and a caption in
// markup with links, an embossed grey look when disabled and a dotted focus frame. They sit transparently on their
// parent. User toggling (mouse, Space, the caption's accelerator) is reported through OnClick; the check box
// reports nothing when code sets it, the radio button reports every check, as a radio group relies on.
#pragma once

#include "AnchorEvents.h"
#include "Canvas.h"
#include "ImageList.h"
#include "PictureContainer.h"

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

// What the check box and the radio button share: the caption, its links, the hot and pressed looks, the focus
// frame and the keyboard. The glyph, the caption's place and what a click does are each control's own.
class OfficeButtonBase : public QWidget
{
    Q_OBJECT
public:
    ~OfficeButtonBase() override;

    QString GetCaption() const { return caption; }
    // Sets the window text and the caption markup and repaints.
    void SetCaption(const QString& Value);
    const TFont& GetFont() const { return font; }
    void SetFont(const TFont& Value);

    bool GetDown() const { return down; }
    // Only stores the pressed look; whoever changes it repaints.
    void SetDown(bool Value) { down = Value; }
    bool GetReturnIsTab() const { return returnIsTab; }
    void SetReturnIsTab(bool Value) { returnIsTab = Value; }
    bool GetTabStop() const { return focusPolicy() != Qt::NoFocus; }
    void SetTabStop(bool Value);
    TImageList* GetImages() const { return images; }
    void SetImages(TImageList* Value);
    TPictureContainer* GetPictureContainer() const { return pictureContainer; }
    void SetPictureContainer(TPictureContainer* Value);
    TColor GetURLColor() const { return urlColor; }
    void SetURLColor(TColor Value);
    TTextLayout GetButtonVertAlign() const { return buttonVertAlign; }
    void SetButtonVertAlign(TTextLayout Value);
    TLeftRight GetAlignment() const { return alignment; }
    void SetAlignment(TLeftRight Value);
    bool GetEllipsis() const { return ellipsis; }
    void SetEllipsis(bool Value);
    TColor GetShadowColor() const { return shadowColor; }
    void SetShadowColor(TColor Value);
    int GetShadowOffset() const { return shadowOffset; }
    void SetShadowOffset(int Value);

    QString GetVersion() const { return VersionNrText(GetVersionNr()); }
    void SetVersion(const QString&) {}
    quint32 GetVersionNr() const { return 0x01010104; }

    // After the window is built: the cursor set now is the one links give back when the pointer leaves them.
    void Loaded();
    // The target of the link under a client point, empty for none.
    QString IsAnchor(int X, int Y);

    TNotifyEvent OnClick;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    std::function<void(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift)> OnKeyDown;
    std::function<void(QObject* Sender, QChar& Key)> OnKeyPress;
    std::function<void(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)> OnMouseDown;
    std::function<void(QObject* Sender, Qt::KeyboardModifiers Shift, int X, int Y)> OnMouseMove;
    std::function<void(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)> OnMouseUp;
    TAnchorClick OnAnchorClick;
    TAnchorClick OnAnchorEnter;
    TAnchorClick OnAnchorExit;

protected:
    OfficeButtonBase(QWidget* Owner, int width);

    // The glyph resource for the current state, pressed look before hot.
    virtual QString glyphName(bool pressed, bool hot) const = 0;
    // The glyph's top edge for the bottom placement, given the glyph's height.
    virtual int bottomGlyphTop(int glyphHeight) const = 0;
    // How far the caption starts from the glyph's side.
    virtual int captionIndent() const = 0;
    // A last adjustment of the caption rectangle, once its size is known.
    virtual void placeCaption(TCanvas& canvas, TRect& rect) {}
    // The user's actions after the shared handling: a release of the left button inside the control or not, a
    // release of Space, the caption's accelerator, and the focus arriving.
    virtual void mouseReleased(bool inside) = 0;
    virtual void afterMouseUp() {}
    virtual void spaceReleased() = 0;
    virtual void acceleratorPressed() = 0;
    virtual void entered() {}
    // Runs first on a left press; the radio button takes the focus here (and checks itself without OnClick).
    virtual void takeFocusForPress() {}
    // Raise OnKeyDown and OnKeyPress; the items of a group also pass the key on to it.
    virtual void KeyDown(int& Key, Qt::KeyboardModifiers Shift);
    virtual void KeyPress(QChar& Key);

    bool hasFocusFlag() const { return focusFlag; }
    bool isPressed() const { return pressed; }
    bool isRightAligned() const;
    // Repaints the strip of the glyph, width pixels wide at the glyph's side.
    void updateGlyphStrip(int width);
    // Measures or draws the caption markup in rect with the given link colour.
    struct MarkupResult
    {
        bool onAnchor = false;
        QString anchor;
        int width = 0;
        int height = 0;
    };
    MarkupResult renderCaption(TCanvas& canvas, const TRect& rect, int x, int y, bool hitTest, bool measureOnly,
                               TColor linkColor);

    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void drawGlyph(TCanvas& canvas);
    void drawCaption(TCanvas& canvas);
    void trackAnchor(const QString& anchor);

    QString caption;
    TFont font;
    bool down = false;
    bool focusFlag = false;
    bool returnIsTab = false;
    QPointer<TImageList> images;
    QPointer<TPictureContainer> pictureContainer;
    QString lastAnchor;
    TColor urlColor = clBlue;
    std::unique_ptr<THTMLPictureCache> pictureCache;
    TTextLayout buttonVertAlign = tlTop;
    TLeftRight alignment = taLeftJustify;
    bool ellipsis = false;
    int shadowOffset = 1;
    TColor shadowColor = clGray;
    bool hot = false;
    QCursor savedCursor;
    bool pressed = false;
    bool captured = false;
    int shortcutId = 0;
};

class TCustomAdvOfficeCheckBox : public OfficeButtonBase
{
    Q_OBJECT
public:
    explicit TCustomAdvOfficeCheckBox(QWidget* Owner = nullptr);

    TCheckBoxState GetState() const { return state; }
    void SetState(TCheckBoxState Value);
    // True only for cbChecked. Setting it raises no event: code that sets the state is not told back.
    virtual bool GetChecked() const;
    virtual void SetChecked(bool Value);
    // The user's toggle; does nothing while ReadOnly.
    virtual void Toggle();
    bool GetReadOnly() const { return readOnly; }
    void SetReadOnly(bool Value) { readOnly = Value; }

protected:
    // Raises OnClick.
    virtual void Click();

    QString glyphName(bool pressed, bool hot) const override;
    int bottomGlyphTop(int glyphHeight) const override;
    int captionIndent() const override { return 16; }
    void mouseReleased(bool inside) override;
    void spaceReleased() override;
    void acceleratorPressed() override;

private:
    TCheckBoxState state = cbUnchecked;
    bool readOnly = false;
};

class TAdvOfficeCheckBox : public TCustomAdvOfficeCheckBox
{
    Q_OBJECT
public:
    explicit TAdvOfficeCheckBox(QWidget* Owner = nullptr);
};

class TAdvOfficeRadioButton : public OfficeButtonBase
{
    Q_OBJECT
public:
    explicit TAdvOfficeRadioButton(QWidget* Owner = nullptr);

    bool GetChecked() const { return checked; }
    // Checking unchecks the radio buttons of the same parent and group and raises OnClick (also from code);
    // unchecking raises nothing. The checked button alone is a tab stop.
    void SetChecked(bool Value);
    quint8 GetGroupIndex() const { return groupIndex; }
    void SetGroupIndex(quint8 Value) { groupIndex = Value; }

protected:
    // Raises OnClick.
    virtual void DoClick();
    void TurnSiblingsOff();

    QString glyphName(bool pressed, bool hot) const override;
    int bottomGlyphTop(int glyphHeight) const override;
    int captionIndent() const override { return 18; }
    void placeCaption(TCanvas& canvas, TRect& rect) override;
    void mouseReleased(bool inside) override;
    void afterMouseUp() override;
    void spaceReleased() override;
    void acceleratorPressed() override;
    void entered() override;
    void takeFocusForPress() override;

private:
    bool checked = false;
    quint8 groupIndex = 0;
    bool focusingClick = false;
};
