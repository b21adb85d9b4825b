// The combo box of the program's windows: a QComboBox with an attached caption label, a focus colour, a flat look
// with its own border and a themed or classic drop button.
//
// OnChange follows the user only: choosing an item, typing into the edit part. Setting the item index or the text
// from code raises nothing. Typed text is never added as an item, and items are found ignoring case.
#pragma once

#include "AttachedLabel.h"

#include <QComboBox>
#include <functional>

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList };

class TAdvCustomCombo : public QComboBox
{
    Q_OBJECT
public:
    explicit TAdvCustomCombo(QWidget* parent = nullptr);

    // Load-time set-up, once the window has set the combo's properties.
    virtual void Loaded();
    // Takes the current colour as the one to return to after the focus colour.
    void Init();

    // The toolkit's combo operations.
    int GetItemIndex() const { return currentIndex(); }
    void SetItemIndex(int value) { setCurrentIndex(value); }
    QString GetText() const { return currentText(); }
    // The edit part's text; a drop-down list selects the item with that text (ignoring case), if any.
    void SetText(const QString& value);
    TComboBoxStyle GetStyle() const { return comboStyle; }
    void SetStyle(TComboBoxStyle value);
    int GetDropDownCount() const { return maxVisibleItems(); }
    void SetDropDownCount(int value) { setMaxVisibleItems(value); }
    // The selection of the edit part (0 without one).
    int GetSelStart() const;
    int GetSelLength() const;
    void SetSelStart(int value);
    void SetSelLength(int value);
    // Makes the item with the text (ignoring case) the current one; nothing when there is none.
    void SelectItem(const QString& text);
    // Replaces the items with the list, all in one step. The text stays: an editable combo keeps what its edit part
    // shows, a drop-down list the item with the same text when the new list has one.
    void SetItems(const QStringList& items);

    // The combo together with its label.
    bool GetVisibleEx() const { return !isHidden(); }
    void SetVisibleEx(bool value) { setVisible(value); }
    bool GetEnabledEx() const { return !testAttribute(Qt::WA_ForceDisabled); }
    void SetEnabledEx(bool value);
    TColor GetColorEx() const { return color; }
    void SetColorEx(TColor value);

    QString GetLabelCaption() const { return label.GetCaption(); }
    void SetLabelCaption(const QString& value) { label.SetCaption(value); }
    TLabel* GetLabel() const { return label.Label(); }
    TLabelPosition GetLabelPosition() const { return label.GetPosition(); }
    void SetLabelPosition(TLabelPosition value) { label.SetPosition(value); }
    int GetLabelMargin() const { return label.GetMargin(); }
    void SetLabelMargin(int value) { label.SetMargin(value); }
    bool GetLabelTransparent() const { return label.GetTransparent(); }
    void SetLabelTransparent(bool value) { label.SetTransparent(value); }
    bool GetLabelAlwaysEnabled() const { return labelAlwaysEnabled; }
    void SetLabelAlwaysEnabled(bool value);
    TFont GetLabelFont() const { return labelFont; }
    void SetLabelFont(const TFont& value);

    bool GetAutoComplete() const { return autoComplete; }
    void SetAutoComplete(bool value);
    bool GetAutoFocus() const { return autoFocus; }
    void SetAutoFocus(bool value) { autoFocus = value; }
    int GetButtonWidth() const { return buttonWidth; }
    // 14 to 32; other widths are ignored.
    void SetButtonWidth(int value);
    bool GetDisabledBorder() const { return disabledBorder; }
    void SetDisabledBorder(bool value) { disabledBorder = value; }
    int GetDropWidth() const { return dropWidth; }
    void SetDropWidth(int value);
    bool GetEtched() const { return etched; }
    void SetEtched(bool value);
    bool GetFlat() const { return flat; }
    void SetFlat(bool value);
    TColor GetFlatLineColor() const { return flatLineColor; }
    void SetFlatLineColor(TColor value);
    bool GetFlatParentColor() const { return flatParentColor; }
    void SetFlatParentColor(bool value);
    bool GetFocusBorder() const { return focusBorder; }
    void SetFocusBorder(bool value) { focusBorder = value; }
    TColor GetFocusBorderColor() const { return focusBorderColor; }
    void SetFocusBorderColor(TColor value) { focusBorderColor = value; }
    TColor GetFocusColor() const { return focusColor; }
    void SetFocusColor(TColor value) { focusColor = value; }

    virtual quint32 GetVersionNr() const { return 0x01020502; }
    QString GetVersionEx() const;

    std::function<void(TAdvCustomCombo* sender)> OnChange;
    std::function<void(TAdvCustomCombo* sender)> OnClick;
    std::function<void(TAdvCustomCombo* sender)> OnDropDown;
    std::function<void(TAdvCustomCombo* sender)> OnDropUp;
    std::function<void(TAdvCustomCombo* sender)> OnEnter;
    std::function<void(TAdvCustomCombo* sender)> OnExit;
    // Setting key to 0 swallows the key.
    std::function<void(TAdvCustomCombo* sender, int& key, Qt::KeyboardModifiers shift)> OnKeyDown;
    // Setting key to #0 drops the character.
    std::function<void(TAdvCustomCombo* sender, QChar& key)> OnKeyPress;

    void showPopup() override;
    void hidePopup() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    bool paintsItself() const;
    bool themed() const;
    // Shows a colour without making it the one a flat combo returns to.
    void showColor(TColor value);
    void applyColor(TColor value);
    void userChose();
    void userTyped();
    void paintDropButton(TCanvas& canvas);
    void drawBorders(TCanvas& canvas);
    void drawControlBorder(TCanvas& canvas);
    void drawButtonBorder(TCanvas& canvas);
    bool is3DBorderControl() const;
    bool is3DBorderButton() const;

    AttachedLabel label;
    TFont labelFont;
    bool labelAlwaysEnabled = false;
    TComboBoxStyle comboStyle = csDropDown;
    TColor color = clWindow;
    TColor normalColor = clWindow;
    TColor streamedColor = clWindow;
    TColor savedColor = clWindow;
    bool autoComplete = true;
    bool autoFocus = false;
    int buttonWidth = 19;
    bool disabledBorder = true;
    int dropWidth = 0;
    bool etched = false;
    bool flat = false;
    TColor flatLineColor = clBlack;
    bool flatParentColor = true;
    bool focusBorder = false;
    TColor focusBorderColor = clNone;
    TColor focusColor = clNone;
    bool mouseInControl = false;
    bool buttonHot = false;
    bool focused = false;
    bool dropped = false;
    bool wasEnabled = true;
};

// The combo box the windows place; everything is in TAdvCustomCombo.
class TAdvComboBox : public TAdvCustomCombo
{
    Q_OBJECT
public:
    using TAdvCustomCombo::TAdvCustomCombo;
};
