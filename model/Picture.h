// A picture file attached to a person, and the small holder that ties a list row or combo item to an ID.
#pragma once

#include "Unitdata.h"

#include <QString>

#include <functional>

class KV_Picture
{
public:
    // "[#] " + a file name inside the pictures folder, or any other path as it stands.
    QString File;
    // "picture_" + GUID; empty until the database gives the picture its ID.
    QString ID;
    QString PersonID;
    // Title of the picture.
    QString Name;
    RMData Date;
    QString Place;
    QString Category;
    QString Description;

    bool SetFile(const QString& storedPath);
    QString GetFile() const { return File; }
    // The file the stored path names, inside the pictures folder for a "[#] " path.
    QString GetFullPath() const;
    // Copies the file into the pictures folder and takes its stored path and, as the title, its name without
    // the last extension. False, and the picture unchanged, when the copy failed. beforeNewFile is told of a new
    // file the copy is about to make, and can prevent it (CopyPictureToFolder).
    bool ImportFile(const QString& sourcePath, const std::function<bool(const QString&)>& beforeNewFile = {});
};

// Carries the ID of the person or fact that a list row or combo item stands for.
class KV_ListObject
{
public:
    explicit KV_ListObject(const QString& id) : ID(id) {}

    // The held ID; "" for a row without a holder.
    static QString GetID(const KV_ListObject* holder) { return holder ? holder->ID : QString(); }

private:
    QString ID;
};

KV_ListObject* NewListObject(const QString& id);
