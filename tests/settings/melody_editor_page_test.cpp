#include "notation/melody_files.h"
#include "settings/melody_editor_page.h"
#include "settings/name_list_box.h"
#include "tests/settings/page_fixture.h"
#include "tests/support/event_loop.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

// A point on the white key of MIDI key `key` (36..83) of the editor's keyboard.
QPoint whiteKey(QPoint origin, int key)
{
    static constexpr int kWhiteOfSemitone[12] = {0, -1, 1, -1, 2, 3, -1, 4, -1, 5, -1, 6};
    const int octave = (key - 36) / 12, white = kWhiteOfSemitone[(key - 36) % 12];
    return origin + QPoint(12 * (7 * octave + white) + 6, 32); // below the black keys
}

// Answers the page's file and part questions as a user would; nothing means Cancel.
struct ScriptedFileDialogs final : MelodyFileDialogs {
    std::optional<std::filesystem::path> toImport, toExport;
    std::optional<std::size_t> part;
    std::vector<std::string> offeredParts;
    std::string suggested;

    std::optional<std::filesystem::path> fileToImport() override { return toImport; }
    std::optional<std::filesystem::path> fileToExportTo(const std::string& name) override
    {
        suggested = name;
        return toExport;
    }
    std::optional<std::size_t> partToImport(const std::vector<std::string>& names) override
    {
        offeredParts = names;
        return part;
    }
};

struct EditorTest : testing::Test, PageTest {
    ScriptedFileDialogs dialogs;
    std::unique_ptr<SettingsSheet> sheet;
    MelodyEditorPage* page = nullptr;
    NameListBox* names = nullptr;

    void open()
    {
        sheet = std::make_unique<SettingsSheet>(context, SheetTab::CustomMelody);
        page = sheet->findChild<MelodyEditorPage*>();
        page->useMessages(messages);
        page->useFileDialogs(dialogs);
        names = control<NameListBox>(*sheet, "melodyNames");
        sent();
    }
    void enter(std::initializer_list<int> keys)
    {
        for (int key : keys)
            click(page, whiteKey(page->panelOrigin(), key), Qt::RightButton);
    }
    void saveAs(const std::string& name)
    {
        names->setText(name);
        control<QPushButton>(*sheet, "saveMelody")->click();
    }
    void press(const char* button) { control<QPushButton>(*sheet, button)->click(); }
    std::vector<int> notes() const { return page->edit().notes(); }
    std::string melFile() const { return dir.read("mel.ssc"); }
};

const std::string kFile = "First,60,62\r\nSecond,64\r\nThird,65\r\n";

TEST_F(EditorTest, RightClicksEnterUpToThirteenNotesLeftClicksOnlySound)
{
    context.settings.midiVol = 70;
    context.settings.miditimbre = 5;
    open();
    click(page, whiteKey(page->panelOrigin(), 60));
    EXPECT_TRUE(notes().empty());
    EXPECT_EQ(sent(),
              (std::vector<Message>{{0xC0, 5, 0}, {0x90, 60, 70}, {0x80, 60, 94}, {0x8C, 60, 94}}));

    for (int i = 0; i < 14; ++i)
        enter({i % 2 ? 48 : 83});
    EXPECT_EQ(notes().size(), 13u) << "the 14th click only sounds";
    EXPECT_EQ(notes().front(), 83);
    EXPECT_EQ(sent().size(), 14u * 4);

    press("eraseLast");
    EXPECT_EQ(notes().size(), 12u);
    press("eraseAll");
    EXPECT_TRUE(notes().empty());
    press("eraseLast"); // nothing left: nothing happens
    EXPECT_TRUE(notes().empty());
}

