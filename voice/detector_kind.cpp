#include "voice/detector_kind.h"

std::string_view detectorDisplayName(DetectorKind kind)
{
    return kind == DetectorKind::Precise ? "Precise" : "Classic";
}

std::string_view detectorKeyword(DetectorKind kind)
{
    return kind == DetectorKind::Precise ? "precise" : "classic";
}

std::optional<DetectorKind> detectorKindOfKeyword(std::string_view keyword)
{
    for (DetectorKind kind : allDetectorKinds)
        if (keyword == detectorKeyword(kind))
            return kind;
    return std::nullopt;
}
