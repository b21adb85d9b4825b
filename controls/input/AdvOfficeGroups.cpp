#include "AdvOfficeGroups.h"

#include <QApplication>
#include <QFocusEvent>

namespace {

constexpr int maxColumns = 16;
// Items 0 to 31 have a bit in the check group's Value.
constexpr int valueBits = 32;

} // namespace

// ---------------------------------------------------------------------------------------------------------------
// OfficeGroupBase

OfficeGroupBase::OfficeGroupBase(QWidget* Owner) : TAdvGroupBox(Owner) {}

OfficeGroupBase::~OfficeGroupBase()
{
    // The items tell the group they are gone: that must happen while the group is whole.
    SetButtonCount(0);
}

void OfficeGroupBase::SetItems(const QStringList& Value)
{
    items = Value;
    ItemsChange();
}

void OfficeGroupBase::ItemsChange()
{
    SetButtonCount(int(items.size()));
    for (int i = 0; i < buttonCount(); ++i)
        button(i)->SetCaption(items[i]);
    ArrangeButtons();
    update();
}

void OfficeGroupBase::SetButtonCount(int count)
{
    while (buttonCount() < count)
        buttons.append(CreateItem());
    // Each item takes itself off the list as it goes.
    while (buttonCount() > count)
        delete buttons.last();
}

int OfficeGroupBase::indexOf(QObject* item) const
{
    for (int i = 0; i < buttonCount(); ++i) {
        if (buttons[i] == item)
            return i;
    }
    return -1;
}

void OfficeGroupBase::SetColumns(int Value)
{
    Value = qBound(1, Value, maxColumns);
    if (Value == columns)
        return;
    columns = Value;
    ArrangeButtons();
    update();
}

void OfficeGroupBase::SetAlignment(TAlignment Value)
{
    alignment = Value;
    ArrangeButtons();
}

void OfficeGroupBase::SetButtonVertAlign(TTextLayout Value)
{
    buttonVertAlign = Value;
    ArrangeButtons();
}

void OfficeGroupBase::SetEllipsis(bool Value)
{
    ellipsis = Value;
    ArrangeButtons();
}

void OfficeGroupBase::SetImages(TImageList* Value)
{
    TAdvGroupBox::SetImages(Value);
    ArrangeButtons();
}

void OfficeGroupBase::SetPictureContainer(TPictureContainer* Value)
{
    pictureContainer = Value;
    ArrangeButtons();
}

void OfficeGroupBase::SetShadowColor(TColor Value)
{
    shadowColor = Value;
    ArrangeButtons();
}

void OfficeGroupBase::SetShadowOffset(int Value)
{
    shadowOffset = Value;
    ArrangeButtons();
}

void OfficeGroupBase::Loaded()
{
    ArrangeButtons();
}

void OfficeGroupBase::ArrangeButtons()
{
    const int count = buttonCount();
    if (count == 0)
        return;
    const int textHeight = fontMetrics().height();
    const int rows = (count + columns - 1) / columns;
    const int columnWidth = (width() - 10) / columns;
    const int h = height() - textHeight - 5;
    const int rowHeight = h / rows;
    int top = (h % rows) / 2 + textHeight + 1;
    if (GetCaption().isEmpty())
        top -= textHeight / 2;
    for (int i = 0; i < count; ++i) {
        OfficeButtonBase* item = button(i);
        item->setLayoutDirection(layoutDirection());
        item->SetFont(GetFont());
        item->SetAlignment(alignment);
        item->SetButtonVertAlign(buttonVertAlign);
        item->SetImages(GetImages());
        item->SetPictureContainer(pictureContainer);
        item->SetEllipsis(ellipsis);
        item->SetShadowOffset(shadowOffset);
        item->SetShadowColor(shadowColor);
        bool enabled = itemEnabled(i);
        if (OnIsEnabled)
            OnIsEnabled(this, i, enabled);
        item->setEnabled(enabled);
        int x = (i / rows) * columnWidth + 8;
        if (layoutDirection() == Qt::RightToLeft)
            x = width() - x - columnWidth;
        item->setGeometry(x, (i % rows) * rowHeight + top, columnWidth, qMax(0, rowHeight));
        item->show();
    }
}

void OfficeGroupBase::PushKeyDown(int& Key, Qt::KeyboardModifiers Shift)
{
    if (OnKeyDown)
        OnKeyDown(this, Key, Shift);
}

void OfficeGroupBase::PushKey(QChar& Key)
{
    if (OnKeyPress)
        OnKeyPress(this, Key);
}

void OfficeGroupBase::Click()
{
    if (OnClick)
        OnClick(this);
}

void OfficeGroupBase::changeEvent(QEvent* event)
{
    TAdvGroupBox::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        for (OfficeButtonBase* item : std::as_const(buttons))
            item->setEnabled(isEnabled());
    } else if (event->type() == QEvent::FontChange) {
        ArrangeButtons();
    }
}

void OfficeGroupBase::resizeEvent(QResizeEvent* event)
{
    TAdvGroupBox::resizeEvent(event);
    ArrangeButtons();
}

// ---------------------------------------------------------------------------------------------------------------
// GroupItem

template <class Button>
GroupItem<Button>::GroupItem(OfficeGroupBase* Group) : Button(Group), group(Group)
{
    this->hide();
}

template <class Button>
GroupItem<Button>::~GroupItem()
{
    group->forgetItem(this);
}

template <class Button>
void GroupItem<Button>::KeyDown(int& Key, Qt::KeyboardModifiers Shift)
{
    Button::KeyDown(Key, Shift);
    group->PushKeyDown(Key, Shift);
}

