#include "music/melody_store.h"

#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <functional>

#include <unistd.h>

namespace {

const int microphone = 0;
const int guitar = 1;

class MelodyStoreTest : public ::testing::Test {
protected:
    TempDir dir;
    MelodyStore store{dir.path(), microphone};
};

TEST_F(MelodyStoreTest, AppendCreatesTheFileAndEndsEachLineWithCrCrLf)
{
    ASSERT_TRUE(store.append({"Happy", {60, 62, 64}}));
    EXPECT_EQ(dir.read("mel.ssc"), "Happy,60,62,64\r\r\n");

    ASSERT_TRUE(store.append({"Scale", {60}}));
    EXPECT_EQ(dir.read("mel.ssc"), "Happy,60,62,64\r\r\nScale,60\r\r\n");
    EXPECT_EQ(store.names(), (std::vector<std::string>{"Happy", "Scale"}));
    EXPECT_EQ(store.load(1), (CustomMelody{"Scale", {60}}));
    EXPECT_EQ(store.load(2), std::nullopt);
    EXPECT_EQ(store.load(-1), std::nullopt);
}

TEST_F(MelodyStoreTest, AbsentFileListsNothingAndIsNeverCreatedByReadingOrRewriting)
{
    int custMelody = 2;
    EXPECT_TRUE(store.names().empty());
    EXPECT_EQ(store.load(0), std::nullopt);
    EXPECT_FALSE(store.replace(0, {"A", {60}}));
    EXPECT_FALSE(store.remove(0, custMelody));
    EXPECT_EQ(custMelody, 2);
    EXPECT_FALSE(std::filesystem::exists(dir.file("mel.ssc")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("temp")));
}

TEST_F(MelodyStoreTest, ReadsLfCrLfAndCrCrLfLinesAndALastLineWithoutEnd)
{
    dir.write("mel.ssc", "One,60\nTwo,61,62\r\nThree,63\r\r\nFour,64,65");
    EXPECT_EQ(store.names(), (std::vector<std::string>{"One", "Two", "Three", "Four"}));
    EXPECT_EQ(store.load(1), (CustomMelody{"Two", {61, 62}}));
    EXPECT_EQ(store.load(2), (CustomMelody{"Three", {63}}));
    EXPECT_EQ(store.load(3), (CustomMelody{"Four", {64, 65}}));
}

TEST_F(MelodyStoreTest, ReplaceWritesTheNewLineAndCopiesTheOthersWithCrLf)
{
    dir.write("mel.ssc", "One,60\nTwo,61\r\nThree,62\r\r\n");
    ASSERT_TRUE(store.replace(1, {"Deux", {70, 71}}));
    EXPECT_EQ(dir.read("mel.ssc"), "One,60\r\nDeux,70,71\r\r\nThree,62\r\r\n");
    EXPECT_FALSE(std::filesystem::exists(dir.file("temp")));

    // No such line: the file is rewritten with its lines unchanged.
    ASSERT_TRUE(store.replace(-1, {"X", {60}}));
    ASSERT_TRUE(store.replace(3, {"X", {60}}));
    EXPECT_EQ(dir.read("mel.ssc"), "One,60\r\nDeux,70,71\r\r\nThree,62\r\r\n");
}

TEST_F(MelodyStoreTest, DeleteKeepsTheOtherLinesAndResetsAFixedMelodyPastTheEnd)
{
    dir.write("mel.ssc", "A,60\r\nB,61\nC,62\r\r\nD,63\r\r\nE,64\r\r\n");

    int custMelody = 3;
    ASSERT_TRUE(store.remove(0, custMelody));
    EXPECT_EQ(dir.read("mel.ssc"), "B,61\r\nC,62\r\r\nD,63\r\r\nE,64\r\r\n");
    EXPECT_EQ(custMelody, 3) << "not shifted: it now names what was line 4";

    ASSERT_TRUE(store.remove(3, custMelody));
    EXPECT_EQ(dir.read("mel.ssc"), "B,61\r\nC,62\r\r\nD,63\r\r\n");
    EXPECT_EQ(custMelody, 0);

    // Deleting nothing keeps a fixed melody that still names a line.
    custMelody = 2;
    ASSERT_TRUE(store.remove(-1, custMelody));
    EXPECT_EQ(dir.read("mel.ssc"), "B,61\r\nC,62\r\r\nD,63\r\r\n");
    EXPECT_EQ(custMelody, 2);
    EXPECT_FALSE(std::filesystem::exists(dir.file("temp")));
}

TEST_F(MelodyStoreTest, RoundTripOfAppendReplaceAndDelete)
{
    const CustomMelody first{"First", {36, 83}};
    const CustomMelody second{"GUITAR riff", {40, 45, 50, 55, 59, 64, 40, 45, 50, 55, 59, 64, 40}};
    const CustomMelody third{"Third", {60, 62}};
    ASSERT_TRUE(store.append(first));
    ASSERT_TRUE(store.append(second));
    ASSERT_TRUE(store.append(third));
    ASSERT_TRUE(store.replace(0, {"Renamed", {36, 83}}));
    int custMelody = 1;
    ASSERT_TRUE(store.remove(1, custMelody));
    EXPECT_EQ(store.names(), (std::vector<std::string>{"Renamed", "Third"}));
    EXPECT_EQ(store.load(1), third);
    EXPECT_EQ(dir.read("mel.ssc"), "Renamed,36,83\r\r\nThird,60,62\r\r\n");
}

TEST_F(MelodyStoreTest, GuitarModeUsesItsOwnFile)
{
    dir.write("mel.ssc", "Voice,60\r\r\n");
    MelodyStore guitarStore(dir.path(), guitar);
    ASSERT_TRUE(guitarStore.append({"GUITAR one", {52}}));
    int custMelody = 0;
    ASSERT_TRUE(guitarStore.replace(0, {"GUITAR two", {53}}));
    ASSERT_TRUE(guitarStore.append({"GUITAR three", {55}}));
    ASSERT_TRUE(guitarStore.remove(1, custMelody));
    EXPECT_EQ(dir.read("mel2.ssc"), "GUITAR two,53\r\r\n");
    EXPECT_EQ(dir.read("mel.ssc"), "Voice,60\r\r\n");
    EXPECT_EQ(store.names(), std::vector<std::string>{"Voice"});
}

TEST_F(MelodyStoreTest, RefusesMelodiesThatWouldNotReadBackAsWritten)
{
    dir.write("mel.ssc", "Keep,60\r\r\n");
    const CustomMelody refused[] = {
        {"No notes", {}},
        {"Comma, in name", {60}},
        {"", {60}},
        {"Line\r\nend", {60}},
        {"Fourteen", std::vector<int>(14, 60)},
        {"Too low", {35}},
        {"Too high", {84}},
    };
    int custMelody = 0;
    for (const CustomMelody& melody : refused) {
        EXPECT_FALSE(store.append(melody)) << melody.name;
        EXPECT_FALSE(store.replace(0, melody)) << melody.name;
    }
    EXPECT_EQ(dir.read("mel.ssc"), "Keep,60\r\r\n");
    EXPECT_TRUE(store.remove(0, custMelody)) << "deleting needs no melody";
}

TEST_F(MelodyStoreTest, AppendAfterALastLineWithoutEndStartsANewLine)
{
    dir.write("mel.ssc", "Foreign,60,62");
    ASSERT_TRUE(store.append({"Mine", {64}}));
    EXPECT_EQ(dir.read("mel.ssc"), "Foreign,60,62\r\nMine,64\r\r\n");
    EXPECT_EQ(store.names(), (std::vector<std::string>{"Foreign", "Mine"}));
}

TEST_F(MelodyStoreTest, ListPositionsAreLineIndicesEvenForOddLines)
{
    const std::string longName(300, 'x');
    dir.write("mel.ssc", ",,,\r\n\r\nNoNotes\r\n" + longName + ",60\r\n,,Lead,,61,\r\nLast,62\r\n");
    EXPECT_EQ(store.names(),
              (std::vector<std::string>{"", "", "NoNotes", longName, "Lead", "Last"}));
    EXPECT_EQ(store.load(3), (CustomMelody{longName, {60}}));
    EXPECT_EQ(store.load(4), (CustomMelody{"Lead", {61}}));
    EXPECT_EQ(store.load(5), (CustomMelody{"Last", {62}}));
    EXPECT_EQ(store.load(2), (CustomMelody{"NoNotes", {}}));
}

// The rewrite must never cost the user's melodies: each of these failures
// leaves the melody file exactly as it was.
class FailingRewriteTest : public MelodyStoreTest {
protected:
    const std::string original = "One,60\nTwo,61\r\nThree,62\r\r\n";
    void SetUp() override { dir.write("mel.ssc", original); }

