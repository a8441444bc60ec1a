#include "history/history_log.h"
#include "platform/testing/temp_dir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using Row = std::vector<std::string>;

TEST(HistoryLog, RowsComeBackInTheAskedColumnsByName)
{
    TempDir dir;
    HistoryWriter writer(dir.file("data/sessions.tsv"), 1, {"time", "tempo", "hits"});
    ASSERT_TRUE(writer.append({"2026-12-07T10:00:00+01:00", "80", "41"}));
    ASSERT_TRUE(writer.append({"2026-12-07T10:05:00+01:00", "92"})); // hits missing: empty
    EXPECT_EQ(dir.read("data/sessions.tsv"), "#v1\ttime\ttempo\thits\n"
                                             "2026-12-07T10:00:00+01:00\t80\t41\n"
                                             "2026-12-07T10:05:00+01:00\t92\t\n");

    auto table = readHistory(dir.file("data/sessions.tsv"), {"hits", "time", "drift"});
    ASSERT_TRUE(table) << table.message();
    EXPECT_THAT(table->rows, ElementsAre(Row{"41", "2026-12-07T10:00:00+01:00", ""},
                                         Row{"", "2026-12-07T10:05:00+01:00", ""}));
    EXPECT_EQ(table->damaged, 0);
}

TEST(HistoryLog, EachRunWritesItsHeaderSoNewerColumnsJoinWithoutRewritingOldRows)
{
    TempDir dir;
    const auto file = dir.file("drills.tsv");
    ASSERT_TRUE(HistoryWriter(file, 1, {"time", "key"}).append({"t1", "C"}));
    ASSERT_TRUE(HistoryWriter(file, 2, {"time", "key", "tolerance"}).append({"t2", "G", "25"}));
    ASSERT_TRUE(HistoryWriter(file, 1, {"time", "key"}).append({"t3", "F"})); // an older one again
    EXPECT_EQ(
        dir.read("drills.tsv"),
        "#v1\ttime\tkey\nt1\tC\n#v2\ttime\tkey\ttolerance\nt2\tG\t25\n#v1\ttime\tkey\nt3\tF\n");

    // An old reader ignores what it does not know; a new one finds the
    // column empty where it was not written yet.
    EXPECT_THAT(readHistory(file, {"key"})->rows, ElementsAre(Row{"C"}, Row{"G"}, Row{"F"}));
    EXPECT_THAT(readHistory(file, {"tolerance"})->rows, ElementsAre(Row{""}, Row{"25"}, Row{""}));
}

TEST(HistoryLog, DamagedLinesAreSkippedAndCounted)
{
    struct Case {
        const char* name;
        const char* text;
        std::vector<Row> rows;
        int damaged;
    };
    const Case cases[] = {
        {"a row before any header", "1\t2\n#v1\ta\tb\n3\t4\n", {{"3"}}, 1},
        {"too few or too many fields", "#v1\ta\tb\n1\n1\t2\t3\n5\t6\n", {{"5"}}, 2},
        {"a torn last line", "#v1\ta\tb\n1\t2\n3\t", {{"1"}}, 1},
        {"a torn line closed by a later writer",
         "#v1\ta\tb\n1\t2\t#torn\n#v1\ta\tb\n3\t4\n",
         {{"3"}},
         1},
        {"blank lines and Windows line ends", "#v1\ta\tb\r\n\n1\t2\r\n", {{"1"}}, 0},
        {"empty", "", {}, 0},
    };
    for (const Case& c : cases) {
        const HistoryTable table = historyOfText(c.text, {"a"});
        EXPECT_EQ(table.rows, c.rows) << c.name;
        EXPECT_EQ(table.damaged, c.damaged) << c.name;
    }
}

TEST(HistoryLog, ARowAfterATornLineStartsOnALineOfItsOwn)
{
    TempDir dir;
    dir.write("notes.tsv", "#v1\tindex\tnote\n0\tC4\n1\tD"); // the writer died here
    // A newer writer, so that its own header must survive the repair.
    HistoryWriter writer(dir.file("notes.tsv"), 2, {"index", "note", "cents"});
    ASSERT_TRUE(writer.append({"2", "E4", "+5"}));
    auto table = readHistory(dir.file("notes.tsv"), {"index", "note", "cents"});
    EXPECT_THAT(table->rows, ElementsAre(Row{"0", "C4", ""}, Row{"2", "E4", "+5"}));
    EXPECT_EQ(table->damaged, 1);
}

TEST(HistoryLog, TabsAndLineEndsInsideAValueCannotBreakTheRow)
{
    TempDir dir;
    HistoryWriter writer(dir.file("drills.tsv"), 1, {"melody", "notes"});
    ASSERT_TRUE(writer.append({"Ode\tto\nJoy", "9"}));
    EXPECT_THAT(readHistory(dir.file("drills.tsv"), {"melody", "notes"})->rows,
                ElementsAre(Row{"Ode to Joy", "9"}));
}

TEST(HistoryLog, AMissingFileIsEmptyAndAnUnwritableOneSaysWhere)
{
    TempDir dir;
    auto missing = readHistory(dir.file("none.tsv"), {"time"});
    ASSERT_TRUE(missing);
    EXPECT_TRUE(missing->rows.empty());

    dir.write("plain", "a file where the folder should be");
    HistoryWriter writer(dir.file("plain/sessions.tsv"), 1, {"time"});
    const Status appended = writer.append({"t"});
    EXPECT_FALSE(appended);
    EXPECT_THAT(appended.message(), HasSubstr(dir.file("plain/sessions.tsv").string()));
}

// A program may be killed at any moment: a writer killed again and again
// while appending loses at most the row it was writing, and every row read
// back is whole.
TEST(HistoryLog, AWriterKilledWhileAppendingLosesAtMostThatRow)
{
    TempDir dir;
    const auto file = dir.file("sessions.tsv");
    constexpr int kills = 25;
    for (int k = 0; k < kills; ++k) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            HistoryWriter writer(file, 1, {"run", "row", "check"});
            for (int row = 0;; ++row)
                (void)writer.append(
                    {std::to_string(k), std::to_string(row), std::string(40, 'a' + row % 26)});
        }
        std::this_thread::sleep_for(std::chrono::microseconds(2000 + 397 * k));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
    }
    auto table = readHistory(file, {"run", "row", "check"});
    ASSERT_TRUE(table);
    EXPECT_LE(table->damaged, kills);
    // Within each run the rows follow one another without a gap, and each
    // carries its whole check value.
    int run = -1, next = 0;
    for (const Row& row : table->rows) {
        if (std::stoi(row[0]) != run) {
            run = std::stoi(row[0]);
            next = 0;
        }
        EXPECT_EQ(std::stoi(row[1]), next++);
        EXPECT_EQ(row[2], std::string(40, 'a' + std::stoi(row[1]) % 26));
    }
    EXPECT_EQ(run, kills - 1);
}

} // namespace
