#include "Clock.h"

namespace Clock {

namespace {
QDateTime fixedNow;
}

QDateTime now()
{
    return fixedNow.isValid() ? fixedNow : QDateTime::currentDateTime();
}

QDate today()
{
    return now().date();
}

void setFixedNow(const QDateTime& value)
{
    fixedNow = value;
}

} // namespace Clock
