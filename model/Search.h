// Finding persons by words and filters, and ordering them for the lists that show them. The operations
// themselves are members of KV_DB (SearchPersons, SortPersons, SortByName); this unit adds the comparison they
// sort with.
#pragma once

class KV_Person;

// The sort key (the value of a PersonSortKey) and direction of the latest KV_DB::SortPersons; ComparePersons reads
// them.
extern int gSortKey;
extern bool gSortAscending;

// True when a is to stand before b under gSortKey and gSortAscending. Names and places follow Polish
// collation, ties broken by UTF-16 code units; keys 3 to 21 order persons with equal keys by name, ascending.
bool ComparePersons(const KV_Person* a, const KV_Person* b);
