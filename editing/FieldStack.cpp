#include "FieldStack.h"

#include "AdvCombo.h"
#include "AdvGroupBox.h"
#include "DialogFrame.h"

namespace {

constexpr int wordListDropDownCount = 15;

} // namespace

QWidget* addFieldRow(QWidget* panel, const QRect& geometry)
{
    auto* row = new QWidget(panel);
    row->setGeometry(geometry);
    SetAlign(row, alTop);
    return row;
}

TAdvEdit* addLabelledEdit(QWidget* parent, const char* name, const char* label, const QRect& geometry)
{
    return addEdit(parent, name, QString::fromUtf8(label), lpTopLeft, geometry);
}

TAdvComboBox* addWordList(QWidget* parent, const char* name, const char* label, const QRect& geometry)
{
    TAdvComboBox* combo = addComboBox(parent, name, QString::fromUtf8(label), lpTopLeft, csDropDown, {}, geometry);
    combo->SetDropDownCount(wordListDropDownCount);
    return combo;
}

TAdvGroupBox* addDateGroup(QWidget* panel, const char* name, const QRect& geometry)
{
    TAdvGroupBox* group = addGroupBox(panel, name, QString(), geometry);
    SetAlign(group, alTop);
    return group;
}
