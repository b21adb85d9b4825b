#include "HeaderFilterBar.h"

#include <QHeaderView>
#include <QIntValidator>
#include <QLineEdit>
#include <QPainter>
#include <QToolButton>
#include <algorithm>

namespace {

constexpr int DefaultTimeout = 500;

// The filter button's glyph: a funnel.
QIcon funnel()
{
    QPixmap picture(10, 10);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x40, 0x40, 0x40));
    painter.drawPolygon(
        QPolygon({QPoint(0, 1), QPoint(10, 1), QPoint(6, 5), QPoint(6, 9), QPoint(4, 9), QPoint(4, 5)}));
    return QIcon(picture);
}

} // namespace

HeaderFilterBar::HeaderFilterBar(QHeaderView* header) : QObject(header), header(header)
{
    timer.setSingleShot(true);
    timer.setInterval(DefaultTimeout);
    connect(&timer, &QTimer::timeout, this, &HeaderFilterBar::tick);
}

void HeaderFilterBar::setShown(bool value)
{
    shown = value;
    layout();
}

int HeaderFilterBar::height() const
{
    if (!shown)
        return 0;
    QLineEdit sample;
    sample.setFont(header->font());
    return sample.sizeHint().height();
}

void HeaderFilterBar::layout()
{
    // Asking the header for its columns may lay it out again, which calls back here.
    if (placing)
        return;
    placing = true;
    if (shown)
        matchColumns();
    const int rowHeight = height();
    const int top = header->viewport()->height() - rowHeight;
    for (int column = 0; column < fields.size(); ++column) {
        const Field& field = fields[column];
        const bool visible = shown && !header->isSectionHidden(column);
        field.edit->setVisible(visible);
        field.button->setVisible(visible);
        if (!visible)
            continue;
        const int left = header->sectionViewportPosition(column);
        const int width = header->sectionSize(column);
        const int buttonWidth = qMin(rowHeight, width);
        field.edit->setGeometry(left, top, width - buttonWidth, rowHeight);
        field.button->setGeometry(left + width - buttonWidth, top, buttonWidth, rowHeight);
    }
    placing = false;
}

void HeaderFilterBar::tick()
{
    timer.stop();
    QList<int> columns = changed.values();
    changed.clear();
    std::sort(columns.begin(), columns.end());
    for (const int column : columns)
        if (onChange)
            onChange(column);
}

QString HeaderFilterBar::filter(int column, int type) const
{
    if (column < 0 || column >= fields.size())
        return QString();
    const QString text = fields[column].edit->text();
    return type == TextFilter ? text : QString::number(text.toInt());
}

void HeaderFilterBar::setFilter(int column, int type, int value, const QString& text)
{
    matchColumns();
    if (column < 0 || column >= fields.size())
        return;
    Field& field = fields[column];
    setType(field, type == NumberFilter ? NumberFilter : TextFilter);
    field.edit->setText(type == NumberFilter ? QString::number(value) : text.left(MaxFilterLength));
}

void HeaderFilterBar::edit(int column)
{
    matchColumns();
    if (column >= 0 && column < fields.size())
        fields[column].edit->setFocus();
}

void HeaderFilterBar::matchColumns()
{
    while (fields.size() > header->count()) {
        const Field field = fields.takeLast();
        delete field.edit;
        delete field.button;
    }
    while (fields.size() < header->count()) {
        const int column = int(fields.size());
        Field field{new QLineEdit(header->viewport()), new QToolButton(header->viewport())};
        field.edit->setObjectName(QStringLiteral("filter%1").arg(column));
        field.edit->setMaxLength(MaxFilterLength);
        field.edit->hide();
        field.button->setObjectName(QStringLiteral("filterButton%1").arg(column));
        field.button->setIcon(funnel());
        field.button->setAutoRaise(true);
        field.button->hide();
        QLineEdit* edit = field.edit;
        connect(edit, &QLineEdit::textEdited, this, [this, edit] { edited(edit); });
        connect(field.button, &QToolButton::clicked, this, [this, column] {
            if (onButtonClick)
                onButtonClick(column);
        });
        fields.append(field);
    }
}

void HeaderFilterBar::setType(Field& field, int type)
{
    if (field.type == type)
        return;
    field.type = type;
    field.edit->setValidator(type == NumberFilter ? new QIntValidator(field.edit) : nullptr);
}

void HeaderFilterBar::edited(QLineEdit* edit)
{
    const auto at = std::find_if(fields.begin(), fields.end(), [edit](const Field& f) { return f.edit == edit; });
    if (at == fields.end())
        return;
    changed.insert(int(at - fields.begin()));
    timer.start();
}
