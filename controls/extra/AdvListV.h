// The list view that draws its own cells. What a cell shows follows from its text:
// - rich text: the text begins with "{\" (RTF source);
// - a percentage bar: the text begins with "{|" and the number after it ("{|57" is a bar at 57 %);
// - markup: the text holds "</" anywhere, and is drawn by the markup engine;
// - plain text otherwise, shown as a link when it holds "://" or "mailto:" and URLShow is on.
// Under each row an optional detail line shows one column's text; check boxes are flat frames or glyphs; every
// cell may have an image from SmallImages; a wallpaper shows behind the rows that are not selected.
//
// Cells are named two ways: a column index counts from 0 for the caption's column (GetTextAtColRow and the
// other cell operations), a sub-item index is that minus 1, so -1 names the caption (the drawing events and the
// cell images). Indexes outside the rows or columns read empty text, -1 or 0 and change nothing.
#pragma once

#include "AdvListVSettings.h"
#include "AdvRichEdit.h"
#include "Graphics.h"
#include "ListView.h"
#include "PictureContainer.h"

#include <QCache>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

class ListViewHeader;
class QIODevice;

// A list file that cannot be written or read.
class EAdvListViewError : public Exception
{
public:
    using Exception::Exception;
};

enum TVAlignment { vtaCenter, vtaTop, vtaBottom };
enum TSortDirection { sdAscending, sdDescending };
enum TSortIndicator { siLeft, siRight };
enum TSortStyle {
    ssAutomatic,
    ssAlphabetic,
    ssNumeric,
    ssDate,
    ssAlphaNoCase,
    ssAlphaCase,
    ssShortDateEU,
    ssShortDateUS,
    ssCustom,
    ssFinancial,
    ssRaw
};
enum TLVExtendedStyle {
    lvxGridLines,
    lvxSubItemImages,
    lvxCheckboxes,
    lvxTrackSelect,
    lvxHeaderDragDrop,
    lvxFullRowSelect,
    lvxOneClickActivate,
    lvxTwoClickActivate
};
// A set of TLVExtendedStyle: bit 1 << style for each member.
using TLVExtendedStyles = unsigned;

// What a cell's text makes it.
enum class TCellKind { RichText, Progress, Markup, Plain };
TCellKind CellKindOf(const QString& text);
// A web or mail address as the list sees one: the text holds "://" or "mailto:".
bool IsLinkText(const QString& text);
// The percentage of a bar cell: the integer after "{|"; 0 when the cell holds no "{|" or no integer follows it.
int ProgressValue(const QString& text);

using TDrawItemEvent =
    std::function<void(QObject* Sender, TCanvas& aCanvas, int itemindex, const TRect& Rect, TOwnerDrawState State)>;
using TDrawItemPropEvent = std::function<void(QObject* Sender, int ItemIndex, int SubitemIndex, TOwnerDrawState AState,
                                              TBrush& ABrush, TFont& AFont, const QString& ItemText)>;
using TDrawDetailPropEvent = std::function<void(QObject* Sender, int ItemIndex, TOwnerDrawState AState, TBrush& ABrush,
                                                TFont& AFont, const QString& ItemText)>;
using TClickCellEvent = std::function<void(QObject* Sender, int iItem, int iSubItem)>;
// Sorting: ACol and Col are sub-item indexes (-1 for the caption's column).
using TGetFormatEvent =
    std::function<void(QObject* Sender, int ACol, TSortStyle& AStyle, QString& aPrefix, QString& aSuffix)>;
using TCustomCompareEvent =
    std::function<void(QObject* Sender, int ACol, const QString& str1, const QString& str2, int& res)>;
