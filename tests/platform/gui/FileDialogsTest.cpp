#include "FileDialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

TEST(FileDialogsTest, theToolkitsFilterBecomesQtsNameFilters)
{
    EXPECT_EQ(ToNameFilters(QStringLiteral("Pliki GEDCOM|*.ged|Wszystkie pliki|*.*")),
              (QStringList{QStringLiteral("Pliki GEDCOM (*.ged)"), QStringLiteral("Wszystkie pliki (*.*)")}));
    // Qt splits the patterns at spaces only: ones a description shows already are shown once, in that form.
    EXPECT_EQ(ToNameFilters(QStringLiteral("Obrazy (*.jpg;*.png)|*.jpg;*.png|PNG (*.png)|*.png")),
              (QStringList{QStringLiteral("Obrazy (*.jpg *.png)"), QStringLiteral("PNG (*.png)")}));
    EXPECT_EQ(ToNameFilters(QStringLiteral("Kopie (stare)|*.bak")),
              QStringList{QStringLiteral("Kopie (stare) (*.bak)")});
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

namespace {

// The files that the open dialog lists under the filter's first name filter, in a folder holding the files named.
QStringList filesListed(const char* filter, std::initializer_list<const char*> files)
{
    QTemporaryDir folder;
    for (const char* name : files) {
        QFile file(folder.filePath(QLatin1String(name)));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << name;
    }
    QStringList listed;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        const auto* model = dialog->findChild<QFileSystemModel*>();
        const QModelIndex root = model->index(folder.path());
        EXPECT_TRUE(QTest::qWaitFor([&] { return model->rowCount(root) > 0 && !model->canFetchMore(root); }));
        for (int row = 0; row < model->rowCount(root); ++row)
            listed << model->fileName(model->index(row, 0, root));
        dialog->reject();
    });
    QtFileDialogs dialogs;
    TFileDialogRequest request;
    request.Filter = QString::fromUtf8(filter);
    request.InitialDir = folder.path();
    EXPECT_FALSE(dialogs.Execute(nullptr, request));
    listed.sort();
    return listed;
}

} // namespace

TEST(FileDialogsTest, theOpenDialogListsTheFilesOfItsFilterInAnyLetterCase)
{
    EXPECT_EQ(filesListed("Pliki GEDCOM|*.ged", {"a.ged", "b.GED", "c.Ged", "d.txt"}),
              (QStringList{"a.ged", "b.GED", "c.Ged"}));
    // A description that names its several patterns itself, as the picture dialog's first filter does.
    EXPECT_EQ(filesListed("Wszystkie (*.png;*.jpg)|*.png;*.jpg|PNG (*.png)|*.png", {"a.png", "b.JPG", "c.gif"}),
              (QStringList{"a.png", "b.JPG"}));
}
