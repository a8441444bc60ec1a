#pragma once

#include "base/result.h"
#include "music/scales.h"

#include <cstdint>
#include <string>

// What "Save" on the Scales page does to the scale list while the sheet is
// open. The notes or the name of a listed scale change in the program's list
// at once; a new scale waits beside it and joins the list only through
// commitNewScales (OK), so after Cancel it is neither listed nor saved.
class ScaleEdit {
public:
    // Characters of a typed name that are kept.
    static constexpr int kMaxTypedName = 28;

    enum class Saved { MaskChanged, Renamed, Added };

    explicit ScaleEdit(ScaleList& programScales) : program_(programScales) {}

    // The scales the page lists: the program's, then the new ones.
    int count() const { return int(program_.size() + added_.size()); }
    const ScaleRecord& at(int index) const;
    bool isListed(int index) const { return index >= 0 && index < count(); }
    // Whether scale `index` is already in the program's list (not a new one).
    bool isProgramScale(int index) const { return index >= 0 && index < int(program_.size()); }

    // Saves `mask` under `typedName` with scale `selected` chosen:
    //  - the name of the chosen scale: its notes become `mask`;
    //  - another name while `mask` equals the chosen scale's notes: the chosen
    //    scale is renamed;
    //  - otherwise a new scale is added at the end, unless the list already
    //    holds kMaxScales scales.
    // Fails with a message for an empty name or a full list.
    Result<Saved> save(const std::string& typedName, std::uint32_t mask, int selected);

    // Appends the new scales to the program's list; returns its new size.
    int commitNewScales();

    // The stored form of a typed name: its first kMaxTypedName characters, cut
    // to the record's length, line breaks made blanks.
    static std::string storedName(const std::string& typedName);

private:
    ScaleRecord& record(int index);

    ScaleList& program_;
    ScaleList added_;
};
