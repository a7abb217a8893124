#include "app/IniAccess.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "TempFolder.h"

namespace calvetta {
namespace {

using namespace std::string_literals;

class IniAccess : public TempFolderTest {
  protected:
    const std::string ini = Path("Main.ini");
};

TEST_F(IniAccess, ReadTrimsBlanksTurnsNothingIntoOneAndKeeps127BytesOfWholeCharacters) {
    std::filesystem::create_directory(dir / "folder.ini");
    EXPECT_EQ(ReadINI(ini, "Main_Config", "Main_VOL"), "1");  // no file
    EXPECT_EQ(ReadINI(Path("folder.ini"), "Main_Config", "Main_VOL"), "1");
    // A four-byte character on bytes 126-129 of "split".
    Put(ini,
        "[Main_Config]\r\nMain_VOL=  -40  \r\nDelay_0=\r\nDelay_1=    \r\n"
        "Delay_2=\"   \"\r\nDelay_3=\" 7 \"\r\nDelay_4=0\r\nlong=" +
            std::string(200, 'x') + "\r\nsplit=" + std::string(125, 'a') +
            "\xF0\x9F\x8E\xB5\r\nfits=" + std::string(127, 'y') + "\r\n");
    const std::pair<const char*, const char*> values[] = {
        {"Main_VOL", "-40"}, {"Delay_0", "1"}, {"Delay_1", "1"}, {"Delay_2", "1"},
        {"Delay_3", "7"},    {"Delay_4", "0"}, {"Delay_5", "1"}};
    for (const auto& [key, value] : values)
        EXPECT_EQ(ReadINI(ini, "Main_Config", key), value) << key;
    EXPECT_EQ(ReadINI(ini, "Main_Config", "long"), std::string(127, 'x'));
    EXPECT_EQ(ReadINI(ini, "Main_Config", "split"), std::string(125, 'a'));
    EXPECT_EQ(ReadINI(ini, "Main_Config", "fits"), std::string(127, 'y'));
    EXPECT_EQ(ReadINI(ini, "PEQ_Config", "Delay_4"), "1");
}

TEST_F(IniAccess, WritesKeepAtMost128CharactersAndManyAtOnceLeaveWhatSinglesLeave) {
    std::string wide;  // 130 two-byte characters
    for (int i = 0; i < 130; ++i)
        wide += "\xC3\xA9";
    // Characters, not bytes, and up to a NUL; a later key of another case
    // replaces the earlier.
    const std::vector<std::pair<std::string, std::string>> keyValues = {
        {"v", "1"}, {"w", "12\0junk"s}, {"x", wide}, {"V", std::string(200, 'v')}};
    const std::string start = "[PEQ_Config]\nv=0\n\n[Other]\nv=1\n";
    Put(ini, start);
    for (const auto& [key, value] : keyValues)
        WriteINI(ini, "PEQ_Config", key, value);
    const std::string singles = Get(ini);
    EXPECT_EQ(singles, "[PEQ_Config]\nv=" + std::string(128, 'v') +
                           "\nw=12\nx=" + wide.substr(0, 256) + "\n\n[Other]\nv=1\n");
    Put(ini, start);
    ASSERT_TRUE(WriteINIKeys(ini, "PEQ_Config", keyValues));
    EXPECT_EQ(Get(ini), singles);

    // A key that cannot be stored fails the whole write.
    EXPECT_FALSE(WriteINIKeys(ini, "PEQ_Config", {{"v", "4"}, {"y", "5\r\n[Evil]"}}));
    EXPECT_EQ(Get(ini), singles);
}

TEST_F(IniAccess, SnapshotReadsWhatReadINIReads) {
    std::string wide = std::string(125, 'a') + "\xF0\x9F\x8E\xB5";  // split by the 127-byte cut
    const std::string files[] = {
        "\xEF\xBB\xBF[Main_Config]\r\n Main_VOL = \"  -40 \" \r\nDelay_0=\r\nDelay_1=  \t\r\n"
        "delay_2=5\r\nDELAY_2=6\r\n;Delay_3=9\r\nDelay_4=" +
            wide + "\r\nDelay_5=" + std::string(300, 'z') + "\r\nDelay_6=7\0junk"s +
            "\r\n[main_config]\r\nDelay_7=8\r\nMain_VOL=1\r\n",
        "Main_VOL=3\n[ Main_Config "
        "]\nCutoff_0=\"\n[Main_Config\nCutoff_1=2\n[PEQ_Config]\nCutoff_2=1",
        "[Main_Config]\rMain_VOL=2\r",
    };
    const char* keys[] = {"Main_VOL", "Delay_0", "Delay_1", "Delay_2",  "Delay_3",  "Delay_4",
                          "Delay_5",  "Delay_6", "Delay_7", "Cutoff_0", "Cutoff_1", "Cutoff_2"};
    for (const auto& file : files) {
        Put(ini, file);
        const IniSnapshot snapshot(ini);
        for (const char* section : {"Main_Config", " MAIN_config ", "PEQ_Config", "Other"})
            for (const char* key : keys)
                EXPECT_EQ(snapshot.Read(section, key), ReadINI(ini, section, key))
                    << file << " / " << section << " / " << key;
    }
}

TEST(IniNumber, TakesPlainDecimalNumbersOnly) {
    for (const auto& [text, value] :
         {std::pair{"-40", -40.0}, {"+7", 7.0}, {"12.5", 12.5}, {".5", 0.5}, {"7.", 7.0}})
        EXPECT_EQ(IniNumber(text), value) << text;
    // A full-width digit last.
    for (const char* text :
         {"", "-", ".", "+-1", "1.2.3", " 7", "1e2", "0x1A", "nan", "inf", "1,5", "\xEF\xBC\x91"})
        EXPECT_EQ(IniNumber(text), std::nullopt) << text;
    // 127 digits (the longest value ReadINI gives) still read.
    EXPECT_EQ(IniNumber(std::string(126, '0') + "9"), 9);
}

}  // namespace
}  // namespace calvetta
