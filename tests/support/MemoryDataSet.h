// A data set of numbered records held in memory, for the tests of data-aware controls: it moves and edits as a
// database table does, logs every command it runs and can be told to fail the next one.
#pragma once

#include "DataSet.h"
#include "Toolkit.h"

#include <QStringList>
#include <algorithm>

class MemoryDataSet : public TDataSet
{
public:
    explicit MemoryDataSet(int records = 0, QObject* parent = nullptr) : TDataSet(parent), count(records) {}

    void Open()
    {
        current = 0;
        bof = true;
        eof = count == 0;
        setState(dsBrowse);
    }
    void Close() { setState(dsInactive); }
    void SetReadOnly(bool value)
    {
        readOnly = value;
        Q_EMIT DataEvent(deDataSetChange);
    }
    int RecordCount() const { return count; }
    // The current record, from 0.
    int RecNo() const { return current; }

    TDataSetState GetState() const override { return state; }
    bool GetBof() const override { return bof; }
    bool GetEof() const override { return eof; }
    bool GetCanModify() const override { return !readOnly; }

    void First() override
    {
        run("First");
        moveTo(0);
        bof = true;
        Q_EMIT DataEvent(deDataSetChange);
    }
    void Prior() override
    {
        run("Prior");
        if (current > 0)
            moveTo(current - 1);
        else
            bof = true;
        Q_EMIT DataEvent(deDataSetChange);
    }
    void Next() override
    {
        run("Next");
        if (current < count - 1)
            moveTo(current + 1);
        else
            eof = true;
        Q_EMIT DataEvent(deDataSetChange);
    }
    void Last() override
    {
        run("Last");
        moveTo(std::max(count - 1, 0));
        eof = true;
        Q_EMIT DataEvent(deDataSetChange);
    }
    void Insert() override { beginInsert("Insert"); }
    void Append() override { beginInsert("Append"); }
    void Delete() override
    {
        run("Delete");
        refuseReadOnly();
        if (count == 0)
            throw Exception(QStringLiteral("Cannot perform this operation on an empty dataset"));
        --count;
        moveTo(std::min(current, std::max(count - 1, 0)));
        Q_EMIT DataEvent(deDataSetChange);
    }
    void Edit() override
    {
        run("Edit");
        refuseReadOnly();
        setState(dsEdit);
    }
    void Post() override
    {
        run("Post");
        if (state == dsInsert)
            ++count;
        bof = eof = false;
        setState(dsBrowse);
    }
    void Cancel() override
    {
        run("Cancel");
        bof = current == 0;
        eof = count == 0;
        setState(dsBrowse);
    }
    void Refresh() override
    {
        run("Refresh");
        Q_EMIT DataEvent(deDataSetChange);
    }

    // The commands run, in order, failed ones included.
    QStringList log;
    // Not empty: the next command raises an exception with this text.
    QString failWith;

private:
    void run(const char* command)
    {
        log.append(QString::fromLatin1(command));
        if (!failWith.isEmpty()) {
            const QString message = failWith;
            failWith.clear();
            throw Exception(message);
        }
    }
    void refuseReadOnly() const
    {
        if (readOnly)
            throw Exception(QStringLiteral("Cannot modify a read-only dataset"));
    }
    void beginInsert(const char* command)
    {
        run(command);
        refuseReadOnly();
        bof = eof = false;
        setState(dsInsert);
    }
    void moveTo(int record)
    {
        current = record;
        bof = count == 0 || (bof && record == 0);
        eof = count == 0;
    }
    void setState(TDataSetState value)
    {
        state = value;
        Q_EMIT DataEvent(deUpdateState);
    }

    TDataSetState state = dsInactive;
    int count;
    int current = 0;
    bool bof = true;
    bool eof = true;
    bool readOnly = false;
};
