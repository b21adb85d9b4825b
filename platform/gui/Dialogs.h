// The real message boxes behind the Prompter interface, and Qt's own texts in Polish.
#pragma once

#include "Prompter.h"

class MessageBoxPrompter : public Prompter
{
public:
    Answer ask(const QString& text, const QString& caption, Buttons buttons, Icon icon) override;
};

// Installs Qt's Polish translations, so that its own texts (file dialogs, the edits' context menu) are Polish;
// false when they are not installed. The message boxes' buttons are Polish without them. Needs the application
// object.
bool loadQtTranslations();