using TRawCompareEvent = std::function<void(QObject* Sender, int Col, int Row1, int Row2, int& res)>;
using TSortStartEvent = std::function<void(QObject* Sender, int Column, bool& Enable)>;
using TColumnEvent = std::function<void(QObject* Sender, int Column)>;
using TColumnTrackEvent = std::function<void(QObject* Sender, int Column, bool& Allow)>;
using TAnchorEvent = std::function<void(QObject* Sender, const QString& Anchor)>;
using TURLClickEvent = std::function<void(QObject* Sender, int iItem, const QString& URL, bool& Handled)>;
using TCheckboxClickEvent = std::function<void(QObject* Sender, int iItem, bool State)>;
using TCanEditCellEvent = std::function<void(QObject* Sender, int iItem, int iSubItem, bool& Allow)>;
using TRearrangeEvent = std::function<void(QObject* Sender, int SwapFrom, int SwapTo)>;
// Printing: a page begins (pagenr 0 before the first); a row may start a new page; a column's printed width may
// change; the scale that fits the columns to the paper may change or be refused (fpCustom).
using TPrintPageEvent = std::function<void(QObject* Sender, TCanvas& Canvas, int pagenr, int pagexsize, int pageysize)>;
using TPrintNewPageEvent = std::function<void(QObject* Sender, int ARow, bool& NewPage)>;
using TPrintColumnWidthEvent = std::function<void(QObject* Sender, int ACol, int& width)>;
using TFitToPageEvent = std::function<void(QObject* Sender, double& ScaleFactor, bool& Allow)>;

// Header item formats: how the header shows a column's item.
constexpr unsigned HDF_LEFT = 0;
constexpr unsigned HDF_RIGHT = 1;
constexpr unsigned HDF_CENTER = 2;
constexpr unsigned HDF_JUSTIFYMASK = 3;
constexpr unsigned HDF_IMAGE = 0x0800;
constexpr unsigned HDF_BITMAP_ON_RIGHT = 0x1000;
constexpr unsigned HDF_BITMAP = 0x2000;
constexpr unsigned HDF_STRING = 0x4000;
constexpr unsigned HDF_OWNERDRAW = 0x8000;

class TAdvListView : public TListView
{
    Q_OBJECT
public:
    explicit TAdvListView(QWidget* Owner = nullptr);
    ~TAdvListView() override;

    // After the window is built: the report view, the wallpaper, and the cursor links give back.
    virtual void Loaded();

    // Cells by column index and row; a row below 0 names the column's caption.
    QString GetTextAtColRow(int ACol, int ARow) const;
    // Adds empty sub-items up to the column when the row has fewer.
    void SetTextAtColRow(int ACol, int ARow, const QString& Value);
    void SetProgress(int ItemIndex, int ColIndex, int Value);
    int GetProgress(int ItemIndex, int ColIndex) const;
    // The image of a cell by sub-item index (-1 is the row's own image). Reading answers -1 while SubImages is off.
    void SetSubItemImage(int ItemIndex, int SubItemIndex, int ImageIndex);
    int GetSubItemImage(int ItemIndex, int SubItemIndex) const;
    // Indent steps of 16 pixels; the caption's cell (0) is the one drawn indented.
    void SetItemIndent(int ItemIndex, int SubItemIndex, int Indent);
    int GetItemIndent(int ItemIndex, int SubItemIndex) const;
    // RowCount rows of ColCount empty sub-items without images, in at least ColCount columns with empty captions.
    void ClearInit(int RowCount, int ColCount);
    // Removes the rows and the columns.
    virtual void Clear();

    // Where the text of a cell (row, column index) is drawn; empty outside the rows and columns.
    TRect GetItemRect(int Item, int SubItem) const;
    // The row and column index under a point; false when no row is there.
    bool GetIndexAtPoint(int X, int Y, int& iItem, int& iSubItem) const;
    QString GetTextAtPoint(int X, int Y) const;
    // Nested; the list and its header repaint only when the last EndUpdate comes.
    void BeginUpdate();
    void EndUpdate();
    int GetVisibleItems() const { return VisibleRowCount(); }
    TLVExtendedStyles GetExtendedStyles() const;
    // Replaces every extended style.
    void SetExtendedStyles(TLVExtendedStyles Value);
    void SetExtendedViewStyle(unsigned Style, bool Enable);

    // Rich-text cells. The rich edit is made on first use; the cell is named by sub-item index.
    TAdvRichEdit* GetRichEdit();
    // An empty cell empties the rich edit.
    void ItemToRich(int ItemIndex, int SubItemIndex, TAdvRichEdit& RichEdit);
    // Writes the rich edit into the cell, adding empty cells before it as SetTextAtColRow does.
    void RichToItem(int ItemIndex, int SubItemIndex, const TAdvRichEdit& RichEdit);
    // Draws the cell's rich text into the rectangle, in the selection's text colour for a selected row painted
    // on the list itself (unless SelectionRTFKeep).
    void RTFPaint(int ItemIndex, int SubItemIndex, TCanvas& Canvas, const TRect& Rect);

