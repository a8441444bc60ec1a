#include "voice/period_table.h"

PeriodTable buildPeriodTable(int a)
{
    // A / 8 is the A three octaves down; a minor third above it is C2.
    double frequency = a / 8.0 * 1.189206797258566;
    PeriodTable table{};
    for (double& period : table) {
        period = 11025.0 / frequency;
        frequency *= 1.059463;
    }
    return table;
}
