// Text put into the program's HTML pages. Names, places, dates and labels come from the user's data and from
// foreign files: escaped, they can never change a page's markup or its scripts.
#pragma once

#include <QString>

// The text as HTML character data, safe inside an element and inside a quoted attribute value.
QString htmlEscape(const QString& text);
// The text as a JavaScript string literal with its quotes, safe inside a script element and inside an HTML
// event attribute.
QString jsString(const QString& text);
