#include "AdvEditFormat.h"

#include <QLocale>
#include <cmath>

QChar localeDecimalSeparator()
{
    const QString separator = QLocale().decimalPoint();
    return separator.isEmpty() ? QChar(u'.') : separator.front();
}

QChar localeThousandSeparator()
{
    const QString separator = QLocale().groupSeparator();
    return separator.isEmpty() ? QChar(u',') : separator.front();
}

namespace {

// The first character of a date or time format that is no field letter.
QChar formatSeparator(const QString& format, QChar fallback)
{
    for (const QChar ch : format) {
        if (!ch.isLetter() && ch != u'\'')
            return ch;
    }
    return fallback;
}

} // namespace

QChar localeDateSeparator()
{
    return formatSeparator(QLocale().dateFormat(QLocale::ShortFormat), u'/');
}

QChar localeTimeSeparator()
{
    return formatSeparator(QLocale().timeFormat(QLocale::ShortFormat), u':');
}

QString formatNumber(double value, int decimals, bool thousands)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    // A value that rounds to nothing shows as 0, never as "-0".
    if (std::fabs(value) < 0.5 * std::pow(10.0, -decimals))
        value = 0;
    QString text = locale.toString(value, 'f', decimals);
    if (!thousands)
        return text;
    // Every three digits, also in a four-digit number (the locale's own rule may leave those whole): the typing
    // rules of the money edit expect the separators there.
    const qsizetype digitsStart = text.startsWith(locale.negativeSign()) ? locale.negativeSign().size() : 0;
    qsizetype digitsEnd = text.indexOf(localeDecimalSeparator());
    if (digitsEnd < 0)
        digitsEnd = text.size();
    for (qsizetype at = digitsEnd - 3; at > digitsStart; at -= 3)
        text.insert(at, localeThousandSeparator());
    return text;
}

QString formatGeneral(double value)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'g', 15);
}

double parseLocaleNumber(const QString& text)
{
    QString plain = text.trimmed();
    const QChar decimal = localeDecimalSeparator();
    if (decimal != u'.') {
        if (plain.contains(u'.'))
            return 0;
        plain.replace(decimal, u'.');
    }
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = c.toDouble(plain, &ok);
    return ok ? value : 0;
}