template <class Button>
void GroupItem<Button>::KeyPress(QChar& Key)
{
    Button::KeyPress(Key);
    group->PushKey(Key);
}

template class GroupItem<TAdvOfficeRadioButton>;
template class GroupItem<TAdvOfficeCheckBox>;

void TGroupCheck::focusOutEvent(QFocusEvent* event)
{
    GroupItem::focusOutEvent(event);
    // The focus has already moved on when the item hears that it lost it.
    if (event->reason() == Qt::BacktabFocusReason && QApplication::focusWidget() == group)
        static_cast<TCustomAdvOfficeCheckGroup*>(group)->backtabbedFromItem = true;
}

// ---------------------------------------------------------------------------------------------------------------
// TCustomAdvOfficeRadioGroup

TCustomAdvOfficeRadioGroup::TCustomAdvOfficeRadioGroup(QWidget* Owner) : OfficeGroupBase(Owner) {}

TAdvGroupButton* TCustomAdvOfficeRadioGroup::radio(int index) const
{
    return static_cast<TAdvGroupButton*>(button(index));
}

OfficeButtonBase* TCustomAdvOfficeRadioGroup::CreateItem()
{
    auto* item = new TAdvGroupButton(this);
    item->OnClick = [this](QObject* Sender) { ButtonClick(Sender); };
    return item;
}

bool TCustomAdvOfficeRadioGroup::itemEnabled(int index) const
{
    return isEnabled() && button(index)->isEnabledTo(this);
}

void TCustomAdvOfficeRadioGroup::ItemsChange()
{
    if (itemIndex >= GetItems().size())
        itemIndex = int(GetItems().size()) - 1;
    OfficeGroupBase::ItemsChange();
    if (itemIndex >= 0) {
        updating = true;
        radio(itemIndex)->SetChecked(true);
        updating = false;
    }
}

void TCustomAdvOfficeRadioGroup::SetItemIndex(int Value)
{
    Value = qBound(-1, Value, buttonCount() - 1);
    if (Value == itemIndex)
        return;
    if (itemIndex >= 0)
        radio(itemIndex)->SetChecked(false);
    itemIndex = Value;
    // Checking the item raises its click, which reaches the group's OnClick.
    if (itemIndex >= 0)
        radio(itemIndex)->SetChecked(true);
}

void TCustomAdvOfficeRadioGroup::ButtonClick(QObject* Sender)
{
    if (updating)
        return;
    itemIndex = indexOf(Sender);
    Click();
}

// ---------------------------------------------------------------------------------------------------------------
// TCustomAdvOfficeCheckGroup

TCustomAdvOfficeCheckGroup::TCustomAdvOfficeCheckGroup(QWidget* Owner) : OfficeGroupBase(Owner) {}

TGroupCheck* TCustomAdvOfficeCheckGroup::check(int index) const
{
    return static_cast<TGroupCheck*>(button(index));
}

OfficeButtonBase* TCustomAdvOfficeCheckGroup::CreateItem()
{
    auto* item = new TGroupCheck(this);
    item->OnClick = [this](QObject*) { ButtonClick(); };
    item->OnEnter = [this](QObject* Sender) { CheckFocus(Sender); };
    return item;
}

void TCustomAdvOfficeCheckGroup::Loaded()
{
    OfficeGroupBase::Loaded();
    SetValue(GetValue());
}

void TCustomAdvOfficeCheckGroup::checkIndex(int index) const
{
    if (index < 0 || index >= buttonCount())
        throw Exception(QStringLiteral("Invalid checkbox index"));
}

bool TCustomAdvOfficeCheckGroup::GetChecked(int Index) const
{
    checkIndex(Index);
    return check(Index)->GetChecked();
}

void TCustomAdvOfficeCheckGroup::SetChecked(int Index, bool Value)
{
    if (Index >= 0 && Index < buttonCount())
        check(Index)->SetChecked(Value);
}

bool TCustomAdvOfficeCheckGroup::GetReadOnly(int Index) const
{
    checkIndex(Index);
    return !check(Index)->isEnabledTo(this);
}

void TCustomAdvOfficeCheckGroup::SetReadOnly(int Index, bool Value)
{
    if (Index >= 0 && Index < buttonCount())
        check(Index)->setEnabled(!Value);
}

void TCustomAdvOfficeCheckGroup::SetValue(quint32 Value)
{
    value = Value;
    const int count = qMin(buttonCount(), valueBits);
    for (int i = 0; i < count; ++i)
        check(i)->SetChecked(Value & (1u << i));
}

void TCustomAdvOfficeCheckGroup::UpdateValue()
{
    quint32 mask = 0;
    const int count = qMin(buttonCount(), valueBits);
    for (int i = 0; i < count; ++i) {
        if (check(i)->GetChecked())
            mask |= 1u << i;
    }
    value = mask;
}

void TCustomAdvOfficeCheckGroup::ButtonClick()
{
    Click();
    UpdateValue();
}

void TCustomAdvOfficeCheckGroup::CheckFocus(QObject* Sender)
{
    focusedItem = indexOf(Sender);
}

void TCustomAdvOfficeCheckGroup::focusInEvent(QFocusEvent* event)
{
    OfficeGroupBase::focusInEvent(event);
    if (backtabbedFromItem) {
        backtabbedFromItem = false;
        focusPreviousChild();
        return;
    }
    if (focusedItem >= 0 && focusedItem < buttonCount()) {
        check(focusedItem)->setFocus(event->reason());
        update();
    }
}
