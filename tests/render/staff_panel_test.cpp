#include "music/keys.h"
#include "music/pitch.h"
#include "render/staff_panel.h"
#include "tests/support/accidentals.h"
#include "tests/support/canvas_probe.h"

#include <vector>

namespace {

constexpr int L = layoutTop;

struct StaffPanelTest : RenderTest {
    StaffLayout draw(StaffPanelSettings s) { return drawStaffPanel(dc, colours, art, s); }

    // Columns of key-signature slot i hold no ink off the staff lines (rows above the time
    // signature, which every signature glyph reaches into).
    bool slotEmpty(int i, int top, int bottom) const
    {
        for (int y = top; y < bottom; ++y) {
            if (y >= L + 112 && y <= L + 136 && (y - L - 112) % 6 == 0)
                continue;
            for (int x = 53 + 5 * i; x < 58 + 5 * i; ++x)
                if (dc.pixel(x, y) != colours[0])
                    return false;
        }
        return true;
    }
};

TEST_F(StaffPanelTest, TheKeySignaturePushesTheFirstNoteColumn)
{
    const KeyAccidentals none{}, allSharp = signsOf("#######"), allFlat = signsOf("bbbbbbb");
    // The signature in force comes from the key's own rule; the staff draws it.
    const struct {
        const char* key;
        int scale, mode, current; // the key index, scale type and the code in force before
        int code, firstNoteX;
        const QImage* glyph;
        std::vector<int> offsets; // glyph top above L+130, slot by slot
        KeyAccidentals accidentals;
    } cases[] = {
        // clang-format off
        {"C", 1, 0, 1, 1, 78, nullptr, {}, none},
        {"C#", 8, 0, 1, 8, 120, &art.diez, {24, 15, 27, 18, 9, 21, 12}, allSharp},
        {"F", 9, 0, 1, 9, 90, &art.bemol, {15}, signsOf("......b")},
        {"Cb", 15, 0, 1, 15, 120, &art.bemol, {15, 24, 12, 21, 9, 18, 6}, allFlat},
        {"C minor", 1, 1, 1, 11, 100, &art.bemol, {15, 24, 12}, signsOf("..b..bb")},
        {"A minor", 4, 1, 1, 1, 78, nullptr, {}, none},
        {"chromatic", 3, 2, 3, 3, 85, nullptr, {}, none},
        {"random", 0, 0, 4, 4, 100, &art.diez, {24, 15, 27}, signsOf("#..##..")},
        // clang-format on
    };
    for (const auto& c : cases) {
        clear();
        const StaffLayout layout =
            draw({.mode = scaleModeOf(c.mode),
                  .keySignature = keySignatureFor(c.scale, scaleModeOf(c.mode), c.current)});
        EXPECT_EQ(layout.keySignature, c.code) << c.key;
        EXPECT_EQ(layout.firstNoteX, c.firstNoteX) << c.key;
        EXPECT_EQ(layout.keyAccidental, c.accidentals) << c.key;
        EXPECT_EQ(layout.signatureDrawn, c.mode < 2) << c.key;
        // The time signature follows the key signature; without one it sits at x 55.
        const int timeX = c.mode < 2 ? c.firstNoteX - 23 : 55;
        EXPECT_GT(count(timeX, L + 119, 8, 11, colours[2]), 3) << c.key;
        const int n = int(c.offsets.size());
        for (int i = 0; i < n; ++i)
            EXPECT_TRUE(showsGlyph(*c.glyph, 53 + 5 * i, L + 130 - c.offsets[i])) << c.key << i;
        if (n < 7) {
            EXPECT_TRUE(slotEmpty(n, L + 90, L + 118)) << c.key;
        }
        EXPECT_TRUE(slotEmpty(0, L + 60, L + 100)) << c.key; // nothing above the staff
    }
    EXPECT_EQ(signatureEndX(0, ScaleMode::Major), 58); // a damaged code draws as none
}

TEST_F(StaffPanelTest, ClefCases)
{
    const struct {
        AnswerMode answerMode;
        int range;
        ClefCase clef;
        int melodyBase, answerBase;
        bool eight; // the "8" under the treble clef
    } cases[] = {
        {AnswerMode::Piano, 3, ClefCase::Treble, 181, 324, false},
        {AnswerMode::Guitar, 5, ClefCase::Guitar, 160, 303, true},
        {AnswerMode::Piano, 4, ClefCase::Bass, 145, 288, false},
    };
    for (const auto& c : cases) {
        clear();
        const StaffLayout layout =
            draw({.answerMode = c.answerMode, .range = c.range, .keySignature = 2});
        EXPECT_EQ(layout.clef, c.clef);
        EXPECT_EQ(layout.melodyStaffBase, c.melodyBase);
        EXPECT_EQ(layout.answerStaffBase, c.answerBase);
        for (int staffTop : {L + 112, L + 255}) {
            if (c.clef == ClefCase::Bass) {
                EXPECT_TRUE(showsGlyph(art.fa, 28, staffTop - 3)); // bass clef at x 28
            } else {
                EXPECT_TRUE(showsGlyph(art.sol, 25, staffTop - 7));
                EXPECT_EQ(count(30, staffTop + 31, 16, 14, colours[2]) > 3, c.eight);
            }
        }
    }
    // The bass staff's reference is L+136: G major's sharp sits 24 above it.
    EXPECT_TRUE(showsGlyph(art.diez, 53, L + 136 - 24));
}

TEST_F(StaffPanelTest, NoteBoxesFollowTheFirstNoteColumnInMicrophoneModeOnly)
{
    const StaffLayout layout =
        draw({.answerMode = AnswerMode::Microphone, .keySignature = 9, .noteCount = 12});
    for (int i = 0; i < kNoteBoxCount; ++i) {
        EXPECT_EQ(layout.noteBoxes[i].left, 90 + 30 * i - 12);
        EXPECT_EQ(layout.noteBoxes[i].top, L + 375);
    }
    const NoteBox& last = layout.noteBoxes[12];
    EXPECT_EQ(dc.pixel(layout.noteBoxes[11].left + 15, last.top + 11), colours[10]);
    EXPECT_NE(dc.pixel(last.left + 15, last.top + 11), colours[10]); // box 12 not drawn
    draw({.answerMode = AnswerMode::Microphone, .keySignature = 9, .noteCount = 13});
    EXPECT_EQ(dc.pixel(last.left + 15, last.top + 11), colours[10]);

    // Piano and guitar mode hand the bottom panel to their painter instead.
    std::vector<AnswerMode> modes;
    clear();
    drawStaffPanel(
        dc, colours, art, {.answerMode = AnswerMode::Guitar},
        [&](gdi::Canvas&, const StaffLayout&, AnswerMode mode) { modes.push_back(mode); });
    EXPECT_EQ(modes, std::vector<AnswerMode>{AnswerMode::Guitar});
    EXPECT_NE(dc.pixel(100, L + 386), colours[10]);
}

} // namespace
