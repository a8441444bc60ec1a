#include "settings/sound_page.h"

#include "midi/midi_messages.h"
#include "midi/midi_out.h"
#include "platform/audio/sound_level.h"
#include "settings/level_meter_view.h"
#include "settings/level_slider.h"
#include "settings/page_controls.h"
#include "settings/timbre_names.h"
#include "settings/voice_waveline.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <array>
#include <string>

namespace {

constexpr int kTestKey = 60; // middle C
constexpr int kTestNoteMs = 500;
constexpr int kTimbreFiller = 100;

constexpr int kLowestA = 430;
constexpr int kMinCycles = 1;

// "2" .. "10": entry i stands for `cycles` i + 1.
const std::array<std::string, 9>& cycleNames()
{
    static const std::array<std::string, 9> names = [] {
        std::array<std::string, 9> n;
        for (int i = 0; i < 9; ++i)
            n[i] = std::to_string(i + 2);
        return n;
    }();
    return names;
}

// "430" .. "450": entry i stands for `A` = 430 + i.
const std::array<std::string, 21>& tuningNames()
{
    static const std::array<std::string, 21> names = [] {
        std::array<std::string, 21> n;
        for (int i = 0; i < 21; ++i)
            n[i] = std::to_string(kLowestA + i);
        return n;
    }();
    return names;
}

LevelSlider* placeSlider(const PageControls& controls, const char* name, int initial, int x, int y,
                         QWidget* page)
{
    auto* slider = new LevelSlider(initial, page);
    slider->setObjectName(name);
    slider->setGeometry(controls.units().rect(x, y, 100, 15));
    return slider;
}

} // namespace

SoundPage::SoundPage(SheetState& state, const SettingsSheetContext& context, QWidget* parent)
    : QWidget(parent), state_(state), context_(context)
{
    setFont(DialogUnits::dialogFont());
    makeComputerSound();
    makeMicrophoneSetup();
    makeDetectorChoice();
}

SoundPage::~SoundPage()
{
    stopTestNote();
}

void SoundPage::makeComputerSound()
{
    PageControls controls(this);
    Settings& s = state_.workingCopy;
    controls.groupBox("Computer Sound", 27, 14, 190, 72);

    const auto& devices = context_.midiDeviceNames;
    const int device = s.midi == -1 ? int(devices.size()) - 1 : s.midi;
    controls.label("MIDI Out", 33, 26, 34, 13);
    auto* deviceList = controls.dropDown("midi", 69, 26, 142, devices, device);
    connect(deviceList, &QComboBox::activated, this, [this](int i) { chooseDevice(i); });

    const auto timbres = readTimbreNames(context_.dataDirectory / "midpatch.h");
    controls.label("Timbre", 33, 45, 34, 13);
    auto* timbreList = controls.dropDown("miditimbre", 69, 45, 142, timbres, s.miditimbre);
    connect(timbreList, &QComboBox::activated, this, [this](int i) { chooseTimbre(i); });

    controls.label("Volume", 33, 67, 28, 10);
    volume_ = placeSlider(controls, "midiVol", s.midiVol, 63, 65, this);
    auto* testButton = controls.button("test", "Test", 167, 64, 43, 14);
    connect(testButton, &QPushButton::clicked, this, [this] { test(); });
}

void SoundPage::makeMicrophoneSetup()
{
    PageControls controls(this);
    Settings& s = state_.workingCopy;
    // The group reaches further down than the classic page's, for the level
    // tools and the input under the waveline.
    controls.groupBox("Microphone Setup (helpful also to exercise your voice waveline)", 13, 105,
                      218, 141);

    auto* cycles = controls.dropDown("cycles", 32, 119, 27, cycleNames(), s.cycles - kMinCycles);
    connect(cycles, &QComboBox::activated, this, [&s](int i) { s.cycles = i + kMinCycles; });
    controls.label("cycles to evaluate", 62, 119, 70, 13);

    controls.label("A = ", 150, 119, 19, 13, Qt::AlignRight | Qt::AlignVCenter);
    auto* tuning = controls.dropDown("A", 170, 119, 38, tuningNames(), s.A - kLowestA);
    connect(tuning, &QComboBox::activated, this, [&s](int i) { s.A = i + kLowestA; });
    controls.label("Hz", 211, 119, 14, 13);

    auto* hint =
        controls.label("Increase Filter just enough to have the background noise disregarded", 32,
                       139, 113, 18, Qt::AlignLeft | Qt::AlignTop);
    hint->setWordWrap(true);

    controls.label("Filter", 22, 161, 26, 10);
    filter_ = placeSlider(controls, "micFilter", s.micFilter, 49, 159, this);
    filter_->onStored([&s](int value) { s.micFilter = value; });

    controls.label("Voice Recording Volume", 49, 182, 100, 10);
    auto* gain = placeSlider(controls, "micVol", s.micVol, 49, 193, this);
    gain->onStored([&s](int value) { s.micVol = value; });

    waveline_ = new VoiceWavelineView(this);
    waveline_->setObjectName("waveline");
    waveline_->setGeometry(controls.units().rect(149, 137, 78, 72));

    makeLevelTools(controls);
    makeMicrophoneChoice(controls);
}

