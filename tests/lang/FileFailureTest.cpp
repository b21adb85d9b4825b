#include "FileFailure.h"
#include "Vh_langmanager.h"

#include <gtest/gtest.h>

TEST(FileFailureTest, aPolishSentenceNamesTheFileOnceAndThenTheSystemsReason)
{
    if (gLangM.Get(QStringLiteral("LABEL_NIE_MOZNA_ZAPISAC_PLIKU_[%S]")).startsWith(QLatin1String("LABEL")))
        gLangM.Load(KX_LangManager::MessageTable());
    struct Case
    {
        FileError::Operation operation;
        QString reason;
        QString text;
    };
    const QString path = QStringLiteral("/dane/person_1.kvfile");
    const Case cases[] = {
        {FileError::Operation::Write, "No space left on device",
         QString::fromUtf8("Nie można zapisać pliku [/dane/person_1.kvfile]: No space left on device")},
        // System texts that name the path already do not name it twice.
        {FileError::Operation::Read, path + ": Permission denied",
         QString::fromUtf8("Nie można odczytać pliku [/dane/person_1.kvfile]: Permission denied")},
        {FileError::Operation::Delete, "", QString::fromUtf8("Nie można usunąć pliku [/dane/person_1.kvfile]")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FileFailureText(c.operation, path, c.reason), c.text);
        EXPECT_EQ(FileFailureText(FileError(c.operation, path, c.reason)), c.text);
    }
}