    // The rows as a table on the installed printer (EPrinter when there is none), laid out by PrintSettings in tenths
    // of a millimetre: columns fitted to the paper as FitToPage says, bands of the columns that fit a page, caption
    // rows, grid lines, and the header and footer lines.
    void Print();
    // The first page of that table in a rectangle of the painter's device.
    void Preview(QPainter& Painter, const TRect& Rect);
    // The printed width and left offset of a column in the last print run; 0 outside the columns.
    int GetPrintColWidth(int Column) const;
    int GetPrintColOffset(int Column) const;

    // Files (AdvListVFiles.cpp). Every item and every column in collection order; with KeepMarkup false a text
    // is written as the plain text of its markup. Failures raise EAdvListViewError; files are replaced whole.
    // XML in UTF-8: a record per item, a field per column named by FieldTags or FIELDn.
    void SaveToXML(const QString& FileName, const QString& ListTag, const QString& RecordTag,
                   const QStringList& FieldTags, bool KeepMarkup);
    // The list's own cell file: counts, widths, the captions with SaveHeader, then one line per non-empty cell;
    // Windows-1250 or, with Unicode, UTF-16LE with its byte-order mark.
    void SaveToFile(const QString& FileName, bool KeepMarkup, bool Unicode);
    // Reads LoadHeader's row 0 as the captions; the list is untouched when the file is corrupt.
    void LoadFromFile(const QString& FileName);
    // The cell lines of the captions and items in UTF-16LE, without widths and images.
    void SaveToStream(QIODevice& Stream, bool KeepMarkup);
    // An empty stream or one with a count of 0 changes nothing.
    void LoadFromStream(QIODevice& Stream);
    // Fields separated by Delimiter (a comma while it is 0), quoted where they hold it, a quote or a line break.
    void SaveToCSV(const QString& FileName, bool KeepMarkup, bool Unicode);
    // Appends the records as items; with LoadHeader and not Insert the list is cleared and the first record
    // names the columns. While Delimiter is 0 it is guessed from the first two lines.
    void InputFromCSV(const QString& FileName, bool Insert);
    void LoadFromCSV(const QString& FileName) { InputFromCSV(FileName, false); }
    void InsertFromCSV(const QString& FileName) { InputFromCSV(FileName, true); }
    // A table in Windows-1250 laid out by HTMLSettings, each cell coloured as OnDrawItemProp says; no file for a
    // list without columns or items.
    void SaveToHTML(const QString& FileName, bool KeepMarkup);
    // Fixed columns as wide as their longest text; the further lines of a cell go on continuation lines.
    void SaveToAscii(const QString& FileName, bool KeepMarkup);
    // Office files (AdvListVOffice.cpp), open formats any current spreadsheet and word processor reads, written
    // under FileName whatever its extension; nothing is written for a list without columns or items.
    // The first sheet of an .xlsx workbook, every cell from A1 to the last used one, replaces the columns and
    // items; with LoadHeader row 1 names the columns. A workbook it cannot read, the old binary format among
    // them, raises the corrupt-file text.
    void LoadFromXLS(const QString& FileName);
    // An .xlsx workbook of one sheet whose cells from A1 hold the texts, as texts.
    void SaveToXLS(const QString& FileName, bool KeepMarkup);
    // A .docx document with one table of items by columns, aligned as the columns are.
    void SaveToDOC(const QString& FileName, bool KeepMarkup);
    // The CSV field separator; 0 means a comma.
    QChar Delimiter;

    // Sorting by a column index; the sorted column shows its indicator.
    int GetSortColumn() const { return sortColumn; }
    // Asks OnSortStart, sorts, tells OnSortDone; the indicator moves to the column either way.
    void SetSortColumn(int Column);
    void DoSort(int Column);
    // Sorts by the sort column in SortDirection; a stable sort, so rows that compare equal keep their order.
    void Sort();

    // The filter bar under the header's items: per column a field and a button. The list filters nothing itself.
    void ShowFilter(bool Value);
    // Puts the keyboard focus into a column's field, keeping its text.
    void EditFilter(int Column);
    // FilterType 0 gives the field's text, any other type its number in decimal.
    QString GetFilter(int Column, int FilterType) const;
    // FilterType 1 shows the number Value, any other type the text (at most 255 characters).
    void SetFilter(int Column, int FilterType, int Value, const QString& Text);
    // The pause after typing that OnFilterChange waits for; ticked by hand in tests.
    bool IsFilterTimerRunning() const;
    void FilterTimerTick();

