// The GEDCOM import window: choosing a file reads it at once into the program's reader with live counters of the
// individuals, families and multimedia links found, and "Importuj dane" converts what was read into the database.
// While a file is read the window keeps the event loop running, so it repaints and the user's input arrives; the
// window refuses that input until the read is over.
#pragma once

#include "Forms.h"

#include <QElapsedTimer>

class QCloseEvent;
class QLabel;
class QPushButton;
class TAdvFileNameEdit;
class TAdvGroupBox;
class TAdvPanel;
class TProgressBar;
struct GedcomProblem;

class TFormGedcomImport : public TForm
{
    Q_OBJECT
public:
    explicit TFormGedcomImport(QWidget* owner = nullptr);

    // Empties the reader and the window, and has the next activation place the window anew.
    void Reset();
    // The first activation after a reset places the window in the upper part of the screen.
    void FormActivate();
    // Each choice of a file reads it anew.
    void AdvEditFileNameChange();
    void LoadGedcomFile(const QString& path);
    // The reader's progress: stage 1 moves the persons bar, stage 2 the families bar, each with the pictures bar.
    void ShowGedcomProgress(int stage, int position, int total);
    // "Importuj dane": converts the read records into the database and ends the dialog.
    void ButtonImportClick();
    // "Zamknij": ends the dialog with the cancel result, except while a file is read.
    void Button2Click();
    void FormClose(TCloseAction& action);

    // True while a file is read.
    bool IsBusy() const { return busy; }

    // Components.
    TAdvPanel* PanelTitle;
    TAdvFileNameEdit* AdvEditFileName;
    TAdvGroupBox* AdvGroupBox1;
    QLabel* Label1;
    TProgressBar* ProgressBarOsoby;
    TAdvPanel* PanelOsoby;
    QLabel* Label2;
    TProgressBar* ProgressBarZwiazki;
    TAdvPanel* PanelRodziny;
    QLabel* Label4;
    TProgressBar* ProgressBarZdjecia;
    TAdvPanel* PanelZdjecia;
    QLabel* Label3;
    TProgressBar* ProgressBarImport;
    TAdvPanel* PanelPrzyciski;
    QPushButton* ButtonImport;
    QPushButton* Button2;

protected:
    // The close box does nothing while a file is read: refused at once, not when the read has ended.
    void closeEvent(QCloseEvent* event) override;

private:
    void buildFileChoice();
    void buildCounters();
    void buildImportBar();
    void buildButtons();
    void connectHandlers();
    // The counters "-" and the three bars at 0 of 0.
    void clearCounters();
    void showCounters();
    // Reads the loaded file; false when the read failed.
    bool parseLoadedFile();
    void setBusy(bool value);
    void showProblems(const QList<GedcomProblem>& problems);
    void showImportProgress(int position, int maximum);

    bool recentre = true;
    bool busy = false;
    // Paces the event loop during a read.
    QElapsedTimer sinceEvents;
    QElapsedTimer sinceImportPaint;
};

// The GEDCOM import window, created at start-up with the other windows.
extern TFormGedcomImport* FormGedcomImport;
