#include "PersonListModel.h"

#include "Bazadanych.h"
#include "Canvas.h"
#include "Fact.h"
#include "Vh_langmanager.h"

#include <QBrush>

namespace {

constexpr TColor oddRowColor = 0x00E1FFFF;
constexpr TColor evenRowColor = 0x00FDFFFF;

QString dateText(const KV_Fact* fact)
{
    return fact ? fact->Date.ToDisplayText(false, true) : QString();
}

QString placeText(const KV_Fact* fact)
{
    return fact ? fact->Place : QString();
}

// The death fact shows only for a person marked dead.
const KV_Fact* shownDeath(const KV_Person& person)
{
    return person.IsDead() ? person.FindFactByType(QStringLiteral("DEAT")) : nullptr;
}

} // namespace

const PersonListColumn PersonListModel::Columns[ColumnCount] = {
    {"", PersonSortKey::Surname, 0, Qt::AlignLeft},
    {"LP", std::nullopt, 50, Qt::AlignRight},
    {"Nazwisko i imię", PersonSortKey::Name, 300, Qt::AlignLeft},
    {"Rodowe", PersonSortKey::Forename, 0, Qt::AlignLeft},
    {"Płeć", PersonSortKey::Sex, 70, Qt::AlignHCenter},
    {"Data ur.", PersonSortKey::BirthDate, 110, Qt::AlignRight},
    {"Miejsce ur.", PersonSortKey::BirthPlace, 120, Qt::AlignLeft},
    {"Data zg.", PersonSortKey::DeathDate, 110, Qt::AlignRight},
    // Refitted to the rest of the list's width.
    {"Miejsce zg.", PersonSortKey::DeathPlace, 120, Qt::AlignLeft},
};

PersonListModel::PersonListModel(QObject* parent) : QAbstractTableModel(parent)
{
    for (const PersonListColumn& column : Columns)
        captions.append(QString::fromUtf8(column.caption));
}

void PersonListModel::SetRowCount(int count)
{
    beginResetModel();
    rows = count;
    endResetModel();
}

QString PersonListModel::CellText(const KV_Person& person, int column, int row)
{
    switch (column) {
    case 1:
        return QString::number(row + 1);
    case 2:
        return person.GetNameByLayout(2, true, false);
    case 3:
        return person.Familyname;
    case 4:
        if (person.IsFemale())
            return gLangM.Get(QStringLiteral("LABEL_K"));
        return person.IsMale() ? gLangM.Get(QStringLiteral("LABEL_M")) : QStringLiteral("?");
    case 5:
        return dateText(person.FindFactByType(QStringLiteral("BIRT")));
    case 6:
        return placeText(person.FindFactByType(QStringLiteral("BIRT")));
    case 7: {
        const KV_Fact* death = shownDeath(person);
        if (death && death->Date.IsEmpty())
            return QStringLiteral("+");
        return dateText(death);
    }
    case 8:
        return placeText(shownDeath(person));
    default:
        return QString();
    }
}

int PersonListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows;
}

int PersonListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant PersonListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return QVariant();
    switch (role) {
    case Qt::DisplayRole: {
        const KV_Person* person = gDB.GetResultPerson(index.row());
        return person ? CellText(*person, index.column(), index.row()) : QString();
    }
    case IDRole: {
        const KV_Person* person = gDB.GetResultPerson(index.row());
        return person ? person->ID : QString();
    }
    case Qt::TextAlignmentRole:
        return int(Columns[index.column()].alignment | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        return QBrush(ToQColor(index.row() % 2 ? oddRowColor : evenRowColor));
    default:
        return QVariant();
    }
}

QVariant PersonListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return QVariant();
    if (role == Qt::DisplayRole)
        return captions[section];
    if (role == Qt::TextAlignmentRole)
        return int(Columns[section].alignment | Qt::AlignVCenter);
    return QVariant();
}

bool PersonListModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant& value, int role)
{
    if (orientation != Qt::Horizontal || (role != Qt::EditRole && role != Qt::DisplayRole) || section < 0 ||
        section >= ColumnCount)
        return false;
    captions[section] = value.toString();
    Q_EMIT headerDataChanged(orientation, section, section);
    return true;
}

void SelectedRowDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (option->state & QStyle::State_Selected)
        option->font.setBold(true);
}
