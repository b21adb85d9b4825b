// The program's single-line edit: a typed value between a fixed prefix and suffix, its keyboard filter by edit type,
// number formatting with the locale's separators, Return-as-Tab and Esc-undo, validation with an error look, focus
// colours, a flat look, a grey placeholder, a link look, an attached caption label, an auto-complete list with
// history, persistence of the text in an INI file, clipboard vetoes and text drag and drop.
//
// The value is the window text without Prefix and Suffix; GetText and SetText read and write it. OnChange follows
// every change of the text, by code or by the user. Pasted and dropped text takes the same route as typed text: its
// first line only, through OnClipboardPaste and the filter of the edit type, whichever way it arrives.
#pragma once

#include "AttachedLabel.h"
#include "Ole.h"
#include "StdCtrls.h"

#include <QFrame>
#include <QSet>
#include <memory>

class QListWidget;
class QListWidgetItem;
class TAdvEdit;

enum TAdvEditType {
    etString,
    etNumeric,
    etFloat,
    etUppercase,
    etMixedCase,
    etLowerCase,
    etPassword,
    etMoney,
    etRange,
    etHex,
    etAlphaNumeric,
    etValidChars,
};

enum TEditAlign { eaLeft, eaRight, eaCenter, eaDefault };
enum TPrecisionDisplay { pdNormal, pdShortest };
enum TPersistenceLocation { plInifile, plRegistry };
enum class TextKind { Integer, Decimal, Text, Hexadecimal };

// What a text looks like as a number: integer, decimal (with the locale's separators), hexadecimal or plain text.
TextKind ClassifyText(const QString& text);
// Removes every thousand separator of the locale.
QString StripThousandSeparators(const QString& text);
// Hexadecimal digits summed from the last character; any other character counts as 0; wraps in 32 bits.
int HexToInt(const QString& text);
// Capitals after word separators, and for "Mc", "Mac", " II" and " III" as names spell them.
QString MixedCase(const QString& text);

// The auto-complete list of an edit.
class TLookupSettings
{
public:
    bool GetEnabled() const { return enabled; }
    void SetEnabled(bool value) { enabled = value; }
    TStringList& GetDisplayList() { return displayList; }
    const TStringList& GetDisplayList() const { return displayList; }
    void SetDisplayList(const TStringList& value) { displayList = value; }
    TStringList& GetValueList() { return valueList; }
    const TStringList& GetValueList() const { return valueList; }
    void SetValueList(const TStringList& value) { valueList = value; }
    // Typed characters needed before the list appears; values of 0 and below are ignored.
    int GetNumChars() const { return numChars; }
    void SetNumChars(int value);
    int GetDisplayCount() const { return displayCount; }
    void SetDisplayCount(int value) { displayCount = value; }
    TColor GetColor() const { return color; }
    void SetColor(TColor value) { color = value; }
    bool GetCaseSensitive() const { return caseSensitive; }
    void SetCaseSensitive(bool value) { caseSensitive = value; }
    bool GetHistory() const { return history; }
    void SetHistory(bool value) { history = value; }
    bool GetMulti() const { return multi; }
    void SetMulti(bool value) { multi = value; }
    QChar GetSeparator() const { return separator; }
    void SetSeparator(QChar value) { separator = value; }

    void Assign(const TLookupSettings& source) { *this = source; }

private:
    bool enabled = false;
    TStringList displayList;
    TStringList valueList;
    int numChars = 2;
    int displayCount = 4;
    TColor color = clWindow;
    bool caseSensitive = false;
    bool history = false;
    bool multi = false;
    QChar separator = u';';
};

// Where an edit keeps its text between runs: an INI file in the user's configuration folder.
class TPersistence
{
public:
    bool GetEnable() const { return enable; }
    void SetEnable(bool value) { enable = value; }
    // The INI file: empty for the program's own (named like the program); a relative name lies in the user's
    // configuration folder.
    QString GetKey() const { return key; }
    void SetKey(const QString& value) { key = value; }
    // Empty for the edit's object name.
    QString GetSection() const { return section; }
    void SetSection(const QString& value) { section = value; }
    // There is no registry: plRegistry keeps the same entries in an INI file named after the key.
    TPersistenceLocation GetLocation() const { return location; }
    void SetLocation(TPersistenceLocation value) { location = value; }

private:
    bool enable = false;
    QString key;
    QString section;
    TPersistenceLocation location = plInifile;
};

