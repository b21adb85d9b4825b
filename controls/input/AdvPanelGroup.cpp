#include "AdvPanelGroup.h"

#include <QScrollBar>
#include <QWheelEvent>

namespace {

constexpr int scrollBarThickness = 16;
constexpr int smallChange = 2;
constexpr int initialLargeChange = 20;
// One notch of the wheel turns this many small changes.
constexpr int wheelSmallChanges = 2;
constexpr int wheelNotch = 120;

bool shown(const QWidget* w)
{
    return !w->isHidden();
}

// A bubble sort that swaps neighbours only when the first key is greater, so equal keys keep their order.
template <class Key>
void stableSort(QList<TCustomAdvPanel*>& list, Key key)
{
    for (qsizetype end = list.size(); end > 1; --end) {
        for (qsizetype i = 0; i + 1 < end; ++i) {
            if (key(list[i]) > key(list[i + 1]))
                list.swapItemsAt(i, i + 1);
        }
    }
}

} // namespace

TAdvPanelGroup::TAdvPanelGroup(QWidget* Owner) : TAdvPanel(Owner), scrollBar(new QScrollBar(Qt::Vertical, this))
{
    scrollBar->setFocusPolicy(Qt::NoFocus);
    scrollBar->setSingleStep(smallChange);
    scrollBar->setPageStep(initialLargeChange);
    scrollBar->setRange(0, 0);
    scrollBar->resize(scrollBarThickness, scrollBar->height());
    scrollBar->hide();
    SetAlign(scrollBar, alRight);
    connect(scrollBar, &QScrollBar::valueChanged, this, [this] { Scroll(); });
}

TAdvPanelGroup::~TAdvPanelGroup()
{
    // The panels go before the group stops being one: none of them reports to a half-destroyed group.
    updateCount = 1;
    for (const QPointer<TCustomAdvPanel>& panel : panels)
        delete panel.data();
}

QList<TCustomAdvPanel*> TAdvPanelGroup::childPanels() const
{
    QList<TCustomAdvPanel*> result;
    for (QObject* child : children()) {
        if (auto* panel = qobject_cast<TCustomAdvPanel*>(child))
            result.append(panel);
    }
    return result;
}

void TAdvPanelGroup::SetColumns(int Value)
{
    if (Value <= 0)
        return;
    columns = Value;
    UpdateScrollbar();
    ArrangeControls();
    UpdateScrollbar();
}

void TAdvPanelGroup::SetGroupStyle(TGroupStyle Value)
{
    if (Value == groupStyle)
        return;
    groupStyle = Value;
    UpdateScrollbar();
    ArrangeControls();
}

void TAdvPanelGroup::SetHorzPadding(int Value)
{
    if (Value == horzPadding)
        return;
    horzPadding = Value;
    ArrangeControls();
}

void TAdvPanelGroup::SetVertPadding(int Value)
{
    if (Value == vertPadding)
        return;
    vertPadding = Value;
    ArrangeControls();
}

// A new panel starts at the group's top edge: it takes its place by the group's order, not by its Top, or every
// new panel would come first.
TCustomAdvPanel* TAdvPanelGroup::newPanel(int index)
{
    auto* panel = new TCustomAdvPanel(this);
    panel->AssignSettings(defaultPanel);
    panel->show();
    panels.insert(index, panel);
    renumber();
    UpdateScrollbar();
    sortByIndex = true;
    ArrangeControls();
    sortByIndex = false;
    UpdateScrollbar();
    return panel;
}

TCustomAdvPanel* TAdvPanelGroup::AddPanel()
{
    return newPanel(int(panels.size()));
}

TCustomAdvPanel* TAdvPanelGroup::InsertPanel(int Index)
{
    return newPanel(qBound(0, Index, int(panels.size())));
}

void TAdvPanelGroup::renumber()
{
    for (int i = 0; i < panels.size(); ++i) {
        if (panels[i])
            panels[i]->SetIndex(i);
    }
}

void TAdvPanelGroup::RemovePanel(int Index)
{
    if (Index < 0 || Index >= panels.size())
        return;
    delete panels.takeAt(Index).data();
    renumber();
    // The panels left may fit without the bar, and must not stay scrolled by it.
    UpdateScrollbar();
    ArrangeControls();
    UpdateScrollbar();
}

