#include "AdvHintInfo.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QBuffer>

TEST(AdvHintInfoTest, assignMakesAnIndependentCopy)
{
    TAdvHintInfo source;
    source.SetTitle(QStringLiteral("Zapisz"));
    source.GetNotes().Add(QStringLiteral("Zapisuje dane osoby"));
    source.SetShowHelp(true);
    source.SetWideTitle(QStringLiteral("tytuł"));
    QImage image(2, 2, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes = imageBytes(image);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    source.GetPicture().LoadFromStream(&buffer);

    TAdvHintInfo copy;
    copy.Assign(&source);
    source.GetNotes().Add(QStringLiteral("druga linia"));
    source.GetPicture().Assign(nullptr);
    source.SetTitle(QString());

    EXPECT_EQ(copy.GetTitle(), QStringLiteral("Zapisz"));
    EXPECT_EQ(copy.GetNotes().Count(), 1);
    EXPECT_TRUE(copy.GetShowHelp());
    EXPECT_EQ(copy.GetWideTitle(), QStringLiteral("tytuł"));
    EXPECT_FALSE(copy.GetPicture().GetEmpty());
    EXPECT_EQ(copy.GetPicture().GetWidth(), 2);

    copy.Assign(nullptr);
    EXPECT_EQ(copy.GetTitle(), QStringLiteral("Zapisz"));
}
