// A tree view that shows each node's text in columns: the text is split at a separator (";") and the parts are
// drawn side by side in columns whose widths, alignments, fonts and images come from Columns. A header of its own,
// a sibling of the tree placed above it, shows the captions, lets the user resize the columns and reports clicks;
// it follows the tree's horizontal scrolling so that the captions stay over their columns.
#pragma once

#include "Canvas.h"
#include "Forms.h"
#include "TreeView.h"

#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

class TTreeList;
class TColumnCollection;

using TTLHeaderClickEvent = std::function<void(QObject* Sender, int SectionIdx)>;
using THeaderSizeChangedEvent = std::function<void(QObject* Sender, int Section)>;

class TColumnItem
{
public:
    explicit TColumnItem(TColumnCollection* collection);

    TAlignment GetAlignment() const { return alignment; }
    void SetAlignment(TAlignment value);
    const TFont& GetFont() const { return font; }
    void SetFont(const TFont& value);
    QString GetHeader() const { return header; }
    void SetHeader(const QString& value);
    TAlignment GetHeaderAlign() const { return headerAlign; }
    void SetHeaderAlign(TAlignment value);
    // An image of the tree's Images before the caption; -1 for none.
    int GetHeaderImage() const { return headerImage; }
    void SetHeaderImage(int value);
    // The node's image is drawn in this column.
    bool GetImage() const { return image; }
    void SetImage(bool value);
    int GetWidth() const { return width; }
    void SetWidth(int value);
    // Without the header rebuilt: the header itself was resized.
    void SetWidthQuietly(int value) { width = value; }
    // Width, alignments, caption, font and image flag; not the header image.
    void Assign(const TColumnItem& source);

private:
    template <typename T>
    void change(T& field, const T& value);

    TColumnCollection* collection;
    TAlignment alignment = taLeftJustify;
    TFont font;
    QString header;
    TAlignment headerAlign = taLeftJustify;
    int headerImage = -1;
    bool image = false;
    int width = 50;
};

class TColumnCollection
{
public:
    explicit TColumnCollection(TTreeList* owner) : owner(owner) {}

    TTreeList* GetOwner() const { return owner; }
    int Count() const { return int(items.size()); }
    TColumnItem* Add();
    TColumnItem* Insert(int index);
    // Null outside the columns.
    TColumnItem* GetItem(int index) const;
    void Clear();
    // Copies every column of the other collection.
    void Assign(const TColumnCollection& source);
    // The header shows the columns again.
    void Update();

private:
    TTreeList* owner;
    std::vector<std::unique_ptr<TColumnItem>> items;
};

// The header: one section per column, a raised edge round each caption, sizing by dragging a border.
class TTLHeader : public QWidget
{
    Q_OBJECT
public:
    explicit TTLHeader(TTreeList* tree, QWidget* parent);

    void ClearSections();
    void AddSection(const QString& caption, int width);
    int SectionCount() const { return int(sections.size()); }
    int GetSectionWidth(int index) const;
    void SetSectionWidth(int index, int width);
    // The section's place as drawn, the scrolling offset included.
    QRect SectionRect(int index) const;
    // The section under x: -1 left of the first, the last one's index right of all.
    int SectionAt(int x) const;
    // The section whose right border lies within 3 pixels of x, when a press there sizes it; -1 otherwise.
    int SizingBorderAt(int x) const;

    TColor GetColor() const { return color; }
    void SetColor(TColor value);
    bool GetAllowResize() const { return allowResize; }
    void SetAllowResize(bool value) { allowResize = value; }
    TBorderStyle GetBorderStyle() const { return borderStyle; }
    void SetBorderStyle(TBorderStyle value);
    // Pixels the tree is scrolled sideways.
    void SetOffset(int value);
    bool IsSizing() const { return sizing >= 0; }

