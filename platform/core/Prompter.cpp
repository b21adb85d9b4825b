#include "Prompter.h"

namespace {

class SilentPrompter : public Prompter
{
public:
    Answer ask(const QString&, const QString&, Buttons buttons, Icon) override
    {
        return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    }
};

SilentPrompter silent;
Prompter* installed = nullptr;

} // namespace

Prompter& prompter()
{
    return installed ? *installed : silent;
}

void setPrompter(Prompter* p)
{
    installed = p;
}

QString QuoteFileLine(QStringView line, qsizetype limit)
{
    QString quoted;
    qsizetype shown = 0;
    for (qsizetype i = 0; i < line.size(); ++i, ++shown) {
        if (shown == limit)
            return quoted + QChar(0x2026);
        const char16_t c = line[i].unicode();
        // C0 and C1 controls alike: none of them shows as anything readable.
        if (c < 0x20 || (c >= 0x7F && c <= 0x9F))
            quoted += QString::asprintf("\\x%02X", unsigned(c));
        else if (line[i].isHighSurrogate() && i + 1 < line.size())
            quoted += line.sliced(i++, 2);
        else
            quoted += line[i];
    }
    return quoted;
}
