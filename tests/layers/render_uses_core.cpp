// Must not compile: render/ sits below core/ and cannot see its headers.
#include "core/settings.h"
#include "render/colours.h"

int probe()
{
    return Settings{}.cycles;
}
