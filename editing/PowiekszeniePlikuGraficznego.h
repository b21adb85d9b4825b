// The picture viewer: the pictures of one person, a strip of thumbnails on the right, the chosen picture fitted
// into the preview on the left, and its title, date, place and description below it, which the user edits and
// saves. It also adds a picture from a file, deletes the chosen one and makes it the person's profile picture.
//
// The strip paints only the cells in view, each from the picture's cached thumbnail, asked for the first time its
// cell is painted: opening a person with a thousand pictures reads a handful of thumbnails and keeps no bitmap of
// the whole strip. The preview is rendered once per picture and size.
#pragma once

#include "Forms.h"

#include <QHash>
#include <QImage>
#include <QStringList>

class KV_Picture;
class QKeyEvent;
class QLabel;
class QMouseEvent;
class QPainter;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QWheelEvent;
class TAdvComboBox;
class TAdvEdit;
class TAdvPanel;
class TLabel;
class TPaintBox;

class TFormPwiekszenie : public TForm
{
    Q_OBJECT
public:
    explicit TFormPwiekszenie(QWidget* owner = nullptr);

    // The person whose pictures are shown.
    QString PersonID;
    // The person's picture IDs in the order of its list.
    QStringList PictureIDs;
    // The picture in the preview; "" when the person has none.
    QString CurrentID;
    // The picture that carries the profile marker.
    QString ProfileID;
    // The current picture's file; "" without a picture.
    QString FullPath;
    // The preview as rendered at the paint box's size; null until the next painting renders it.
    QImage PreviewBitmap;

    // Takes the person's picture list and its profile picture.
    void LoadPictureList(const QString& personID);
    // Shows the picture of the ID, or the first of the list for "".
    void ShowPicture(const QString& pictureID);
    // Lays out the strip again for the list: its size, and thumbnails asked for anew as cells come into view.
    void BuildThumbnails();
    // The fields of the picture, or of the current picture for null.
    void LoadPictureFields(const KV_Picture* picture = nullptr);
    // Writes the edited fields into the current picture; false, with a message, when the date is no date.
    bool SavePictureFields();
    // The strip cell of a picture, by its ID or by its index written in decimals; false when there is none.
    bool GetCellRect(const QString& key, bool byID, TRect& rect) const;
    void FreePreview();

    // Whether edits wait for "Zapisz".
    bool HasPendingEdits() const;
    // How many thumbnails the strip has asked the cache for since it was last laid out.
    int GetThumbnailRequestCount() const { return int(thumbnailFiles.size()); }

    // Handlers.
    void FormCloseQuery(bool& canClose);
    void FormClose(TCloseAction& action);
    void FormShortCut(QKeyEvent* key, bool& handled);
    // The wheel anywhere in the window: the strip right of its panel's left edge, the preview elsewhere.
    void FormMouseWheel(QWheelEvent* wheel, QWidget* receiver);
    void PaintBoxZdjeciePaint(QPainter& painter);
    // A click on the preview closes the window.
    void AdvPicture1DblClick();
    void PanelZdjecieIMGResize();
    void PaintBoxMiniaturyPaint(QPainter& painter, const QRect& exposed);
    void PaintBoxMiniaturyMouseDown(QMouseEvent* event);
    void PaintBoxMiniaturyMouseMove(QMouseEvent* event);
    // Any change of title, date, place or description.
    void AdvEditZdjecieNazwaChange();
    // "Zapisz".
    void ZapiszZmiany();
    // "Dodaj zdjęcie".
    void Dodajzdjcie1Click();
    // "Ustaw jako profilowe".
    void Ustawjakodomylne1Click();
    // "Usuń".
    void Usuzdjcie1Click();

    // Components.
    TAdvPanel* PanelTitle;
    TAdvPanel* PanelInneZdjecia;
    QScrollArea* ScrollBoxMiniatury;
    TPaintBox* PaintBoxMiniatury;
    QWidget* PanelDol;
    QWidget* PanelPrzyciski;
    QPushButton* SpeedButtonDodajZdjecie;
    QPushButton* SpeedButtonUstawJakoProfilowe;
    QPushButton* SpeedButtonZapisz;
    QPushButton* ButtonUsunZdjecie;
    TAdvPanel* PanelDaneZdjecia;
    TAdvEdit* AdvEditZdjecieNazwa;
    TAdvEdit* AdvComboZdjecieData;
    TAdvComboBox* AdvComboBoxZdjecieMiejsce;
    TLabel* Label1;
    QPlainTextEdit* MemoNote;
    QScrollArea* ScrollBoxPreview;
    QWidget* PanelZdjecieIMG;
    TPaintBox* PaintBoxZdjecie;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildStrip();
    void buildFieldsAndButtons();
    void buildPreview();
    void connectHandlers();
    // The buttons that show stand one below the other from the top, "Zapisz" last.
    void placeButtons();
    // Asks whether to save pending edits: true to go on (saved, or dropped on No), false to stay (Cancel, or a
    // save that was refused). True at once without edits.
    bool settlePendingEdits();
    // The cached thumbnail of the cell's picture, asked for once per layout; "" for an ID without a record.
    QString thumbnailOf(int index);
    // The width of a strip cell.
    int cellWidth() const;
    // The index of the cell under a point of the strip, or -1.
    int cellAt(const QPoint& point) const;
    void showStorageFailure(const QString& failure);

    // Thumbnail files by picture ID, for the cells painted since the strip was laid out.
    QHash<QString, QString> thumbnailFiles;
    // Wheel turns below one notch, kept until they make a whole one.
    int wheelRemainder = 0;
};

// The picture viewer, created eighth by the entry point.
extern TFormPwiekszenie* FormPwiekszenie;
