// Must not compile: drill/ is the model under solfara/'s window and cannot reach up into it.
#include "drill/settings.h"
#include "solfara/popup_menu.h"

int probe()
{
    return Settings{}.cycles;
}
