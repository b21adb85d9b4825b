// GEDCOM dates as RMData's simple text, and names split into their parts.
#include "GedcomTestSupport.h"

#include "Unitdata.h"

TEST(GedcomDatesNamesTest, datesBecomeTheSimpleTextRMDataReads)
{
    struct Case
    {
        const char* gedcom;
        const char* simple;
    };
    const Case cases[] = {
        {"1900", "1900"},
        {"1 JAN 1900", "01-01-1900"},
        {"12 DEC 1900", "12-12-1900"},
        {"JAN 1900", "01-1900"},
        {"1 jan 1900", "01-01-1900"},
        {"  1   JAN  1900 ", "01-01-1900"},
        {"abt 1900", "około 1900"},
        {"ABT 1 JAN 1900", "około 01-01-1900"},
        {"CAL 1900", "około 1900"},
        {"EST 1900", "około 1900"},
        {"BEF 1900", "przed 1900"},
        {"AFT MAR 1900", "po 03-1900"},
        {"FROM 1900", "od 1900"},
        {"TO 1910", "do 1910"},
        {"FROM 1900 TO 1910", "1900 - 1910"},
        {"BET 1900 AND 1910", "1900 - 1910"},
        {"FROM 3 MAR 1900 TO 1910", "03-03-1900 - 1910"},
        {"BET 1 JAN 1900 AND 2 FEB 1901", "01-01-1900 - 02-02-1901"},
        // Years, days and months are padded to the widths RMData reads.
        {"ABT 794", "około 0794"},
        {"1 JAN 900", "01-01-0900"},
        {"5 MAY 33", "05-05-0033"},
        {"@#DGREGORIAN@ 1 JAN 1900", "01-01-1900"},
        {"FROM @#DGREGORIAN@ 1900 TO @#DGREGORIAN@ 1910", "1900 - 1910"},
        // What RMData cannot hold is no date.
        {"", ""},
        {"19A0", ""},
        {"BET 1900", ""},
        {"BET 1900 AND", ""},
        {"FROM 1900 TO", ""},
        {"INT 1900 (około)", ""},
        {"(nieznana)", ""},
        {"1699/00", ""},
        {"11 FEB 1699/00", ""},
        {"@#DJULIAN@ 1 JAN 1700", ""},
        {"@#DHEBREW@ 1 TSH 5000", ""},
        {"31 FEB 1900", ""},
        {"32 JAN 1900", ""},
        {"0", ""},
        {"12345", ""},
        {"1 XYZ 1900", ""},
        {"ABT", ""},
        {"ABT BEF 1900", ""},
        {"1900 B.C.", ""},
        {"1 2 JAN 1900", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(_Gedcom::ConvertDate(c.gedcom), QString(c.simple)) << c.gedcom;
}

TEST(GedcomDatesNamesTest, everyConvertedDateIsReadWholeByRMData)
{
    for (const char* gedcom : {"1 JAN 1900", "ABT 794", "BEF 1900", "FROM 1900 TO 1910", "TO MAR 1901"}) {
        RMData date;
        date.FromSimpleText(_Gedcom::ConvertDate(gedcom));
        EXPECT_FALSE(date.First.IsEmpty()) << gedcom;
    }
    RMData range;
    range.FromSimpleText(_Gedcom::ConvertDate("BET 1 JAN 1900 AND 1910"));
    EXPECT_EQ(range.Qualifier, '4');
    EXPECT_EQ(range.First.Day, 1);
    EXPECT_EQ(range.Second.Year, 1910);
}

TEST(GedcomDatesNamesTest, integersAreDecimalDigitsOnly)
{
    struct Case
    {
        const char* text;
        bool integer;
    };
    const Case cases[] = {
        {"0", true},    {"1900", true}, {"2147483647", true}, {"2147483648", false}, {"99999999999", false},
        {"-1", false},  {"+1", false},  {"0x10", false},      {"", false},           {"19 ", false},
        {" 19", false}, {"١٩", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(_Gedcom::IsInteger(QString(c.text)), c.integer) << c.text;
}

TEST(GedcomDatesNamesTest, fullNamesSplitIntoGivenNamesAndSurname)
{
    struct Case
    {
        const char* fullName;
        const char* givenBefore;
        const char* surnameBefore;
        const char* familyBefore;
        const char* given;
        const char* surname;
        const char* family;
    };
    const Case cases[] = {
        {"Jan /Nowak/", "", "", "", "Jan", "Nowak", "Nowak"},
        {"Jan Maria /Nowak/", "", "", "", "Jan Maria", "Nowak", "Nowak"},
        {"Jan /Nowak", "", "", "", "Jan", "Nowak", "Nowak"},
        {"Jan Nowak", "", "", "", "Jan Nowak", "", ""},
        {"Jan /Nowak/ Jr.", "", "", "", "Jan Jr.", "Nowak", "Nowak"},
        {"/Nowak/", "", "", "", "", "Nowak", "Nowak"},
        {"Jan //", "", "", "", "Jan", "", ""},
        {" Jan  /  Nowak  / ", "", "", "", "Jan", "Nowak", "Nowak"},
        {"Jan /de la Cruz/ /y Pérez/", "", "", "", "Jan /y Pérez/", "de la Cruz", "de la Cruz"},
        // Parts the file gave separately win; the other part still comes from the full name.
        {"J. /Nowak/", "Jan", "", "", "Jan", "Nowak", "Nowak"},
        {"Jan /Nowak/", "", "Kowalski", "", "Jan", "Kowalski", "Kowalski"},
        {"Anna /Kowalska/", "", "", "Nowak", "Anna", "Kowalska", "Nowak"},
        {"", "", "Nowak", "", "", "Nowak", "Nowak"},
        {"", "", "", "", "", "", ""},
    };
    for (const Case& c : cases) {
        _Osoba person;
        person.fullName = c.fullName;
        person.givenNames = c.givenBefore;
        person.surname = c.surnameBefore;
        person.familyName = c.familyBefore;
        SplitPersonName(person);
        EXPECT_EQ(person.givenNames, QString(c.given)) << c.fullName;
        EXPECT_EQ(person.surname, QString(c.surname)) << c.fullName;
        EXPECT_EQ(person.familyName, QString(c.family)) << c.fullName;

        const _Osoba once = person;
        SplitPersonName(person);
        EXPECT_EQ(person.givenNames, once.givenNames) << c.fullName;
        EXPECT_EQ(person.surname, once.surname) << c.fullName;
        EXPECT_EQ(person.familyName, once.familyName) << c.fullName;
    }
}