// Whole numbers, each once, written as numbers and ranges such as 1-5,7;9.
class TRangeList
{
public:
    int Count() const { return int(items.size()); }
    void Clear();
    void Sort();
    int GetInteger(int index) const { return items.at(index); }
    void SetInteger(int index, int value);
    int operator[](int index) const { return items.at(index); }
    // Appends n unless it is listed; do not rely on the result (a new index, or the index + 1 of a listed number).
    int Add(int n);
    int AddMultiple(int first, int count);
    void Delete(int index);
    bool InList(int n) const { return members.contains(n); }
    // Writes the numbers to the debugging output.
    void Show() const;
    // Clears the list and fills it from the text; false when a part did not convert or a range spans more numbers
    // than any list of pages or persons needs (such a range adds nothing).
    bool StrToList(const QString& text);

    // The widest range StrToList takes.
    static constexpr int MaxRangeSpan = 100000;

private:
    QVector<int> items;
    // The same numbers, for finding them at once.
    QSet<int> members;
};

// The auto-complete pop-up: a borderless list under the caret. It never takes the keyboard: the edit steers it.
class TListHintWindow : public QFrame
{
    Q_OBJECT
public:
    explicit TListHintWindow(QWidget* owner);
    QListWidget* GetListControl() const { return list; }

private:
    QListWidget* list;
};

class TAdvEdit : public TCustomEdit
{
    Q_OBJECT
public:
    explicit TAdvEdit(QWidget* parent = nullptr);
    ~TAdvEdit() override;

    // Load-time set-up, once the window has set the edit's properties: takes the colours to return to, applies
    // the flat look, places the label and loads the persisted text.
    virtual void Loaded();
    void Init();

    // The value: the window text without the prefix (when it begins with it) and the suffix (when it ends with it).
    QString GetText() const;
    // Formats the value by edit type and shows Prefix + value + Suffix; clears Modified.
    void SetText(const QString& value);
    // Writes the window text exactly as given.
    void SetTextDirect(const QString& text) { setText(text); }
    double GetFloat() const;
    void SetFloat(double value);
    int GetInt() const;
    void SetInt(int value);
    bool GetModified() const { return modified; }
    void SetModified(bool value);
    bool GetError() const { return error; }
    void SetError(bool value);
    // Selects the value, never the prefix or suffix; with ShowURL only the part after "://" or "mailto:".
    void SelectAll();
    void SelectBeforeDecimal();
    void SelectAfterDecimal();
    // A number in the locale's form, thousand separators allowed; 0 for a text that does not convert.
    static double EStrToFloat(const QString& text);
    int DecimalPos() const;
    int FixedLength(const QString& text) const;
    bool AllowMin(QChar ch) const;
    void AutoSeparators();

    TAdvEditType GetEditType() const { return editType; }
    void SetEditType(TAdvEditType value);
    TEditAlign GetEditAlign() const { return editAlign; }
    void SetEditAlign(TEditAlign value);
    TEditAlign GetFocusAlign() const { return focusAlign; }
    void SetFocusAlign(TEditAlign value) { focusAlign = value; }
    QString GetPrefix() const { return prefix; }
    void SetPrefix(const QString& value);
    QString GetSuffix() const { return suffix; }
    void SetSuffix(const QString& value);
    int GetPrecision() const { return precision; }
    void SetPrecision(int value);
    TPrecisionDisplay GetPrecisionDisplay() const { return precisionDisplay; }
    void SetPrecisionDisplay(TPrecisionDisplay value);
    bool GetSigned() const { return isSigned; }
    void SetSigned(bool value) { isSigned = value; }
    int GetLengthLimit() const { return lengthLimit; }
    void SetLengthLimit(int value) { lengthLimit = qint16(value); }
    bool GetTabOnFullLength() const { return tabOnFullLength; }
    void SetTabOnFullLength(bool value) { tabOnFullLength = value; }
    bool GetReturnIsTab() const { return returnIsTab; }
    void SetReturnIsTab(bool value) { returnIsTab = value; }
    bool GetAutoFocus() const { return autoFocus; }
    void SetAutoFocus(bool value) { autoFocus = value; }
    bool GetCanUndo() const { return canUndo; }
    void SetCanUndo(bool value);
    bool GetExcelStyleDecimalSeparator() const { return excelStyleDecimalSeparator; }
    void SetExcelStyleDecimalSeparator(bool value) { excelStyleDecimalSeparator = value; }
    bool GetAllowNumericNullValue() const { return allowNumericNullValue; }
    void SetAllowNumericNullValue(bool value) { allowNumericNullValue = value; }
    bool GetAutoThousandSeparator() const { return autoThousandSeparator; }
    void SetAutoThousandSeparator(bool value);
    QString GetValidChars() const { return validChars; }
    void SetValidChars(const QString& value) { validChars = value; }
    // Where Return and Esc go: on to the window (True), or posted to the parent (the input-query dialog).
    bool DialogKeyHandling = true;
    // The next Return or Esc is left to the window without the edit's own handling.
    bool SkipNextSpecialKey = false;