// The meter right under the waveline; "Set from room" and "Check" beside it.
void SoundPage::makeLevelTools(PageControls& controls)
{
    meter_ = new LevelMeterView(this);
    meter_->setObjectName("levelMeter");
    meter_->setGeometry(controls.units().rect(149, 212, 78, 16));
    roomButton_ = controls.button("setFromRoom", "Set from room", 22, 212, 62, 14);
    connect(roomButton_, &QPushButton::clicked, this, [this] { setFromRoom(); });
    checkButton_ = controls.button("checkMicrophone", "Check", 88, 212, 42, 14);
    connect(checkButton_, &QPushButton::clicked, this, [this] { startCheck(); });
    connect(&levelTimer_, &QTimer::timeout, this, [this] { readLevel(); });
    levelTimer_.start(1000 / 25);
}

// "Default" first, then the sources by their descriptions. A chosen source
// that is not plugged in keeps its entry, so the choice shows and stays.
void SoundPage::makeMicrophoneChoice(PageControls& controls)
{
    std::vector<std::string> names{"Default"};
    std::vector<std::string> sources{""};
    int chosen = 0;
    for (const MicrophoneSource& source : context_.microphones) {
        if (source.name == context_.chosenMicrophone)
            chosen = int(names.size());
        names.push_back(source.description);
        sources.push_back(source.name);
    }
    if (chosen == 0 && !context_.chosenMicrophone.empty()) {
        chosen = int(names.size());
        names.push_back(context_.chosenMicrophone + " (not connected)");
        sources.push_back(context_.chosenMicrophone);
    }
    controls.label("Input", 20, 231, 22, 13);
    inputList_ = controls.dropDown("microphone", 44, 231, 183, names, chosen);
    inputList_->setEnabled(bool(context_.chooseMicrophone) && !context_.microphones.empty());
    connect(inputList_, &QComboBox::activated, this, [this, sources](int i) {
        if (context_.chooseMicrophone && i >= 0 && i < int(sources.size()))
            context_.chooseMicrophone(sources[std::size_t(i)]);
    });
}

// "Classic" names the strongest partial, "Precise" the period of the wave;
// the choice waits for OK in the sheet's state.
void SoundPage::makeDetectorChoice()
{
    PageControls controls(this);
    controls.label("Pitch detection", 22, kDetectorChoiceTop + 2, 60, 10);
    auto* group = new QButtonGroup(this);
    int x = 84;
    for (DetectorKind kind : allDetectorKinds) {
        const std::string name(detectorKeyword(kind));
        const std::string_view text = detectorDisplayName(kind);
        auto* button =
            controls.radio(name.c_str(), QString::fromUtf8(text.data(), qsizetype(text.size())), x,
                           kDetectorChoiceTop + 1, 50, 12);
        button->setChecked(kind == state_.detector);
        group->addButton(button);
        connect(button, &QRadioButton::clicked, this, [this, kind] { state_.detector = kind; });
        x += 56;
    }
}

void SoundPage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (context_.startMicrophoneCheck && !check_ && !checkStarted_) {
        checkStarted_ = true;
        startCheck();
    }
}

int SoundPage::elapsedMs()
{
    return int(clock_->milliseconds() - actionStartMs_);
}

