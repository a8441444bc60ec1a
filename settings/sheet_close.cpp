#include "settings/sheet_close.h"

#include "music/scales.h"

namespace {
constexpr int kCKey = 1; // key index of C major, no signature
}

Settings acceptedSettings(const Settings& workingCopy, int volumeSliderPosition)
{
    Settings accepted = workingCopy;
    accepted.midiVol = volumeSliderPosition;
    if (accepted.drilltype == 2 || accepted.drilltype == 3) {
        accepted.mode = kMajorMode;
        accepted.scale = kCKey;
    }
    return accepted;
}

void acceptSheet(const Settings& workingCopy, int volumeSliderPosition, SheetCloseTarget& target)
{
    target.takeSettings(acceptedSettings(workingCopy, volumeSliderPosition));
    target.selectNotation();
    target.buildPeriodTable();
    target.setDetectionPaused(false);
    target.setKeepMelodyOnRepaint(false);
    target.invalidateMainWindow();
}

void cancelSheet(SheetCloseTarget& target)
{
    target.setDetectionPaused(false);
    target.invalidateMainWindow();
    target.setKeepMelodyOnRepaint(true);
}
