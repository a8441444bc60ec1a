// Must not compile: drill/ is the Qt-free half of solfara.
#include "drill/settings.h"

#include <QTimer>

int probe()
{
    return Settings{}.cycles;
}
