#include "settings/scale_edit.h"

#include <algorithm>

namespace {

// The byte length of the first `characters` UTF-8 characters of `text`.
std::size_t utf8Prefix(const std::string& text, int characters)
{
    std::size_t i = 0;
    for (int n = 0; n < characters && i < text.size(); ++n) {
        ++i;
        while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80)
            ++i;
    }
    return i;
}

} // namespace

const ScaleRecord& ScaleEdit::at(int index) const
{
    const int listed = int(program_.size());
    return index < listed ? program_[std::size_t(index)] : added_[std::size_t(index - listed)];
}

ScaleRecord& ScaleEdit::record(int index)
{
    return const_cast<ScaleRecord&>(std::as_const(*this).at(index));
}

std::string ScaleEdit::storedName(const std::string& typedName)
{
    std::string name = typedName.substr(0, utf8Prefix(typedName, kMaxTypedName));
    std::replace_if(
        name.begin(), name.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return fitScaleName(std::move(name));
}

Result<ScaleEdit::Saved> ScaleEdit::save(const std::string& typedName, std::uint32_t mask,
                                         int selected)
{
    const std::string name = storedName(typedName);
    if (name.empty())
        return Result<Saved>::failure("Type a name for the scale in the \"Save As\" box.");
    if (isListed(selected)) {
        ScaleRecord& chosen = record(selected);
        if (name == chosen.name) {
            chosen.mask = mask;
            return Saved::MaskChanged;
        }
        if (mask == chosen.mask) {
            chosen.name = name;
            return Saved::Renamed;
        }
    }
    if (count() >= kMaxScales)
        return Result<Saved>::failure("The scale list is full: it holds " +
                                      std::to_string(kMaxScales) +
                                      " scales. Change the notes or the name of a listed scale.");
    added_.push_back({mask, name});
    return Saved::Added;
}

int ScaleEdit::commitNewScales()
{
    program_.insert(program_.end(), added_.begin(), added_.end());
    added_.clear();
    return int(program_.size());
}
