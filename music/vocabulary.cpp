#include "music/vocabulary.h"

const std::array<std::string, kTransposeCount>& transposeNames()
{
    static const auto names = [] {
        std::array<std::string, kTransposeCount> list;
        for (int i = 0; i < kTransposeCount; ++i) {
            int offset = i - kNoTranspose;
            list[i] = (offset > 0 ? "+" : "") + std::to_string(offset);
        }
        return list;
    }();
    return names;
}

const std::array<std::string, kMaxMelodyLength>& melodyLengthNames()
{
    static const auto names = [] {
        std::array<std::string, kMaxMelodyLength> list;
        for (int i = 0; i < kMaxMelodyLength; ++i)
            list[i] = std::to_string(i + kMinMelodyLength);
        return list;
    }();
    return names;
}
