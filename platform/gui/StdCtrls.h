// The toolkit's standard edit and label as Qt widgets: the base classes of the program's edits and of the captions
// that controls attach to themselves.
//
// TCustomEdit is a QLineEdit that speaks in the toolkit's terms: colours as TColor, the selection as start and
// length, MaxLength 0 for no limit, and events as std::function members. OnChange follows every change of the text,
// by code or by the user (the text's change notification); OnKeyDown and OnKeyPress run in the key handling of the
// edit itself, after a form's KeyPreview.
#pragma once

#include "Canvas.h"
#include "Forms.h"

#include <QLabel>
#include <QLineEdit>
#include <functional>

class TCustomEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit TCustomEdit(QWidget* parent = nullptr);

    TColor GetColor() const { return color; }
    void SetColor(TColor value);
    TColor GetFontColor() const { return fontColor; }
    virtual void SetFontColor(TColor value);
    TBorderStyle GetBorderStyle() const { return hasFrame() ? bsSingle : bsNone; }
    void SetBorderStyle(TBorderStyle value) { setFrame(value != bsNone); }
    bool GetReadOnly() const { return isReadOnly(); }
    void SetReadOnly(bool value) { setReadOnly(value); }
    // 0: no limit.
    int GetMaxLength() const { return maxTextLength; }
    void SetMaxLength(int value);
    QChar GetPasswordChar() const { return echoMode() == Normal ? QChar() : QChar(u'*'); }
    // Any character but #0 hides the text.
    void SetPasswordChar(QChar value) { setEchoMode(value.isNull() ? Normal : Password); }
    bool GetAutoSelect() const { return autoSelect; }
    void SetAutoSelect(bool value) { autoSelect = value; }
    // Left, right or centred text, always centred vertically.
    void SetTextAlignment(TAlignment value);
    // True while the edit uses its parent's font (no font of its own was set).
    bool GetParentFont() const { return !testAttribute(Qt::WA_SetFont); }

    // The selection as the toolkit counts it: its start (the caret when nothing is selected) and its length.
    int GetSelStart() const;
    int GetSelLength() const;
    void SetSelStart(int value);
    void SetSelLength(int value);
    QString GetSelText() const { return selectedText(); }

    std::function<void(TCustomEdit* sender)> OnChange;
    std::function<void(TCustomEdit* sender)> OnClick;
    std::function<void(TCustomEdit* sender)> OnDblClick;
    std::function<void(TCustomEdit* sender)> OnEnter;
    std::function<void(TCustomEdit* sender)> OnExit;
    // Setting key to 0 swallows the key.
    std::function<void(TCustomEdit* sender, int& key, Qt::KeyboardModifiers shift)> OnKeyDown;
    std::function<void(TCustomEdit* sender, int& key, Qt::KeyboardModifiers shift)> OnKeyUp;
    // Setting key to #0 drops the character; another character is typed in its place.
    std::function<void(TCustomEdit* sender, QChar& key)> OnKeyPress;

protected:
    // Raises OnChange; runs on every change of the text.
    virtual void Change();
    // OnKeyDown for the key of the event; false when the handler swallowed it.
    bool DoKeyDown(QKeyEvent* event);
    // OnKeyPress for a typed character; false when the handler dropped it.
    bool DoKeyPress(QChar& key);
    // Types the character at the caret, replacing the selection, as the edit itself does with a key.
    void TypeCharacter(QChar key);
    // Moves the focus on, as Tab does, once the current key has been handled.
    void PostTab();

    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

    // A context menu or another pop-up takes the keyboard for a moment: the toolkit's edit kept its focus then.
    static bool isPopupFocusChange(const QFocusEvent* event);

private:
    void applyPalette();

    TColor color = clWindow;
    TColor fontColor = clWindowText;
    int maxTextLength = 0;
    bool autoSelect = true;
    bool clickPending = false;
};

// A caption. With AutoSize it takes the size of its text; its accelerator ('&' before a letter) focuses its
// FocusControl.
class TLabel : public QLabel
{
    Q_OBJECT
public:
    explicit TLabel(QWidget* parent = nullptr);

    QString GetCaption() const { return text(); }
    void SetCaption(const QString& value);
    // The label's own font and colour (the parent's font until one is set).
    TFont GetFont() const;
    void SetFont(const TFont& value);
    void SetTransparent(bool value) { setAutoFillBackground(!value); }
    void SetAutoSize(bool value);
    void SetFocusControl(QWidget* value);
    // The width of the caption as drawn (accelerator marks left out), in the label's font.
    int TextWidth() const;

    std::function<void(TLabel* sender)> OnClick;
    std::function<void(TLabel* sender)> OnDblClick;

protected:
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void adjustToText();

    TColor fontColor = clWindowText;
    bool autoSize = true;
    bool clickPending = false;
};
