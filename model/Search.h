// Finding persons by words and filters, and ordering them for the lists that show them. The operations
// themselves are members of KV_DB (SearchPersons, SortPersons, SortByName); this unit adds the comparison they
// sort with.
#pragma once

class KV_Person;

// The sort key and direction of the latest KV_DB::SortPersons; ComparePersons reads them.
// Keys: 1 surname, 2 given names, 3 sex, 10 birth date, 11 birth place, 20 death date, 21 death place,
// 30 "surname, given names", 100 creation time.
extern int gSortKey;
extern bool gSortAscending;

// True when a is to stand before b under gSortKey and gSortAscending. Names and places follow Polish
// collation, ties broken by UTF-16 code units; keys 3 to 21 order persons with equal keys by name, ascending.
bool ComparePersons(const KV_Person* a, const KV_Person* b);
