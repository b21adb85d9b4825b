// Numbers in the form of the process's locale, read at each use: its decimal and thousand separators, fixed and
// general formats, and reading a number back; and the separators of its short dates and times.
#pragma once

#include <QChar>
#include <QString>

QChar localeDecimalSeparator();
QChar localeThousandSeparator();
// The character between the day, month and year of a short date ('.' in Polish), and between hours and minutes.
QChar localeDateSeparator();
QChar localeTimeSeparator();
// Fixed decimals, with or without thousand separators.
QString formatNumber(double value, int decimals, bool thousands);
// The shortest form with up to 15 significant digits.
QString formatGeneral(double value);
// A number written with the locale's decimal separator (no thousand separators); 0 when it does not convert.
double parseLocaleNumber(const QString& text);
