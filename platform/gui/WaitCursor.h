// Shows the busy cursor for the length of a scope.
#pragma once

class TWaitCursorLok
{
public:
    TWaitCursorLok();
    ~TWaitCursorLok();
    TWaitCursorLok(const TWaitCursorLok&) = delete;
    TWaitCursorLok& operator=(const TWaitCursorLok&) = delete;
};
