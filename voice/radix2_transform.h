#pragma once

#include "voice/fft_tables.h"

// In-place radix-2 transform of the complex block (re, im) of tables.size
// points. Input in natural order; bin m of the DFT X[m] = sum x[n] e^(-2 pi i m n / N)
// ends up at position tables.bitReversal[m].
void radix2Transform(double* re, double* im, const FftTables& tables);