    // The look by state.
    TColor GetColor() const { return TCustomEdit::GetColor(); }
    // Sets the colour and makes it the one the edit returns to.
    void SetColorEx(TColor value);
    // A colour set while the edit has the focus is also the one it returns to when the focus leaves.
    void SetFontColor(TColor value) override;
    bool GetEnabledEx() const { return isEnabled(); }
    void SetEnabledEx(bool value) { setEnabled(value); }
    bool GetVisible() const { return !isHidden(); }
    void SetVisible(bool value) { setVisible(value); }
    bool GetShowError() const { return showError; }
    void SetShowError(bool value) { showError = value; }
    TColor GetErrorColor() const { return errorColor; }
    void SetErrorColor(TColor value) { errorColor = value; }
    TColor GetErrorFontColor() const { return errorFontColor; }
    void SetErrorFontColor(TColor value) { errorFontColor = value; }
    int GetErrorMarkerPos() const { return errorMarkerPos; }
    void SetErrorMarkerPos(int value);
    int GetErrorMarkerLen() const { return errorMarkerLen; }
    void SetErrorMarkerLen(int value);
    bool GetShowModified() const { return showModified; }
    void SetShowModified(bool value) { showModified = value; }
    TColor GetModifiedColor() const { return modifiedColor; }
    void SetModifiedColor(TColor value) { modifiedColor = value; }
    TColor GetFocusColor() const { return focusColor; }
    void SetFocusColor(TColor value) { focusColor = value; }
    TColor GetFocusFontColor() const { return focusFontColor; }
    void SetFocusFontColor(TColor value) { focusFontColor = value; }
    bool GetFocusBorder() const { return focusBorder; }
    void SetFocusBorder(bool value);
    TColor GetFocusBorderColor() const { return focusBorderColor; }
    void SetFocusBorderColor(TColor value);
    int GetFocusWidthInc() const { return focusWidthInc; }
    void SetFocusWidthInc(int value) { focusWidthInc = value; }
    TColor GetDisabledColor() const { return disabledColor; }
    void SetDisabledColor(TColor value);
    bool GetDisabledBorder() const { return disabledBorder; }
    void SetDisabledBorder(bool value);
    bool GetFlat() const { return flat; }
    void SetFlat(bool value);
    TColor GetFlatLineColor() const { return flatLineColor; }
    void SetFlatLineColor(TColor value);
    bool GetFlatParentColor() const { return flatParentColor; }
    void SetFlatParentColor(bool value);
    bool GetSoftBorder() const { return softBorder; }
    void SetSoftBorder(bool value);
    bool GetTransparent() const { return transparent; }
    void SetTransparent(bool value);
    bool GetBorder3D() const { return border3D; }
    void SetBorder3D(bool value);
    QString GetEmptyText() const { return emptyText; }
    // The grey placeholder shown while the edit is empty and has not the focus.
    void SetEmptyText(const QString& value);
    bool GetShowURL() const { return showURL; }
    void SetShowURL(bool value) { showURL = value; }
    TColor GetURLColor() const { return urlColor; }
    void SetURLColor(TColor value) { urlColor = value; }
    bool GetHintShowLargeText() const { return hintShowLargeText; }
    void SetHintShowLargeText(bool value) { hintShowLargeText = value; }

    // The attached label.
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
    // Ignored while the edit uses its parent's font.
    void SetLabelFont(const TFont& value);
    bool GetFocusLabel() const { return focusLabel; }
    void SetFocusLabel(bool value) { focusLabel = value; }
    void UpdateLabel() { label.Update(); }

