// Adding a picture file to a person, as the person editor and the picture viewer both offer it: the file chosen in
// the open-picture dialog, copied into the pictures folder and recorded as a picture of the person.
#pragma once

#include <QString>

class QWidget;

// Asks for a picture file in the open-picture dialog; false when the user cancelled it.
bool ChoosePictureFile(QWidget* owner, QString& file);
// Copies the file into the pictures folder and adds it as a picture of the person, the picture's own file written
// before the person's file lists it. Shows what went wrong; returns the new picture's ID, "" when none was added.
QString AddPictureFromFile(const QString& personID, const QString& file);
