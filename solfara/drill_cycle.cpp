#include "solfara/drill_cycle.h"

#include "base/user_messages.h"
#include "drill/drill_engine.h"
#include "midi/midi_messages.h"
#include "midi/midi_out.h"
#include "music/keys.h"
#include "music/melody_title.h"
#include "music/note_names.h"
#include "music/pitch.h"
#include "music/tonic_triad.h"
#include "music/vocabulary.h"
#include "music/voice_ranges.h"
#include "render/caption.h"
#include "render/cents_needle.h"
#include "render/note_glyphs.h"
#include "voice/cents.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int blinkPeriodMs = 500;
constexpr int melodyNoteMs = 50;       // a new melody appears note by note
constexpr int firstMelodyNoteMs = 300; // the first melody sounds while it is drawn
constexpr int tonicChordMs = 900;      // sung at sight: the key's triad, then the first note
constexpr int offStaff = 730;          // the marker column after the last note

} // namespace

DrillCycle::DrillCycle(DrillEngine& engine, const MainFrameServices& services,
                       const ColourTable& colours, const NoteBitmaps& art, CanvasSource canvas)
    : engine_(engine), services_(services), colours_(colours), art_(art),
      canvas_(std::move(canvas)), playback_(services.midiOut),
      voice_(services.waveInput, services.detector, *this), generator_(engine.dataDirectory())
{
    voice_.setWaveAvailable(engine.microphoneFound());
    blinkTimer_.setInterval(blinkPeriodMs);
    QObject::connect(&blinkTimer_, &QTimer::timeout, [this] { blink(); });
}

DrillCycle::~DrillCycle()
{
    shutDown();
}

void DrillCycle::shutDown()
{
    if (!closing_)
        endRecord();
    closing_ = true;
    sequence_.abort();
    blinkTimer_.stop();
    playback_.requestStop();
    voice_.stopCapture();
}

DrillDrawing DrillCycle::drawing() const
{
    const Settings& s = engine_.settings;
    return {.colours = colours_,
            .art = art_,
            .layout = layout_,
            .answerMode = answerModeOf(s.noteName),
            .notation = notationOf(s.notation),
            .shapeNote = s.shapeNote,
            .mode = scaleModeOf(s.mode),
            .drilltype = drillTypeOf(s.drilltype)};
}

void DrillCycle::prepareCapture()
{
    voice_.prepareCapture();
}

void DrillCycle::drawStaffPanel(gdi::Canvas& dc)
{
    const Settings& s = engine_.settings;
    drill_.settleKey(s.scale, scaleModeOf(s.mode));
    layout_ = ::drawStaffPanel(dc, colours_, art_,
                               {.answerMode = answerModeOf(s.noteName),
                                .range = s.range,
                                .mode = scaleModeOf(s.mode),
                                .keySignature = drill_.keySignature(),
                                .noteCount = drill_.noteCount()},
                               paintAnswerPanel);
    marker_.erased = true; // the fresh staff holds no marker
}

void DrillCycle::drawNeedle(std::optional<double> cents)
{
    if (answerModeOf(engine_.settings.noteName) == AnswerMode::Microphone)
        drawCentsNeedle(canvas_(), colours_, cents, engine_.practice.toleranceCents);
}

void DrillCycle::drawConfirmedCents()
{
    const DrillRecord& record = recorder_.current();
    for (int n = 0; n < drill_.currentNoteIndex() && n < int(record.notes.size()); ++n)
        if (const auto& sung = record.notes[std::size_t(n)].intonation)
            drawNoteCents(canvas_(), colours_, layout_.firstNoteX + kColumnWidth * n, sung->median,
                          engine_.practice.toleranceCents);
}

std::optional<DueNote> DrillCycle::dueNoteForPanels() const
{
    const std::optional<int> due = drill_.dueNote();
    if (!due || busy())
        return std::nullopt;
    return DueNote{*due, drill_.dueAccidental(), marker_.x, layout_.answerStaffBase};
}

