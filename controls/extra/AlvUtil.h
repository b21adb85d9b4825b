// Text, date and drawing helpers of the list view and its file formats: the line-break markers of the list's own
// cell file, the CSV separator counting, the percentage bar of a cell, the wildcard and comparison matcher, and a
// string list that is read and written line by line. Positions in texts count from 1, as the list's formats do.
#pragma once

#include "Toolkit.h"

#include <QDate>
#include <QString>
#include <QStringView>

class TCanvas;

// Text to the console's code page (852) and back: StringToOem writes the console's bytes as the characters the
// "ANSI" code page (Windows-1250) gives them; OemToString undoes it. A character the console lacks becomes "?".
void StringToOem(QString& Text);
void OemToString(QString& Text);

// Every run of Ch shrinks to one Ch.
QString DoubleToSingleChar(QChar Ch, const QString& S);
// CR LF becomes LF, then the text is put in double quotes (quotes inside are left as they are).
void LineFeedsToCSV(QString& S);
// Every LF becomes CR LF.
void CSVToLineFeeds(QString& S);
// Upper-cases a to z only; every other character, accented letters included, stays.
QString UpStr(const QString& S);

// The list's filter matcher. A mask holding ">", ">=", "<" or "<=" compares the text with the operand that follows
// (ordinal, case-sensitive); "&" joins two comparisons, "^" takes either, "!" turns a missing side into a match.
// Otherwise the mask is a pattern: "*" any run, "?" any one character, "!" negates the result, every other
// character itself. Answers in time bounded by the mask's length times the text's.
bool Matches(QStringView Mask, QStringView Text);
bool Matchstr(const QString& Mask, const QString& Text);

// The list's cell file keeps a cell on one line: CR is written as TAB and LF as BS.
QString LfToFile(const QString& S);
// Back from the cell file: TAB BS becomes CR LF and a lone BS LF; a lone TAB is a tab the cell held. Without
// MultiLine only the first line.
QString FileToLf(const QString& S, bool MultiLine);
// Takes the first line (up to the first CR, which goes with one LF after it) off S. Without KeepRest S is emptied.
QString GetNextLine(QString& S, bool KeepRest);
// 1, plus the number of CR characters with MultiLine.
int LinesInText(const QString& S, bool MultiLine);
// "[Left:Top][Right:Bottom]".
QString RectString(const TRect& R);
// The first comma becomes a period while the locale's decimal separator is a comma.
QString FixDecimalSeparator(const QString& S);

// The next date of a series. Only Days given: D + Days. Only Years: the same day in another year. Only Months:
// the same day so many months later (a negative count goes back, whole years carry over). Anything else:
// D + Step days. A day the target month lacks raises EConvertError.
QDate GetNextDate(const QDate& D, int Years, int Months, int Days, int Step);

// The 1-based position of the first Ch that is not doubled ("" inside a CSV field); a doubled Ch at the very end
// counts with its second character. 0 when there is none.
int SinglePos(QChar Ch, const QString& S);
// How many single (not doubled) Ch the text holds.
int NumSingleChar(QChar Ch, const QString& S);

// A percentage bar inside R, 2 pixels in, with a grey frame: the filled part in Color1 with its label in
// FontColor1, the rest in Color2 with the label in FontColor2, the label "n%" centred and cut where the colours
// meet. The bar never runs past R, whatever the percentage.
void DrawProgress(TCanvas& Canvas, const TRect& R, TColor Color1, TColor FontColor1, TColor Color2, TColor FontColor2,
                  int Percentage);

// A string list that is read line by line from the start and written a piece at a time.
class TFileStringList : public TStringList
{
public:
    // Reading starts again at the first line; the pending line is emptied.
    void Reset();
    // True once every line was read.
    bool GetEOF() const { return readPosition >= Count(); }
    // The next line; raises EListError past the last one.
    void ReadLn(QString& S);
    // Adds to the pending line.
    void Write(const QString& S);
    // Adds the pending line followed by S as a new line.
    void WriteLn(const QString& S);

private:
    int readPosition = 0;
    QString pendingLine;
};
