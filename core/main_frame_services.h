#pragma once

#include "platform/gdi/canvas.h"

#include <functional>

class AnswerPanel;
class MidiOut;
class NoteDetector;
class QWidget;
class RandomSource;
class UserMessages;
class WaveInput;

// How a run of the settings sheet ended.
enum class SheetOutcome {
    notOpened, // there is no sheet to show: nothing changed
    confirmed, // OK: the settings were applied, a new drill is due
    cancelled, // Cancel: the same drill goes on
};

// Runs the settings sheet modally over `owner`, opening on page `initialTab`.
using SettingsSheetOpener = std::function<SheetOutcome(QWidget& owner, int initialTab)>;

// Plays the intro on the first paint into `dc` and calls `finished` once it
// is over (at once, if there is no intro). Timed with a TimedSequence: the
// window keeps painting meanwhile.
using IntroPlayer = std::function<void(gdi::Canvas& dc, std::function<void()> finished)>;

// What the main window works with, handed in by the program's start-up.
struct MainFrameServices {
    MidiOut& midiOut;
    WaveInput& waveInput;
    NoteDetector& detector; // the pitch detector the drill listens through
    RandomSource& random;
    UserMessages& messages;
    SettingsSheetOpener openSettingsSheet = {};
    IntroPlayer playIntro = {};
    AnswerPanel* answerPanel = nullptr; // the keyboard or fretboard, when there is one
};
