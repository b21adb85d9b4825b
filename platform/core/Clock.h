// The program's one source of "now", so that tests can fix the day that anniversaries and the update check
// are computed from.
#pragma once

#include <QDateTime>

namespace Clock {

QDateTime now();
QDate today();
// Fixes the time that now() returns; an invalid value goes back to the system clock.
void setFixedNow(const QDateTime& value);

} // namespace Clock
