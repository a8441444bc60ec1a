#include "voice/period_table.h"

#include <algorithm>

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

int noteOfPeriod(double period, const PeriodTable& table, int transpose)
{
    constexpr int highestNote = periodTableSize - 1;
    for (int e = 1; e <= highestNote; ++e) {
        if (period > table[e]) {
            // Nearest of the two neighbours; an exact middle goes to the higher note.
            const int n = (period - table[e]) > (table[e - 1] - period) ? e - 1 : e;
            return std::clamp(n - transpose + 24, 0, highestNote);
        }
    }
    return highestNote;
}
