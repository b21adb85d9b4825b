// The colour dialog behind a replaceable interface, as the file dialogs are: the program installs Qt's colour
// dialog (QtColorDialogs), tests install one that answers from a script. Until one is installed, every dialog is
// cancelled.
#pragma once

#include "Toolkit.h"

class QWidget;

class ColorDialogs
{
public:
    virtual ~ColorDialogs() = default;
    // Opens on colour; true when the user confirmed a colour, which is then in colour.
    virtual bool Execute(QWidget* owner, TColor& colour) = 0;
};

// The installed dialog. Until one is installed, every dialog answers Cancel.
ColorDialogs& colorDialogs();
// Installs d (not owned); nullptr restores the one that cancels.
void setColorDialogs(ColorDialogs* d);

class QtColorDialogs : public ColorDialogs
{
public:
    bool Execute(QWidget* owner, TColor& colour) override;
};
