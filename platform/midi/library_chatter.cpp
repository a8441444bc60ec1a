#include "platform/midi/library_chatter.h"

#include <alsa/asoundlib.h>
#include <fluidsynth.h>
#include <glib.h>

#include <initializer_list>

namespace {

void ignoreAlsaMessage(const char*, int, const char*, int, const char*, ...) {}

void ignoreGlibMessage(const gchar*, GLogLevelFlags, const gchar*, gpointer) {}

// FluidSynth's SoundFont loader (libinstpatch) reports a damaged file through
// GLib's log without a domain, straight to the terminal.
guint glibHandler = 0;

void setGlibChatter(bool verbose)
{
    if (verbose && glibHandler) {
        g_log_remove_handler(nullptr, glibHandler);
        glibHandler = 0;
    } else if (!verbose && !glibHandler) {
        auto levels = GLogLevelFlags(G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING |
                                     G_LOG_LEVEL_MESSAGE | G_LOG_LEVEL_INFO | G_LOG_LEVEL_DEBUG);
        glibHandler = g_log_set_handler(nullptr, levels, ignoreGlibMessage, nullptr);
    }
}

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
    setGlibChatter(verbose);
}
