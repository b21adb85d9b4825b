// The edit with a small button inside its right edge, and the unit edit built on it. The button (or F4) runs the
// virtual BtnClick, which subclasses use to open a dialog or a menu. The action is queued: it runs once the press or
// the key has been handled, so a dialog never opens from inside a mouse or key handler and the edit already has the
// focus when it does.
#pragma once

#include "AdvEdit.h"
#include "Graphics.h"

#include <QAbstractButton>

class TAdvEditBtn;

enum TButtonStyle { bsButton, bsDropDown };

// The button itself: a push button with glyph and caption, or a drop-down arrow, themed where visual styles are in
// use and classic or flat otherwise.
class TAdvSpeedButton : public QAbstractButton
{
    Q_OBJECT
public:
    TAdvSpeedButton(TAdvEditBtn* edit, QWidget* parent);

    bool GetEtched() const { return etched; }
    void SetEtched(bool value);
    // Whether the edit is hovered or active: the flat look then raises the button.
    bool GetFocused() const { return focused; }
    void SetFocused(bool value);
    bool GetFlat() const { return flat; }
    void SetFlat(bool value);
    TBitmap& Glyph() { return glyph; }
    int GetNumGlyphs() const { return numGlyphs; }
    void SetNumGlyphs(int value);

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    int paintState(bool disabled) const;
    void paintButton(TCanvas& canvas, bool disabled);
    void paintDropDown(TCanvas& canvas, bool disabled);
    void paintGlyphAndCaption(TCanvas& canvas, bool disabled, bool themed);
    QImage glyphImage(bool disabled, bool themed) const;

    TAdvEditBtn* edit;
    bool etched = false;
    bool focused = false;
    bool flat = false;
    bool mouseInControl = false;
    int numGlyphs = 1;
    TBitmap glyph;
};

// The child window of the edit that hosts the button and keeps its own width equal to the button's.
class TEditButton : public QWidget
{
    Q_OBJECT
public:
    TEditButton(TAdvEditBtn* edit, QWidget* parent);

    TAdvSpeedButton* Button() const { return button; }
    int GetButtonWidth() const { return buttonWidth; }
    void SetButtonWidth(int value);
    QWidget* GetFocusControl() const { return focusControl; }
    void SetFocusControl(QWidget* value) { focusControl = value; }

    // Raised by a left press on the button, before the focus moves.
    std::function<void(TEditButton* sender)> OnClick;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void pressed();

    TAdvSpeedButton* button;
    QPointer<QWidget> focusControl;
    int buttonWidth = 16;
};

class TAdvEditBtn : public TAdvEdit
{
    Q_OBJECT
public:
    explicit TAdvEditBtn(QWidget* parent = nullptr);

    void Loaded() override;

    // The button's action, as a press or F4 runs it.
    virtual void BtnClick();
    void ClickButton() { BtnClick(); }

    TButtonStyle GetButtonStyle() const { return buttonStyle; }
    void SetButtonStyle(TButtonStyle value);
    int GetButtonWidth() const;
    void SetButtonWidth(int value);
    QString GetButtonHint() const { return buttonHint; }
    void SetButtonHint(const QString& value);
    QString GetButtonCaption() const;
    void SetButtonCaption(const QString& value);
    // Off: typing, pasting, cutting and dropping change nothing; the button still works.
    bool GetEditorEnabled() const { return editorEnabled; }
    void SetEditorEnabled(bool value) { editorEnabled = value; }
    bool GetFlat() const { return TAdvEdit::GetFlat(); }
    void SetFlat(bool value);
    bool GetEtched() const { return etched; }
    void SetEtched(bool value);
    TBitmap& GetGlyph();
    void SetGlyph(const TBitmap& value);
    bool GetReadOnlyEx() const { return isReadOnly(); }
    void SetReadOnlyEx(bool value);
    TEditButton* ButtonHost() const { return host; }

    quint32 GetVersionNr() const override { return 0x01030203; }

    std::function<void(TAdvEditBtn* sender)> OnClickBtn;

protected:
    bool AcceptsTyping() const override { return editorEnabled; }
    // Width kept free between the text and the button.
    int GetUnitSpace() const { return unitSpace; }
    void SetUnitSpace(int value);
    void SetEditRect();
    // Runs BtnClick once the current event has been handled.
    void PostBtnClick();

    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void resizeControl();
    void updateButtonState();
    void drawBorders();

    TEditButton* host;
    TButtonStyle buttonStyle = bsButton;
    QString buttonHint;
    bool editorEnabled = true;
    bool etched = false;
    bool mouseInControl = false;
    int unitSpace = 0;
};

// An edit for a value with a unit: the unit's name is drawn between the text and the button, and the button offers
// the units in a menu.
class TUnitAdvEditBtn : public TAdvEditBtn
{
    Q_OBJECT
public:
    explicit TUnitAdvEditBtn(QWidget* parent = nullptr);

    void BtnClick() override;

    TStringList& GetUnits() { return units; }
    void SetUnits(const TStringList* value);
    QString GetUnitID() const { return unitID; }
    void SetUnitID(const QString& value);
    int GetUnitSize() const { return GetUnitSpace(); }
    void SetUnitSize(int value) { SetUnitSpace(value); }

    std::function<void(TUnitAdvEditBtn* sender, const QString& newUnit)> OnUnitChanged;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void unitChosen(int index);

    QString unitID;
    TStringList units;
};
