// A panel that holds panels and arranges them: stacked top to bottom in one or more columns, or side by side, with
// paddings and a scroll bar when they do not fit. Its panels tell it when they collapse, expand, move or size.
#pragma once

#include "AdvPanel.h"

#include <QList>
#include <QPointer>

class QScrollBar;

enum TGroupStyle { gsVertical, gsHorizontal };

class TAdvPanelGroup : public TAdvPanel
{
    Q_OBJECT
public:
    explicit TAdvPanelGroup(QWidget* Owner = nullptr);
    ~TAdvPanelGroup() override;

    // Columns of the vertical arrangement; 0 or less is ignored.
    int GetColumns() const { return columns; }
    void SetColumns(int Value);
    // The settings new panels start with; setting it copies them.
    TAdvPanelSettings& GetDefaultPanel() { return defaultPanel; }
    void SetDefaultPanel(const TAdvPanelSettings& Value) { defaultPanel.Assign(Value); }
    TGroupStyle GetGroupStyle() const { return groupStyle; }
    void SetGroupStyle(TGroupStyle Value);
    // Holds the panels' painting while they are arranged.
    bool GetScrollSmooth() const { return scrollSmooth; }
    void SetScrollSmooth(bool Value) { scrollSmooth = Value; }
    int GetHorzPadding() const { return horzPadding; }
    void SetHorzPadding(int Value);
    int GetVertPadding() const { return vertPadding; }
    void SetVertPadding(int Value);
    QScrollBar* GetScrollBar() const { return scrollBar; }

    // A new panel with the default settings, at the end or at an index of the group's order.
    TCustomAdvPanel* AddPanel();
    TCustomAdvPanel* InsertPanel(int Index);
    // Destroys the panel at the index; an index outside the group is ignored.
    void RemovePanel(int Index);
    void MovePanel(int FromIndex, int ToIndex);
    // Raises EListError for an index outside the group.
    TCustomAdvPanel* GetPanel(int Index) const;
    // Gives the panel at the index the given panel's settings.
    void SetPanel(int Index, const TCustomAdvPanel* Value);
    int GetPanelCount() const { return int(panels.size()); }
    // Destroys every panel.
    void Clear();
    // The group's order taken again from its child panels.
    void InitPanels();
    void OpenAllPanels();
    void CloseAllPanels();
    // Arranging waits for the outermost EndUpdate.
    void BeginUpdate();
    void EndUpdate();
    void UpdateGroup();
    // Every panel's position under the group's Key, in a section named after the panel.
    void LoadPanelPositions();
    void SavePanelPositions();

    void ChildPanelChanged(TCustomAdvPanel* Panel);
    void StateChange() override;
    void Loaded();
    void ArrangeControls();
    void UpdateScrollbar();
    // The room the panels need across the arrangement: the scroll bar shows when the group is smaller.
    int PanelHeights() const;
    int PanelWidths() const;

    void AlignControls(QWidget* Control, TRect& R) override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    TCustomAdvPanel* newPanel(int index);
    void renumber();
    QList<TCustomAdvPanel*> childPanels() const;
    void sortPanels(QList<TCustomAdvPanel*>& children, bool vertical) const;
    void arrangeVertically(QList<TCustomAdvPanel*> children);
    void arrangeHorizontally(QList<TCustomAdvPanel*> children);
    void withPositionOfGroup(const std::function<void(TCustomAdvPanel*)>& action);
    void Scroll();

    int columns = 1;
    TAdvPanelSettings defaultPanel;
    TGroupStyle groupStyle = gsVertical;
    bool scrollSmooth = false;
    int horzPadding = 8;
    int vertPadding = 8;
    int updateCount = 0;
    bool arranging = false;
    bool sortByIndex = false;
    QScrollBar* scrollBar;
    QList<QPointer<TCustomAdvPanel>> panels;
    QSize lastSize;
    // The wheel turned since the last whole notch (angle units).
    int wheelRest = 0;
};
