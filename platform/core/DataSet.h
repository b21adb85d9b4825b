// The data-set layer that data-aware controls stand on: a data set (records with a current one, a state and the
// commands that move through and edit them), the data source that controls attach to, and the data link through
// which one control hears when the data set opens or closes, its records change, or editing begins or ends.
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

enum TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert };
// What a data set reports: its state changed, or its records or the current record did.
enum TDataEvent { deUpdateState, deDataSetChange };

// A set of records. A data set that is not open is inactive; BOF and EOF say that the current record is the first
// or the last one (both: the set is empty).
class TDataSet : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    virtual TDataSetState GetState() const = 0;
    virtual bool GetBof() const = 0;
    virtual bool GetEof() const = 0;
    virtual bool GetCanModify() const = 0;

    virtual void First() = 0;
    virtual void Prior() = 0;
    virtual void Next() = 0;
    virtual void Last() = 0;
    // A new record before the current one, or after the last one; both begin inserting.
    virtual void Insert() = 0;
    virtual void Append() = 0;
    virtual void Delete() = 0;
    virtual void Edit() = 0;
    // Stores or drops the record being edited or inserted.
    virtual void Post() = 0;
    virtual void Cancel() = 0;
    virtual void Refresh() = 0;

Q_SIGNALS:
    void DataEvent(TDataEvent event);
};

class TDataLink;

// What data-aware controls attach to: one data set (not owned), whose events it passes to their links.
class TDataSource : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    // The links attached to the source are detached: their controls see an inactive link.
    ~TDataSource() override;

    TDataSet* GetDataSet() const { return dataSet; }
    void SetDataSet(TDataSet* value);
    // The data set's state; dsInactive without one.
    TDataSetState GetState() const { return dataSet ? dataSet->GetState() : dsInactive; }

private:
    friend class TDataLink;

    void dataEvent(TDataEvent event);

    QPointer<TDataSet> dataSet;
    QMetaObject::Connection events;
    QMetaObject::Connection removed;
    QList<TDataLink*> links;
};

// One control's tie to a data source. It is active while the source has an open data set, and editing while that
// set edits or inserts a record; the hooks run when these change and when the records change.
class TDataLink
{
public:
    TDataLink() = default;
    virtual ~TDataLink();
    TDataLink(const TDataLink&) = delete;
    TDataLink& operator=(const TDataLink&) = delete;

    TDataSource* GetDataSource() const { return dataSource; }
    void SetDataSource(TDataSource* value);
    TDataSet* GetDataSet() const { return dataSource ? dataSource->GetDataSet() : nullptr; }
    bool GetActive() const { return active; }
    bool GetEditing() const { return editing; }

protected:
    virtual void ActiveChanged() {}
    virtual void DataSetChanged() {}
    virtual void EditingChanged() {}

private:
    friend class TDataSource;

    void dataEvent(TDataEvent event);
    void updateState();

    TDataSource* dataSource = nullptr;
    bool active = false;
    bool editing = false;
};
