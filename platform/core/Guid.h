// New GUIDs in their registry text form.
#pragma once

#include <QString>

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}": 38 characters, braces, upper-case hexadecimal digits. Each GUID sorts
// after every one made before it in this run.
QString NewGuidText();
