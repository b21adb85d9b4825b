// Finding persons by words and filters, and ordering them for the lists that show them.
#pragma once

#include <QString>

// True when the whole text matches the pattern: "*" stands for any run of characters (the empty one included)
// and "?" for any one character; letter case is ignored.
bool MatchesWildcard(const QString& text, const QString& pattern);
