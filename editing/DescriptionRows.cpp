#include "DescriptionRows.h"

#include "AdvOfficeButtons.h"
#include "DialogFrame.h"
#include "StdCtrls.h"

#include <QPlainTextEdit>

namespace {

constexpr int labelGap = 4;
constexpr int labelHeight = 21;
constexpr int privateRowHeight = 32;

} // namespace

QPlainTextEdit* addDescription(QWidget* panel, const QString& caption, int fieldLeft, int rightMargin, TLabel*& label)
{
    auto* area = new QWidget(panel);
    area->setContentsMargins(fieldLeft, 4, rightMargin, 4);
    SetAlign(area, alClient);
    label = new TLabel(area);
    label->setObjectName(QStringLiteral("Label1"));
    label->SetAutoSize(false);
    label->SetTransparent(true);
    label->setGeometry(0, 6, fieldLeft - labelGap, labelHeight);
    label->setAlignment(Qt::AlignRight | Qt::AlignTop);
    label->SetCaption(caption);
    auto* memo = new QPlainTextEdit(area);
    memo->setObjectName(QStringLiteral("AdvComboBoxOpis"));
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setTabChangesFocus(true);
    SetAlign(memo, alClient);
    return memo;
}

TAdvOfficeCheckBox* addPrivateRow(QWidget* panel, int fieldLeft)
{
    auto* row = new QWidget(panel);
    row->resize(panel->width(), privateRowHeight);
    SetAlign(row, alBottom);
    return addCheckBox(row, "CheckBoxPrivate", QStringLiteral("Informacja poufna"), QRect(fieldLeft, 4, 200, 20));
}
