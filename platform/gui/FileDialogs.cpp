#include "FileDialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QScreen>

namespace {

class CancellingDialogs : public FileDialogs
{
public:
    bool Execute(QWidget*, TFileDialogRequest&) override { return false; }
    bool BrowseForFolder(QWidget*, const TFolderDialogRequest&, QString&) override { return false; }
};

CancellingDialogs cancelling;
FileDialogs* installed = nullptr;

bool isSaveDialog(TFileDialogKind kind)
{
    return kind == fdSave || kind == fdSavePicture;
}

QRect workAreaAt(const QPoint& point, const QWidget* owner)
{
    QScreen* screen = QGuiApplication::screenAt(point);
    if (!screen && owner)
        screen = owner->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

// The patterns of a filter's pattern part ("*.jpg;*.png"), which may be separated by spaces too.
QStringList filterPatterns(const QString& part)
{
    static const QRegularExpression separators(QStringLiteral("[;\\s]+"));
    return part.split(separators, Qt::SkipEmptyParts);
}

} // namespace

FileDialogs& fileDialogs()
{
    return installed ? *installed : cancelling;
}

void setFileDialogs(FileDialogs* d)
{
    installed = d;
}

QStringList ToNameFilters(const QString& filter)
{
    QStringList result;
    const QStringList parts = filter.split(u'|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        const QStringList patterns = filterPatterns(parts[i + 1]);
        // Qt reads the patterns from the last parentheses and splits them at spaces only: a description that shows
        // its patterns already ("Obrazy (*.jpg;*.png)") shows them once, in Qt's form.
        const qsizetype open = description.lastIndexOf(u'(');
        if (open >= 0 && description.endsWith(u')') &&
            filterPatterns(description.mid(open + 1, description.size() - open - 2)) == patterns)
            description = description.left(open).trimmed();
        result.append(QStringLiteral("%1 (%2)").arg(description, patterns.join(u' ')));
    }
    return result;
}

QPoint PlaceDialogBelow(const QPoint& anchor, const QSize& dialog, const QRect& workArea)
{
    QPoint place = anchor;
    if (anchor.x() + dialog.width() > workArea.x() + workArea.width())
        place.rx() -= dialog.width();
    if (anchor.y() + dialog.height() >= workArea.y() + workArea.height())
        place.ry() = workArea.y() + workArea.height() - dialog.height();
    return place;
}

bool QtFileDialogs::Execute(QWidget* owner, TFileDialogRequest& request)
{
    QFileDialog dialog(owner, request.Title, request.InitialDir);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    const bool save = isSaveDialog(request.Kind);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(!save && (request.Options & ofFileMustExist) ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !(request.Options & ofOverwritePrompt));
    dialog.setDefaultSuffix(request.DefaultExt);
    const QStringList filters = ToNameFilters(request.Filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(filters.value(qBound(1, request.FilterIndex, int(filters.size())) - 1));
    }
    if (!request.FileName.isEmpty()) {
        const QFileInfo proposed(request.FileName);
        if (proposed.isAbsolute())
            dialog.setDirectory(proposed.absolutePath());
        dialog.selectFile(proposed.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    request.FileName = dialog.selectedFiles().constFirst();
    if (!filters.isEmpty())
        request.FilterIndex = int(filters.indexOf(dialog.selectedNameFilter())) + 1;
    return true;
}

bool QtFileDialogs::BrowseForFolder(QWidget* owner, const TFolderDialogRequest& request, QString& folder)
{
    QFileDialog dialog(owner, request.Title, request.StartFolder);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    // A read-only view offers no "new folder" button.
    dialog.setOption(QFileDialog::ReadOnly, !request.AllowNewFolder);
    dialog.adjustSize();
    dialog.move(PlaceDialogBelow(request.Anchor, dialog.frameSize(), workAreaAt(request.Anchor, owner)));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    folder = dialog.selectedFiles().constFirst();
    return true;
}
