#include "Wildcard.h"

#include <algorithm>

namespace {

using CodePoints = QVarLengthArray<char32_t, 64>;

CodePoints foldedCodePoints(const QString& text)
{
    CodePoints result;
    const qsizetype n = text.size();
    result.reserve(n);
    for (qsizetype i = 0; i < n; ++i) {
        char32_t c = text[i].unicode();
        // File names and most words are plain ASCII: fold those without a table lookup.
        if (c < 0x80) {
            result.append(c >= U'A' && c <= U'Z' ? c + (U'a' - U'A') : c);
            continue;
        }
        if (QChar::isHighSurrogate(c) && i + 1 < n && text[i + 1].isLowSurrogate())
            c = QChar::surrogateToUcs4(char16_t(c), text[++i].unicode());
        result.append(QChar::toCaseFolded(c));
    }
    return result;
}

// A text of ASCII characters only, folded character by character as the matching reads it: a listing matches
// hundreds of thousands of such names, and most of them fail at their first character.
class AsciiFolded
{
public:
    explicit AsciiFolded(const QString& text) : text(text.utf16()), length(text.size()) {}
    qsizetype size() const { return length; }
    char32_t operator[](qsizetype i) const
    {
        const char32_t c = text[i];
        return c >= U'A' && c <= U'Z' ? c + (U'a' - U'A') : c;
    }

private:
    const ushort* text;
    qsizetype length;
};

// A text folded already, read as it stands; it holds no surrogates, so each code unit is one character.
class Folded
{
public:
    explicit Folded(const QString& text) : text(text.utf16()), length(text.size()) {}
    qsizetype size() const { return length; }
    char32_t operator[](qsizetype i) const { return text[i]; }

private:
    const ushort* text;
    qsizetype length;
};

template <typename Text>
bool segmentMatchesAt(const Text& text, qsizetype at, const char32_t* segment, qsizetype length)
{
    for (qsizetype i = 0; i < length; ++i) {
        if (segment[i] != U'?' && segment[i] != text[at + i])
            return false;
    }
    return true;
}

// The pattern is cut at each "*" into segments. The first segment must match at the start of the text and the
// last one at its end; each middle segment is taken at its leftmost place after the one before, which is always
// the best choice since a later place can only leave less room. No step is ever undone, so the time stays
// bounded by the text's length times the pattern's, whatever the pattern.
template <typename Text>
bool matchesFolded(const CodePoints& pattern, const Text& t)
{
    const char32_t* const pBegin = pattern.constData();
    const char32_t* const pEnd = pBegin + pattern.size();

    const char32_t* firstStar = std::find(pBegin, pEnd, U'*');
    if (firstStar == pEnd)
        return t.size() == pattern.size() && segmentMatchesAt(t, 0, pBegin, pattern.size());

    const char32_t* lastStar = pEnd - 1;
    while (*lastStar != U'*')
        --lastStar;
    const qsizetype prefix = firstStar - pBegin;
    const qsizetype suffix = pEnd - lastStar - 1;
    if (prefix + suffix > t.size() || !segmentMatchesAt(t, 0, pBegin, prefix) ||
        !segmentMatchesAt(t, t.size() - suffix, lastStar + 1, suffix)) {
        return false;
    }

    qsizetype from = prefix;
    const qsizetype to = t.size() - suffix;
    const char32_t* segment = firstStar + 1;
    while (segment < lastStar) {
        const char32_t* segmentEnd = std::find(segment, lastStar, U'*');
        const qsizetype length = segmentEnd - segment;
        while (from + length <= to && !segmentMatchesAt(t, from, segment, length))
            ++from;
        if (from + length > to)
            return false;
        from += length;
        segment = segmentEnd + 1;
    }
    return true;
}

} // namespace

WildcardPattern::WildcardPattern(const QString& text) : pattern(foldedCodePoints(text)) {}

bool WildcardPattern::Matches(const QString& text) const
{
    const bool ascii = std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; });
    if (ascii)
        return matchesFolded(pattern, AsciiFolded(text));
    return matchesFolded(pattern, foldedCodePoints(text));
}

QString WildcardPattern::Fold(const QString& text)
{
    QString folded;
    folded.reserve(text.size());
    for (const char32_t c : foldedCodePoints(text)) {
        if (QChar::requiresSurrogates(c)) {
            folded += QChar(QChar::highSurrogate(c));
            folded += QChar(QChar::lowSurrogate(c));
        } else {
            folded += QChar(char16_t(c));
        }
    }
    // A text that folding leaves as it is shares the text's characters.
    return folded == text ? text : folded;
}

bool WildcardPattern::MatchesFolded(const QString& folded) const
{
    const bool wide = std::any_of(folded.cbegin(), folded.cend(), [](QChar c) { return c.isSurrogate(); });
    // Folding again changes nothing; it only reads surrogate pairs as the characters they make.
    if (wide)
        return matchesFolded(pattern, foldedCodePoints(folded));
    return matchesFolded(pattern, Folded(folded));
}

bool MatchesWildcard(const QString& text, const QString& pattern)
{
    return WildcardPattern(pattern).Matches(text);
}
