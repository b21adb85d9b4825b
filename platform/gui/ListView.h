// The toolkit's list view, shown as a report: rows of cells under a header of columns, over a QTreeView with a row
// model of its own. A row is a TListItem (its caption is the cell of column 0, its sub-items the cells of the
// columns after it), each column a TListColumn. The user may drag columns to other places: a column keeps its
// index, and its display position is where it stands on screen.
//
// The truth of the selection and the focused row is the view's selection model, so that mouse and keyboard
// selection, the items' Selected and Focused, and moves of rows agree. Points are in the co-ordinates of the rows'
// area (the viewport), where mouse events arrive.
//
// With OwnerDraw the view draws nothing of a row itself: DrawItem paints each visible row into the row's rectangle,
// which spans every column (its left edge moves left as the view scrolls sideways). Without it Qt's item delegate
// draws the cells as plain text.
#pragma once

#include "Canvas.h"
#include "ImageList.h"

#include <QPointer>
#include <QStringList>
#include <QTreeView>
#include <functional>
#include <memory>
#include <vector>

class TListView;
class TListItems;
class ListViewModel;
class QPlainTextEdit;

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };

// What a row is when it is drawn: a set of these bits.
enum TOwnerDrawStateBit { odSelected = 0x1, odGrayed = 0x2, odDisabled = 0x4, odChecked = 0x8, odFocused = 0x10 };
using TOwnerDrawState = int;

// The list's extended styles, as a set of bits.
constexpr unsigned LVS_EX_GRIDLINES = 0x1;
constexpr unsigned LVS_EX_SUBITEMIMAGES = 0x2;
constexpr unsigned LVS_EX_CHECKBOXES = 0x4;
constexpr unsigned LVS_EX_TRACKSELECT = 0x8;
constexpr unsigned LVS_EX_HEADERDRAGDROP = 0x10;
constexpr unsigned LVS_EX_FULLROWSELECT = 0x20;
constexpr unsigned LVS_EX_ONECLICKACTIVATE = 0x40;
constexpr unsigned LVS_EX_TWOCLICKACTIVATE = 0x80;

class TListItem;

// The texts of a row's cells after the first. Reading outside them gives empty text; writing outside them does
// nothing.
class TListSubItems
{
public:
    int Count() const { return int(texts.size()); }
    QString operator[](int index) const { return Get(index); }
    QString Get(int index) const;
    void Put(int index, const QString& text);
    int Add(const QString& text);
    const QStringList& Texts() const { return texts; }
    void SetTexts(const QStringList& value);

private:
    friend class TListItem;
    explicit TListSubItems(TListItem* owner) : owner(owner) {}

    TListItem* owner;
    QStringList texts;
};

// One row. An item made without a list (to copy rows through) keeps its values but shows nowhere.
class TListItem
{
public:
    TListItem();
    TListItem(const TListItem&) = delete;
    TListItem& operator=(const TListItem&) = delete;

    const QString& GetCaption() const { return caption; }
    void SetCaption(const QString& value);
    TListSubItems& SubItems() { return subItems; }
    const TListSubItems& SubItems() const { return subItems; }
    bool GetChecked() const { return checked; }
    void SetChecked(bool value);
    int GetImageIndex() const { return imageIndex; }
    void SetImageIndex(int value);
    // Indent steps of a cell (column 0 for the caption's); 0 where none was set.
    int GetIndent(int column = 0) const;
    void SetIndent(int column, int steps);
    // The image of a cell after the first (column 1 on); -1 where none was set.
    int GetCellImage(int column) const;
    void SetCellImage(int column, int imageIndex);

    bool GetSelected() const;
    void SetSelected(bool value);
    bool GetFocused() const;
    void SetFocused(bool value);
    // The row's place in its list; -1 for an item without one.
    int GetIndex() const { return index; }
    TListView* GetListView() const;
    // Scrolls the row into view.
    void MakeVisible();

    // Copies the caption, the sub-items, the image, the indents and the cell images; the check mark, the selection
    // and the focus stay.
    void Assign(const TListItem& source);

private:
    friend class TListItems;
    friend class TListSubItems;
    void changed();

    TListItems* owner = nullptr;
    int index = -1;
    QString caption;
    TListSubItems subItems{this};
    bool checked = false;
    int imageIndex = -1;
    QVector<int> indents;
    QVector<int> cellImages;
};

