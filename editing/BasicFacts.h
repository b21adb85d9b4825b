// The birth, death and burial facts that the person dialogs write from their date and place fields. Memory
// changes whatever the disk does: a failure adds its message to the list, and the dialog tells the user once its
// work is done.
#pragma once

#include <QString>
#include <QStringList>

class KV_Person;
class TAdvComboBox;
class TAdvEdit;

// The date and place of the person's first fact of the type in the two fields; both empty without such a fact.
void ShowDateFact(const KV_Person& person, const QString& type, TAdvEdit* date, TAdvComboBox* place);

// The person's first fact of the type takes the typed date and the place (a new fact when the person has none)
// and is written.
void WriteDateFact(KV_Person& person, const QString& type, const QString& date, const QString& place,
                   QStringList& failures);
// Deletes the person's first fact of the type, when it has one.
void DeleteDateFact(KV_Person& person, const QString& type, QStringList& failures);

// Tells the user, once a dialog's work is done, which writes failed (also left in the database's StorageError);
// nothing when none did.
void ReportStorageFailures(QStringList failures);