void TAdvPanelGroup::MovePanel(int FromIndex, int ToIndex)
{
    if (FromIndex < 0 || FromIndex >= panels.size() || ToIndex < 0 || ToIndex >= panels.size())
        return;
    panels.move(FromIndex, ToIndex);
    renumber();
    sortByIndex = true;
    ArrangeControls();
    sortByIndex = false;
}

TCustomAdvPanel* TAdvPanelGroup::GetPanel(int Index) const
{
    if (Index < 0 || Index >= panels.size())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    return panels[Index];
}

void TAdvPanelGroup::SetPanel(int Index, const TCustomAdvPanel* Value)
{
    GetPanel(Index)->Assign(Value);
}

void TAdvPanelGroup::Clear()
{
    for (TCustomAdvPanel* panel : childPanels())
        delete panel;
    panels.clear();
    UpdateScrollbar();
}

void TAdvPanelGroup::InitPanels()
{
    panels.clear();
    for (TCustomAdvPanel* panel : childPanels())
        panels.append(panel);
}

void TAdvPanelGroup::OpenAllPanels()
{
    BeginUpdate();
    for (TCustomAdvPanel* panel : childPanels())
        panel->SetCollaps(false);
    EndUpdate();
}

void TAdvPanelGroup::CloseAllPanels()
{
    BeginUpdate();
    for (TCustomAdvPanel* panel : childPanels())
        panel->SetCollaps(true);
    EndUpdate();
    update();
}

void TAdvPanelGroup::BeginUpdate()
{
    setUpdatesEnabled(false);
    ++updateCount;
}

void TAdvPanelGroup::EndUpdate()
{
    if (updateCount <= 0)
        return;
    if (--updateCount > 0)
        return;
    setUpdatesEnabled(true);
    UpdateScrollbar();
    ArrangeControls();
    UpdateScrollbar();
}

void TAdvPanelGroup::UpdateGroup()
{
    ArrangeControls();
    UpdateScrollbar();
    resize(width(), height() + 1);
    resize(width(), height() - 1);
}

// Each panel uses the group's store for a moment, in a section named after it.
void TAdvPanelGroup::withPositionOfGroup(const std::function<void(TCustomAdvPanel*)>& action)
{
    for (TCustomAdvPanel* panel : childPanels()) {
        TPanelPosition own;
        own.Assign(panel->GetPosition());
        panel->GetPosition().Assign(GetPosition());
        panel->GetPosition().SetSection(panel->objectName());
        action(panel);
        panel->GetPosition().Assign(own);
    }
}

void TAdvPanelGroup::LoadPanelPositions()
{
    withPositionOfGroup([](TCustomAdvPanel* panel) { panel->LoadPosition(); });
}

void TAdvPanelGroup::SavePanelPositions()
{
    withPositionOfGroup([](TCustomAdvPanel* panel) { panel->SavePosition(); });
}

void TAdvPanelGroup::ChildPanelChanged(TCustomAdvPanel*)
{
    UpdateScrollbar();
    ArrangeControls();
}

void TAdvPanelGroup::StateChange()
{
    ArrangeControls();
    UpdateScrollbar();
}

void TAdvPanelGroup::Loaded()
{
    TAdvPanel::Loaded();
    resize(width() + 1, height());
    resize(width() - 1, height());
    UpdateScrollbar();
    ArrangeControls();
    InitPanels();
}

void TAdvPanelGroup::ArrangeControls()
{
    if (arranging || updateCount > 0)
        return;
    arranging = true;
    if (groupStyle == gsVertical)
        arrangeVertically(childPanels());
    else
        arrangeHorizontally(childPanels());
    arranging = false;
    update();
}

// In the group's order right after a panel was added or moved, else by where the panels are along the arrangement.
void TAdvPanelGroup::sortPanels(QList<TCustomAdvPanel*>& children, bool vertical) const
{
    if (sortByIndex)
        stableSort(children, [](const TCustomAdvPanel* p) { return p->GetIndex(); });
    else if (vertical)
        stableSort(children, [](const TCustomAdvPanel* p) { return p->y(); });
    else
        stableSort(children, [](const TCustomAdvPanel* p) { return p->x(); });
}