void SoundPage::readLevel()
{
    const SoundLevelMeter* meter = context_.microphoneLevel ? context_.microphoneLevel() : nullptr;
    const std::uint32_t now = clock_->milliseconds();
    const bool fresh = meter && meter->readings() != readingsSeen_;
    if (fresh) {
        readingsSeen_ = meter->readings();
        lastReadingMs_ = now;
    }
    // A microphone that stopped delivering falls to silence within a moment.
    const bool stale = !fresh && now - lastReadingMs_ > 250;
    const SoundLevel level = meter && !stale ? meter->latest() : SoundLevel{};
    const LevelVerdict verdict = judgeLevel(level, state_.workingCopy.micFilter);
    if (fresh && verdict == LevelVerdict::Clipping)
        lastClipMs_ = now;
    const bool clipLit = lastClipMs_ && now - *lastClipMs_ < std::uint32_t(kClipLampMs);
    meter_->showReading({level, verdict, clipLit});
    if (fresh)
        takeReading(level, elapsedMs());
    else if (check_)
        check_->tick(elapsedMs());
    if (room_ && elapsedMs() >= kRoomMs)
        finishRoom();
    if (check_ && check_->phase() == MicrophoneCheck::Phase::Done)
        finishCheck();
    showActionLabels();
}

void SoundPage::takeReading(SoundLevel level, int elapsed)
{
    if (room_)
        room_->push_back(level);
    if (check_)
        check_->add(level, elapsed);
}

void SoundPage::setFromRoom()
{
    if (room_ || check_)
        return;
    actionStartMs_ = clock_->milliseconds();
    room_.emplace();
    showActionLabels();
}

void SoundPage::startCheck()
{
    if (room_ || check_)
        return;
    actionStartMs_ = clock_->milliseconds();
    check_.emplace();
    showActionLabels();
}

void SoundPage::finishRoom()
{
    const RoomNoise room = measureRoom(*room_);
    room_.reset();
    if (room.readings == 0) {
        messages_->warn(kMicrophoneSetupCaption,
                        "No sound reaches the program from the microphone, so the filter stays "
                        "as it was. Choose the microphone as the answer, or another input.");
        return;
    }
    filter_->storeValue(room.filter);
    if (room.noisy)
        messages_->warn(kMicrophoneSetupCaption,
                        "The room is loud (" + std::to_string(std::lround(room.loudest.rmsDbfs)) +
                            " dBFS): noise, or an automatic gain control raising the "
                            "microphone's level. The filter is set above it; a quieter room "
                            "lets softer singing through.");
}

void SoundPage::finishCheck()
{
    const MicrophoneCheck check = *check_;
    check_.reset();
    if (const RoomNoise room = check.room(); room.readings > 0)
        filter_->storeValue(room.filter);
    messages_->inform(kMicrophoneCheckCaption, std::string(verdictAdvice(check.verdict())));
}

// The buttons say what the singer is to do while their action runs.
void SoundPage::showActionLabels()
{
    const bool busy = room_ || check_;
    roomButton_->setText(room_ ? "Quiet, please" : "Set from room");
    const bool quiet = check_ && check_->phase() == MicrophoneCheck::Phase::Quiet;
    checkButton_->setText(!check_ ? "Check" : quiet ? "Quiet ..." : "Sing now");
    roomButton_->setEnabled(!busy || room_);
    checkButton_->setEnabled(!busy || check_);
}

int SoundPage::volumeSliderPosition() const
{
    return volume_->sliderPosition();
}

void SoundPage::showMicrophoneBlock(std::span<const std::uint8_t> samples)
{
    const Settings& s = state_.workingCopy;
    waveline_->showBlock(samples, s.micVol, s.micFilter);
}

void SoundPage::chooseDevice(int position)
{
    const int last = int(context_.midiDeviceNames.size()) - 1;
    state_.workingCopy.midi = position == last ? -1 : position;
    // A device that cannot be opened leaves the output closed without a word,
    // as a device change always has: the list keeps the user's choice.
    if (context_.midiOut)
        static_cast<void>(context_.midiOut->reopen(state_.workingCopy.midi));
}

void SoundPage::chooseTimbre(int position)
{
    state_.workingCopy.miditimbre = position;
    if (!context_.midiOut)
        return;
    context_.midiOut->chooseTimbre(position, MidiChannels::OneAndThirteen, kTimbreFiller);
}

// Middle C for half a second at the volume slider's stored value. A second
// click while the note sounds starts it afresh.
void SoundPage::test()
{
    stopTestNote();
    if (!context_.midiOut)
        return;
    const int velocity = noteOnVelocity(volume_->storedValue());
    MidiOut& out = *context_.midiOut;
    // The note-off goes out at the note-on's velocity.
    testSequence_.start(
        {{[this, &out, velocity] { testNote_ = out.startNote(kTestKey, velocity, {velocity}); },
          kTestNoteMs, false},
         {[this] { testNote_.stop(); }, 0, true}});
}

// Ends a test note still sounding, so closing the sheet never leaves it on.
void SoundPage::stopTestNote()
{
    testSequence_.abort();
    testNote_.stop();
}
