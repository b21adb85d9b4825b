#include "AdvGDIP.h"

int GlowSpeed = 30;

bool IsVista()
{
    return false;
}
