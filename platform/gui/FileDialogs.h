// The file and folder dialogs behind a replaceable interface: the program installs the real, non-native Qt dialogs
// (QtFileDialogs), tests install one that answers from a script. Until one is installed, every dialog is cancelled.
#pragma once

#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

class QWidget;

enum TFileDialogKind { fdOpen, fdSave, fdOpenPicture, fdSavePicture };

// The options of the file dialogs that change their behaviour here; the rest of the toolkit's set is kept so that
// layouts can state it.
enum TOpenOption {
    ofReadOnly = 0x1,
    ofOverwritePrompt = 0x2,
    ofHideReadOnly = 0x4,
    ofNoChangeDir = 0x8,
    ofPathMustExist = 0x10,
    ofFileMustExist = 0x20,
    ofEnableSizing = 0x40,
};
// A set of TOpenOption bits.
using TOpenOptions = int;

struct TFileDialogRequest
{
    TFileDialogKind Kind = fdOpen;
    // In: the proposed file; out after OK: the chosen one.
    QString FileName;
    QString DefaultExt;
    // The toolkit's filter: description and patterns in turn, separated by '|' ("Pliki GEDCOM|*.ged|Wszystkie|*.*"),
    // several patterns of one entry separated by ';'.
    QString Filter;
    // 1-based; out after OK: the filter in use when the dialog closed.
    int FilterIndex = 1;
    QString InitialDir;
    TOpenOptions Options = ofHideReadOnly | ofEnableSizing;
    QString Title;
};

struct TFolderDialogRequest
{
    // The text shown with the folder tree.
    QString Title;
    QString StartFolder;
    bool AllowNewFolder = true;
    // The screen point the dialog opens under (its top-left corner, kept within the work area).
    QPoint Anchor;
};

class FileDialogs
{
public:
    virtual ~FileDialogs() = default;
    // True when the user confirmed a file; request then holds the choice.
    virtual bool Execute(QWidget* owner, TFileDialogRequest& request) = 0;
    // True when the user confirmed a folder, which is then in folder.
    virtual bool BrowseForFolder(QWidget* owner, const TFolderDialogRequest& request, QString& folder) = 0;
};

// The installed dialogs. Until some are installed, every dialog answers Cancel.
FileDialogs& fileDialogs();
// Installs d (not owned); nullptr restores the ones that cancel.
void setFileDialogs(FileDialogs* d);

// The program's dialogs: Qt's own file dialog, not the desktop's, so they look and behave alike everywhere.
class QtFileDialogs : public FileDialogs
{
public:
    bool Execute(QWidget* owner, TFileDialogRequest& request) override;
    bool BrowseForFolder(QWidget* owner, const TFolderDialogRequest& request, QString& folder) override;
};

// Qt's name filters ("Pliki GEDCOM (*.ged)") for a filter in the toolkit's form.
QStringList ToNameFilters(const QString& filter);
// Where a dialog of the given size opens under the anchor: left of the anchor when it would reach past the work
// area's right edge, and ending at the work area's bottom when it would reach past it.
QPoint PlaceDialogBelow(const QPoint& anchor, const QSize& dialog, const QRect& workArea);
