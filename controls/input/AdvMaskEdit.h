// The masked edit: an edit mask, spelt as the toolkit spells it ("!99/99/0000;1;_"), decides which character each
// position takes and which positions are fixed. It carries the edit family's attached label, focus colours, flat look
// and borders, moves the focus on once the mask is filled (AutoTab, which OnMaskComplete may veto), takes Return as
// Tab and undoes with Esc.
//
// Text is the edit text with the mask applied: the positions not filled yet read as blanks, and the fixed characters
// are left out when the mask says they are not saved. EditText is what the edit shows, with the mask's blank
// character in the unfilled positions.
#pragma once

#include "AttachedLabel.h"
#include "StdCtrls.h"

#include <QVector>
#include <functional>

// What a position of a mask takes beyond Qt's own test of its kind: digit positions take the ASCII digits only (Qt's
// take any character of the Number category, such as '²').
enum class MaskCheck { None, Digit, DigitOrSign };

struct MaskPosition
{
    bool literal = false;
    MaskCheck check = MaskCheck::None;
};

// A toolkit edit mask in Qt's terms.
struct TranslatedEditMask
{
    // For QLineEdit::setInputMask; empty for no mask.
    QString inputMask;
    // One entry per shown character.
    QVector<MaskPosition> positions;
    // Whether Text keeps the fixed characters (the mask's second field, "0" for not).
    bool saveLiterals = true;
    // Shown in the positions not filled yet (the mask's third field).
    QChar blank = u'_';
};

// Translates the mask character by character through a table; the date and time separators take the locale's.
TranslatedEditMask TranslateEditMask(const QString& editMask);

class TAdvMaskEdit : public TCustomEdit
{
    Q_OBJECT
public:
    explicit TAdvMaskEdit(QWidget* parent = nullptr);

    // Load-time set-up, once the window has set the edit's properties: the colours and border to return to, the flat
    // look and the label.
    void Loaded();

    QString GetEditMask() const { return editMask; }
    void SetEditMask(const QString& value);
    // Blanks in the unfilled positions; without the fixed characters unless the mask saves them.
    QString GetText() const;
    void SetText(const QString& value) { setText(value); }
    QString GetEditText() const { return displayText(); }
    void SetEditText(const QString& value) { setText(value); }
    bool GetModified() const { return isModified(); }
    // With ShowModified the font takes ModifiedColor, or its own colour again.
    void SetModified(bool value);

    bool GetAutoTab() const { return autoTab; }
    void SetAutoTab(bool value) { autoTab = value; }
    bool GetReturnIsTab() const { return returnIsTab; }
    void SetReturnIsTab(bool value) { returnIsTab = value; }
    bool GetAutoFocus() const { return autoFocus; }
    void SetAutoFocus(bool value) { autoFocus = value; }
    bool GetCanUndo() const { return canUndo; }
    void SetCanUndo(bool value) { canUndo = value; }
    TAlignment GetAlignment() const { return alignment; }
    void SetAlignment(TAlignment value);
    bool GetSelectFirstChar() const { return selectFirstChar; }
    void SetSelectFirstChar(bool value) { selectFirstChar = value; }

