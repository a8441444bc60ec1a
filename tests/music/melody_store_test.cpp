#include "music/melody_store.h"

#include "platform/testing/temp_dir.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

class MelodyStoreTest : public ::testing::Test {
protected:
    TempDir dir;
    MelodyStore store{dir.path(), AnswerMode::Piano};
    std::string file() const { return dir.read("mel.ssc"); }
};

TEST_F(MelodyStoreTest, OnlyAppendingCreatesTheFile)
{
    int custMelody = 2;
    EXPECT_TRUE(store.names().empty());
    EXPECT_EQ(store.load(0), std::nullopt);
    const Status replaced = store.replace(0, {"A", {60}});
    EXPECT_FALSE(replaced);
    EXPECT_NE(replaced.message().find("mel.ssc"), std::string::npos) << replaced.message();
    EXPECT_FALSE(store.remove(0, custMelody));
    EXPECT_EQ(custMelody, 2);
    EXPECT_FALSE(std::filesystem::exists(dir.file("mel.ssc")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("temp")));
    ASSERT_TRUE(store.append({"Happy", {60, 62, 64}}));
    EXPECT_EQ(file(), "Happy,60,62,64\r\r\n");
}

TEST_F(MelodyStoreTest, ForeignLineEndsAreRead)
{
    dir.write("mel.ssc", "One,60\nTwo,61,62\r\nThree,63\r\r\nFour,64,65");
    EXPECT_EQ(store.names(), (std::vector<std::string>{"One", "Two", "Three", "Four"}));
    EXPECT_EQ(store.load(1), (CustomMelody{"Two", {61, 62}}));
    EXPECT_EQ(store.load(3), (CustomMelody{"Four", {64, 65}}));
    const CustomMelody longest{"Long", {36, 83, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 50}};
    ASSERT_TRUE(store.append(longest));
    EXPECT_TRUE(
        file().ends_with("Four,64,65\r\nLong,36,83,40,41,42,43,44,45,46,47,48,49,50\r\r\n"));
    EXPECT_EQ(store.load(4), longest);
    EXPECT_EQ(store.load(5), std::nullopt);
    EXPECT_EQ(store.load(-1), std::nullopt);
}

// Other lines are copied with CR LF after their own text.
TEST_F(MelodyStoreTest, RewritesEndOtherLinesWithCrLf)
{
    dir.write("mel.ssc", "A,60\nB,61\r\nC,62\r\r\nD,63\r\r\nE,64\r\r\n");
    ASSERT_TRUE(store.replace(1, {"Bee", {70, 71}}));
    EXPECT_EQ(file(), "A,60\r\nBee,70,71\r\r\nC,62\r\r\nD,63\r\r\nE,64\r\r\n");
    // No such line: the file is rewritten with its lines unchanged.
    ASSERT_TRUE(store.replace(5, {"X", {60}}));
    EXPECT_EQ(file(), "A,60\r\nBee,70,71\r\r\nC,62\r\r\nD,63\r\r\nE,64\r\r\n");

    int custMelody = 3;
    ASSERT_TRUE(store.remove(0, custMelody));
    EXPECT_EQ(file(), "Bee,70,71\r\r\nC,62\r\r\nD,63\r\r\nE,64\r\r\n");
    EXPECT_EQ(custMelody, 3) << "not shifted: it now names what was line 4";
    ASSERT_TRUE(store.remove(3, custMelody));
    EXPECT_EQ(file(), "Bee,70,71\r\r\nC,62\r\r\nD,63\r\r\n");
    EXPECT_EQ(custMelody, 0) << "past the end";
    custMelody = 2;
    ASSERT_TRUE(store.remove(-1, custMelody));
    EXPECT_EQ(file(), "Bee,70,71\r\r\nC,62\r\r\nD,63\r\r\n");
    EXPECT_EQ(custMelody, 2);
    EXPECT_FALSE(std::filesystem::exists(dir.file("temp")));
}

TEST_F(MelodyStoreTest, RefusesMelodiesThatWouldNotReadBackAsWritten)
{
    dir.write("mel.ssc", "Keep,60\r\r\n");
    const CustomMelody refused[] = {{"No notes", {}},
                                    {"Comma, in name", {60}},
                                    {"", {60}},
                                    {"Line\r\nend", {60}},
                                    {"Too low", {35}},
                                    {"Too high", {84}},
                                    {"Fourteen", std::vector<int>(14, 60)}};
    for (const CustomMelody& melody : refused) {
        EXPECT_EQ(store.append(melody).message(), MelodyStore::unwritableMelodyText) << melody.name;
        EXPECT_EQ(store.replace(0, melody).message(), MelodyStore::unwritableMelodyText)
            << melody.name;
        // Several melodies go in together or not at all.
        EXPECT_FALSE(store.appendAll({{"Fine", {60}}, melody})) << melody.name;
    }
    EXPECT_EQ(file(), "Keep,60\r\r\n");
    ASSERT_TRUE(store.appendAll({{"A", {61}}, {"B", {62}}}));
    EXPECT_EQ(file(), "Keep,60\r\r\nA,61\r\r\nB,62\r\r\n");
}

// Every line keeps its position, whatever is in it.
TEST_F(MelodyStoreTest, ListPositionsAreLineIndicesEvenForOddLines)
{
    const std::string longName(300, 'x');
    dir.write("mel.ssc", ",,,\r\n\r\nNoNotes\r\n" + longName + ",60\r\n,,Lead,,61,\r\nLast,62\r\n");
    EXPECT_EQ(store.names(),
              (std::vector<std::string>{"", "", "NoNotes", longName, "Lead", "Last"}));
    EXPECT_EQ(store.load(2), (CustomMelody{"NoNotes", {}}));
    EXPECT_EQ(store.load(3), (CustomMelody{longName, {60}}));
    EXPECT_EQ(store.load(4), (CustomMelody{"Lead", {61}}));
}

// The rewrite must never cost the user's melodies: each failure leaves the
// melody file exactly as it was.
TEST_F(MelodyStoreTest, FailingRewritesLeaveTheFileIntact)
{
    const std::string original = "One,60\nTwo,61\r\nThree,62\r\r\n";
    dir.write("mel.ssc", original);
    const auto expectUntouched = [&](const char* why, const std::function<void()>& makeItFail) {
        int custMelody = 2;
        makeItFail();
        const Status replaced = store.replace(1, {"New", {65}});
        EXPECT_FALSE(replaced) << why;
        EXPECT_NE(replaced.message().find("temp"), std::string::npos) << replaced.message();
        makeItFail();
        EXPECT_FALSE(store.remove(2, custMelody)) << why;
        EXPECT_EQ(custMelody, 2) << why;
        EXPECT_EQ(file(), original) << why;
    };

    std::filesystem::create_directory(dir.file("temp"));
    dir.write("temp/in-the-way", "x");
    expectUntouched("scratch file cannot be created", [] {});
    EXPECT_TRUE(std::filesystem::exists(dir.file("temp/in-the-way")));
    std::filesystem::remove_all(dir.file("temp"));

    // A link named like the scratch file is replaced, never written through.
    dir.write("other.txt", "not a melody");
    std::filesystem::create_symlink(dir.file("other.txt"), dir.file("temp"));
    int custMelody = 0;
    EXPECT_TRUE(store.remove(0, custMelody));
    EXPECT_EQ(dir.read("other.txt"), "not a melody");
    EXPECT_FALSE(std::filesystem::is_symlink(dir.file("mel.ssc")));
    EXPECT_EQ(file(), "Two,61\r\nThree,62\r\r\n");
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(dir.file("temp"))));
}

} // namespace
