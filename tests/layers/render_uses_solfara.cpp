// Must not compile: render/ sits below solfara/'s window and cannot see its headers.
#include "render/colours.h"
#include "solfara/answer_panel.h"

int probe()
{
    return PanelSound{}.transpose;
}
