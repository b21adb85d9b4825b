// Helpers of the GEDCOM reader's tests.
#pragma once

#include "TestSupport.h"
#include "_gedcom.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

// Loads GEDCOM bytes into a fresh reader through a temporary file, and parses them unless told not to.
inline std::unique_ptr<_Gedcom> readGedcom(const QByteArray& bytes, bool parse = true)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("test.ged");
    writeFileBytes(path, bytes);
    auto reader = std::make_unique<_Gedcom>();
    EXPECT_TRUE(reader->LoadFile(path));
    if (parse)
        reader->Parse();
    return reader;
}

// The reader's problems as "line kind skipped" texts, for comparing whole lists.
inline QStringList problemTexts(const _Gedcom& reader)
{
    QStringList texts;
    for (const GedcomProblem& p : reader.problems())
        texts.append(QStringLiteral("%1 %2 %3").arg(p.line).arg(int(p.kind)).arg(p.skipped));
    return texts;
}
