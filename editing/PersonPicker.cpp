#include "PersonPicker.h"

namespace {

PersonPicker& installedPicker()
{
    static PersonPicker picker;
    return picker;
}

} // namespace

void SetPersonPicker(PersonPicker picker)
{
    installedPicker() = std::move(picker);
}

QString PickPerson(bool allowWomen, bool allowMen)
{
    return installedPicker() ? installedPicker()(allowWomen, allowMen) : QString();
}
