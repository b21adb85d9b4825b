#include "Prompter.h"

namespace {

class SilentPrompter : public Prompter
{
public:
    Answer ask(const QString&, const QString&, Buttons buttons, Icon) override
    {
        return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    }
};

SilentPrompter silent;
Prompter* installed = nullptr;

} // namespace

Prompter& prompter()
{
    return installed ? *installed : silent;
}

void setPrompter(Prompter* p)
{
    installed = p;
}
