#include "DataSet.h"

TDataSource::~TDataSource()
{
    const QList<TDataLink*> attached = links;
    for (TDataLink* link : attached)
        link->SetDataSource(nullptr);
}

void TDataSource::SetDataSet(TDataSet* value)
{
    if (value == dataSet)
        return;
    QObject::disconnect(events);
    QObject::disconnect(removed);
    dataSet = value;
    if (dataSet) {
        events = connect(dataSet, &TDataSet::DataEvent, this, &TDataSource::dataEvent);
        // A data set that goes away leaves the source without one.
        removed = connect(dataSet, &QObject::destroyed, this, [this] {
            dataSet = nullptr;
            dataEvent(deUpdateState);
        });
    }
    dataEvent(deUpdateState);
}

void TDataSource::dataEvent(TDataEvent event)
{
    // A link may detach itself from inside its hook.
    const QList<TDataLink*> attached = links;
    for (TDataLink* link : attached) {
        if (links.contains(link))
            link->dataEvent(event);
    }
}

TDataLink::~TDataLink()
{
    if (dataSource)
        dataSource->links.removeOne(this);
}

void TDataLink::SetDataSource(TDataSource* value)
{
    if (value == dataSource)
        return;
    if (dataSource)
        dataSource->links.removeOne(this);
    dataSource = value;
    if (dataSource)
        dataSource->links.append(this);
    updateState();
}

void TDataLink::dataEvent(TDataEvent event)
{
    if (event == deUpdateState)
        updateState();
    else if (active)
        DataSetChanged();
}

void TDataLink::updateState()
{
    const bool nowActive = dataSource && dataSource->GetState() != dsInactive;
    if (nowActive != active) {
        active = nowActive;
        ActiveChanged();
    }
    const TDataSetState state = dataSource ? dataSource->GetState() : dsInactive;
    const bool nowEditing = active && (state == dsEdit || state == dsInsert);
    if (nowEditing != editing) {
        editing = nowEditing;
        EditingChanged();
    }
}