void DrillCycle::paintDrill(gdi::Canvas& dc, bool firstPaint)
{
    if (!firstPaint && keepMelodyOnRepaint) {
        if (sequence_.isRunning() && drawingMelody_) {
            // A full repaint while the melody was still being drawn: it is drawn whole.
            sequence_.abort();
            silenceFirstMelody();
            melodyDrawn(false);
        }
        DrillDrawing d = drawing();
        redrawMelodyStaff(dc, d, drill_.melody(), layout_.noteBoxes);
        redrawAnswerStaff(dc, d, drill_.melody(), drill_.currentNoteIndex());
        drawConfirmedCents();
    } else {
        beginNewMelody();
        drawNewMelody(firstPaint);
    }
    marker_.y = 1000;
    marker_.bottom = 1010;
    keepMelodyOnRepaint = true;
    drawCaption(dc, colours_,
                melodyTitle(drill_.melody(), engine_.settings.range, engine_.settings.transpose));
}

void DrillCycle::beginRecord()
{
    const Settings& s = engine_.settings;
    const Melody& melody = drill_.melody();
    DrillRecord about;
    about.key = std::string(letterNoteNames().keyNames[std::size_t(melody.drillKey)]);
    if (s.mode >= 0 && s.mode < static_cast<int>(engine_.scales.size()))
        about.scale = engine_.scales[std::size_t(s.mode)].name;
    about.range = std::string(rangeNames[std::size_t(std::clamp(s.range, 0, kRangeCount - 1))]);
    about.level = std::string(levelNames[std::size_t(std::clamp(s.level, 0, 2))]);
    about.source = melody.isCustom ? melody.melodyName : "composed";
    about.tolerance = std::string(toleranceKeyword(engine_.practice.toleranceCents));
    about.sight = std::string(sightKeyword(engine_.practice.sight));
    recorder_.begin(melody, melodyTonicPitchClass(melody), std::move(about), now());
}

void DrillCycle::endRecord()
{
    std::optional<DrillRecord> record = recorder_.end(now());
    if (!record)
        return;
    // The answer mode can change within a drill (the mode selector keeps the melody):
    // the drill counts as answered the way it ended.
    record->answerMode = answerModeName(answerModeOf(engine_.settings.noteName));
    if (services_.drillLog)
        services_.drillLog->drillEnded(*record);
    lastDrill_ = std::move(record);
}

void DrillCycle::beginNewMelody()
{
    if (playingSungMelody_)
        playback_.requestStop();
    endRecord();
    drill_.begin(
        generator_.generate(engine_.melodySettings(drill_.keySignature()), services_.random));
    // The staff was drawn for the previous melody's length; a 13-note melody needs box 13.
    if (answerModeOf(engine_.settings.noteName) == AnswerMode::Microphone &&
        drill_.noteCount() >= kNoteBoxCount)
        layout_.noteBoxes[kNoteBoxCount - 1].drawBox(canvas_(), colours_);
}

void DrillCycle::drawNewMelody(bool firstPaint)
{
    stopBlinking(); // it starts again under the first note once the melody is drawn
    gdi::Canvas& dc = canvas_();
    const Settings& s = engine_.settings;
    const bool atSight = engine_.practice.sight == SightMode::TonicOnly;
    // The first melody sounds while it is drawn, unless it is to be sung at sight.
    const bool sounding = firstPaint && !atSight;
    drawCaption(dc, colours_, melodyTitle(drill_.melody(), s.range, s.transpose));
    if (firstPaint)
        services_.midiOut.chooseTimbre(s.miditimbre);
    std::vector<TimedSequence::Step> steps;
    for (int n = 0; n < drill_.noteCount(); ++n) {
        steps.push_back({[this, n, sounding] {
                             drawMelodyNote(canvas_(), drawing(), drill_.melody(), n,
                                            layout_.noteBoxes);
                             if (sounding)
                                 firstMelodyNote_ = startMelodyNote(drill_.melody().noteIndex[n]);
                         },
                         sounding ? firstMelodyNoteMs : melodyNoteMs, !sounding});
        if (sounding)
            steps.push_back({[this] { silenceFirstMelody(); }, 0, true});
    }
    if (atSight) {
        // The key and the first note, and nothing more of the melody.
        steps.push_back({[this] {
                             const auto triad =
                                 tonicTriad(drill_.melody(), scaleModeOf(engine_.settings.mode));
                             for (std::size_t i = 0; i < triad.size(); ++i)
                                 tonicChord_[i] = startMelodyNote(triad[i]);
                         },
                         tonicChordMs, false});
        steps.push_back({[this] {
                             for (SoundingNote& note : tonicChord_)
                                 note.stop();
                             firstMelodyNote_ = startMelodyNote(drill_.melody().noteIndex[0]);
                         },
                         firstMelodyNoteMs * 2, false});
        steps.push_back({[this] { silenceFirstMelody(); }, 0, true});
    }
    drawingMelody_ = true;
    sequence_.start(std::move(steps), [this, firstPaint](bool) { melodyDrawn(firstPaint); });
}

