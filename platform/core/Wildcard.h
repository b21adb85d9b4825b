// Matching texts against the patterns users and programs write with wildcards: the person search's words and
// the masks of the data folder's files.
#pragma once

#include <QString>
#include <QVarLengthArray>

// A pattern made ready once for matching many texts.
class WildcardPattern
{
public:
    explicit WildcardPattern(const QString& pattern);
    bool Matches(const QString& text) const;
    // The text as matching compares it, every character case-folded: a text folded once can be matched against
    // many patterns without being folded for each.
    static QString Fold(const QString& text);
    // Matches for a text that Fold has made.
    bool MatchesFolded(const QString& folded) const;

private:
    // Case-folded code points, so that "?" stands for one character even outside the basic plane.
    QVarLengthArray<char32_t, 64> pattern;
};

// True when the whole text matches the pattern: "*" stands for any run of characters (the empty one included)
// and "?" for any one character; letter case is ignored. Time is bounded by the text's length times the
// pattern's, whatever the pattern.
bool MatchesWildcard(const QString& text, const QString& pattern);
