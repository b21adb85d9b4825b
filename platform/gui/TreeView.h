// The toolkit's tree view over a QTreeWidget: nodes with a text, image indexes, a level and children; the image
// list, the indent, a row height of its own, the selected node and selection by the right button. Controls that
// draw their rows themselves override drawRow and keep the tree's branches.
#pragma once

#include "Toolkit.h"

#include <QPointer>
#include <QTreeWidget>

class TImageList;
class TTreeView;

class TTreeNode : public QTreeWidgetItem
{
public:
    QString GetText() const { return text(0); }
    void SetText(const QString& value) { setText(0, value); }
    // 0 for a top node.
    int GetLevel() const;
    bool GetSelected() const { return isSelected(); }

    // Images of the tree's image list; -1 for none.
    int ImageIndex = -1;
    int SelectedIndex = -1;
    int OverlayIndex = -1;
};

class TTreeView : public QTreeWidget
{
    Q_OBJECT
public:
    explicit TTreeView(QWidget* parent = nullptr);

    // A node at the end of the parent's children, or of the top nodes for a null parent.
    TTreeNode* AddChild(TTreeNode* parent, const QString& text);
    TTreeNode* NodeFromIndex(const QModelIndex& index) const;
    TTreeNode* GetNodeAt(int x, int y) const;

    TImageList* GetImages() const { return images; }
    void SetImages(TImageList* value);
    int GetIndent() const { return indentation(); }
    int GetItemHeight() const { return itemHeight; }
    void SetItemHeight(int value);
    bool GetRightClickSelect() const { return rightClickSelect; }
    void SetRightClickSelect(bool value) { rightClickSelect = value; }
    TTreeNode* GetSelected() const;
    void SetSelected(TTreeNode* node);
    TColor GetColor() const { return color; }
    void SetColor(TColor value);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    QPointer<TImageList> images;
    int itemHeight = 16;
    bool rightClickSelect = false;
    TColor color = clWindow;
};