SoundingNote DrillCycle::startMelodyNote(int noteIndex)
{
    const Settings& s = engine_.settings;
    return services_.midiOut.startNote(midiKeyOfNoteIndex(noteIndex, s.transpose),
                                       noteOnVelocity(s.midiVol),
                                       {playbackReleaseVelocity, MidiChannels::OneAndThirteen});
}

void DrillCycle::playSungMelody(std::function<void()> then)
{
    voice_.stopCapture();
    playingSungMelody_ = true;
    playMelody({.highlight = [](int) {},
                .unhighlight = [](int) {},
                .finished =
                    [this, then = std::move(then)](bool stopped) {
                        playingSungMelody_ = false;
                        if (closing_)
                            return;
                        voice_.startCapture();
                        // A new drill that stopped it goes its own way.
                        if (then && !stopped)
                            then();
                    }});
}

void DrillCycle::playMelody(MelodyPlayback::Callbacks callbacks)
{
    const Melody& melody = drill_.melody();
    std::vector<int> notes(melody.noteIndex.begin(), melody.noteIndex.begin() + melody.noteCount);
    const Settings& s = engine_.settings;
    playback_.play(notes, {s.miditimbre, s.midiVol, s.transpose}, std::move(callbacks));
}

void DrillCycle::silenceFirstMelody()
{
    firstMelodyNote_.stop();
    for (SoundingNote& note : tonicChord_)
        note.stop();
}

void DrillCycle::melodyDrawn(bool firstPaint)
{
    drawingMelody_ = false;
    drawRests(canvas_(), art_, layout_.firstNoteX, drill_.noteCount());
    services_.midiOut.chooseTimbre(engine_.settings.miditimbre, MidiChannels::OneAndThirteen);
    marker_.x = layout_.firstNoteX;
    startBlinking();
    beginRecord();
    if (firstPaint) {
        // Only now that the melody has sounded may the microphone listen.
        if (answerModeOf(engine_.settings.noteName) == AnswerMode::Microphone)
            voice_.startCapture();
        else
            voice_.setMicOff(true);
    }
}

void DrillCycle::newDrill()
{
    if (busy())
        return;
    drill_.chooseKey(engine_.settings.scale, services_.random);
    drawStaffPanel(canvas_());
    newMelodyInTheSameKey();
}

void DrillCycle::newMelodyInTheSameKey()
{
    if (busy())
        return;
    beginNewMelody();
    drawNewMelody(false);
}

void DrillCycle::settingsTaken()
{
    drill_.expectNoteCount(engine_.settings.melosize);
}

