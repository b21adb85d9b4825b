// Every date reader on arbitrary text: what the user types, the stored form of the object files, the simple form
// of foreign data, and a GEDCOM date through its conversion to the simple form. A date any of them reads must be
// the same date once stored and read again, and a GEDCOM date the conversion keeps must be a date.
#include "FuzzSupport.h"
#include "StoredDate.h"
#include "Unitdata.h"
#include "_gedcom.h"

#include <QCoreApplication>

namespace {

void checkStoredAgain(const RMData& date, const char* reader, const QString& text)
{
    date.ToDisplayText(false, true);
    date.ToDisplayText(true, true);
    date.GetSortKey();
    const QString stored = date.ToStorageText();
    RMData again;
    again.FromStorageText(stored);
    FUZZ_CHECK(storedDateKey(again) == storedDateKey(date),
               QStringLiteral("%1 reader: \"%2\" read as %3, stored as \"%4\", read back as %5")
                   .arg(QLatin1String(reader), text, storedDateKey(date), stored, storedDateKey(again)));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    startApplication<QCoreApplication>("fuzz_dates");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = inputText(data, size);

    RMData typed;
    const bool valid = typed.FromText(text) == 1;
    FUZZ_CHECK(IsValidDateText(text) == (valid || text.isEmpty() || text == QStringLiteral("N.N.")), text);
    // A typed date is stored only once it is valid.
    if (valid)
        checkStoredAgain(typed, "typed", text);

    RMData stored;
    stored.FromStorageText(text);
    checkStoredAgain(stored, "stored", text);

    RMData simple;
    simple.FromSimpleText(text);
    checkStoredAgain(simple, "simple", text);

    const QString converted = _Gedcom::ConvertDate(text);
    RMData gedcom;
    gedcom.FromSimpleText(converted);
    FUZZ_CHECK(converted.isEmpty() || !gedcom.IsEmpty(), text + QStringLiteral(" -> ") + converted);
    checkStoredAgain(gedcom, "GEDCOM", text + QStringLiteral(" -> ") + converted);
    return 0;
}
