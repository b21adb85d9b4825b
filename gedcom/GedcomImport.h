// The conversion of a read GEDCOM file into the database: every individual becomes a new person with its facts,
// attributes and pictures, every family links its persons and gets its union facts, and everything made is then
// written to the data folder. An import only adds: it never looks for persons already in the database, and it
// neither rewrites nor re-stamps any object that was there before.
#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <functional>

class KV_DB;
class _Gedcom;

// What an import made and what it passed over, for the message shown after it.
struct GedcomImportSummary
{
    // Objects made (and written, when the import succeeded).
    int persons = 0;
    int facts = 0;
    int pictures = 0;
    // Picture files copied into the pictures folder (or found there already), of the picture records made.
    int picturesCopied = 0;
    int filesWritten = 0;

    // Individual records without a cross-reference: no family could name them, so they are not converted.
    int skippedIndividuals = 0;
    // HUSB, WIFE and CHIL lines naming no imported individual.
    int danglingReferences = 0;
    // Picture links that took their file, title and note from the multimedia record they point at.
    int multimediaFromRecords = 0;
    // Notes and picture links pointing at records the file does not hold: the note stays empty, the link is not
    // made.
    int notesPointingNowhere = 0;
    int multimediaPointingNowhere = 0;
    // Marriages, engagements, divorces and annulments of families whose other spouse is missing.
    int droppedUnionFacts = 0;
    // Children a further family named while they already had another father (or mother): they keep the first one,
    // and the further family's parent does not list them.
    int childrenKeptWithFirstParent = 0;
    // "family individual" for each person a family names as their own partner, parent or child; the link is not
    // made.
    QStringList selfLinks;

    // Each path once, as the file wrote it. Missing files still get their picture records (with that path), so
    // that the user sees what was linked; links that are not picture files (addresses, documents) get none.
    QStringList missingPictures;
    QStringList notPictures;
    // Found but not copied into the pictures folder; their records name the file where it was found.
    QStringList uncopiedPictures;

    // "name (cross-reference): TAG PART: value" for each value of a repeated event that differs from the value the
    // first event of its kind gave: the first one is imported, this one is not. Families are named by their
    // cross-reference.
    QStringList valuesNotTaken;
    // The level-1 lines of individual and family records that the import does not convert, counted by tag.
    QMap<QString, int> unconvertedIndividualTags;
    QMap<QString, int> unconvertedFamilyTags;

    // Objects whose files could not be written: the saving stops at the first one, so at most 1.
    int saveFailures = 0;
    // Why the import kept nothing (the storage error text when a save failed); empty after a successful import.
    QString error;

    bool succeeded() const { return error.isEmpty(); }
    // The text of the message after the import: the language text for success, else the sentence that the import
    // was undone, then the error.
    QString message() const;
    // What a successful import made and passed over, for the user: the counts, then each list that is not empty,
    // its first entries and the number of the rest; paragraphs separated by an empty line.
    QString details() const;
};

// "TAG: count" for each tag, the most frequent first.
QStringList TagCounts(const QMap<QString, int>& counts);

// The first lines of a list of `total` entries separated by line breaks, then the number of the entries left out.
QString FirstLines(const QStringList& firstLines, qsizetype total);

// Called with the position and the maximum of the import bar: first for the conversion (one step per person made
// and per family), then again from 0 for the saving (one step per object written).
using GedcomImportProgress = std::function<void(int position, int maximum)>;

// Converts the reader's individuals and families into new objects of db and writes each of them once, as a new
// file of db.DataFolder, with one flush of the file system at the end; picture files are copied into the pictures
// folder. Relative picture paths count from the folder of gedcomPath. The reader's records get the IDs of the
// persons made from them. When anything fails (a save, the flush, the database refusing an object, memory), the
// import keeps nothing: the objects, their files and the pictures it copied are removed again, and the summary
// says why.
GedcomImportSummary ImportGedcomRecords(KV_DB& db, _Gedcom& reader, const QString& gedcomPath,
                                        const GedcomImportProgress& progress = {});