void TAdvPanelGroup::arrangeVertically(QList<TCustomAdvPanel*> children)
{
    ++updateCount;
    sortPanels(children, true);
    const bool scrolled = shown(scrollBar);
    int y = vertPadding - (scrolled ? scrollBar->value() : 0);
    if (GetCaption().GetVisible())
        y += GetCaption().GetHeight();
    const int barWidth = scrolled ? scrollBar->width() : 0;
    const int columnWidth = (width() - 2 * horzPadding - barWidth) / columns;
    const int columnStep = (width() - barWidth - horzPadding) / columns;
    for (int i = 0; i < children.size(); ++i) {
        TCustomAdvPanel* panel = children[i];
        if (scrollSmooth && shown(panel))
            panel->setUpdatesEnabled(false);
        panel->move(columnStep * (i % columns) + horzPadding, y);
        panel->SetWidth(columnWidth);
        if (shown(panel) && (i + 1) % columns == 0)
            y += panel->height() + vertPadding;
    }
    for (TCustomAdvPanel* panel : children) {
        if (scrollSmooth && shown(panel))
            panel->setUpdatesEnabled(true);
        panel->update();
    }
    --updateCount;
}

void TAdvPanelGroup::arrangeHorizontally(QList<TCustomAdvPanel*> children)
{
    sortPanels(children, false);
    const bool scrolled = shown(scrollBar);
    int x = horzPadding - (scrolled ? scrollBar->value() : 0);
    const int panelHeight = height() - 2 * vertPadding - (scrolled ? scrollBar->height() : 0);
    for (TCustomAdvPanel* panel : children) {
        panel->move(x, vertPadding);
        panel->SetHeight(panelHeight);
        if (shown(panel))
            x += panel->width() + horzPadding;
    }
}

// The bar runs along the arrangement, at the right for stacked panels and at the bottom for panels side by side,
// and shows exactly while the panels need more room than the group has.
void TAdvPanelGroup::UpdateScrollbar()
{
    if (updateCount >= 1)
        return;
    const bool vertical = groupStyle == gsVertical;
    scrollBar->setOrientation(vertical ? Qt::Vertical : Qt::Horizontal);
    if (vertical && GetAlign(scrollBar) == alBottom)
        SetAlign(scrollBar, alRight);
    if (!vertical && GetAlign(scrollBar) == alRight)
        SetAlign(scrollBar, alBottom);
    if (vertical)
        scrollBar->resize(scrollBarThickness, scrollBar->height());
    else
        scrollBar->resize(scrollBar->width(), scrollBarThickness);
    const int total = vertical ? PanelHeights() : PanelWidths();
    const int extent = vertical ? height() : width();
    const bool needed = extent < total && total > 0;
    if (needed) {
        // The bar's range ends where the last page starts.
        scrollBar->setPageStep(extent);
        scrollBar->setMaximum(total - extent);
    }
    if (needed != shown(scrollBar))
        scrollBar->setVisible(needed);
    scrollBar->update();
}

int TAdvPanelGroup::PanelHeights() const
{
    int total = vertPadding;
    int count = 0;
    for (QObject* child : children()) {
        auto* control = qobject_cast<QWidget*>(child);
        if (!control || control->isWindow())
            continue;
        ++count;
        auto* panel = qobject_cast<TCustomAdvPanel*>(control);
        if (panel && shown(panel) && count % columns == 0)
            total += panel->height() + vertPadding;
    }
    return total;
}

int TAdvPanelGroup::PanelWidths() const
{
    int total = horzPadding;
    for (TCustomAdvPanel* panel : childPanels()) {
        if (shown(panel))
            total += panel->width() + horzPadding;
    }
    return total;
}

void TAdvPanelGroup::AlignControls(QWidget* Control, TRect& R)
{
    TAdvPanel::AlignControls(Control, R);
    UpdateScrollbar();
}

void TAdvPanelGroup::resizeEvent(QResizeEvent* event)
{
    TAdvPanel::resizeEvent(event);
    if (size() != lastSize) {
        lastSize = size();
        ArrangeControls();
    }
    UpdateScrollbar();
}

void TAdvPanelGroup::wheelEvent(QWheelEvent* event)
{
    // A touchpad turns the wheel by parts of a notch: they add up until they make whole notches.
    wheelRest += event->angleDelta().y();
    const int notches = wheelRest / wheelNotch;
    wheelRest -= notches * wheelNotch;
    scrollBar->setValue(scrollBar->value() - notches * wheelSmallChanges * smallChange);
    event->accept();
}

void TAdvPanelGroup::Scroll()
{
    ArrangeControls();
}
