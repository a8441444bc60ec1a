#include "voice/radix2_transform.h"

void radix2Transform(double* re, double* im, const FftTables& tables)
{
    const int n = tables.size;
    const int quarter = n / 4;
    int half = n / 2;
    int groups = 1;
    for (int pass = 0; pass < tables.stages; ++pass) {
        for (int g = 0; g < groups; ++g) {
            const int start = 2 * g * half;
            const std::uint32_t t = tables.bitReversal[start / half];
            const double c = tables.sine[(t + quarter) % n];
            const double s = -tables.sine[t];
            for (int j = start; j < start + half; ++j) {
                const int k = j + half;
                const double bRe = re[k] * c - im[k] * s;
                const double bIm = im[k] * c + re[k] * s;
                const double aRe = re[j];
                const double aIm = im[j];
                re[j] = aRe + bRe;
                im[j] = aIm + bIm;
                re[k] = aRe - bRe;
                im[k] = aIm - bIm;
            }
        }
        half /= 2;
        groups *= 2;
    }
}
