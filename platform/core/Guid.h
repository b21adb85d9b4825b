// New GUIDs in their registry text form.
#pragma once

#include <QString>

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}": 38 characters, braces, upper-case hexadecimal digits. Each GUID sorts
// after every one made before it in this run.
QString NewGuidText();
// prefix followed by the 36 characters of a new GUID without its braces, made in one allocation: an import makes
// such a name for every object.
QString NewPrefixedGuid(QStringView prefix);
