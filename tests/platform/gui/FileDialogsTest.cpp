#include "FileDialogs.h"

#include <gtest/gtest.h>

TEST(FileDialogsTest, theToolkitsFilterBecomesQtsNameFilters)
{
    EXPECT_EQ(ToNameFilters(QStringLiteral("Pliki GEDCOM|*.ged|Wszystkie pliki|*.*")),
              (QStringList{QStringLiteral("Pliki GEDCOM (*.ged)"), QStringLiteral("Wszystkie pliki (*.*)")}));
    EXPECT_EQ(ToNameFilters(QStringLiteral("Obrazy (*.jpg;*.png)|*.jpg;*.png")),
              QStringList{QStringLiteral("Obrazy (*.jpg;*.png)")});
    EXPECT_EQ(ToNameFilters(QStringLiteral("Obrazy|*.jpg; *.png")),
              QStringList{QStringLiteral("Obrazy (*.jpg *.png)")});
    EXPECT_TRUE(ToNameFilters(QString()).isEmpty());
    EXPECT_TRUE(ToNameFilters(QStringLiteral("bez wzorca")).isEmpty());
}

TEST(FileDialogsTest, aDialogOpensUnderItsAnchorWithinTheWorkArea)
{
    const QRect workArea(0, 0, 1000, 700);
    const QSize dialog(400, 300);
    EXPECT_EQ(PlaceDialogBelow(QPoint(100, 200), dialog, workArea), QPoint(100, 200));
    // Past the right edge it opens to the left of the anchor.
    EXPECT_EQ(PlaceDialogBelow(QPoint(700, 200), dialog, workArea), QPoint(300, 200));
    // Past the bottom it ends at the bottom.
    EXPECT_EQ(PlaceDialogBelow(QPoint(100, 500), dialog, workArea), QPoint(100, 400));
    EXPECT_EQ(PlaceDialogBelow(QPoint(100, 400), dialog, workArea), QPoint(100, 400));
}

TEST(FileDialogsTest, untilDialogsAreInstalledEveryDialogIsCancelled)
{
    TFileDialogRequest request;
    request.FileName = QStringLiteral("/tmp/a.ged");
    EXPECT_FALSE(fileDialogs().Execute(nullptr, request));
    EXPECT_EQ(request.FileName, QStringLiteral("/tmp/a.ged"));
    QString folder;
    EXPECT_FALSE(fileDialogs().BrowseForFolder(nullptr, TFolderDialogRequest(), folder));
    EXPECT_TRUE(folder.isEmpty());
}
