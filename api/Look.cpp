// Lumo_*: the library's look as a whole.
#include "lumo.h"
#include "frame/LumoSettings.h"

LUMOAPI int WINAPI Lumo_UseOwnLook(int bOn)
{
    return LumoSettings::UseOwnLook(bOn);
}

LUMOAPI int WINAPI Lumo_UseSystemColors(int nMode)
{
    return LumoSettings::UseSystemColors(nMode);
}