    TLookupSettings& GetLookup() { return lookup; }
    void SetLookup(const TLookupSettings& value) { lookup.Assign(value); }
    TPersistence& GetPersistence() { return persistence; }
    TListHintWindow* GetLookupWindow() const { return lookupWindow; }
    void UpdateLookup();
    void DoneLookup();

    bool GetOleDropSource() const { return oleDropSource; }
    void SetOleDropSource(bool value) { oleDropSource = value; }
    bool GetOleDropTarget() const { return oleDropTarget; }
    void SetOleDropTarget(bool value);

    // The clipboard, through the vetoes and, for pasting, the filter of the edit type.
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();

    // Sorts the list and shows it as ranges ("1-3,7,9"); an empty list shows as an empty text.
    void ListToRangeStr(TRangeList& list);
    bool RangeStrToList(TRangeList& list) const { return list.StrToList(GetText()); }

    // The character index under a point of the edit, and the position of a character (its left edge, the top of the
    // text).
    int CharFromPos(const QPoint& point);
    QPoint PosFromChar(int index) const;
    int GetTextSize() const;

    virtual quint32 GetVersionNr() const { return 0x0208010E; }
    QString GetVersion() const;

    // Validation: the verdict of ValidateEvent; true while already validating.
    virtual bool DoValidate(const QString& value);
    virtual void ValidateEvent(const QString& value, bool& isValid);
    // Whether the value is shown as a link.
    virtual bool TestURL() const;
    virtual void LoadPersist();
    virtual void SavePersist();

    std::function<void(TAdvEdit* sender, const QString& value, bool& isValid)> OnValueValidate;
    std::function<void(TAdvEdit* sender, const QString& value, bool& allow)> OnClipboardCopy;
    std::function<void(TAdvEdit* sender, const QString& value, bool& allow)> OnClipboardCut;
    std::function<void(TAdvEdit* sender, const QString& value, bool& allow)> OnClipboardPaste;
    std::function<void(TAdvEdit* sender)> OnMouseEnter;
    std::function<void(TAdvEdit* sender)> OnMouseLeave;
    std::function<void(TAdvEdit* sender, QString& value)> OnLookupSelect;
    std::function<void(TAdvEdit* sender, int index, QString& value)> OnLookupIndexSelect;
    std::function<void(TAdvEdit* sender)> OnLabelClick;
    std::function<void(TAdvEdit* sender)> OnLabelDblClick;
    std::function<void(TAdvEdit* sender, const QString& url, bool& show)> OnURLClick;

protected:
    void Change() override;
    // Whether typing, pasting, cutting and dropping may change the text (the edit with a button can forbid it).
    virtual bool AcceptsTyping() const { return true; }
    // Text kept free right of the value (a button inside the edit) and left of it.
    void SetTextInsets(int left, int right);
    // Whether the border is drawn sunken: under the mouse or while active with FocusBorder, or always with Border3D.
    bool Is3DBorderButton() const;
    void SetFlatRect(bool flat);

    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    class EditDropTarget;
    friend class EditDropTarget;

    // Outcome of the typed-character filter: the character goes on into the text (Pass), is dropped or was typed
    // by the filter itself with the checks after typing still to run (Tail), is refused (Refuse), or was fully
    // handled (Stop).
    enum class Typed { Pass, Tail, Refuse, Stop };

    int valueEnd() const { return int(prefix.size() + GetText().size()); }
    bool editable() const { return AcceptsTyping() && !isReadOnly(); }
    QString valueOf(const QString& windowText) const;
    void showValue(const QString& value);
    void rewriteValue(const QString& value, int caret);
    QString formatValue(QString value) const;
    void setFontColorShown(TColor color);
    void setColorShown(TColor color);

    // Keyboard (AdvEditKeys.cpp).
    bool handleKeyDown(QKeyEvent* event);
    void handleReturn(QKeyEvent* event);
    void handleEscape(QKeyEvent* event);
    bool handleBackspace(QKeyEvent* event);
    void typeCharacter(QChar ch, bool keypad);
    Typed filterCharacter(QChar& ch);
    Typed filterFloat(QChar& ch);
    Typed filterMoney(QChar& ch);
    Typed startDecimalOrTurnSign(QChar ch, QChar decimal);
    Typed filterRange(QChar ch);
    bool separatorPlacementRefuses() const;
    bool fullDecimalsRefuse(QChar ch);
    void toggleSign();
    void afterTyping();
    void passCharacter(QChar ch);

