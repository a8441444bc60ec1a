#pragma once

#include <cstdint>
#include <vector>

// Precomputed tables of the pitch detector's transform for one block length.
struct FftTables {
    int size = 0;   // N: 1024 or 2048
    int stages = 0; // log2 N
    // sin(2*pi*k/N) rounded to six decimals; the cosine of k is entry (k + N/4) mod N.
    std::vector<double> sine;
    // k with its `stages` low bits reversed.
    std::vector<std::uint32_t> bitReversal;
};

// The tables for 1024 (10 stages) or 2048 (11 stages) samples. Built once on
// first use and shared; `stages` must be 10 or 11.
const FftTables& fftTablesForStages(int stages);

// Builds the tables for N = 2^stages (any stages from 1 to 16); used by the
// shared instances above and by tests of other sizes.
FftTables makeFftTables(int stages);