    // Every match of the text in the visible text of a cell, of a row or of every row, wrapped in a highlight
    // ("hi") or mark ("e") tag, which makes the cell markup; and taken out again. Rich-text and bar cells hold no
    // such text and are left alone.
    void HilightInList(const QString& HiText, bool DoCase);
    void HilightInItem(int Index, const QString& HiText, bool DoCase);
    void UnHilightInList();
    void UnHilightInItem(int Index);
    void MarkInList(const QString& HiText, bool DoCase);
    void MarkInItem(int Index, const QString& HiText, bool DoCase);
    void UnMarkInList();
    void UnMarkInItem(int Index);

    // Edits the cell of a row and column index in place (its editor stands over the cell).
    void StartEdit(int Item, int SubItem);
    // The running edit's text.
    void SetEditText(const QString& Value);
    // Repaints the focused row and answers its index, 0 when no row has the focus.
    int FocusRepaint();

    // Rows: selected, focused and scrolled into view; swapped (their texts, images and data); moved to another
    // place (To -1: the end) with their check mark and selection.
    void SelectItem(int Index);
    void SwapItems(int A, int B);
    void MoveItem(int From, int To);
    // While a row is dragged to a new place, a timer scrolls the list when the mouse nears its top or bottom.
    bool IsScrollTimerRunning() const { return scrollTimer.isActive(); }
    void ScrollTimerTick();

    // The clipboard as tab-separated text, rows ending in CR LF. With SubItemSelect or SubItemEdit the current
    // cell of the selected row alone is copied or pasted into.
    void CopyToClipBoard();
    void CopySelectionToClipboard();
    // Copies the selected rows and removes them.
    void CutToClipboard();
    // Lines (ending in CR LF, LF or CR; a last one without end too) become new selected rows at the end, their
    // fields at tabs; columns are added for longer lines.
    void PasteFromClipboard();

    // The header and the columns.
    QHeaderView* HeaderHandle() const { return header(); }
    void UpdateHeaderOD(int Column);
    void UpdateAlignment(int Column);
    void SetColumnImage(int Column, int ImageIndex);
    int GetColumnImage(int Column) const;
    void SetSortImage(int Column);
    // With ColumnSize.Stretch, the last column takes the room the others leave.
    void StretchRightColumn();
    // As wide as the widest cell of the column, 10 pixels more.
    void AutoSizeColumn(int Column);
    void AutoSizeColumns();
    // The widths as "col" + index under ColumnSize's Section of the INI file that its Key names.
    void LoadColumnSizes();
    void SaveColumnSizes();
    // The column index at a display position; -1 outside the columns.
    int IndexOfColumn(int Position) const;
    void SwapColumns(int PosA, int PosB);
    // The column at FromPos goes to ToPos; those between move one place towards FromPos.
    void MoveColumn(int FromPos, int ToPos);

    virtual quint32 GetVersionNr() const { return 0x01060306; }
    virtual QString GetVersionString() const;
    QString GetVersion() const { return VersionNrText(GetVersionNr()); }
    void SetVersion(const QString&) {}

