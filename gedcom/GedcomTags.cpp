#include "GedcomTags.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace {

using Tag = _Gedcom::Tag;

struct TagName
{
    const char* text;
    Tag tag;
};

constexpr TagName tagNames[] = {
    {"INDI", Tag::Indi},       {"FAM", Tag::Fam},           {"SOUR", Tag::Sour},
    {"Picture", Tag::Picture}, {"CHAR", Tag::Char},         {"NAME", Tag::Name},
    {"TYPE", Tag::Type},       {"GIVN", Tag::Givn},         {"NPFX", Tag::Npfx},
    {"NSFX", Tag::Nsfx},       {"MIDDLE", Tag::Middle},     {"SURN", Tag::Surn},
    {"_MARNM", Tag::Marnm},    {"_MAR", Tag::Mar},          {"SEX", Tag::Sex},
    {"BIRT", Tag::Birt},       {"BAPM", Tag::Bapm},         {"CHR", Tag::Chr},
    {"DEAT", Tag::Deat},       {"BURI", Tag::Buri},         {"OCCU", Tag::Occu},
    {"NATI", Tag::Nati},       {"RELI", Tag::Reli},         {"RESI", Tag::Resi},
    {"ADOPT", Tag::Adopt},     {"PICTURES", Tag::Pictures}, {"PRIMARY", Tag::Primary},
    {"FAMC", Tag::Famc},       {"DATE", Tag::Date},         {"PLAC", Tag::Plac},
    {"CAUS", Tag::Caus},       {"ADDR", Tag::Addr},         {"ADR1", Tag::Adr1},
    {"CITY", Tag::City},       {"STAE", Tag::Stae},         {"POST", Tag::Post},
    {"CTRY", Tag::Ctry},       {"NOTE", Tag::Note},         {"CONC", Tag::Conc},
    {"CONT", Tag::Cont},       {"OBJE", Tag::Obje},         {"FORM", Tag::Form},
    {"FILE", Tag::File},       {"TITL", Tag::Titl},         {"PAGE", Tag::Page},
    {"EVEN", Tag::Even},       {"TEXT", Tag::Text},         {"QUAY", Tag::Quay},
    {"HUSB", Tag::Husb},       {"WIFE", Tag::Wife},         {"CHIL", Tag::Chil},
    {"MARR", Tag::Marr},       {"ENGA", Tag::Enga},         {"ANUL", Tag::Anul},
    {"DIV", Tag::Div},         {"AUTH", Tag::Auth},         {"PUBL", Tag::Publ},
    {"ABBR", Tag::Abbr},       {"REPO", Tag::Repo},         {"CALN", Tag::Caln},
    {"MEDI", Tag::Medi},       {"PATH", Tag::Path},         {"DESCRIPTION", Tag::Description},
};

// The table lists the tags in the order of their numbers, so that a tag's text is found by its number.
constexpr bool inTagOrder()
{
    for (std::size_t i = 0; i < std::size(tagNames); ++i)
        if (tagNames[i].tag != Tag(i + 1))
            return false;
    return true;
}
static_assert(inTagOrder());

// Every tag the table holds but one fits in eight bytes; such a tag read as one number is cheap to hash and to
// compare. Tags carry no zero bytes, so the number is unique to the text.
constexpr qsizetype keyBytes = 8;

// Copies of a size known when compiled are single loads, where a copy of a size known only at run time is a call.
template <std::size_t Size>
quint64 keyOfSize(const char* text)
{
    quint64 key = 0;
    std::memcpy(&key, text, Size);
    return key;
}

quint64 keyOf(QByteArrayView text)
{
    switch (text.size()) {
    case 0:
        return 0;
    case 1:
        return keyOfSize<1>(text.data());
    case 2:
        return keyOfSize<2>(text.data());
    case 3:
        return keyOfSize<3>(text.data());
    case 4:
        return keyOfSize<4>(text.data());
    case 5:
        return keyOfSize<5>(text.data());
    case 6:
        return keyOfSize<6>(text.data());
    case 7:
        return keyOfSize<7>(text.data());
    default:
        return keyOfSize<keyBytes>(text.data());
    }
}

// Every line's tag is looked up while a file loads, so this is an open-addressing table that needs no allocation
// per lookup and a probe or two per tag.
class TagTable
{
public:
    TagTable()
    {
        for (const TagName& name : tagNames) {
            const QByteArrayView text(name.text);
            if (text.size() > keyBytes) {
                longTags.push_back(name);
                continue;
            }
            const quint64 key = keyOf(text);
            quint32 i = slotOf(key);
            while (slots[i].key != 0)
                i = (i + 1) & mask;
            slots[i] = {key, name.tag};
        }
    }

    Tag find(QByteArrayView text) const
    {
        if (text.isEmpty())
            return Tag::Other;
        if (text.size() > keyBytes) {
            for (const TagName& name : longTags)
                if (text == QByteArrayView(name.text))
                    return name.tag;
            return Tag::Other;
        }
        const quint64 key = keyOf(text);
        for (quint32 i = slotOf(key);; i = (i + 1) & mask) {
            if (slots[i].key == key)
                return slots[i].tag;
            if (slots[i].key == 0)
                return Tag::Other;
        }
    }

private:
    struct Slot
    {
        quint64 key = 0;
        Tag tag = Tag::Other;
    };
    static constexpr quint32 mask = 255;

    static quint32 slotOf(quint64 key) { return quint32((key * 0x9E3779B97F4A7C15ULL) >> 56) & mask; }

    std::array<Slot, mask + 1> slots;
    std::vector<TagName> longTags;
};

} // namespace

_Gedcom::Tag gedcomTag(QByteArrayView text)
{
    static const TagTable table;
    return table.find(text);
}

QByteArrayView gedcomTagText(_Gedcom::Tag tag)
{
    const auto index = std::size_t(tag);
    return index > 0 && index <= std::size(tagNames) ? QByteArrayView(tagNames[index - 1].text) : QByteArrayView();
}
