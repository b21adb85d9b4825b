// The rows of the person list window's report view: the persons of gDB.ResultList, read only when a cell is
// painted. The row count is fixed once per refill; a row whose person has gone since shows empty cells.
#pragma once

#include "Bazadanych.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <QStyledItemDelegate>

#include <optional>

class KV_Person;

// One column of the list: its design caption, the sort key its header click chooses (if any), its width at
// design and the alignment of its cells.
struct PersonListColumn
{
    const char* caption;
    std::optional<PersonSortKey> sortKey;
    int width;
    Qt::Alignment alignment;
};

class PersonListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    static constexpr int ColumnCount = 9;
    static const PersonListColumn Columns[ColumnCount];
    // The person's ID rides with every cell.
    static constexpr int IDRole = Qt::UserRole;

    explicit PersonListModel(QObject* parent = nullptr);

    // Shows the first count persons of ResultList.
    void SetRowCount(int count);
    // The text of a cell of the person's row (row counts from 0).
    static QString CellText(const KV_Person& person, int column, int row);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // The captions are localised through here.
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant& value,
                       int role = Qt::EditRole) override;

private:
    int rows = 0;
    QStringList captions;
};

// Draws the selected row in bold.
class SelectedRowDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};
