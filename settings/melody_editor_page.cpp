#include "settings/melody_editor_page.h"

#include "midi/midi_messages.h"
#include "music/note_names.h"
#include "notation/melody_files.h"
#include "settings/name_list_box.h"
#include "settings/page_controls.h"
#include "solfara/guitar_panel.h"
#include "solfara/piano_panel.h"

#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace {

const char* const kPlayLabel = "Play";
const char* const kStopLabel = "STOP";
const char* const kMessageCaption = "Custom Melody";

constexpr int kNameRowTop = 62; // dialog units
constexpr int kPanelLeft = 4, kPanelTop = 78;

gdi::FontSpec noteNameFont()
{
    return {.face = "Times New Roman", .height = 14, .width = 4, .weight = 100};
}

} // namespace

MelodyEditorPage::MelodyEditorPage(SheetState& state, const SettingsSheetContext& context,
                                   QWidget* parent)
    : gdi::BackBufferedWidget(parent), state_(state), context_(context),
      edit_(MelodyStore(context.dataDirectory, answerModeOf(context.settings.noteName)))
{
    setFont(DialogUnits::dialogFont());
    setMouseTracking(true);
    const QPoint origin = panelOrigin();
    keyboard_ = answerModeOf(context_.settings.noteName) != AnswerMode::Guitar;
    if (keyboard_)
        panel_ =
            std::make_unique<PianoKeyboard>(KeyboardGeometry::editorPage(origin.x(), origin.y()),
                                            context_.midiOut, noMarkers_, colours_);
    else
        panel_ =
            std::make_unique<GuitarFretboard>(FretboardGeometry::editorPage(origin.x(), origin.y()),
                                              context_.midiOut, noMarkers_, colours_);

    makeControls();
}

MelodyEditorPage::~MelodyEditorPage()
{
    sheetClosing();
}

void MelodyEditorPage::makeControls()
{
    PageControls controls(this);
    const DialogUnits& du = controls.units();
    auto* intro = controls.label("Create custom melodies  (up to 12 notes) for your drills... "
                                 "Click mouse right button on the note selected...",
                                 8, 6, 224, 20, Qt::AlignLeft | Qt::AlignTop);
    intro->setWordWrap(true);

    auto button = [&](const char* name, const char* text, QRect where) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        b->setGeometry(where);
        return b;
    };
    connect(button("eraseLast", "Erase Last Note", du.rect(8, 32, 64, 14)), &QPushButton::clicked,
            this, [this] {
                edit_.eraseLast();
                repaintPage();
            });
    connect(button("eraseAll", "Erase All", du.rect(78, 32, 48, 14)), &QPushButton::clicked, this,
            [this] {
                edit_.eraseAll();
                repaintPage();
            });
    play_ = button("play", kPlayLabel, du.rect(132, 32, 48, 14));
    connect(play_, &QPushButton::clicked, this, [this] { playOrStop(); });

    auto* band = new QFrame(this);
    band->setFrameShape(QFrame::Box);
    band->setFrameShadow(QFrame::Plain);
    band->setStyleSheet("color: gray");
    band->setAttribute(Qt::WA_TransparentForMouseEvents);
    band->setGeometry(du.rect(2, kNameRowTop - 4, 236, 16));

    controls.label("Save As", 8, 130, 30, 12);
    names_ = new NameListBox(MelodyEdit::kMaxNameLength, ",\r\n", this);
    names_->setObjectName("melodyNames");
    names_->setGeometry(du.rect(40, 129, 130, 90));
    names_->setNames(edit_.names());
    names_->onChosen([this](int row) { chooseMelody(row); });
    names_->onEnter([this] { save(); });

    connect(button("saveMelody", "SAVE", du.rect(178, 129, 48, 20)), &QPushButton::clicked, this,
            [this] { save(); });
    connect(button("deleteMelody", "Delete", du.rect(178, 153, 48, 14)), &QPushButton::clicked,
            this, [this] { deleteChosen(); });
    connect(button("importMelody", "Import ...", du.rect(178, 177, 48, 14)), &QPushButton::clicked,
            this, [this] { importMelodies(); });
    connect(button("exportMelody", "Export ...", du.rect(178, 195, 48, 14)), &QPushButton::clicked,
            this, [this] { exportChosen(); });
}

