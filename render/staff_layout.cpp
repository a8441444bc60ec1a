#include "render/staff_layout.h"

ClefCase clefCaseFor(AnswerMode mode, int range)
{
    if (mode == AnswerMode::Guitar)
        return ClefCase::Guitar;
    return range < 4 ? ClefCase::Treble : ClefCase::Bass;
}

StaffBases staffBasesFor(ClefCase clef)
{
    switch (clef) {
    case ClefCase::Guitar:
        return {160, 303};
    case ClefCase::Bass:
        return {145, 288};
    case ClefCase::Treble:
        break;
    }
    return {181, 324};
}

int signatureEndX(int keySignature, ScaleMode mode)
{
    if (!isDiatonic(mode))
        return 65;
    if (keySignature >= 2 && keySignature <= 8)
        return 5 * keySignature + 60;
    if (keySignature >= 9 && keySignature <= 15)
        return 5 * keySignature + 25;
    return 58; // code 1, and any code a damaged settings file might carry
}
