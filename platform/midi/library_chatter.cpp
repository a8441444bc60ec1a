#include "platform/midi/library_chatter.h"

#include <alsa/asoundlib.h>
#include <fluidsynth.h>

#include <initializer_list>

namespace {

void ignoreAlsaMessage(const char*, int, const char*, int, const char*, ...) {}

} // namespace

void setMidiLibraryChatter(bool verbose)
{
    for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG}) {
        if (verbose)
            fluid_set_log_function(level, fluid_default_log_function, nullptr);
        else
            fluid_set_log_function(level, nullptr, nullptr);
    }
    snd_lib_error_set_handler(verbose ? nullptr : ignoreAlsaMessage);
}