    TColor GetColor() const { return TCustomEdit::GetColor(); }
    // Sets the colour and makes it the one the edit returns to.
    void SetColorEx(TColor value);
    // A colour set from code is also the one the edit returns to when the focus leaves.
    void SetFontColor(TColor value) override;
    bool GetEnabledEx() const { return isEnabled(); }
    void SetEnabledEx(bool value);
    bool GetVisible() const { return !isHidden(); }
    void SetVisible(bool value) { setVisible(value); }
    TColor GetFocusColor() const { return focusColor; }
    // Applied on every focus entry; clNone paints as its low three bytes.
    void SetFocusColor(TColor value) { focusColor = value; }
    TColor GetFocusFontColor() const { return focusFontColor; }
    void SetFocusFontColor(TColor value) { focusFontColor = value; }
    bool GetFocusBorder() const { return focusBorder; }
    void SetFocusBorder(bool value);
    TColor GetFocusBorderColor() const { return focusBorderColor; }
    void SetFocusBorderColor(TColor value);
    bool GetShowModified() const { return showModified; }
    void SetShowModified(bool value) { showModified = value; }
    TColor GetModifiedColor() const { return modifiedColor; }
    void SetModifiedColor(TColor value) { modifiedColor = value; }
    TColor GetDisabledColor() const { return disabledColor; }
    void SetDisabledColor(TColor value);
    bool GetDisabledBorder() const { return disabledBorder; }
    void SetDisabledBorder(bool value);
    bool GetFlat() const { return flat; }
    void SetFlat(bool value);
    TColor GetFlatLineColor() const { return flatLineColor; }
    void SetFlatLineColor(TColor value);
    bool GetFlatParentColor() const { return flatParentColor; }
    void SetFlatParentColor(bool value) { flatParentColor = value; }
    bool GetSoftBorder() const { return softBorder; }
    void SetSoftBorder(bool value);
    bool GetBorder3D() const { return border3D; }
    // Only stored: the sunken edge shows from the next painting on.
    void SetBorder3D(bool value) { border3D = value; }

    // The attached label, made with the edit's font; it takes LabelFont only while the edit has a font of its own.
    TLabel* GetLabel() const { return label.Label(); }
    QString GetLabelCaption() const { return label.GetCaption(); }
    void SetLabelCaption(const QString& value) { label.SetCaption(value); }
    TLabelPosition GetLabelPosition() const { return label.GetPosition(); }
    void SetLabelPosition(TLabelPosition value) { label.SetPosition(value); }
    int GetLabelMargin() const { return label.GetMargin(); }
    void SetLabelMargin(int value) { label.SetMargin(value); }
    bool GetLabelTransparent() const { return label.GetTransparent(); }
    void SetLabelTransparent(bool value) { label.SetTransparent(value); }
    bool GetLabelAlwaysEnabled() const { return labelAlwaysEnabled; }
    void SetLabelAlwaysEnabled(bool value);
    TFont GetLabelFont() const { return labelFont; }
    // Copied into the label at once, without placing it again.
    void SetLabelFont(const TFont& value);

    quint32 GetVersionNr() const { return 0x0208010E; }
    QString GetVersion() const { return VersionNrText(GetVersionNr()); }
    void SetVersion(const QString&) {}

    // The mask has been filled; accept set to false keeps the focus here.
    std::function<void(TAdvMaskEdit* sender, const QString& value, bool& accept)> OnMaskComplete;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    class PositionValidator;

    bool masked() const { return !mask.inputMask.isEmpty(); }
    bool maskComplete() const;
    void setFlatRect(bool flatRect);
    bool is3DBorderButton() const;
    void drawBorder(TCanvas& canvas);
    void paintEdit(TCanvas& canvas);
    void labelFollowsEnabled();

    QString editMask;
    TranslatedEditMask mask;
    PositionValidator* validator;
    bool autoTab = true;
    bool returnIsTab = true;
    bool autoFocus = false;
    bool canUndo = false;
    TAlignment alignment = taLeftJustify;
    bool selectFirstChar = false;
    TColor focusColor = clWindow;
    TColor focusFontColor = clBlack;
    bool focusBorder = false;
    TColor focusBorderColor = clNone;
    bool showModified = false;
    TColor modifiedColor = clRed;
    TColor disabledColor = clSilver;
    bool disabledBorder = true;
    bool flat = false;
    TColor flatLineColor = clBlack;
    bool flatParentColor = true;
    bool softBorder = false;
    bool border3D = false;

    AttachedLabel label;
    TFont labelFont;
    bool labelAlwaysEnabled = false;

    // The colour the edit shows when neither focused nor disabled, and the font colour it returns to.
    TColor normalColor = clWindow;
    TColor savedFontColor = clWindowText;
    TBorderStyle savedBorderStyle = bsSingle;
    QString textAtFocus;
    bool hot = false;
    bool wasEnabled = true;
};