TEST_F(EditorTest, DraggingOffTheKeysStopsTheNote)
{
    open();
    const QPoint c4 = whiteKey(page->panelOrigin(), 60), d4 = whiteKey(page->panelOrigin(), 62);
    mouse(page, QEvent::MouseButtonPress, Qt::LeftButton, c4);
    QMouseEvent away(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(page, &away);
    QMouseEvent back(QEvent::MouseMove, QPointF(d4), QPointF(d4), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(page, &back);
    mouse(page, QEvent::MouseButtonRelease, Qt::LeftButton, d4);
    EXPECT_EQ(sent(), (std::vector<Message>{{0xC0, 0, 0},
                                            {0x90, 60, 100},
                                            {0x80, 60, 94},
                                            {0x8C, 60, 94},
                                            {0xC0, 0, 0},
                                            {0x90, 62, 100},
                                            {0x80, 62, 94},
                                            {0x8C, 62, 94}}));
    EXPECT_TRUE(notes().empty()) << "dragging never enters notes";
}

TEST_F(EditorTest, PlaySoundsEachNoteAtTheVolume)
{
    context.settings.midiVol = 77;
    open();
    enter({60, 64});
    sent();
    press("play");
    EXPECT_EQ(control<QPushButton>(*sheet, "play")->text(), "STOP");
    ASSERT_TRUE(runEventsUntil([&] { return !page->isPlaying(); }));
    EXPECT_EQ(control<QPushButton>(*sheet, "play")->text(), "Play");
    EXPECT_EQ(sent(), (std::vector<Message>{
                          {0x90, 60, 77}, {0x80, 60, 77}, {0x90, 64, 77}, {0x80, 64, 77}}));

    press("play");
    press("play"); // STOP: ends after the note that sounds
    ASSERT_TRUE(runEventsUntil([&] { return !page->isPlaying(); }));
    EXPECT_EQ(sent(), (std::vector<Message>{{0x90, 60, 77}, {0x80, 60, 77}}));
}

TEST_F(EditorTest, SaveAppendsReplacesRenamesOrLeavesTheFileByTheDecisionTable)
{
    open();
    // New notes under a new name: appended, the written line ending CR CR LF.
    enter({60, 62, 64});
    saveAs("Happy");
    EXPECT_EQ(melFile(), kFile + "Happy,60,62,64\r\r\n");
    EXPECT_TRUE(notes().empty());
    EXPECT_EQ(names->count(), 4);
    EXPECT_EQ(names->currentRow(), 3);

    struct Row {
        const char* name;
        int line;                  // chosen in the list
        std::vector<int> addNotes; // entered after choosing
        std::string saveAs;
        std::string file;
    };
    const Row rows[] = {
        {"same name, same notes: nothing", 0, {}, "First", kFile + "Happy,60,62,64\r\r\n"},
        {"new name, same notes: renamed in place",
         1,
         {},
         "Two",
         "First,60,62\r\nTwo,64\r\r\nThird,65\r\nHappy,60,62,64\r\r\n"},
        {"same name, a note added: rewritten",
         0,
         {67},
         "First",
         "First,60,62,67\r\r\nTwo,64\r\r\nThird,65\r\nHappy,60,62,64\r\r\n"},
        {"new name, a note added: a new melody, the old kept",
         2,
         {72},
         "Fourth",
         "First,60,62,67\r\r\nTwo,64\r\r\nThird,65\r\nHappy,60,62,64\r\r\nFourth,65,72\r\r\n"},
    };
    for (const Row& row : rows) {
        names->list()->setCurrentRow(row.line);
        EXPECT_EQ(names->text(), names->nameAt(row.line)) << row.name;
        for (int key : row.addNotes)
            enter({key});
        saveAs(row.saveAs);
        EXPECT_EQ(melFile(), row.file) << row.name;
    }
    EXPECT_TRUE(messages.told.empty());
}

TEST_F(EditorTest, ASavedLineSavedAgainIsRewrittenNotLost)
{
    open();
    enter({60});
    saveAs("New");
    enter({62});
    saveAs("New");
    EXPECT_EQ(melFile(), kFile + "New,62\r\r\n");
}

TEST_F(EditorTest, UnsavableInputLeavesTheFileAlone)
{
    open();
    saveAs("Empty");
    enter({60});
    saveAs("");
    names->setText("");
    for (QChar c : QString("a,b")) {
        QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(names->field(), &key);
    }
    EXPECT_EQ(names->text(), "ab") << "the field refuses a comma";
    EXPECT_EQ(names->field()->maxLength(), 98);
    ASSERT_EQ(messages.told.size(), 2u);
    EXPECT_NE(messages.told[0].find("no notes"), std::string::npos);
    EXPECT_NE(messages.told[1].find("Type a name"), std::string::npos);
    EXPECT_EQ(melFile(), kFile);
}

TEST_F(EditorTest, DeleteRemovesTheChosenLine)
{
    context.settings.custMelody = 2;
    open();
    names->list()->setCurrentRow(1);
    names->setText("Third"); // typed over: the question still names the line to go

    messages.answer = false;
    press("deleteMelody");
    EXPECT_EQ(messages.asked, (std::vector<std::string>{"Delete: Delete 'Second'?"}));
    EXPECT_EQ(melFile(), kFile);

    messages.answer = true;
    press("deleteMelody");
    EXPECT_EQ(melFile(), "First,60,62\r\nThird,65\r\n");
    EXPECT_EQ(names->count(), 2);
    EXPECT_EQ(sheet->workingCopy().custMelody, 0) << "line 2 is gone";

    press("deleteMelody"); // nothing chosen now
    EXPECT_EQ(messages.told,
              (std::vector<std::string>{"Select the melody to delete in the list."}));
    EXPECT_EQ(melFile(), "First,60,62\r\nThird,65\r\n");
}

TEST_F(EditorTest, AFailureNeverRewritesADamagedFile)
{
    const std::string damaged =
        "Long,60,60,60,60,60,60,60,60,60,60,60,60,60,60\r\n,,,\r\nOk,62\r\n";
    dir.write("mel.ssc", damaged);
    open();
    ASSERT_EQ(names->count(), 3);
    EXPECT_EQ(names->nameAt(2), "Ok") << "list positions stay line indices";

    names->list()->setCurrentRow(0);
    ASSERT_EQ(messages.told.size(), 1u);
    EXPECT_NE(messages.told[0].find("Line 1 of mel.ssc"), std::string::npos);
    EXPECT_TRUE(notes().empty());

    // "temp" taken by a directory: the rewrite cannot be prepared.
    names->list()->setCurrentRow(2);
    std::filesystem::create_directory(dir.file("temp"));
    enter({64});
    saveAs("Ok");
    ASSERT_EQ(messages.told.size(), 2u);
    EXPECT_NE(messages.told[1].find("left as it was"), std::string::npos);
    EXPECT_EQ(melFile(), damaged);
    EXPECT_EQ(notes(), (std::vector<int>{62, 64})) << "the notes stay for another try";
    saveAs("Another");
    ASSERT_EQ(messages.told.size(), 3u) << "appending is refused the same way";
    EXPECT_EQ(melFile(), damaged);

    std::filesystem::remove(dir.file("temp"));
    saveAs("Ok");
    EXPECT_EQ(melFile(), "Long,60,60,60,60,60,60,60,60,60,60,60,60,60,60\r\n,,,\r\nOk,62,64\r\r\n");
}

TEST_F(EditorTest, AMissingDataDirectoryGivesAMessageOnSave)
{
    open();
    std::filesystem::remove_all(dir.path());
    enter({60});
    saveAs("Lost");
    ASSERT_EQ(messages.told.size(), 1u);
    EXPECT_NE(messages.told[0].find("cannot be written"), std::string::npos);
    std::filesystem::create_directory(dir.path()); // for the fixture's clean-up
}

TEST_F(EditorTest, GuitarModeEditsTheGuitarFileOnAFretboard)
{
    context.settings.noteName = noteNameOf(AnswerMode::Guitar);
    open();
    EXPECT_EQ(names->count(), 1);
    EXPECT_EQ(names->nameAt(0), "Riff");
    // The low E string, open: left of the first fret in the bottom band.
    click(page, page->panelOrigin() + QPoint(5, 52), Qt::RightButton);
    ASSERT_EQ(notes(), (std::vector<int>{40}));
    saveAs("Low");
    EXPECT_EQ(dir.read("mel2.ssc"), "Riff,52\r\nLow,40\r\r\n");
    EXPECT_EQ(melFile(), kFile);
}

// A score of two parts: the part picked is appended and loaded into the editor.
TEST_F(EditorTest, ImportAppendsThePickedPartAndLoadsItsFirstMelody)
{
    const std::string duet =
        "<score-partwise><work><work-title>Duet</work-title></work><part-list>"
        "<score-part id=\"A\"><part-name>High</part-name></score-part>"
        "<score-part id=\"B\"><part-name>Low</part-name></score-part></part-list>"
        "<part id=\"A\"><measure><note><pitch><step>C</step><octave>5</octave></pitch></note>"
        "</measure></part><part id=\"B\"><measure><note><pitch><step>E</step><octave>3</octave>"
        "</pitch></note><note><pitch><step>G</step><octave>3</octave></pitch></note></measure>"
        "</part></score-partwise>";
    dir.write("duet.musicxml", duet);
    open();
    dialogs.toImport = dir.file("duet.musicxml");
    press("importMelody"); // Cancel on the part question: nothing happens
    EXPECT_EQ(dialogs.offeredParts, (std::vector<std::string>{"High", "Low"}));
    EXPECT_EQ(melFile(), kFile);

    dialogs.part = 1;
    press("importMelody");
    EXPECT_EQ(melFile(), kFile + "Duet,52,55\r\r\n");
    EXPECT_EQ(names->count(), 4);
    EXPECT_EQ(names->currentRow(), 3);
    EXPECT_EQ(names->text(), "Duet");
    EXPECT_EQ(notes(), (std::vector<int>{52, 55}));
    EXPECT_EQ(messages.told, (std::vector<std::string>{"Added 'Duet'."}));
}

TEST_F(EditorTest, AnImportThatFailsSaysWhyAndLeavesTheFileAlone)
{
    dir.write("broken.mid", "MThd\0\0");
    open();
    dialogs.toImport = dir.file("broken.mid");
    press("importMelody");
    ASSERT_EQ(messages.told.size(), 1u);
    EXPECT_NE(messages.told[0].find("broken.mid"), std::string::npos) << messages.told[0];
    EXPECT_EQ(melFile(), kFile);
}

TEST_F(EditorTest, ExportWritesTheChosenMelody)
{
    open();
    press("exportMelody");
    EXPECT_EQ(messages.told,
              (std::vector<std::string>{"Select the melody to export in the list."}));

    names->list()->setCurrentRow(0);
    dialogs.toExport = dir.file("first.mid");
    press("exportMelody");
    EXPECT_EQ(dialogs.suggested, "First.musicxml");
    const auto score = readNotationFile(dir.file("first.mid"));
    ASSERT_TRUE(score) << score.message();
    const auto melodies = melodiesToImport(*score, dir.file("first.mid"), 0, AnswerMode::Piano);
    EXPECT_EQ(*melodies, (std::vector<CustomMelody>{{"First", {60, 62}}}));
}

} // namespace
