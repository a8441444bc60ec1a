#include "drill/drill_engine.h"

#include "base/user_messages.h"
#include "drill/settings_bounds.h"
#include "drill/settings_file.h"
#include "midi/midi_messages.h"
#include "midi/midi_out.h"
#include "music/scale_file.h"
#include "platform/audio/wave_input_devices.h"

DrillEngine::DrillEngine(std::filesystem::path dataDirectory, EngineServices services)
    : dataDirectory_(std::move(dataDirectory)), services_(services)
{
}

DrillEngine::~DrillEngine() = default;

std::filesystem::path DrillEngine::dataFile(std::string_view name) const
{
    return dataDirectory_ / name;
}

void DrillEngine::load()
{
    readSettingsFile(dataFile(kSettingsFileName), settings);
    scales = loadScales(dataFile(kScaleFileName), settings.numScales);
    keepSettingsInRange(settings, static_cast<int>(scales.size()));
    setAnswerMode();
    refreshScaleBits(settings.mode);
    selectNotation();
    openMidiOutput();
    if (services_.waveInputs.count() > 0)
        microphoneFound_ = true;
    buildPeriodTable();
}

void DrillEngine::openMidiOutput()
{
    MidiOut::StartupResult opened = services_.midiOut.openAtStartup(settings.midi);
    midiDeviceNames = std::move(opened.deviceNames);
    if (!opened.opened)
        services_.messages.showError(kSolfaraCaption, opened.opened.message());
    preloadDrillPrograms();
}

void DrillEngine::preloadDrillPrograms()
{
    services_.midiOut.preloadPrograms({settings.miditimbre, introProgram});
}

void DrillEngine::saveAndRelease()
{
    if (released_)
        return;
    released_ = true;
    settings.numScales = static_cast<int>(scales.size());
    (void)writeSettingsFile(dataFile(kSettingsFileName), settings);
    (void)saveScales(dataFile(kScaleFileName), scales);
    scales.clear();
    services_.midiOut.close();
}

void DrillEngine::setAnswerMode()
{
    rangeCentreStep = rangeCentreStepsFor(answerModeOf(settings.noteName));
}

void DrillEngine::selectNotation()
{
    noteNames = &noteNamesFor(notationOf(settings.notation));
}

void DrillEngine::buildPeriodTable()
{
    periodTable = ::buildPeriodTable(settings.A);
}

void DrillEngine::refreshScaleBits(int scaleIndex)
{
    if (scales.empty()) {
        scaleBits = scaleBitsOf(builtInScales()[kMajorMode].mask);
        return;
    }
    if (scaleIndex < 0 || scaleIndex >= static_cast<int>(scales.size()))
        scaleIndex = kMajorMode;
    scaleBits = scaleBitsOf(scales[scaleIndex].mask);
}

MelodySettings DrillEngine::melodySettings(int keySignature) const
{
    return {.melosize = settings.melosize,
            .scale = settings.scale,
            .keySignature = keySignature,
            .mode = scaleModeOf(settings.mode),
            .scaleBits = scaleBits,
            .range = settings.range,
            .level = settings.level,
            .drilltype = drillTypeOf(settings.drilltype),
            .answerMode = answerModeOf(settings.noteName),
            .custMelody = settings.custMelody};
}
