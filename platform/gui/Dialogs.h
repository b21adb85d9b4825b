// The real message boxes behind the Prompter interface.
#pragma once

#include "Prompter.h"

class MessageBoxPrompter : public Prompter
{
public:
    Answer ask(const QString& text, const QString& caption, Buttons buttons, Icon icon) override;
};