QPoint MelodyEditorPage::panelOrigin() const
{
    const DialogUnits& du = DialogUnits::forDialogFont();
    return {du.x(kPanelLeft), du.y(kPanelTop)};
}

PanelContext MelodyEditorPage::panelContext() const
{
    // The editor plays what it writes: untransposed keys at the applied volume and timbre.
    const Settings& s = context_.settings;
    return {PanelSound{.midiVol = s.midiVol, .miditimbre = s.miditimbre, .editor = true}, {}};
}

void MelodyEditorPage::sheetClosing()
{
    stopPlayback();
    if (heldButton_ != Qt::NoButton)
        panel_->release(canvas());
    heldButton_ = Qt::NoButton;
    dragging_ = false;
}

void MelodyEditorPage::paintWindow(gdi::Canvas& dc)
{
    dc.fill(0, 0, dc.width(), dc.height(), palette().color(QPalette::Window).rgb());
    for (int i = 0; i < int(edit_.notes().size()); ++i)
        drawNoteName(dc, i);
    panel_->draw(dc);
}

void MelodyEditorPage::repaintPage()
{
    invalidate();
}

// Note i's name centred in its column of the name row, and the line closing the column.
void MelodyEditorPage::drawNoteName(gdi::Canvas& dc, int i)
{
    const DialogUnits& du = DialogUnits::forDialogFont();
    const int column = du.baseWidth() * 13 / 4;
    const int left = du.baseWidth() / 2;
    const int row = du.y(kNameRowTop);
    gdi::TextStyle style;
    style.font = noteNameFont();
    style.hAlign = gdi::HAlign::Centre;
    const int key = edit_.notes()[std::size_t(i)];
    const auto& names = noteNamesFor(notationOf(context_.settings.notation)).chromaticNames;
    dc.text(left + column * i + column / 2, row, names[std::size_t(key % 12)], style);
    const int x = left + column * (i + 1) - 3;
    dc.line(x, row - 5, x, row + 25, gdi::Pen::solid(gdi::black));
}

void MelodyEditorPage::mousePressEvent(QMouseEvent* event)
{
    const Qt::MouseButton button = event->button();
    const QPoint p = event->position().toPoint();
    if ((button != Qt::LeftButton && button != Qt::RightButton) || heldButton_ != Qt::NoButton ||
        !panel_->contains(p.x(), p.y()))
        return;
    gdi::Canvas& dc = canvas();
    heldButton_ = button;
    dragging_ = button == Qt::LeftButton && keyboard_;
    pointerOverPanel_ = true;
    if (panel_->pressAt(dc, p.x(), p.y(), panelContext()) < 0 || button != Qt::RightButton)
        return;
    // Right button: the note is entered too, unless the melody is full (then it only sounds).
    if (edit_.add(panel_->midiKey()))
        drawNoteName(dc, int(edit_.notes().size()) - 1);
}

void MelodyEditorPage::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    const bool over = panel_->contains(p.x(), p.y());
    if (dragging_) {
        gdi::Canvas& dc = canvas();
        if (over && pointerOverPanel_)
            panel_->slideTo(dc, p.x(), p.y(), panelContext());
        else if (over)
            panel_->pressAt(dc, p.x(), p.y(), panelContext()); // back on the keys: sounds again
        else if (pointerOverPanel_)
            panel_->release(dc);
    }
    pointerOverPanel_ = over;
}

void MelodyEditorPage::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != heldButton_)
        return;
    panel_->release(canvas());
    heldButton_ = Qt::NoButton;
    dragging_ = false;
}