void DrillCycle::hear(PushButton& hearButton)
{
    if (busy() || hearing())
        return;
    gdi::Canvas& dc = canvas_();
    hearButton.drawRaised(dc, colours_);
    hearButton.drawLabel(dc, "STOP...", gdi::white);
    voice_.stopCapture();
    stopBlinking();
    recorder_.hearStarted(now());
    playMelody(
        {.highlight =
             [this](int n) {
                 highlightNote(canvas_(), drawing(), drill_.melody(), n, true, layout_.noteBoxes);
             },
         .unhighlight =
             [this](int n) {
                 highlightNote(canvas_(), drawing(), drill_.melody(), n, false, layout_.noteBoxes);
             },
         .finished =
             [this, &hearButton](bool) {
                 if (closing_)
                     return;
                 gdi::Canvas& dc = canvas_();
                 hearButton.drawRaised(dc, colours_);
                 hearButton.drawLabel(dc, colours_, "Hear", colour::buttonLabel);
                 recorder_.hearEnded(now());
                 voice_.startCapture();
                 resumeBlinking();
             }});
}

void DrillCycle::restart()
{
    if (busy())
        return;
    gdi::Canvas& dc = canvas_();
    drawStaffPanel(dc);
    redrawMelodyStaff(dc, drawing(), drill_.melody(), layout_.noteBoxes);
    marker_.x = layout_.firstNoteX;
    drill_.restart();
    endRecord();
    beginRecord();
}

void DrillCycle::startBlinking()
{
    blinkTimer_.start();
}

void DrillCycle::resumeBlinking()
{
    if (!drill_.finished())
        startBlinking();
}

void DrillCycle::stopBlinking()
{
    blinkTimer_.stop();
    // The cursor leaves no dotted line behind under a column it no longer marks.
    if (cursorBlinkOn_)
        drawCursorLine(canvas_(), colours_, marker_.x, false);
    cursorBlinkOn_ = false;
}

void DrillCycle::blink()
{
    if (voice_.detectionPaused())
        return;
    drawCursorLine(canvas_(), colours_, marker_.x, !cursorBlinkOn_);
    cursorBlinkOn_ = !cursorBlinkOn_;
}

void DrillCycle::setDetectionPaused(bool paused)
{
    voice_.setDetectionPaused(paused);
}

void DrillCycle::setMicrophoneOn(bool on)
{
    voice_.setMicrophoneOn(on);
    if (!on)
        eraseMarkerColumn(canvas_(), drawing(), marker_.x);
}

void DrillCycle::pressNoteBox(int i)
{
    if (i < 0 || i >= kNoteBoxCount)
        return;
    gdi::Canvas& dc = canvas_();
    layout_.noteBoxes[i].drawBoxPressed(dc, colours_);
    soundingNoteBox_ = i;
    if (i >= drill_.noteCount() || busy() || hearing())
        return;
    voice_.stopCapture();
    const Settings& s = engine_.settings;
    const int velocity = noteOnVelocity(s.midiVol);
    // Released at its own velocity, on both channels.
    noteBoxNote_ =
        services_.midiOut.startNote(midiKeyOfNoteIndex(drill_.melody().noteIndex[i], s.transpose),
                                    velocity, {velocity, MidiChannels::OneAndThirteen});
    highlightNote(dc, drawing(), drill_.melody(), i, true, layout_.noteBoxes);
}

void DrillCycle::releaseNoteBox()
{
    const int i = soundingNoteBox_;
    if (i < 0)
        return;
    soundingNoteBox_ = -1;
    gdi::Canvas& dc = canvas_();
    NoteBox& box = layout_.noteBoxes[i];
    if (box.pressed) {
        box.drawBox(dc, colours_);
        box.pressed = 0;
    }
    if (i >= drill_.noteCount() || busy() || hearing())
        return;
    noteBoxNote_.stop();
    highlightNote(dc, drawing(), drill_.melody(), i, false, layout_.noteBoxes);
    voice_.startCapture();
}

void DrillCycle::blockArrived(std::span<const std::uint8_t> samples)
{
    if (microphoneObserver)
        microphoneObserver(samples);
}

VoiceListener::BlockContext DrillCycle::blockContext()
{
    BlockContext context;
    const Settings& s = engine_.settings;
    context.settings = {.micVol = s.micVol, .micFilter = s.micFilter, .transpose = s.transpose};
    // While a melody is being drawn or the banner shows, blocks are not judged.
    if (!busy())
        context.periodTable = &engine_.periodTable;
    context.skipTo = drill_.skipTo();
    return context;
}

