// Picking one person, for the windows of this subsystem that link persons (the add-relative dialog, the family
// view). The person list of the application shell does the picking; the entry point connects it at start.
#pragma once

#include <QString>
#include <functional>

// (allow women, allow men) -> the chosen person's ID, "" when none was chosen. Allowing both or neither lists
// every person.
using PersonPicker = std::function<QString(bool allowWomen, bool allowMen)>;

void SetPersonPicker(PersonPicker picker);
// "" also while no picker is connected.
QString PickPerson(bool allowWomen, bool allowMen);