    bool GetAutoHint() const { return autoHint; }
    void SetAutoHint(bool Value) { autoHint = Value; }
    TBitmap* GetCheckTrueGlyph() { return &checkTrueGlyph; }
    void SetCheckTrueGlyph(const TBitmap* Value) { checkTrueGlyph.Assign(Value); }
    TBitmap* GetCheckFalseGlyph() { return &checkFalseGlyph; }
    void SetCheckFalseGlyph(const TBitmap* Value) { checkFalseGlyph.Assign(Value); }
    bool GetClipboardEnable() const { return clipboardEnable; }
    void SetClipboardEnable(bool Value) { clipboardEnable = Value; }
    TColumnSize& GetColumnSize() { return columnSize; }
    bool GetFilterBar() const { return filterBar; }
    void SetFilterBar(bool Value);
    // Milliseconds without typing before OnFilterChange.
    int GetFilterTimeOut() const { return filterTimeOut; }
    void SetFilterTimeOut(int Value);
    TPrintsettings& GetPrintSettings() { return printSettings; }
    bool GetHTMLHint() const { return htmlHint; }
    void SetHTMLHint(bool Value) { htmlHint = Value; }
    THTMLSettings& GetHTMLSettings() { return htmlSettings; }
    TColor GetHeaderColor() const { return headerColor; }
    void SetHeaderColor(TColor Value);
    bool GetHeaderHotTrack() const { return headerHotTrack; }
    void SetHeaderHotTrack(bool Value);
    bool GetHeaderDragDrop() const { return GetExtendedStyle() & LVS_EX_HEADERDRAGDROP; }
    void SetHeaderDragDrop(bool Value) { SetExtendedViewStyle(LVS_EX_HEADERDRAGDROP, Value); }
    // A flat header is no row of buttons: its items take no clicks.
    bool GetHeaderFlatStyle() const { return headerFlatStyle; }
    void SetHeaderFlatStyle(bool Value);
    bool GetHeaderOwnerDraw() const { return headerOwnerDraw; }
    void SetHeaderOwnerDraw(bool Value);
    // The height of a header that the list draws itself.
    int GetHeaderHeight() const { return headerHeight; }
    void SetHeaderHeight(int Value);
    TImageList* GetHeaderImages() const { return headerImages; }
    void SetHeaderImages(TImageList* Value);
    const TFont& GetHeaderFont() const { return headerFont; }
    void SetHeaderFont(const TFont& Value);
    // Milliseconds the mouse rests before a row counts as hovered; -1 is the desktop's default.
    int GetHoverTime() const { return hoverTime; }
    void SetHoverTime(int Value);
    TPictureContainer* GetPictureContainer() const { return pictureContainer; }
    void SetPictureContainer(TPictureContainer* Value);
    TProgressSettings& GetProgressSettings() { return progressSettings; }
    bool GetSelectionRTFKeep() const { return selectionRTFKeep; }
    void SetSelectionRTFKeep(bool Value) { selectionRTFKeep = Value; }
    bool GetScrollHint() const { return scrollHint; }
    void SetScrollHint(bool Value) { scrollHint = Value; }
    TColor GetSelectionColor() const { return selectionColor; }
    void SetSelectionColor(TColor Value);
    TColor GetSelectionTextColor() const { return selectionTextColor; }
    void SetSelectionTextColor(TColor Value);
    // Kept for the window layouts; it changes nothing.
    bool GetSizeWithForm() const { return sizeWithForm; }
    void SetSizeWithForm(bool Value) { sizeWithForm = Value; }
    TSortDirection GetSortDirection() const { return sortDirection; }
    // Does not sort again.
    void SetSortDirection(TSortDirection Value) { sortDirection = Value; }
    // Off: header clicks do not sort and no indicator shows.
    bool GetSortShow() const { return sortShow; }
    void SetSortShow(bool Value);
    TSortIndicator GetSortIndicator() const { return sortIndicator; }
    void SetSortIndicator(TSortIndicator Value) { sortIndicator = Value; }
    TBitmap* GetSortUpGlyph() { return &sortUpGlyph; }
    void SetSortUpGlyph(const TBitmap* Value) { sortUpGlyph.Assign(Value); }
    TBitmap* GetSortDownGlyph() { return &sortDownGlyph; }
    void SetSortDownGlyph(const TBitmap* Value) { sortDownGlyph.Assign(Value); }
    bool GetStretchColumn() const { return stretchColumn; }
    void SetStretchColumn(bool Value);
    bool GetSubImages() const { return GetExtendedStyle() & LVS_EX_SUBITEMIMAGES; }
    void SetSubImages(bool Value) { SetExtendedViewStyle(LVS_EX_SUBITEMIMAGES, Value); }
    bool GetSubItemEdit() const { return subItemEdit; }
    void SetSubItemEdit(bool Value) { subItemEdit = Value; }
    bool GetSubItemSelect() const { return subItemSelect; }
    void SetSubItemSelect(bool Value) { subItemSelect = Value; }
    TColor GetURLColor() const { return urlColor; }
    void SetURLColor(TColor Value);
    bool GetURLShow() const { return urlShow; }
    void SetURLShow(bool Value);
    bool GetURLFull() const { return urlFull; }
    void SetURLFull(bool Value);
    TVAlignment GetVAlignment() const { return vAlignment; }
    void SetVAlignment(TVAlignment Value);
    TBitmap* GetWallpaper() { return &wallpaper; }
    void SetWallpaper(const TBitmap* Value);
    bool GetWordWrap() const { return wordWrap; }
    void SetWordWrap(bool Value);
    int GetItemHeight() const { return itemHeight; }
    // Values of 0 and below are ignored.
    void SetItemHeight(int Value);
    bool GetSaveHeader() const { return saveHeader; }
    void SetSaveHeader(bool Value) { saveHeader = Value; }
    bool GetLoadHeader() const { return loadHeader; }
    void SetLoadHeader(bool Value) { loadHeader = Value; }
    bool GetReArrangeItems() const { return reArrangeItems; }
    void SetReArrangeItems(bool Value) { reArrangeItems = Value; }
    TDetails& GetDetailView() { return detailView; }