    // `makeItFail` is run before each rewrite.
    void expectUntouchedAfterRewrites(const std::function<void()>& makeItFail)
    {
        int custMelody = 2;
        makeItFail();
        EXPECT_FALSE(store.replace(1, {"New", {65}}));
        makeItFail();
        EXPECT_FALSE(store.remove(2, custMelody));
        EXPECT_EQ(custMelody, 2);
        EXPECT_EQ(dir.read("mel.ssc"), original);
    }
};

TEST_F(FailingRewriteTest, ScratchFileCannotBeCreated)
{
    std::filesystem::create_directory(dir.file("temp"));
    dir.write("temp/in-the-way", "x");
    expectUntouchedAfterRewrites([] {});
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("temp")));
}

TEST_F(FailingRewriteTest, ScratchFileCannotBeWrittenCompletely)
{
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    // A scratch file on a full disk: it opens, but the bytes do not fit.
    expectUntouchedAfterRewrites(
        [this] { std::filesystem::create_symlink("/dev/full", dir.file("temp")); });
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(dir.file("temp"))));
}

TEST_F(FailingRewriteTest, DirectoryIsReadOnly)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop root";
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_read |
                                                 std::filesystem::perms::owner_exec);
    expectUntouchedAfterRewrites([] {});
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_all);
}

} // namespace
