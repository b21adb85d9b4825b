// A date as its stored form keeps it, for comparing a date read with the same date stored and read again.
#pragma once

#include "Unitdata.h"

#include <QString>

inline QString storedDateKey(const RMData& date)
{
    if (date.Unknown)
        return QStringLiteral("N.N.");
    const auto part = [](const RMDataPart& p) {
        return QStringLiteral("%1.%2.%3").arg(p.Day).arg(p.Month).arg(p.Year);
    };
    // The qualifier of an empty date qualifies nothing; the end of a range, though, is a date that must not be lost.
    const QString qualifier = date.First.IsEmpty() ? QString() : QString(QChar::fromLatin1(date.Qualifier));
    return qualifier + u' ' + part(date.First) + QStringLiteral(" - ") + part(date.Second);
}