    // The current cell: its column index and row.
    int GetColumnIndex() const { return currentColumn; }
    void SetColumnIndex(int Value);
    int GetCurrentRow() const { return currentRow; }

    // At the end of drawing a row, on a canvas whose brush and font are the row's (the selection's colours for a
    // selected row).
    TDrawItemEvent OnDrawItem;
    // Before each cell is drawn: the handler may change its brush and font.
    TDrawItemPropEvent OnDrawItemProp;
    TDrawDetailPropEvent OnDrawDetailProp;
    TClickCellEvent OnLeftClickCell;
    TClickCellEvent OnRightClickCell;
    TGetFormatEvent OnGetFormat;
    TCustomCompareEvent OnCustomCompare;
    TRawCompareEvent OnRawCompare;
    TSortStartEvent OnSortStart;
    TColumnEvent OnSortDone;
    TColumnEvent OnColumnSized;
    TColumnEvent OnColumnRClick;
    // Before the user drags a column's edge; Allow false refuses it.
    TColumnTrackEvent OnStartColumnTrack;
    TColumnEvent OnEndColumnTrack;
    TAnchorEvent OnAnchorClick;
    TAnchorEvent OnAnchorEnter;
    TAnchorEvent OnAnchorExit;
    // A click on a link; Handled true keeps it from being opened.
    TURLClickEvent OnURLClick;
    TCheckboxClickEvent OnCheckboxClick;
    // Before a cell is edited with SubItemEdit; Allow false refuses it.
    TCanEditCellEvent OnCanEditCell;
    TColumnEvent OnFilterChange;
    TColumnEvent OnFilterBtnClick;
    // After a row was dragged to a new place (or clicked: then both are the same row).
    TRearrangeEvent OnRearrange;
    TPrintPageEvent OnPrintPage;
    TPrintNewPageEvent OnPrintNewPage;
    TPrintColumnWidthEvent OnPrintSetColumnWidth;
    TFitToPageEvent OnFitToPage;

protected:
    // Draws one row: its cells in their display order, the detail line and the focus frame.
    virtual void LVDrawItem(TCanvas& Canvas, int Index, TRect Rect, TOwnerDrawState State);
    // A row became selected; nothing here.
    virtual void SelectionChanged(int iItem);
    virtual void LeftClickCell(int iItem, int iSubItem);
    virtual void RightClickCell(int iItem, int iSubItem);
    // Lets OnDrawItemProp change the brush and the font of a cell before it is drawn, measured or printed.
    virtual void QueryDrawProp(int ItemIndex, int SubItemIndex, TOwnerDrawState AState, TBrush& ABrush, TFont& AFont,
                               const QString& ItemText);
    // The wallpaper (or the colour, without one) behind the rows.
    void WallPaperChanged();
    // The order of two rows by the sort column, for the sort: below 0 when Item1 comes first.
    int ListViewCompare(const TListItem* Item1, const TListItem* Item2);
    // Fires OnGetFormat for the sort column; ACol is not read.
    virtual void GetFormat(int ACol, TSortStyle& AStyle, QString& aPrefix, QString& aSuffix);
    virtual void CustCompare(int ACol, const QString& str1, const QString& str2, int& res);
    virtual void RawCompare(int ACol, int Row1, int Row2, int& res);
    // A header click sorts by the column with SortShow, turning the direction round on the sorted column.
    void ColClick(TListColumn* Column) override;
    // Draws a column's item of a header the list draws itself.
    virtual void DrawHeaderItem(TCanvas& Canvas, int Item, TRect R);
    // Prints the table on the painter's device, or its first page into the preview rectangle.
    void BuildPage(QPainter& Painter, bool Preview);