void MelodyEditorPage::playOrStop()
{
    if (playback_.isRunning()) {
        playback_.requestStop();
        return;
    }
    if (edit_.notes().empty())
        return;
    const int velocity = noteOnVelocity(context_.settings.midiVol);
    MidiOut* out = context_.midiOut;
    std::vector<TimedSequence::Step> steps;
    for (int key : edit_.notes()) {
        steps.push_back({[this, out, key, velocity] {
                             // The note-off goes out at the note-on's velocity.
                             if (out)
                                 playingNote_ = out->startNote(key, velocity, {velocity});
                             playingKey_ = key;
                             if (keyboard_)
                                 static_cast<PianoKeyboard&>(*panel_).pressNote(canvas(), key);
                         },
                         kPlayNoteMs, false});
        steps.push_back({[this, key] { stopPlayingKey(key); }, 0, true});
    }
    play_->setText(kStopLabel);
    playback_.start(std::move(steps), [this](bool) { play_->setText(kPlayLabel); });
}

// The note of the playback ends: its key shows at rest and its note-off goes out.
void MelodyEditorPage::stopPlayingKey(int key)
{
    if (keyboard_)
        static_cast<PianoKeyboard&>(*panel_).releaseNote(canvas(), key);
    playingNote_.stop();
    playingKey_ = -1;
}

void MelodyEditorPage::stopPlayback()
{
    if (!playback_.isRunning())
        return;
    playback_.abort();
    if (playingKey_ >= 0)
        stopPlayingKey(playingKey_);
    play_->setText(kPlayLabel);
}

void MelodyEditorPage::chooseMelody(int row)
{
    const Status loaded = edit_.load(row);
    repaintPage();
    if (!loaded)
        tell(loaded.message());
}

void MelodyEditorPage::save()
{
    const auto saved = edit_.save(names_->text());
    if (!saved) {
        tell(saved.message());
        return;
    }
    if (*saved == MelodyEdit::Saved::Nothing)
        return;
    names_->setNames(edit_.names());
    names_->setCurrentRow(edit_.loadedLine());
    repaintPage();
}

void MelodyEditorPage::deleteChosen()
{
    const int row = names_->currentRow();
    if (row < 0) {
        tell("Select the melody to delete in the list.");
        return;
    }
    if (!messages_->ask("Delete", "Delete '" + names_->nameAt(row) + "'?"))
        return;
    const Status removed = edit_.remove(row, state_.workingCopy.custMelody);
    if (!removed)
        tell(removed.message());
    names_->setNames(edit_.names());
    repaintPage();
}

// The melodies of a notation file (of the part the user picks, when it has several) are
// appended to the file the page edits, and the first of them is loaded.
void MelodyEditorPage::importMelodies()
{
    const auto file = fileDialogs_->fileToImport();
    if (!file)
        return;
    const auto score = readNotationFile(*file);
    if (!score) {
        tell(score.message());
        return;
    }
    std::size_t part = 0;
    if (score->parts.size() > 1) {
        std::vector<std::string> names;
        for (const NotatedPart& p : score->parts)
            names.push_back(p.name);
        const auto picked = fileDialogs_->partToImport(names);
        if (!picked)
            return;
        part = *picked;
    }
    const auto melodies =
        melodiesToImport(*score, *file, part, answerModeOf(context_.settings.noteName));
    if (!melodies) {
        tell(melodies.message());
        return;
    }
    const int first = static_cast<int>(edit_.names().size());
    MelodyStore store = edit_.store();
    if (Status added = store.appendAll(*melodies); !added) {
        tell(added.message());
        return;
    }
    names_->setNames(edit_.names());
    names_->setCurrentRow(first);
    names_->setText(melodies->front().name);
    chooseMelody(first);
    const std::size_t count = melodies->size();
    messages_->inform(kMessageCaption, count == 1 ? "Added '" + melodies->front().name + "'."
                                                  : "Added " + std::to_string(count) +
                                                        " melodies, '" + melodies->front().name +
                                                        "' to '" + melodies->back().name + "'.");
}

void MelodyEditorPage::exportChosen()
{
    const int row = names_->currentRow();
    const auto melody = row >= 0 ? edit_.store().load(row) : std::nullopt;
    if (!melody) {
        tell("Select the melody to export in the list.");
        return;
    }
    const auto file = fileDialogs_->fileToExportTo(melody->name + ".musicxml");
    if (!file)
        return;
    if (Status written = writeNotationFile(*file, *melody); !written)
        tell(written.message());
}

void MelodyEditorPage::tell(const std::string& text)
{
    messages_->warn(kMessageCaption, text);
}