    // Painting and the focus look (AdvEditPaint.cpp).
    void enterFocusLook();
    void leaveFocusLook();
    void applyURL(bool on);
    void followLink();
    void paintEdit(TCanvas& canvas);
    void drawErrorLines(TCanvas& canvas, int pos, int len);
    void drawControlBorder(TCanvas& canvas);
    void keepCaretOutOfAffixes();

    // Lookup (AdvEditLookup.cpp).
    bool lookupVisible() const;
    void hideLookup();
    void moveLookupSelection(int row);
    void addToHistory();

    // Clipboard and drag and drop (AdvEditClipboard.cpp).
    enum class Insertion { Vetoed, Refused, Written };
    Insertion insertFiltered(const QString& baseValue, int position, int replaced, QString text, bool selectInserted);
    bool writeFiltered(const QString& candidate, const QString& inserted);
    void afterPaste();
    bool dropText(const QPoint& point, const QString& text, bool copy);
    void startDragOut();
    void setDropCaret(const QPoint& point);
    void eraseDropCaret();

    // Persistence (AdvEditPersist.cpp).
    QString persistenceFile() const;
    QString persistenceSection() const;

    TAdvEditType editType = etString;
    TEditAlign editAlign = eaLeft;
    TEditAlign focusAlign = eaDefault;
    TEditAlign savedAlign = eaLeft;
    QString prefix;
    QString suffix;
    qint16 precision = 0;
    TPrecisionDisplay precisionDisplay = pdNormal;
    bool isSigned = false;
    qint16 lengthLimit = 0;
    bool tabOnFullLength = false;
    bool returnIsTab = false;
    bool autoFocus = false;
    bool canUndo = true;
    bool excelStyleDecimalSeparator = false;
    bool allowNumericNullValue = false;
    bool autoThousandSeparator = true;
    QString validChars;

    bool showError = false;
    TColor errorColor = 0x0000FF;
    TColor errorFontColor = 0xFFFFFF;
    int errorMarkerPos = 0;
    int errorMarkerLen = 0;
    bool showModified = false;
    TColor modifiedColor = clHighlight;
    TColor focusColor = clNone;
    TColor focusFontColor = clWindowText;
    bool focusBorder = false;
    TColor focusBorderColor = clNone;
    int focusWidthInc = 0;
    TColor disabledColor = clSilver;
    bool disabledBorder = true;
    bool flat = false;
    TColor flatLineColor = clBlack;
    bool flatParentColor = true;
    bool softBorder = false;
    bool transparent = false;
    bool border3D = false;
    QString emptyText;
    bool showURL = false;
    TColor urlColor = 0xFF0000;
    bool hintShowLargeText = false;

    AttachedLabel label;
    TFont labelFont;
    bool labelAlwaysEnabled = false;
    bool focusLabel = false;
    bool parentFontFlag = false;

    TLookupSettings lookup;
    TPersistence persistence;
    TListHintWindow* lookupWindow = nullptr;

    // The colour the edit shows when neither focused, disabled nor in error, and the font colour it returns to.
    TColor normalColor = clWindow;
    TColor savedFontColor = clWindowText;
    TBorderStyle savedBorderStyle = bsSingle;
    QString valueAtFocus;
    bool modified = false;
    bool error = false;
    bool hot = false;
    bool urlLook = false;
    bool validating = false;
    bool alignChanging = false;
    bool wasEnabled = true;
    // While set, the change of the text is the edit's own reformatting and raises no OnChange.
    bool reformatting = false;
    int leftInset = 0;
    int rightInset = 0;

    bool oleDropSource = false;
    bool oleDropTarget = false;
    std::unique_ptr<TAEDropTarget> dropTarget;
    bool dragPending = false;
    QPoint dragStart;
    bool draggingOut = false;
    bool droppedOnSelf = false;
    QPoint dropCaret{-1, -1};
};

// The parameters of AdvInputQuery; a null pointer keeps the edit's defaults.
struct TQueryParams
{
    int precision = 0;
    bool flat = false;
    int lengthLimit = 0;
    QString prefix;
    QString suffix;
};

// Asks for one value in a typed edit; true and the value when the user confirmed with OK, false with the value
// unchanged otherwise.
bool AdvInputQuery(TAdvEditType editType, const TQueryParams* params, const QString& caption, const QString& prompt,
                   QString& value);