// The rows of a list view, owned by it.
class TListItems
{
public:
    int Count() const { return int(items.size()); }
    // Null outside the rows.
    TListItem* operator[](int index) const { return GetItem(index); }
    TListItem* GetItem(int index) const;
    TListItem* Add();
    // A new row at the index (at the end for an index past it).
    TListItem* Insert(int index);
    void Delete(int index);
    // Deletes every row for which the predicate holds, in one pass.
    void DeleteIf(const std::function<bool(const TListItem&)>& predicate);
    void Clear();
    // Puts the rows in the new order: order[i] is the old index of the row that comes to place i. The selection
    // and the focus go with their rows.
    void Reorder(const QVector<int>& order);
    // Changes inside BeginUpdate and EndUpdate repaint once at the end.
    void BeginUpdate();
    void EndUpdate();

private:
    friend class TListView;
    friend class TListItem;
    explicit TListItems(TListView* owner) : owner(owner) {}
    void renumberFrom(int index);

    TListView* owner;
    std::vector<std::unique_ptr<TListItem>> items;
    int updateCount = 0;
};

class TListColumn
{
public:
    QString GetCaption() const { return caption; }
    void SetCaption(const QString& value);
    int GetWidth() const;
    void SetWidth(int value);
    TAlignment GetAlignment() const { return alignment; }
    void SetAlignment(TAlignment value);
    int GetImageIndex() const { return imageIndex; }
    void SetImageIndex(int value);
    int GetIndex() const { return index; }

private:
    friend class TListColumns;
    TListColumn(TListView* owner, int index) : owner(owner), index(index) {}

    TListView* owner;
    int index;
    QString caption;
    TAlignment alignment = taLeftJustify;
    int imageIndex = -1;
};

// The columns of a list view, owned by it; their indexes do not change when the user moves them on screen.
class TListColumns
{
public:
    int Count() const { return int(columns.size()); }
    // Null outside the columns.
    TListColumn* operator[](int index) const { return GetItem(index); }
    TListColumn* GetItem(int index) const;
    TListColumn* Add();
    void Clear();

private:
    friend class TListView;
    explicit TListColumns(TListView* owner) : owner(owner) {}

    TListView* owner;
    std::vector<std::unique_ptr<TListColumn>> columns;
};

class TListView : public QTreeView
{
    Q_OBJECT
public:
    explicit TListView(QWidget* parent = nullptr);
    ~TListView() override;

    TListItems& Items() { return *items; }
    const TListItems& Items() const { return *items; }
    TListColumns& Columns() { return *columns; }
    const TListColumns& Columns() const { return *columns; }

    // Display position -> column index, for every column.
    QVector<int> GetColumnOrder() const;
    // Puts the columns in that order; anything that is not an order of all the columns does nothing.
    void SetColumnOrder(const QVector<int>& order);
    // The display position of a column; -1 outside the columns.
    int ColumnPosition(int column) const;

    bool GetCheckboxes() const { return extendedStyle & LVS_EX_CHECKBOXES; }
    void SetCheckboxes(bool value);
    bool GetGridLines() const { return extendedStyle & LVS_EX_GRIDLINES; }
    void SetGridLines(bool value);
    bool GetRowSelect() const { return extendedStyle & LVS_EX_FULLROWSELECT; }
    void SetRowSelect(bool value);
    // The extended style bits (LVS_EX_*); SetExtendedStyle changes those of mask to those of value.
    unsigned GetExtendedStyle() const { return extendedStyle; }
    void SetExtendedStyle(unsigned mask, unsigned value);
    bool GetHideSelection() const { return hideSelection; }
    void SetHideSelection(bool value);
    void SetMultiSelect(bool value);
    bool GetOwnerDraw() const { return ownerDraw; }
    void SetOwnerDraw(bool value);
    // Only the report is drawn; the header shows in it alone.
    TViewStyle GetViewStyle() const { return viewStyle; }
    void SetViewStyle(TViewStyle value);
    TImageList* GetSmallImages() const { return smallImages; }
    void SetSmallImages(TImageList* value);

    // The background colour of the rows' area and the font of the cells.
    TColor GetColor() const { return color; }
    void SetColor(TColor value);
    const TFont& GetFont() const { return font; }
    void SetFont(const TFont& value);

