#include "notation/compressed_music_xml.h"
#include "notation/melody_file_commands.h"
#include "notation/melody_files.h"
#include "notation/music_xml.h"
#include "platform/testing/temp_dir.h"

#include <zip.h>

#include <gtest/gtest.h>

#include <sstream>

namespace {

// A zip archive of the given entries, made with the same library the program reads with.
std::string zipOf(const std::vector<std::pair<std::string, std::string>>& entries)
{
    zip_source_t* memory = zip_source_buffer_create(nullptr, 0, 0, nullptr);
    zip_source_keep(memory);
    zip_t* archive = zip_open_from_source(memory, ZIP_TRUNCATE, nullptr);
    for (const auto& [path, bytes] : entries)
        zip_file_add(archive, path.c_str(),
                     zip_source_buffer(archive, bytes.data(), bytes.size(), 0), 0);
    zip_close(archive);
    zip_source_open(memory);
    zip_source_seek(memory, 0, SEEK_END);
    std::string out(static_cast<std::size_t>(zip_source_tell(memory)), '\0');
    zip_source_seek(memory, 0, SEEK_SET);
    zip_source_read(memory, out.data(), out.size());
    zip_source_close(memory);
    zip_source_free(memory);
    return out;
}

std::string containerNaming(const std::string& path)
{
    return "<container><rootfiles><rootfile full-path=\"" + path + "\"/></rootfiles></container>";
}

TEST(MusicXmlInArchive, UnpacksOnlyTheScoreItsContainerNamesWithinItsFolderAndLimit)
{
    const std::string score = musicXmlOf({"Tune", {60}});
    const auto read =
        musicXmlInArchive(zipOf({{"META-INF/container.xml", containerNaming("scores/a.xml")},
                                 {"scores/a.xml", score}}),
                          1 << 20);
    ASSERT_TRUE(read) << read.message();
    EXPECT_EQ(*read, score);

    const struct {
        const char* name;
        std::string archive;
        std::size_t limit;
        std::string saying;
    } rows[] = {
        {"not a zip archive", "<score-partwise/>", 1 << 20, "not a zip archive"},
        {"no container", zipOf({{"score.xml", score}}), 1 << 20, "META-INF/container.xml"},
        {"a path out of the folder",
         zipOf({{"META-INF/container.xml", containerNaming("../../etc/passwd")}}), 1 << 20,
         "outside the archive"},
        {"an absolute path", zipOf({{"META-INF/container.xml", containerNaming("/etc/passwd")}}),
         1 << 20, "outside the archive"},
        {"a score that is not there", zipOf({{"META-INF/container.xml", containerNaming("x.xml")}}),
         1 << 20, "holds no x.xml"},
        {"a bomb: more than the limit unpacked",
         zipOf({{"META-INF/container.xml", containerNaming("a.xml")},
                {"a.xml", std::string(4 << 20, ' ')}}),
         1 << 20, "more than 1 MB"},
    };
    for (const auto& r : rows) {
        const auto refused = musicXmlInArchive(r.archive, r.limit);
        ASSERT_FALSE(refused) << r.name;
        EXPECT_NE(refused.message().find(r.saying), std::string::npos)
            << r.name << ": " << refused.message();
    }
}

TEST(NotationFiles, ExportThenImportGivesBackTheNameAndNotesInEveryFormat)
{
    TempDir dir;
    const CustomMelody melody{"Ode to Joy", {64, 64, 65, 67, 67, 65, 64, 62, 60, 60, 62, 64, 61}};
    for (const char* name : {"ode.musicxml", "ode.xml", "ode.MXL", "ode.mid"}) {
        ASSERT_TRUE(writeNotationFile(dir.file(name), melody)) << name;
        const auto score = readNotationFile(dir.file(name));
        ASSERT_TRUE(score) << name << ": " << score.message();
        const auto melodies = melodiesToImport(*score, dir.file(name), 0, AnswerMode::Piano);
        ASSERT_TRUE(melodies) << name << ": " << melodies.message();
        EXPECT_EQ(*melodies, std::vector<CustomMelody>{melody}) << name;
    }
    const std::string archive = dir.read("ode.MXL");
    EXPECT_EQ(archive.substr(30, 8), "mimetype") << "the first entry, stored";
    EXPECT_EQ(archive.substr(38, 34), "application/vnd.recordare.musicxml");
}

TEST(NotationFiles, UnknownOrOversizedFilesAreRefusedBeforeTheyAreRead)
{
    TempDir dir;
    dir.write("tune.txt", "C D E");
    EXPECT_NE(readNotationFile(dir.file("tune.txt")).message().find("must end in"),
              std::string::npos);
    EXPECT_FALSE(writeNotationFile(dir.file("tune.txt"), {"T", {60}}));
    EXPECT_EQ(dir.read("tune.txt"), "C D E");
    std::filesystem::resize_file(dir.file("tune.txt"), 0);
    std::filesystem::rename(dir.file("tune.txt"), dir.file("huge.mid"));
    std::filesystem::resize_file(dir.file("huge.mid"), kMaxNotationFileBytes + 1);
    EXPECT_NE(readNotationFile(dir.file("huge.mid")).message().find("larger than 32 MB"),
              std::string::npos);
}

struct CommandTest : testing::Test {
    TempDir data, files;
    std::ostringstream out, err;