    void DrawItem(TCanvas& Canvas, int Index, const TRect& Rect, TOwnerDrawState State) override;
    TRect CheckBoxRect(int row) const override;
    int ItemRowHeight() const override { return itemHeight; }
    void RowsSelected(const QVector<int>& rows) override;
    bool BeginLabelEdit(int row) override;
    QString LabelEditText(int row) const override;
    TRect LabelEditRect(int row) const override;
    void EndLabelEdit(int row, const QString& text) override;

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    friend class ListViewHeader;

    // How the header shows one column's item: the format bits (HDF_*), its image of HeaderImages and its bitmap.
    struct HeaderItem
    {
        unsigned format = HDF_STRING;
        int image = -1;
        const TBitmap* bitmap = nullptr;
    };
    HeaderItem& headerItem(int column);
    unsigned defaultHeaderFormat(int column) const;
    void headerFontChange();
    void setHeaderSize(int value);
    void headerLayoutChanged();
    // The header's notifications: a drag of a column's edge begins (false refuses it) and ends; a column's item
    // changed; a right click.
    bool columnTrackBegins(int column);
    void columnTrackEnded(int column);
    void headerItemChanged();
    void columnRightClicked(int column);

    struct NumberSeparators;
    struct SortKey;
    SortKey sortKey(const TListItem& item) const;
    // The order of two rows; nothing when the sort column's style gives none.
    std::optional<int> rowOrder(const SortKey& a, const SortKey& b, const NumberSeparators& separators);
    // The parsed rich text of a cell, kept by its source.
    QTextDocument* richDocument(const QString& rtf);
    void paintRichText(TCanvas& canvas, const QString& rtf, const TRect& rect, bool selectedLook);
    QString richPlainText(int row, int subItem);

    // Wraps or unwraps the text cells of a row by a rule.
    void changeTextCells(int row, const std::function<QString(const QString&)>& change);
    void changeTextCellsOfEveryRow(const std::function<QString(const QString&)>& change);
    // Whether a point lies on the drawn check box of a row.
    bool onCheckBox(int row, const QPoint& point) const;
    // The target of the anchor under a point in a markup cell, empty where there is none.
    QString anchorAt(int row, int column, const QPoint& point);
    // A click on a link cell or an anchor: OnURLClick, then the desktop.
    void linkClicked(int row, const QString& target);
    void endRearrange(const QPoint& point);
    void dropRearrange();
    // What a cell's hint shows; empty for none.
    QString cellHint(int row, int column);
    bool showCellHint(const QPoint& point);
    void showScrollHint(int value);
    QString copiedText(bool selectedOnly) const;
    // A cell's text as the file formats write it: as it is, or the plain text of its markup.
    QString preparedText(int row, int column, bool keepMarkup) const;
    // One HTML table cell of a row (the caption's column is 0), coloured as OnDrawItemProp says.
    QString htmlCell(int row, int column, bool keepMarkup);

    // Where the parts of one cell go: the cell (the row's cell area at the column), the check box (empty when none
    // is drawn), the image, the content (the cell right of the check box and the image) and the text (the content
    // right of the indent).
    struct CellLayout
    {
        TRect cell;
        TRect checkBox;
        int image = -1;
        TPoint imageAt;
        TRect content;
        TRect text;
    };
    CellLayout layoutCell(const TListItem& item, int column, const TRect& cell) const;
    TRect checkBoxBounds(const TRect& cell) const;
    bool glyphsAssigned() const;
    // Whether a cell of a selected row shows the selection's colours.
    bool showsSelected(TOwnerDrawState state, int column) const;
    // A row's rectangle inside the grid lines, its cells' part above the detail line, and one cell in it.
    TRect drawnRowRect(const TRect& rowRect) const;
    TRect cellArea(const TRect& rowRect) const;
    TRect drawnCell(const TRect& cells, int column) const;
    void drawCheckBox(TCanvas& canvas, const TListItem& item, const TRect& box);
    void drawCellContent(TCanvas& canvas, const QString& text, const CellLayout& layout, TAlignment alignment,
                         bool selected);
    void drawPlainText(TCanvas& canvas, const QString& text, TRect rect, unsigned alignmentFlags);
    void drawDetailLine(TCanvas& canvas, int row, const TRect& rowRect, int right, TOwnerDrawState state);
    // One pass of the markup engine over a cell's markup with the list's settings.
    enum class MarkupPass { Paint, HitTest, Measure };
    struct MarkupResult
    {
        bool onAnchor = false;
        QString anchor;
        int height = 0;
    };
    MarkupResult renderMarkup(TCanvas& canvas, const QString& markup, const TRect& rect, MarkupPass pass,
                              const QPoint& point = QPoint());
    // Where a cell's markup goes inside its text rectangle.
    TRect markupRect(const TRect& textRect) const;
    unsigned verticalTextFlag() const;
    int columnWidth(int column) const;

