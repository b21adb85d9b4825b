#include "GedcomImportUnit.h"

#include "AdvFileNameEdit.h"
#include "AdvGroupBox.h"
#include "AdvPanel.h"
#include "Bazadanych.h"
#include "DialogFrame.h"
#include "FileFailure.h"
#include "FileSystem.h"
#include "GedcomImport.h"
#include "ProgressBar.h"
#include "Prompter.h"
#include "Vh_langmanager.h"
#include "WaitCursor.h"
#include "_gedcom.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>

#include <exception>

TFormGedcomImport* FormGedcomImport = nullptr;

namespace {

// The window repaints and takes events at most this often while a file is read or imported: often enough to look
// alive, seldom enough to cost the read next to nothing.
constexpr int paceMs = 50;
// The reader's problems listed in one message; the rest are counted.
constexpr int shownProblems = 1000;

QString problemDescription(const GedcomProblem& problem)
{
    const QString quoted = QuoteFileLine(problem.skipped);
    switch (problem.kind) {
    case GedcomProblem::Kind::InvalidBytes:
        return gLangM.FormatStr(QStringLiteral("LABEL_GEDCOM_INVALID_BYTES"), quoted);
    case GedcomProblem::Kind::ControlCharacters:
        return gLangM.FormatStr(QStringLiteral("LABEL_GEDCOM_CONTROL_CHARACTERS"), quoted);
    case GedcomProblem::Kind::LevelNotANumber:
        return gLangM.FormatStr(QStringLiteral("LABEL_GEDCOM_LEVEL_NOT_A_NUMBER"), quoted);
    case GedcomProblem::Kind::NoTag:
        break;
    case GedcomProblem::Kind::LevelTooHigh:
        return FormatText(gLangM.Get(QStringLiteral("LABEL_GEDCOM_LEVEL_TOO_HIGH")),
                          {QString::number(problem.subordinateLines), quoted});
    case GedcomProblem::Kind::RepeatedXref:
        return FormatText(gLangM.Get(QStringLiteral("LABEL_GEDCOM_REPEATED_XREF")),
                          {quoted, QString::number(problem.earlierLine), quoted, QString::number(problem.earlierLine)});
    }
    return gLangM.FormatStr(QStringLiteral("LABEL_GEDCOM_NO_TAG"), quoted);
}

QString problemText(const GedcomProblem& problem)
{
    return FormatText(gLangM.Get(QStringLiteral("LABEL_GEDCOM_PROBLEM_LINE")),
                      {QString::number(problem.line), problemDescription(problem)});
}

QLabel* addLabel(QWidget* parent, const char* name, const QString& caption, const QPoint& at)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    label->move(at);
    label->adjustSize();
    return label;
}

TProgressBar* addProgressBar(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* bar = new TProgressBar(parent);
    bar->setObjectName(QLatin1String(name));
    bar->setGeometry(geometry);
    return bar;
}

// A framed box showing one number.
TAdvPanel* addCounter(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* panel = new TAdvPanel(parent);
    panel->setObjectName(QLatin1String(name));
    panel->setGeometry(geometry);
    panel->SetColor(clWhite);
    panel->SetColorTo(clNone);
    panel->SetBevelOuter(bvNone);
    panel->SetBorderColor(clGray);
    panel->SetBorderWidth(1);
    panel->SetTextVAlign(tvaCenter);
    panel->SetIndent(6);
    panel->Loaded();
    return panel;
}

void setCounter(TAdvPanel* panel, int value)
{
    panel->SetText(QString::number(value));
}

} // namespace

TFormGedcomImport::TFormGedcomImport(QWidget* owner) : TForm(owner)
{
    setUpDialogFrame(this, "FormGedcomImport", 520, 324);
    setAutoFillBackground(true);
    setPalette(QPalette(Qt::white));
    PanelTitle = addTitlePanel(this, "PanelTitle", QStringLiteral("Import GEDCOM"));
    buildFileChoice();
    buildCounters();
    buildImportBar();
    buildButtons();
    connectHandlers();
    AdvEditFileName->Loaded();
    clearCounters();
    for (QWidget* control :
         {static_cast<QWidget*>(ButtonImport), static_cast<QWidget*>(ProgressBarImport), static_cast<QWidget*>(Label3)})
        control->hide();
}

void TFormGedcomImport::buildFileChoice()
{
    AdvEditFileName = new TAdvFileNameEdit(this);
    AdvEditFileName->setObjectName(QStringLiteral("AdvEditFileName"));
    AdvEditFileName->setGeometry(104, 76, 400, 21);
    AdvEditFileName->SetLabelPosition(lpLeftCenter);
    AdvEditFileName->SetLabelCaption(QStringLiteral("Plik GEDCOM"));
    // A file comes from the open dialog only, so every name in the edit was chosen there.
    AdvEditFileName->SetEditorEnabled(false);
    // The file dialog matches patterns in any letter case, so files named "*.GED" are offered as well.
    AdvEditFileName->SetFilter(QStringLiteral("Pliki GEDCOM|*.ged"));
    AdvEditFileName->SetDialogOptions(ofHideReadOnly | ofFileMustExist | ofEnableSizing);
}

