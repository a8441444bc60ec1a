#include "settings/melody_edit.h"

#include "music/custom_melody.h"

bool MelodyEdit::add(int midiKey)
{
    if (int(notes_.size()) >= maxMelodyNotes)
        return false;
    notes_.push_back(midiKey);
    return true;
}

void MelodyEdit::eraseLast()
{
    if (!notes_.empty())
        notes_.pop_back();
}

Status MelodyEdit::load(int k)
{
    notes_.clear();
    forgetLoaded();
    const auto melody = store_.load(k);
    if (!melody)
        return Status::failure("The melody could not be read from " + fileName() + ".");
    if (!isWritableMelody(*melody))
        return Status::failure("Line " + std::to_string(k + 1) + " of " + fileName() +
                               " is not a melody the editor can open: it needs a name and 1 to " +
                               std::to_string(maxMelodyNotes) + " notes from C2 to B5.");
    notes_ = melody->notes;
    loadedName_ = melody->name;
    loadedNotes_ = melody->notes;
    loadedLine_ = k;
    return Status::success();
}

bool MelodyEdit::notesChanged() const
{
    return notes_ != loadedNotes_;
}

MelodyEdit::Saved MelodyEdit::planFor(const std::string& name) const
{
    const bool sameName = loadedLine_ >= 0 && name == loadedName_;
    if (sameName)
        return notesChanged() ? Saved::Replaced : Saved::Nothing;
    if (loadedLine_ >= 0 && !notesChanged())
        return Saved::Renamed;
    return Saved::Appended;
}

Status MelodyEdit::writeFailed() const
{
    return Status::failure("The melody could not be saved: " + fileName() + " in " +
                           store_.file().parent_path().string() +
                           " cannot be written. The file was left as it was.");
}

bool MelodyEdit::loadedLineIntact() const
{
    const auto line = store_.load(loadedLine_);
    return line && line->name == loadedName_;
}

Result<MelodyEdit::Saved> MelodyEdit::save(const std::string& typedName)
{
    if (typedName.empty())
        return Status::failure("Type a name for the melody in the \"Save As\" box.");
    if (typedName.find_first_of(",\r\n") != std::string::npos)
        return Status::failure("A melody name cannot contain a comma or a line break.");
    const std::string& name = typedName;
    const Saved plan = planFor(name);
    if (plan == Saved::Nothing)
        return plan;
    if (notes_.empty())
        return Status::failure("The melody has no notes yet: click a key with the right mouse "
                               "button to add its note.");

    const CustomMelody melody{name, notes_};
    int line = loadedLine_;
    if (plan == Saved::Appended) {
        if (!store_.append(melody))
            return writeFailed();
        line = int(store_.names().size()) - 1;
    } else {
        if (!loadedLineIntact())
            return Status::failure(fileName() + " has changed since '" + loadedName_ +
                                   "' was loaded. Select the melody in the list again.");
        if (!store_.replace(loadedLine_, melody))
            return writeFailed();
    }
    loadedName_ = name;
    loadedNotes_ = notes_;
    loadedLine_ = line;
    notes_.clear();
    return plan;
}

Status MelodyEdit::remove(int k, int& custMelody)
{
    if (k < 0)
        return Status::failure("Select the melody to delete in the list.");
    if (!store_.remove(k, custMelody))
        return Status::failure("The melody could not be deleted: " + fileName() + " in " +
                               store_.file().parent_path().string() +
                               " cannot be rewritten. The file was left as it was.");
    notes_.clear();
    forgetLoaded();
    return Status::success();
}

void MelodyEdit::forgetLoaded()
{
    loadedName_.clear();
    loadedNotes_.clear();
    loadedLine_ = -1;
}
