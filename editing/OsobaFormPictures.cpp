// The person editor's picture commands: adding a picture file and the picture viewer on the person's pictures.
#include "OsobaFormUnit.h"

#include "AdvPanel.h"
#include "Bazadanych.h"
#include "PictureImport.h"
#include "PowiekszeniePlikuGraficznego.h"
#include "Vh_langmanager.h"

#include <QToolButton>

void TOsobaEdycjaForm::WstawZdjecie()
{
    QString file;
    if (!ChoosePictureFile(this, file))
        return;
    if (AddPictureFromFile(PersonID, file).isEmpty())
        return;
    const KV_Person* person = gDB.FindPerson(PersonID);
    DrawProfilePicture(person);
    showPictureButtons(person);
}

void TOsobaEdycjaForm::ButtonUsunZdjecieClick()
{
    if (HasBasicData())
        ShowPictures();
}

void TOsobaEdycjaForm::PaintBoxPictureClick()
{
    if (PictureID.isEmpty())
        WstawZdjecie();
    else if (HasBasicData())
        ShowPictures();
}

void TOsobaEdycjaForm::ShowPictures()
{
    TFormPwiekszenie* viewer = FormPwiekszenie;
    if (!viewer)
        return;
    viewer->LoadPictureList(PersonID);
    viewer->PanelTitle->SetText(gLangM.FormatStr(QStringLiteral("LABEL_ZDJECIA:_%S"), PersonName));
    viewer->ShowPicture(PictureID);
    viewer->ShowModal();
    // The viewer may have added, deleted or chosen another profile picture.
    const KV_Person* person = gDB.FindPerson(PersonID);
    if (!person)
        return;
    DrawProfilePicture(person);
    showPictureButtons(person);
}
