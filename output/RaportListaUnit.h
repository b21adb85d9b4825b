// The list report dialog: a table of persons (row number, name, birth and death data in one of three column sets),
// of the person list's last search or of everyone, written into the reports folder as a PDF document or a CSV file
// and opened with the desktop's program. The dialog keeps its choices between showings and stays open after each
// generation.
#pragma once

#include "Forms.h"

#include <QStringList>

#include <vector>

class KV_Person;
class QKeyEvent;
class QPushButton;
class TAdvComboBox;
class TAdvEdit;
class TAdvGroupBox;
class TAdvOfficeCheckBox;
class TAdvOfficeRadioButton;
class TAdvPanel;

class TFormRaportLista : public TForm
{
    Q_OBJECT
public:
    // Scopes of "Raport dotyczy".
    static constexpr int PersonsOfTheList = 0;
    static constexpr int AllPersons = 1;
    // Formats of "Format wyjściowy".
    static constexpr int PdfFile = 0;
    static constexpr int CsvFile = 1;      // UTF-8 with its byte-order mark, cells joined by ","
    static constexpr int CsvExcelFile = 2; // Windows-1250, cells joined by ";"
    // Cell alignments.
    static constexpr int AlignLeft = 0;
    static constexpr int AlignCentre = 1;
    static constexpr int AlignRight = 2;
    // The row index that stands for the header row.
    static constexpr int HeaderRow = -1;
    static constexpr int MaxColumns = 20;

    // The window is the list report of the report functions (OpenListReport) while it exists.
    explicit TFormRaportLista(QWidget* owner = nullptr);
    ~TFormRaportLista() override;

    // Fills RowCells and ColumnAligns with the header row (index HeaderRow) or the person's row; false for a column
    // set other than 1, 2 or 3.
    bool BuildRow(int index, KV_Person* person, int columnSet);
    // ColumnCount and ColumnWidths (points) of the column set for the current page width and margins.
    void SetColumnWidths(int columnSet);
    // The height of the row in RowCells: 0.6 cm at the least, else its tallest wrapped cell.
    double RowHeight(int font, double size);
    // Writes the rows of Scope as CSV (format 1 or 2); dates carry no year suffix. False, after telling the user,
    // when the file could not be written.
    bool WriteCsv(int format, int columnSet, const QString& path);
    // Draws the rows of Scope, sorted by name, as a PDF table; margins is the index of "Marginesy". False when the
    // file could not be written (the PDF layer has told the user).
    bool WritePdf(int columnSet, const QString& path, const QString& title, bool shadeEvenRows, int margins);

    // Places the window high on its first activation and puts the focus into the title.
    void FormActivate();
    // F3 generates while "F3 - Generuj" is enabled; every other key passes on.
    void FormShortCut(QKeyEvent* key, bool& handled);
    // The shading and margin choices are shown only for a PDF file.
    void AdvComboBoxTypChange();
    void ButtonZapiszClick();

    bool FirstActivation = true;
    int Scope = PersonsOfTheList;
    QStringList RowCells;
    double ColumnWidths[MaxColumns] = {};
    int ColumnAligns[MaxColumns] = {};
    double CellInset = 0;
    int ColumnCount = 0;

    // Components.
    TAdvPanel* PanelTitle;
    TAdvEdit* AdvComboBoxTytul;
    TAdvComboBox* AdvComboBoxZakresDanych;
    TAdvComboBox* AdvComboBoxTyp;
    TAdvGroupBox* AdvGroupBox1;
    TAdvOfficeRadioButton* ZakresPDF1;
    TAdvOfficeRadioButton* ZakresPDF2;
    TAdvOfficeRadioButton* ZakresPDF3;
    TAdvOfficeCheckBox* AdvOfficeCheckBoxInnyKolor;
    TAdvComboBox* AdvComboBoxMarginesy;
    TAdvPanel* PanelPrzyciski;
    QPushButton* ButtonZapisz;
    QPushButton* Button2;

private:
    // A measured row of the page being filled, waiting to be drawn with the page's other rows.
    struct TableRow
    {
        QStringList cells;
        int aligns[MaxColumns] = {};
        int font = 0;
        bool shaded = false;
        double y = 0;
        double height = 0;
    };

    void buildComponents();
    void connectHandlers();
    int selectedColumnSet() const;
    // The persons of one CSV line after another in Scope's order; the header line first.
    QList<KV_Person*> csvPersons() const;
    // RowCells as one CSV line: each cell quoted, its quotes doubled, cells joined by the separator, ended by CR LF.
    QString csvLine(QChar separator) const;
    // Draws the rows of the current page, its shading first, then its rules, then its texts, and empties rows.
    void drawRows(std::vector<TableRow>& rows);
};

// The list report dialog, created at start-up with the other windows.
extern TFormRaportLista* FormRaportLista;