    // Printing (AdvListVPrint.cpp).
    struct PrintRun;
    void measurePrintColumns(PrintRun& run);
    // A cell's width and height on paper.
    QSize measurePrintCell(PrintRun& run, int column, int row);
    int printRowHeight(PrintRun& run, int row);
    // The columns of the band that starts at run.firstColumn, and their offsets.
    void placePrintBand(PrintRun& run);
    void printBand(PrintRun& run);
    void startNewPrintPage(PrintRun& run);
    void printRow(PrintRun& run, int row);
    void printMarkup(PrintRun& run, const QString& markup, const TFont& font, const TRect& deviceCell);
    void printGridLines(PrintRun& run);
    void printPageLines(PrintRun& run);

    bool autoHint = false;
    TBitmap checkTrueGlyph;
    TBitmap checkFalseGlyph;
    bool clipboardEnable = false;
    TColumnSize columnSize;
    bool filterBar = false;
    int filterTimeOut = 500;
    TPrintsettings printSettings;
    // Of the last print run: every column's printed width, and its left offset (one more closes the last).
    QVector<int> printColWidths;
    QVector<int> printColOffsets;
    TRect previewRect;
    bool htmlHint = false;
    THTMLSettings htmlSettings;
    TColor headerColor = clNone;
    bool headerHotTrack = false;
    bool headerFlatStyle = false;
    bool headerOwnerDraw = false;
    int headerHeight = 13;
    QPointer<TImageList> headerImages;
    TFont headerFont;
    int hoverTime = -1;
    QPointer<TPictureContainer> pictureContainer;
    TProgressSettings progressSettings;
    bool selectionRTFKeep = false;
    bool scrollHint = false;
    TColor selectionColor = clHighlight;
    TColor selectionTextColor = clHighlightText;
    bool sizeWithForm = false;
    TSortDirection sortDirection = sdAscending;
    bool sortShow = false;
    TSortIndicator sortIndicator = siLeft;
    TBitmap sortUpGlyph;
    TBitmap sortDownGlyph;
    bool stretchColumn = false;
    bool subItemEdit = false;
    bool subItemSelect = false;
    TColor urlColor = clBlue;
    bool urlShow = false;
    bool urlFull = false;
    TVAlignment vAlignment = vtaCenter;
    TBitmap wallpaper;
    bool wordWrap = false;
    int itemHeight = 13;
    bool saveHeader = false;
    bool loadHeader = false;
    bool reArrangeItems = false;
    TDetails detailView;

    int currentColumn = 0;
    int currentRow = 0;
    int updateCount = 0;
    QCursor loadedCursor;
    std::unique_ptr<THTMLPictureCache> pictureCache;
    std::unique_ptr<TAdvRichEdit> richEdit;
    // Parsed rich-text cells by their source, for painting; a screenful of rows needs far fewer.
    QCache<QString, QTextDocument> richDocuments{512};

    int sortColumn = -2;
    int lastSortedColumn = -1;
    QVector<HeaderItem> headerItems;
    bool settingHeaderOwnerDraw = false;
    bool tracking = false;
    bool stretching = false;
    // Where a row is dragged from; -1 while none is.
    int rearrangeSource = -1;
    QTimer scrollTimer;
    QPoint lastMousePoint;
    QString lastAnchor;
    bool inAnchor = false;
    // The cell whose hint shows: column and row; (-1, -1) once a hint was put away.
    QPoint hintCell{0, 0};
    ListViewHeader* headerView;
};
