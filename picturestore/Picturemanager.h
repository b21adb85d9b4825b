// The pictures folder and the stored-path convention of pictures: "[#] name" is a file directly inside the
// pictures folder, any other text a path used as it stands. Also copies pictures into that folder.
#pragma once

#include <QString>

#include <functional>

// Sets the pictures folder; a non-empty folder always ends with "/".
void SetPicturesFolder(const QString& path);
QString GetPicturesFolder();

// The file a stored picture path names; never tests whether the file exists.
QString ResolvePicturePath(const QString& stored);

// Copies source into the pictures folder and returns its stored path ("[#] " + the name given), or "" when nothing
// could be copied. A file already in the folder with the same contents is reused instead of copied again; a
// different file of the same name makes the copy take the first free "name (n).ext", n = 1 to 30.
// beforeNewFile, when given, is told the path of a file the copy is about to create; when it returns false,
// nothing is copied and the result is "".
QString CopyPictureToFolder(const QString& source, const std::function<bool(const QString&)>& beforeNewFile = {});

// True when the file name's extension (letter case ignored) is one the program shows as a picture.
bool IsPictureFile(const QString& fileName);
