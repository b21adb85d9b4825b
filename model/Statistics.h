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
};
