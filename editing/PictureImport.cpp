#include "PictureImport.h"

#include "Bazadanych.h"
#include "FileDialogs.h"
#include "Picture.h"
#include "Picturemanager.h"
#include "Prompter.h"
#include "Vh_langmanager.h"

#include <memory>

namespace {

const char* const pictureFilter = "All (*.png;*.gif;*.jpg;*.jpeg;*.bmp)|*.png;*.gif;*.jpg;*.jpeg;*.bmp"
                                  "|PNG (*.png)|*.png|GIF (*.gif)|*.gif|JPG (*.jpg)|*.jpg|JPEG (*.jpeg)|*.jpeg"
                                  "|BMP (*.bmp)|*.bmp";

void showFailure(const QString& failure)
{
    prompter().message(failure, gProductName, Prompter::Icon::Warning);
}

} // namespace

bool ChoosePictureFile(QWidget* owner, QString& file)
{
    TFileDialogRequest request;
    request.Kind = fdOpenPicture;
    request.Filter = QString::fromUtf8(pictureFilter);
    if (!fileDialogs().Execute(owner, request))
        return false;
    file = request.FileName;
    return true;
}

QString AddPictureFromFile(const QString& personID, const QString& file)
{
    KV_Person* person = gDB.FindPerson(personID);
    if (!person) {
        prompter().message(gLangM.Get(QStringLiteral("LABEL_NIE_MA_OSOBY,_DO_KTOREJ_MOZNA_DOLACZYC_ZDJECIE")),
                           gProductName);
        return QString();
    }
    auto picture = std::make_unique<KV_Picture>();
    if (!picture->ImportFile(file)) {
        prompter().message(gLangM.FormatStr(QStringLiteral("LABEL_NIE_MOZNA_SKOPIOWAC_WSKAZANEGO_ZDJECIA_DO_FOLDERU"),
                                            GetPicturesFolder()),
                           gProductName);
        return QString();
    }
    // The picture's own file is written before the person's file lists it, so that a failed write never leaves the
    // person naming a picture without a file.
    picture->ID = KV_DB::NewPictureID();
    picture->PersonID = person->ID;
    // The picture's file and the person's reach the disk together.
    KV_DB::FileChange change(gDB);
    if (!gDB.SavePicture(picture.get(), picture->ID)) {
        showFailure(gDB.StorageError);
        return QString();
    }
    if (!gDB.AddPictureToPerson(person->ID, picture.get())) {
        showFailure(gDB.GetLastError());
        return QString();
    }
    const QString added = picture.release()->ID;
    const bool saved = gDB.SavePerson(person, person->ID);
    if (!change.commit() || !saved)
        showFailure(gDB.StorageError);
    return added;
}