void TFormGedcomImport::buildCounters()
{
    AdvGroupBox1 =
        addGroupBox(this, "AdvGroupBox1", QStringLiteral(" Zawartość pliku GEDCOM "), QRect(16, 112, 488, 112));
    const auto row = [this](const char* label, const QString& caption, const char* bar, const char* counter, int top,
                            QLabel*& labelControl, TProgressBar*& barControl, TAdvPanel*& counterControl) {
        labelControl = addLabel(AdvGroupBox1, label, caption, QPoint(16, top + 2));
        barControl = addProgressBar(AdvGroupBox1, bar, QRect(88, top, 304, 18));
        counterControl = addCounter(AdvGroupBox1, counter, QRect(404, top - 1, 68, 20));
    };
    row("Label1", QStringLiteral("Osoby:"), "ProgressBarOsoby", "PanelOsoby", 26, Label1, ProgressBarOsoby, PanelOsoby);
    row("Label2", QStringLiteral("Rodziny:"), "ProgressBarZwiazki", "PanelRodziny", 54, Label2, ProgressBarZwiazki,
        PanelRodziny);
    row("Label4", QStringLiteral("Zdjęcia:"), "ProgressBarZdjecia", "PanelZdjecia", 82, Label4, ProgressBarZdjecia,
        PanelZdjecia);
}

void TFormGedcomImport::buildImportBar()
{
    Label3 = addLabel(this, "Label3", QStringLiteral("Import danych:"), QPoint(16, 244));
    ProgressBarImport = addProgressBar(this, "ProgressBarImport", QRect(104, 242, 400, 18));
}

void TFormGedcomImport::buildButtons()
{
    PanelPrzyciski = addButtonPanel(this, "PanelPrzyciski");
    ButtonImport = addButton(PanelPrzyciski, "ButtonImport", QStringLiteral("Importuj dane"),
                             QRect(PanelPrzyciski->width() - 240, 11, 108, 28));
    QFont bold = ButtonImport->font();
    bold.setBold(true);
    ButtonImport->setFont(bold);
    Button2 = addButton(PanelPrzyciski, "Button2", QStringLiteral("Zamknij"),
                        QRect(PanelPrzyciski->width() - 124, 11, 108, 28));
    SetCancelButton(Button2);
}

void TFormGedcomImport::connectHandlers()
{
    OnActivate = [this](QObject*) { FormActivate(); };
    OnClose = [this](QObject*, TCloseAction& action) { FormClose(action); };
    AdvEditFileName->OnChange = [this](TCustomEdit*) { AdvEditFileNameChange(); };
    connect(ButtonImport, &QPushButton::clicked, this, &TFormGedcomImport::ButtonImportClick);
    connect(Button2, &QPushButton::clicked, this, &TFormGedcomImport::Button2Click);
}

void TFormGedcomImport::Reset()
{
    if (busy)
        return;
    gGedcom.Clear();
    AdvEditFileName->SetText(QString());
    clearCounters();
    ButtonImport->hide();
    ProgressBarImport->hide();
    Label3->hide();
    recentre = true;
}

void TFormGedcomImport::FormActivate()
{
    if (!recentre)
        return;
    recentre = false;
    placeDialogHigh(this);
}

void TFormGedcomImport::AdvEditFileNameChange()
{
    const QString name = AdvEditFileName->GetText();
    if (!name.isEmpty())
        LoadGedcomFile(name);
}

void TFormGedcomImport::LoadGedcomFile(const QString& path)
{
    if (busy)
        return;
    TWaitCursorLok wait;
    // A folder exists too: it is no file that is missing but one that cannot be read.
    if (!FileSystem::fileExists(path) && !FileSystem::folderExists(path)) {
        prompter().message(gLangM.FormatStr(QStringLiteral("LABEL_ERROR_MISSING_GEDCOM_FILE"), path), gProductName,
                           Prompter::Icon::Warning);
        return;
    }
    // Hidden before the reader is emptied, so that the records of an earlier file can never be imported as this
    // file's.
    ButtonImport->hide();
    setBusy(true);
    gGedcom.Clear();
    clearCounters();
    const bool loaded = gGedcom.LoadFile(path);
    const bool parsed = loaded && parseLoadedFile();
    setBusy(false);
    if (!loaded) {
        prompter().message(FileFailureText(FileError::Operation::Read, path, gGedcom.loadFailure()), gProductName,
                           Prompter::Icon::Error);
        return;
    }
    showProblems(gGedcom.problems());
    if (!parsed)
        prompter().message(gLangM.Get(QStringLiteral("LABEL_ERROR_LOAD_GEDCOM")), gProductName, Prompter::Icon::Error);
    else if (gGedcom.individuals().isEmpty() && gGedcom.families().isEmpty())
        // Nothing to import.
        prompter().message(gLangM.Get(QStringLiteral("LABEL_GEDCOM_PLIK_NIE_ZAWIERA_OSOB_ANI_RODZIN")), gProductName,
                           Prompter::Icon::Warning);
    else
        ButtonImport->show();
}

