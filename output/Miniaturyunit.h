// The one picture-scaling service: cached thumbnails of pictures for the picture viewer, the scaled temporary
// images the PDF reports embed (deleted when the program ends), and the text of new GUIDs. Also home of the
// hourglass guard that long operations use.
#pragma once

#include "WaitCursor.h"

#include <QString>
#include <QStringList>

class MiniaturyUnit
{
public:
    MiniaturyUnit() = default;
    // Deletes every report image made during the run.
    ~MiniaturyUnit();
    MiniaturyUnit(const MiniaturyUnit&) = delete;
    MiniaturyUnit& operator=(const MiniaturyUnit&) = delete;

    // The cached thumbnail (a BMP file in CacheFolder) of the picture file at picturePath, made when missing and
    // made again whenever the picture's modification time differs from the one it was made from; "" for an empty
    // path, a missing file or one that is not a picture.
    QString GetThumbnail(const QString& picturePath);
    // Fits the picture at source into width x height (-1 leaves that side free) and writes it as a BMP file to
    // target, or to folder + "tempfile.jpg" when target is empty; the folder is created when missing. A picture
    // smaller than the box is enlarged. Returns the file written, or "" on failure.
    QString MakeScaledBitmap(const QString& source, const QString& target, const QString& folder, int width,
                             int height);
    // As MakeScaledBitmap, with the fitted size multiplied by zoom, into an existing folder under a unique name
    // when target is empty; the file is deleted when the program ends. Only the aspect -1 (the whole picture
    // fitted into the box) is used.
    QString MakeReportImage(double aspect, const QString& source, const QString& target, const QString& folder,
                            int width, int height, double zoom);

    // Deletes report images made by MakeReportImage once the document embedding them has been written; a file that
    // cannot be deleted now stays for the clean-up at exit.
    void DeleteReportImages(const QStringList& files);

    // "file_temp_unique_" + a new GUID text + ".jpg". The files hold BMP data: readers go by the contents.
    static QString UniqueTempJpgName();
    // "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" in upper case.
    static QString NewGuidText();

    // The box thumbnails are fitted into, in pixels.
    int ThumbWidth = 250;
    int ThumbHeight = 250;
    // The thumbnail cache folder, set at start-up by the main window.
    QString CacheFolder;
    // The report images made during the run.
    QStringList TempFiles;
};

extern MiniaturyUnit gMiniaturyUnit;
