// The tags the reader understands. Each line's tag is looked up once when the file is loaded, so the record passes
// compare small numbers instead of texts. Internal to the reader.
#pragma once

#include "_gedcom.h"

enum class _Gedcom::Tag : quint8 {
    Other,
    // record words
    Indi,
    Fam,
    Sour,
    Picture,
    // header
    Char,
    // names
    Name,
    Type,
    Givn,
    Npfx,
    Nsfx,
    Middle,
    Surn,
    Marnm,
    Mar,
    // individual
    Sex,
    Birt,
    Bapm,
    Chr,
    Deat,
    Buri,
    Occu,
    Nati,
    Reli,
    Resi,
    Adopt,
    Pictures,
    Primary,
    Famc,
    // event and address parts
    Date,
    Plac,
    Caus,
    Addr,
    Adr1,
    City,
    Stae,
    Post,
    Ctry,
    // notes, links and citations
    Note,
    Conc,
    Cont,
    Obje,
    Form,
    File,
    Titl,
    Page,
    Even,
    Text,
    Quay,
    // family
    Husb,
    Wife,
    Chil,
    Marr,
    Enga,
    Anul,
    Div,
    // source and picture records
    Auth,
    Publ,
    Abbr,
    Repo,
    Caln,
    Medi,
    Path,
    Description,
};

// The tag a text names; Tag::Other for every tag the reader does not know. Tags are compared exactly.
_Gedcom::Tag gedcomTag(QByteArrayView text);
// The text of a tag the reader knows; empty for Tag::Other.
QByteArrayView gedcomTagText(_Gedcom::Tag tag);
