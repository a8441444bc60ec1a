#include "settings/trainer_sheet_opener.h"

#include "base/user_messages.h"
#include "drill/drill_engine.h"
#include "drill/own_settings_file.h"
#include "settings/settings_sheet.h"
#include "voice/selected_note_detector.h"
#include "voice/voice_input.h"

#include "platform/audio/microphone_sources.h"
#include "platform/audio/wave_input.h"
#include "platform/system/message_boxes.h"

#include <algorithm>

namespace {

// OK and Cancel carried out on the engine. The window itself pauses
// detection around the sheet and repaints after it, so those steps are left
// to it.
class EngineSheetTarget final : public SheetCloseTarget {
public:
    EngineSheetTarget(DrillEngine& engine, SelectedNoteDetector& detector, QWidget& window)
        : engine_(engine), detector_(detector), window_(window)
    {
    }

    void takeSettings(const Settings& settings) override
    {
        engine_.settings = settings;
        engine_.preloadDrillPrograms();
    }
    void selectNotation() override { engine_.selectNotation(); }
    void buildPeriodTable() override { engine_.buildPeriodTable(); }
    void setDetectionPaused(bool) override {}
    // The window keeps or renews its drill from the sheet's outcome.
    void setKeepMelodyOnRepaint(bool) override {}
    void invalidateMainWindow() override {}

    void takeDetector(DetectorKind kind) override
    {
        detector_.select(kind);
        // The choice holds for this run even when it cannot be remembered.
        if (Status saved = updateOwnSettings(engine_.dataDirectory(),
                                             [kind](OwnSettings& own) { own.detector = kind; });
            !saved)
            MessageBoxes(&window_).warn(kSolfaraCaption, saved.message());
    }

private:
    DrillEngine& engine_;
    SelectedNoteDetector& detector_;
    QWidget& window_;
};

SheetTab sheetTabOf(int number)
{
    return SheetTab(std::clamp(number, int(SheetTab::General), int(SheetTab::CustomMelody)));
}

// The Sound page's microphone fields: the sources listed now (a microphone
// plugged in since the last opening shows), the choice acting at once and
// remembered beside the settings.
void fillMicrophone(SettingsSheetContext& context, SheetMicrophone microphone,
                    const std::filesystem::path& dataDirectory, QWidget& window)
{
    if (const WaveInput* input = microphone.input)
        context.microphoneLevel = [input] { return input->levelMeter(); };
    MicrophoneChoice* choice = microphone.choice;
    if (!choice)
        return;
    context.microphones =
        microphone.listSources ? microphone.listSources() : listMicrophoneSources();
    context.chosenMicrophone = choice->chosen();
    context.chooseMicrophone = [choice, dataDirectory, &window](const std::string& name) {
        choice->choose(name);
        if (Status saved = updateOwnSettings(dataDirectory,
                                             [&name](OwnSettings& own) { own.microphone = name; });
            !saved)
            MessageBoxes(&window).warn(kSolfaraCaption, saved.message());
    };
}

} // namespace

SettingsSheetOpener trainerSheetOpener(DrillEngine& engine, MidiOut& midiOut,
                                       SelectedNoteDetector& detector, SheetMicrophone microphone)
{
    return [&engine, &midiOut, &detector, microphone](const SheetHost& host) {
        SettingsSheetContext context;
        context.settings = engine.settings;
        context.detector = detector.kind();
        context.scales = &engine.scales;
        context.midiDeviceNames = engine.midiDeviceNames;
        context.midiOut = &midiOut;
        context.dataDirectory = engine.dataDirectory();
        context.refreshScaleBits = [&engine](int scaleIndex) {
            engine.refreshScaleBits(scaleIndex);
        };
        context.listenToMicrophone = [&host](MicrophoneBlockSink sink) {
            host.listenToMicrophone(std::move(sink));
        };
        fillMicrophone(context, microphone, engine.dataDirectory(), host.owner);
        context.startMicrophoneCheck = host.startMicrophoneCheck;
        EngineSheetTarget target(engine, detector, host.owner);
        const bool accepted =
            runSettingsSheet(&host.owner, context, target, sheetTabOf(host.initialTab));
        return accepted ? SheetOutcome::Confirmed : SheetOutcome::Cancelled;
    };
}