    // The first selected row, null when none is.
    TListItem* Selected() const;
    TListItem* ItemFocused() const;
    // The row at a point, null where there is none.
    TListItem* GetItemAt(int x, int y) const;
    // The row and column at a point; false when no row is there.
    bool HitTest(const TPoint& point, int& row, int& column) const;
    // How many rows fit whole into the rows' area.
    int VisibleRowCount() const;

    // The rectangle of a row across all columns, and of one cell; empty outside the rows or columns.
    TRect RowRect(int row) const;
    TRect CellRect(int row, int column) const;
    int RowHeight() const;

    // In-place editing of captions: without ReadOnly, F2 edits the focused row's caption. The editor keeps line
    // breaks; Return ends the edit and keeps the text, Esc drops it, and so does nothing else than leaving it.
    void SetReadOnly(bool value) { readOnly = value; }
    // Opens the editor on a row, as F2 does; false when there is no such row or the edit was refused.
    bool EditCaption(int row);
    bool IsEditing() const { return editor != nullptr; }
    // The editor of the running edit, null when none runs.
    QPlainTextEdit* Editor() const { return editor; }
    // Ends the running edit, keeping the typed text or dropping it.
    void EndEdit(bool keep);

    // A click on a column's header item.
    std::function<void(QObject* Sender, TListColumn* Column)> OnColumnClick;
    // Before a caption edit; AllowEdit false refuses it.
    std::function<void(QObject* Sender, TListItem* Item, bool& AllowEdit)> OnEditing;
    // After an edit, with the text typed, which the handler may change before it is stored.
    std::function<void(QObject* Sender, TListItem* Item, QString& S)> OnEdited;
    // The hint of a row, which the handler may change.
    std::function<void(QObject* Sender, TListItem* Item, QString& InfoTip)> OnInfoTip;

protected:
    // Paints one row with OwnerDraw; the base paints nothing.
    virtual void DrawItem(TCanvas& Canvas, int Index, const TRect& Rect, TOwnerDrawState State);
    // Where the check box of a row is drawn, for clicks on it: in the caption's column wherever it stands, a
    // 14-pixel square 2 pixels in from its left edge, in the middle of the row.
    virtual TRect CheckBoxRect(int row) const;
    // An edit of a row begins (false refuses it), with what text and where its editor stands; it ends with the
    // text typed. The base edits the caption in the caption's cell, asking OnEditing and telling OnEdited.
    virtual bool BeginLabelEdit(int row);
    virtual QString LabelEditText(int row) const;
    virtual TRect LabelEditRect(int row) const;
    virtual void EndLabelEdit(int row, const QString& text);
    // The height rows get: the font's height with a little room, or the small images' when they are higher.
    virtual int ItemRowHeight() const;
    // Rows take a new height (after the font, the images or a property changed).
    void RowHeightChanged();
    // The brush behind the rows: the colour, or a picture that subclasses tile there.
    void SetBackgroundBrush(const QBrush& brush);
    // Runs after rows became selected; the base does nothing.
    virtual void RowsSelected(const QVector<int>& rows);
    // A click on a column's header item: fires OnColumnClick.
    virtual void ColClick(TListColumn* Column);
    // Puts a header of the subclass's own in place of Qt's, set up as the list's header is; before columns exist.
    void SetHeaderView(QHeaderView* view);

    void drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    friend class TListItems;
    friend class TListItem;
    friend class TListColumns;
    friend class TListColumn;

    void configureHeader();
    void repaintRow(int row);
    void repaintAll();
    QModelIndex rowIndex(int row) const;
    void toggleCheckBox(int row);
    void paintGridLines(QPainter& painter, const QRect& area);
    void applyPalette();
    void selectionChangedRows(const QItemSelection& selected);

    std::unique_ptr<TListItems> items;
    std::unique_ptr<TListColumns> columns;
    ListViewModel* model;
    unsigned extendedStyle = 0;
    bool hideSelection = true;
    bool ownerDraw = false;
    TViewStyle viewStyle = vsIcon;
    QPointer<TImageList> smallImages;
    TColor color = clWindow;
    TFont font;
    QBrush backgroundBrush;
    mutable int cachedRowHeight = -1;
    bool readOnly = false;
    QPlainTextEdit* editor = nullptr;
    int editRow = -1;
};