    TTLHeaderClickEvent OnClick;
    TTLHeaderClickEvent OnRightClick;
    // A section's width changed by a drag.
    std::function<void(QObject* Sender, int Section, int Width)> OnSectionSized;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    struct Section
    {
        QString caption;
        int width;
    };
    TTreeList* tree;
    std::vector<Section> sections;
    TColor color = clBtnFace;
    bool allowResize = false;
    TBorderStyle borderStyle = bsSingle;
    int offset = 0;
    // The section being sized and where the drag began; -1 while none is.
    int sizing = -1;
    int sizingStartX = 0;
    int sizingStartWidth = 0;
};

class THeaderSettings
{
public:
    explicit THeaderSettings(TTreeList* owner) : owner(owner) {}

    bool GetAllowResize() const { return allowResize; }
    void SetAllowResize(bool value);
    TColor GetColor() const;
    void SetColor(TColor value);
    bool GetFlat() const;
    void SetFlat(bool value);
    const TFont& GetFont() const { return font; }
    void SetFont(const TFont& value);
    int GetHeight() const { return height; }
    void SetHeight(int value);
    bool GetVisible() const { return visible; }
    void SetVisible(bool value);

private:
    TTreeList* owner;
    int height = 18;
    bool visible = true;
    bool allowResize = false;
    TFont font;
};

class TTreeList : public TTreeView
{
    Q_OBJECT
public:
    explicit TTreeList(QWidget* parent = nullptr);
    ~TTreeList() override;

    // After the window is built: the header shows the columns, in the settings' font.
    void Loaded();

    // Part Column (from 0) of the node's text; empty for a missing node or part.
    QString GetNodeColumn(const TTreeNode* Node, int Column) const;
    // Replaces part Column of the node's text, padding the text with separators to the number of columns first.
    void SetNodeColumn(TTreeNode* Node, int Column, const QString& Value);
    // The header's sections from Columns again.
    void UpdateColumns();

    bool GetColImage(int i) const;
    int GetColWidth(int i) const;
    TFont GetColFont(int i) const;
    unsigned GetAlignment(int i) const;

    // Places the tree and its header: above the tree, 2 pixels over it; with alTop or alClient the bounds hold
    // both, and the rows start below the header.
    void SetBounds(int Left, int Top, int Width, int Height);
    // The client rectangle, its bottom enlarged by the header's height.
    TRect GetClientRect() const;

    TColumnCollection& GetColumns() { return *columns; }
    void SetColumns(const TColumnCollection& value) { columns->Assign(value); }
    bool GetColumnLines() const { return columnLines; }
    void SetColumnLines(bool value);
    int GetColumnSpacing() const { return columnSpacing; }
    QString GetSeparator() const { return separator; }
    void SetSeparator(const QString& value);
    THeaderSettings& GetHeaderSettings() { return *headerSettings; }
    TTLHeader* GetHeader() const { return headerControl; }
    void setVisible(bool visible) override;

    // Where the parts of a node's text go in a row: each part with its rectangle, and the image drawn before the
    // columns (-1 for none) at its place.
    struct PartPlace
    {
        QString text;
        TRect rect;
        int column;
    };
    std::vector<PartPlace> LayoutParts(const TTreeNode* node, const QRect& row, int textHeight) const;

    virtual quint32 GetVersionNr() const { return 0x01000100; }
    QString GetVersion() const { return VersionNrText(GetVersionNr()); }
    void SetVersion(const QString&) {}

    // The header's handlers.
    void SectionSize(QObject* Sender, int Section, int Width);
    void HeaderClick(QObject* Sender, int Section);
    void HeaderRightClick(QObject* Sender, int Section);

    TTLHeaderClickEvent OnHeaderClick;
    TTLHeaderClickEvent OnHeaderRightClick;
    THeaderSizeChangedEvent OnHeaderSizeChanged;

protected:
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    friend class THeaderSettings;
    void createHeader();
    void placeHeader();
    // The one column the tree itself keeps is as wide as the columns together, so that it scrolls sideways.
    void updateScrollWidth();
    int minimumFirstColumn() const;

    std::unique_ptr<TColumnCollection> columns;
    std::unique_ptr<THeaderSettings> headerSettings;
    QPointer<TTLHeader> headerControl;
    bool columnLines = true;
    int columnSpacing = 4;
    QString separator = QStringLiteral(";");
};