void DrillCycle::blockDetected(const DetectionResult& detection)
{
    const DrillDrawing d = drawing();
    const std::optional<int> due = drill_.dueNote();
    const std::optional<double> cents =
        due ? centsAgainstDueNote(detection, *due, engine_.periodTable, engine_.settings.transpose)
            : std::nullopt;
    const std::vector<double> quarterCents =
        due ? quarterCentsAgainstDueNote(detection, *due, engine_.periodTable,
                                         engine_.settings.transpose)
            : std::vector<double>{};
    recorder_.heard(detection, engine_.settings.cycles, cents, now(), quarterCents);
    if (due)
        drawNeedle(cents);
    switch (detection.outcome) {
    case BlockOutcome::Silent:
        break;
    case BlockOutcome::SilentEraseMarker:
        erasePitchMarker(canvas_(), d, marker_);
        break;
    case BlockOutcome::Note:
        drawPitchMarker(canvas_(), d, marker_, detection.sungNote, drill_.dueAccidental());
        drill_.setTolerance(engine_.practice.toleranceCents);
        if (drill_.judgeBlock(detection, engine_.settings.cycles, cents))
            acceptNote(detection.skipped);
        break;
    }
    if (blockHandled)
        blockHandled();
}

void DrillCycle::acceptAnsweredNote()
{
    if (drill_.finished())
        return;
    // A key or a string answers with the due note itself: it is written where that note
    // belongs, whatever the pitch marker last showed of a sung note.
    erasePitchMarker(canvas_(), drawing(), marker_);
    marker_.y = noteTopY(layout_.answerStaffBase,
                         drill_.melody().step[std::size_t(drill_.currentNoteIndex())]);
    marker_.bottom = marker_.y + 7;
    marker_.accidental = drill_.dueAccidental();
    acceptNote();
}

void DrillCycle::acceptNote(bool skipped)
{
    if (drill_.finished())
        return;
    const NoteRecord* record = recorder_.accepted(now(), skipped);
    stopBlinking();
    gdi::Canvas& dc = canvas_();
    drawCursorLine(dc, colours_, marker_.x, false);
    if (record && record->intonation)
        drawNoteCents(dc, colours_, marker_.x, record->intonation->median,
                      engine_.practice.toleranceCents);
    const int n = drill_.currentNoteIndex();
    drawAcceptedNote(dc, drawing(), drill_.melody(), n, marker_, drill_.isLastNote());
    marker_.erased = true;
    switch (drill_.accept(engine_.settings.autostart == 1)) {
    case Drill::Acceptance::NextNote:
        marker_.x += kColumnWidth;
        startBlinking();
        break;
    case Drill::Acceptance::LastWithBanner:
        endRecord();
        // Sung at sight: now the melody sounds, and then the banner shows.
        if (engine_.practice.sight == SightMode::TonicOnly)
            playSungMelody([this] { showBanner(); });
        else
            showBanner();
        break;
    case Drill::Acceptance::LastFinished:
        endRecord();
        marker_.x += offStaff;
        if (engine_.practice.sight == SightMode::TonicOnly)
            playSungMelody({});
        break;
    case Drill::Acceptance::AlreadyOver:
        break;
    }
}

void DrillCycle::showBanner()
{
    drawingMelody_ = false;
    std::vector<TimedSequence::Step> steps;
    for (int frame = 0; frame < kBannerFrames; ++frame)
        steps.push_back({[this, frame] { drawBannerFrame(canvas_(), colours_, art_, frame); },
                         kBannerFrameMs[frame], false});
    sequence_.start(std::move(steps), [this](bool) {
        drill_.chooseKey(engine_.settings.scale, services_.random);
        drawStaffPanel(canvas_());
        beginNewMelody();
        drawNewMelody(false);
        marker_.y = 1000;
        marker_.bottom = 1010;
    });
}

void DrillCycle::showMessage(const std::string& text, const std::string& caption)
{
    services_.messages.showError(caption, text);
}
