// The about box: the product's name, what it is for and a link to its web page.
#pragma once

#include "Forms.h"

class QLabel;
class QPushButton;
class TAdvPanel;
class THTMLabel;

class TFormOProgramie : public TForm
{
    Q_OBJECT
public:
    explicit TFormOProgramie(QWidget* owner = nullptr);

    // Captions the box with the product name and version and shows it modally.
    void ShowAbout();

    // Runs at every activation: places the box.
    void FormActivate();

    // Components.
    TAdvPanel* PanelTytul;
    QLabel* Image1;
    THTMLabel* HTMLabel1;
    TAdvPanel* PanelPrzyciski;
    QPushButton* Button2;
};

// The about box, created eleventh by the entry point.
extern TFormOProgramie* FormOProgramie;