    int import(const std::string& name, std::size_t part = 0, bool guitar = false)
    {
        return importMelodyCommand(data.path(), files.file(name), part, guitar, out, err);
    }
};

TEST_F(CommandTest, ImportAppendsEachMelodyAndNamesItsLine)
{
    data.write("mel.ssc", "Mine,60\r\n");
    ASSERT_TRUE(writeNotationFile(files.file("riff.mid"), {"Riff", {40, 43, 45}}));
    ASSERT_EQ(import("riff.mid"), 0) << err.str();
    EXPECT_EQ(out.str(), "1\tRiff\n");
    EXPECT_EQ(data.read("mel.ssc"), "Mine,60\r\nRiff,40,43,45\r\r\n");

    out.str("");
    ASSERT_EQ(import("riff.mid", 0, true), 0) << err.str();
    EXPECT_EQ(out.str(), "0\tGUITAR Riff\n");
    EXPECT_EQ(data.read("mel2.ssc"), "GUITAR Riff,40,43,45\r\r\n");
}

TEST_F(CommandTest, AFailedImportSaysWhyInOneLineAndChangesNoFile)
{
    data.write("mel.ssc", "Mine,60\n");
    files.write("wide.musicxml",
                musicXmlOf({"Wide", {36, 83}})
                    .replace(musicXmlOf({"Wide", {36, 83}}).find("<octave>5</octave>"), 18,
                             "<octave>7</octave>"));
    files.write("broken.mid", "MThd");
    for (const auto& [file, part, saying] :
         {std::tuple{"wide.musicxml", 0, "too wide"}, std::tuple{"broken.mid", 0, "broken.mid"},
          std::tuple{"wide.musicxml", 3, "no part 4"}, std::tuple{"absent.mxl", 0, "absent.mxl"}}) {
        err.str("");
        EXPECT_EQ(import(file, static_cast<std::size_t>(part)), 2) << file;
        const std::string said = err.str();
        EXPECT_NE(said.find(saying), std::string::npos) << said;
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    }
    EXPECT_TRUE(out.str().empty());
    EXPECT_EQ(data.read("mel.ssc"), "Mine,60\n");
    EXPECT_FALSE(std::filesystem::exists(data.file("temp")));
}

TEST_F(CommandTest, ExportWritesTheChosenLine)
{
    data.write("mel.ssc", "First,60\r\nSecond,62,64\r\n");
    ASSERT_EQ(exportMelodyCommand(data.path(), 1, files.file("second.mid"), false, err), 0)
        << err.str();
    ASSERT_EQ(import("second.mid"), 0);
    EXPECT_EQ(out.str(), "2\tSecond\n");
    EXPECT_EQ(exportMelodyCommand(data.path(), 5, files.file("x.mid"), false, err), 2);
    EXPECT_NE(err.str().find("no melody at line 5"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(files.file("x.mid")));
}

} // namespace
