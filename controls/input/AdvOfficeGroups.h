// Group boxes that make their own items from a list of strings and lay them out column by column: the radio group
// (office radio buttons, the chosen one as ItemIndex) and the check group (office check boxes, their states by index
// or as the bit mask Value). The items take the group's look settings at every arrangement, report their clicks as
// the group's OnClick and pass their keys on to the group.
#pragma once

#include "AdvGroupBox.h"
#include "AdvOfficeButtons.h"

#include <QList>
#include <QStringList>
#include <functional>

// Asked for each item at every arrangement; Enabled enters as the state the group would give the item.
using TEnabledEvent = std::function<void(QObject* Sender, int ItemIndex, bool& Enabled)>;

// What the two groups share: the items, their columns and the settings passed to every item.
class OfficeGroupBase : public TAdvGroupBox
{
    Q_OBJECT
public:
    ~OfficeGroupBase() override;

    QStringList GetItems() const { return items; }
    // One item per string, captioned with it.
    void SetItems(const QStringList& Value);
    int GetColumns() const { return columns; }
    // Held within 1 to 16.
    void SetColumns(int Value);

    TAlignment GetAlignment() const { return alignment; }
    void SetAlignment(TAlignment Value);
    TTextLayout GetButtonVertAlign() const { return buttonVertAlign; }
    void SetButtonVertAlign(TTextLayout Value);
    bool GetEllipsis() const { return ellipsis; }
    void SetEllipsis(bool Value);
    // The image list of the items' markup and of the caption.
    void SetImages(TImageList* Value);
    TPictureContainer* GetPictureContainer() const { return pictureContainer; }
    void SetPictureContainer(TPictureContainer* Value);
    TColor GetShadowColor() const { return shadowColor; }
    void SetShadowColor(TColor Value);
    int GetShadowOffset() const { return shadowOffset; }
    void SetShadowOffset(int Value);

    quint32 GetVersionNr() const override { return 0x01010104; }

    // After the window is built: the items are arranged.
    virtual void Loaded();
    // Places the items column by column, the first column filled top to bottom first, and gives each the group's
    // settings and its enabled state.
    void ArrangeButtons();
    // The group's own key handling, which the items call after theirs.
    void PushKeyDown(int& Key, Qt::KeyboardModifiers Shift);
    void PushKey(QChar& Key);

    TNotifyEvent OnClick;
    TEnabledEvent OnIsEnabled;
    std::function<void(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift)> OnKeyDown;
    std::function<void(QObject* Sender, QChar& Key)> OnKeyPress;

protected:
    explicit OfficeGroupBase(QWidget* Owner);

    int buttonCount() const { return int(buttons.size()); }
    OfficeButtonBase* button(int index) const { return buttons.at(index); }
    int indexOf(QObject* item) const;
    // Makes the items follow the strings, then arranges them.
    virtual void ItemsChange();
    // A new item of the group's kind, with its events bound to the group.
    virtual OfficeButtonBase* CreateItem() = 0;
    // The state an item gets before OnIsEnabled is asked.
    virtual bool itemEnabled(int index) const { return isEnabled(); }
    void Click();

    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    template <class Button>
    friend class GroupItem;

    void SetButtonCount(int count);
    void forgetItem(OfficeButtonBase* item) { buttons.removeOne(item); }

    QList<OfficeButtonBase*> buttons;
    QStringList items;
    int columns = 1;
    TAlignment alignment = taLeftJustify;
    TTextLayout buttonVertAlign = tlTop;
    bool ellipsis = false;
    QPointer<TPictureContainer> pictureContainer;
    TColor shadowColor = clSilver;
    int shadowOffset = 1;
};

// An item of a group: made and freed by the group, it passes its keys on to the group after its own handling.
template <class Button>
class GroupItem : public Button
{
public:
    explicit GroupItem(OfficeGroupBase* Group);
    ~GroupItem() override;

protected:
    void KeyDown(int& Key, Qt::KeyboardModifiers Shift) override;
    void KeyPress(QChar& Key) override;

    OfficeGroupBase* group;
};

class TAdvGroupButton : public GroupItem<TAdvOfficeRadioButton>
{
public:
    using GroupItem::GroupItem;
};

class TGroupCheck : public GroupItem<TAdvOfficeCheckBox>
{
public:
    using GroupItem::GroupItem;

protected:
    void focusOutEvent(QFocusEvent* event) override;
};

class TCustomAdvOfficeRadioGroup : public OfficeGroupBase
{
    Q_OBJECT
public:
    explicit TCustomAdvOfficeRadioGroup(QWidget* Owner = nullptr);

    int GetItemIndex() const { return itemIndex; }
    // Held within -1 to the last item; checking the new item raises OnClick, unchecking the old one nothing.
    void SetItemIndex(int Value);

protected:
    void ItemsChange() override;
    OfficeButtonBase* CreateItem() override;
    bool itemEnabled(int index) const override;

private:
    void ButtonClick(QObject* Sender);
    TAdvGroupButton* radio(int index) const;

    int itemIndex = -1;
    // Set while the group itself checks an item: that is no click.
    bool updating = false;
};

class TAdvOfficeRadioGroup : public TCustomAdvOfficeRadioGroup
{
    Q_OBJECT
public:
    explicit TAdvOfficeRadioGroup(QWidget* Owner = nullptr) : TCustomAdvOfficeRadioGroup(Owner) {}
};

class TCustomAdvOfficeCheckGroup : public OfficeGroupBase
{
    Q_OBJECT
public:
    explicit TCustomAdvOfficeCheckGroup(QWidget* Owner = nullptr);

    void Loaded() override;
    // Raises Exception "Invalid checkbox index" for an index out of range.
    virtual bool GetChecked(int Index) const;
    // An index out of range does nothing; Value is left as it was.
    virtual void SetChecked(int Index, bool Value);
    // Raises Exception "Invalid checkbox index" for an index out of range.
    bool GetReadOnly(int Index) const;
    // Disables the item until the next arrangement; an index out of range does nothing.
    void SetReadOnly(int Index, bool Value);
    // Bit i for item i; only items 0 to 31 have a bit.
    quint32 GetValue() const { return value; }
    void SetValue(quint32 Value);
    bool GetTabStop() const { return focusPolicy() != Qt::NoFocus; }
    // Tab then reaches the group, which hands the focus to the item that had it last.
    void SetTabStop(bool Value) { setFocusPolicy(Value ? Qt::TabFocus : Qt::NoFocus); }

protected:
    OfficeButtonBase* CreateItem() override;
    void focusInEvent(QFocusEvent* event) override;

private:
    friend class TGroupCheck;

    void ButtonClick();
    void CheckFocus(QObject* Sender);
    void UpdateValue();
    TGroupCheck* check(int index) const;
    // Throws unless the index names an item.
    void checkIndex(int index) const;

    quint32 value = 0;
    int focusedItem = 0;
    // Set when Shift+Tab leaves an item for the group: the focus goes on backwards instead of back into the group.
    bool backtabbedFromItem = false;
};

class TAdvOfficeCheckGroup : public TCustomAdvOfficeCheckGroup
{
    Q_OBJECT
public:
    explicit TAdvOfficeCheckGroup(QWidget* Owner = nullptr) : TCustomAdvOfficeCheckGroup(Owner) {}
};
