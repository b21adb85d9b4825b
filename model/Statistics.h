// Totals and the frequency table of one kind of statistic (surnames, forenames, places of birth or death) as
// last gathered over all persons, with the label and value rows of the table built last for the start page.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <map>

class KV_Statistics
{
public:
    int CountAll = 0;
    int CountMen = 0;
    int CountWomen = 0;
    int CountLiving = 0;
    int CountDead = 0;
    // Key text -> number of persons; keys compared exactly.
    std::map<QString, int> Frequencies;
    QStringList RowLabels;
    // -1 marks a blank spacer row.
    QList<int> RowValues;

    // Zeroes the counters and empties the frequency table.
    void Reset();
    // The n most frequent keys, largest count first and equal counts in key order, with a blank row between
    // two keys. Returns the largest count, 0 when there is none.
    int BuildTopList(int n);
    // The eight rows of the totals table: all; women, men, no sex given; living, dead. Returns CountAll.
    int BuildSummaryRows();

private:
    void appendRow(const QString& label, int value);
};