bool TFormGedcomImport::parseLoadedFile()
{
    sinceEvents.invalidate();
    gGedcom.setProgressCallback(
        [this](int stage, int position, int total) { ShowGedcomProgress(stage, position, total); });
    bool parsed = true;
    try {
        gGedcom.Parse();
    } catch (const std::exception&) {
        parsed = false;
    }
    gGedcom.setProgressCallback(nullptr);
    showCounters();
    return parsed;
}

void TFormGedcomImport::ShowGedcomProgress(int stage, int position, int total)
{
    TProgressBar* bar = stage == 1 ? ProgressBarOsoby : stage == 2 ? ProgressBarZwiazki : nullptr;
    if (!bar)
        return;
    if (position == 0) {
        bar->SetMax(total);
        ProgressBarZdjecia->SetMax(total);
        return;
    }
    // The last line of a stage always shows, so that the counters end exact.
    if (position < total && sinceEvents.isValid() && sinceEvents.elapsed() < paceMs)
        return;
    bar->SetPosition(position);
    ProgressBarZdjecia->SetPosition(position);
    showCounters();
    // Every event, user input included: the window repaints, and what the user does meets the busy flag now
    // instead of acting on the file after it has been read.
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    sinceEvents.start();
}

void TFormGedcomImport::ButtonImportClick()
{
    if (busy)
        return;
    ProgressBarImport->SetPosition(0);
    ProgressBarImport->show();
    Label3->show();
    GedcomImportSummary summary;
    {
        TWaitCursorLok wait;
        sinceImportPaint.invalidate();
        summary = ImportGedcomRecords(gDB, gGedcom, gGedcom.filePath(),
                                      [this](int position, int maximum) { showImportProgress(position, maximum); });
    }
    QString text = summary.message();
    if (summary.succeeded())
        text += QStringLiteral("\r\n\r\n") + summary.details();
    prompter().message(text, gProductName, summary.succeeded() ? Prompter::Icon::Information : Prompter::Icon::Error);
    ProgressBarImport->hide();
    Label3->hide();
    if (summary.succeeded()) {
        gDB.SetChanged(true);
        SetModalResult(mrOk);
    } else {
        SetModalResult(mrCancel);
    }
}

// The import runs in one go without events: only the bar is painted, directly.
void TFormGedcomImport::showImportProgress(int position, int maximum)
{
    if (position > 0 && position < maximum && sinceImportPaint.isValid() && sinceImportPaint.elapsed() < paceMs)
        return;
    ProgressBarImport->SetMax(maximum);
    ProgressBarImport->SetPosition(position);
    ProgressBarImport->repaint();
    sinceImportPaint.start();
}

void TFormGedcomImport::Button2Click()
{
    if (!busy)
        SetModalResult(mrCancel);
}

void TFormGedcomImport::FormClose(TCloseAction& action)
{
    if (busy)
        action = caNone;
}

void TFormGedcomImport::closeEvent(QCloseEvent* event)
{
    if (busy) {
        event->ignore();
        return;
    }
    TForm::closeEvent(event);
}

void TFormGedcomImport::clearCounters()
{
    for (TProgressBar* bar : {ProgressBarOsoby, ProgressBarZwiazki, ProgressBarZdjecia}) {
        bar->SetPosition(0);
        bar->SetMax(0);
    }
    for (TAdvPanel* counter : {PanelOsoby, PanelRodziny, PanelZdjecia})
        counter->SetText(QStringLiteral("-"));
}

void TFormGedcomImport::showCounters()
{
    setCounter(PanelOsoby, int(gGedcom.individuals().size()));
    setCounter(PanelRodziny, int(gGedcom.families().size()));
    setCounter(PanelZdjecia, gGedcom.multimediaCount());
}

void TFormGedcomImport::setBusy(bool value)
{
    busy = value;
    // A new choice during a read would empty the reader under the running parse.
    AdvEditFileName->setEnabled(!value);
}

void TFormGedcomImport::showProblems(const QList<GedcomProblem>& problems)
{
    if (problems.isEmpty())
        return;
    QStringList lines;
    for (qsizetype i = 0; i < qMin(problems.size(), qsizetype(shownProblems)); ++i)
        lines << problemText(problems[i]);
    prompter().message(gLangM.Get(QStringLiteral("LABEL_GEDCOM_PROBLEMS")) + QStringLiteral("\r\n") +
                           FirstLines(lines, problems.size()),
                       gProductName, Prompter::Icon::Warning);
}
