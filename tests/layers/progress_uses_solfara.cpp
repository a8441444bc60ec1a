// Must not compile: the Progress window serves both programs and sees neither.
#include "progress/progress_window.h"
#include "solfara/drill_progress_page.h"

int probe()
{
    return kProgressPeriods[0];
}
