// The rows of the person editor's three lists: what each row carries besides its texts, and how it is drawn.
#pragma once

#include <QStyledItemDelegate>

class QTreeWidget;
class QTreeWidgetItem;

// What a row of the relatives view stands for. The person kinds are the relation kinds the relation removal takes:
// a child and a sibling of either sex go as Son and Sister.
enum class RelativeRowKind { Father = 1, Mother = 2, Partner = 3, Child = 4, Sibling = 7, UnionFact = 10 };

// The data of a row, in its first column.
enum EditorRowRole {
    // The person or fact the row stands for; an attribute row carries its attribute's index.
    RowIDRole = Qt::UserRole,
    // The RelativeRowKind of a relatives row.
    RowKindRole,
    // True for a private fact or attribute.
    RowPrivateRole,
};

// Private facts and attributes in the private colour while the setting marks them, the selected fact or attribute
// in bold, partners in bold navy, group headers in bold; light grid lines between the cells of the rows.
class EditorRowDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    enum Kind { Relatives, FactsOrAttributes };
    EditorRowDelegate(Kind kind, QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    // Rows high enough for the accents of capitals in the row's font.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    Kind kind;
};

// The list's selected row; null without one.
QTreeWidgetItem* SelectedRow(const QTreeWidget* list);
// Selects the row, makes it the current one and scrolls it into view.
void SelectRow(QTreeWidget* list, QTreeWidgetItem* row);
