// The syntax of markup as the engine reads it: tags with their attributes, and entities inside text runs.
// Internal to the engine; controls use HTMLText.h.
#pragma once

#include "Toolkit.h"

#include <QString>
#include <QStringView>

namespace markup {

// One tag: from its "<" up to and including the first ">" after it, or to the end of the text when none follows.
class Tag
{
public:
    // text starts with "<".
    explicit Tag(QStringView text);

    QStringView text() const { return whole; }
    // A ">" ends the tag (else the rest of the text belongs to it).
    bool isClosed() const { return closed; }
    // "</" and longer than three characters.
    bool isClosing() const;
    // The character at index i upper-cased (a-z only), or a null character past the end.
    QChar letter(qsizetype i) const;
    // Written exactly as name, letters in any case, without attributes ("SUB" matches "<sub>").
    bool is(QStringView name) const;

    bool hasAttribute(QStringView name) const;
    // The value of the attribute, in the case written, when it is given in double quotes; otherwise empty.
    QString quotedValue(QStringView name) const;
    // The value whether quoted or not (used where a bare number is allowed).
    QString anyValue(QStringView name) const;
    // The first value written in double quotes, whatever attribute carries it.
    QString firstQuotedValue() const;

private:
    struct Attribute
    {
        QStringView name;
        QStringView value;
        bool quoted = false;
    };
    template <typename Visit>
    void forEachAttribute(Visit visit) const;
    bool find(QStringView name, Attribute& found) const;

    QStringView whole;
    bool closed = false;
};

// A colour attribute value: "#RRGGBB" or a colour name, both compared ignoring case.
TColor colorFromValue(const QString& value);

// A text run with its entities decoded.
struct DecodedRun
{
    QString visible; // what the reader sees: one "&" for "&amp;"
    QString drawn;   // what the text routine gets: with prefixes on, a decoded "&" is doubled so it
                     // never underlines the next letter, while a literal "&X" stays an accelerator
    bool entityReplaced = false;
};
DecodedRun decodeRun(QStringView written, bool prefixes);

} // namespace markup
