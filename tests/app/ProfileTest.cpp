#include "app/Profile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>

#include "TempFolder.h"

namespace calvetta {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

std::string Find(std::string_view content, std::string_view section, std::string_view key) {
    return FindProfileValue(content, section, key).value_or("?");
}

TEST(ProfileText, ReadsWhatWindowsAndHandMadeFilesHold) {
    const std::string file =
        "\xEF\xBB\xBF[ Main_Config ]\r\n  Main_VOL  =  -40  \r\n#Delay_0=9\r\n;Delay_1=9\r\n"
        "Delay_2=\r\nDelay_3 = 7 ; c\r\nQuoted=\"  5 \"\r\nEq=a=b\r\nNone=''\r\n"
        "Delay_4=1\r\ndelay_4=2\r\n\r\n[Other]\r\nDelay_5=8";
    // Names match without regard to blanks and case, up to a NUL; of two equal keys the
    // first wins; a ';' after a value belongs to it.
    const std::pair<const char*, const char*> inMain[] = {
        {"Main_VOL", "-40"},  {"#Delay_0", "?"},  {";Delay_1", "?"}, {"Delay_2", ""},
        {"Delay_3", "7 ; c"}, {"Quoted", "  5 "}, {"Eq", "a=b"},     {"None", ""},
        {"Delay_4", "1"},     {"Delay_5", "?"}};
    for (const auto& [key, value] : inMain)
        EXPECT_EQ(Find(file, "Main_Config", key), value) << key;
    EXPECT_EQ(Find(file, " main_CONFIG \0junk"s, " MAIN_vol \0junk"s), "-40");
    EXPECT_EQ(Find(file, "Other", "Delay_5"), "8");  // last line without a line end
    EXPECT_EQ(Find(file, "Main", "Main_VOL"), "?");

    EXPECT_EQ(Find("[S]\nA=1\nB=2\n", "S", "A"), "1");
    EXPECT_EQ(Find("[S]\r\nA=1\r", "S", "A"), "1");    // a cut-off CRLF at the end
    EXPECT_EQ(Find("A=1\r\n[S]\r\n", "S", "A"), "?");  // keys before any section
}

TEST(ProfileText, SetsOneKeyAndKeepsEveryOtherByte) {
    const std::string bom = "\xEF\xBB\xBF";
    using S = std::string;
    const std::tuple<S, S, S, S, S> cases[] = {
        // Replaced where it stands: spelling, blanks around '=' and other sections kept.
        {bom + "[S]\r\n; c\r\nA = 1\r\n\r\n[T]\r\nA=1\r\n", "s", "A", "2",
         bom + "[S]\r\n; c\r\nA = 2\r\n\r\n[T]\r\nA=1\r\n"},
        {"[S]\nk=1\nK=2\n", "S", "K", "3", "[S]\nk=3\nK=2\n"},  // the first, which is read
        {"[S]\nA=1", "S", "a", "22", "[S]\nA=22"},
        {"[S]\r\nA=\"x\"  \r\n", "S", "A", "", "[S]\r\nA=\r\n"},
        {"[S]\nA=1\n[S]\nC=3\n", "S", "C", "4", "[S]\nA=1\n[S]\nC=4\n"},
        // A new key after the last key of the first section of that name.
        {"[S]\r\nA=1\r\n\r\n; about T\r\n[T]\r\nA=1\r\n", "s", "B", "2",
         "[S]\r\nA=1\r\nB=2\r\n\r\n; about T\r\n[T]\r\nA=1\r\n"},
        {"[S]\n\n[T]\n", "S", "B", "2", "[S]\nB=2\n\n[T]\n"},
        {"[S]\nA=1", "S", "B", "2", "[S]\nA=1\nB=2\n"},
        {"[S]\nA=1\n[T]\n[S]\nC=3\n", "S", "B", "2", "[S]\nA=1\nB=2\n[T]\n[S]\nC=3\n"},
        // A new section at the end, after one blank line.
        {"", "Main_Config", "Main_VOL", "-40", "[Main_Config]\r\nMain_VOL=-40\r\n"},
        {"[T]\nX=1\n", " S ", " A ", "1", "[T]\nX=1\n\n[S]\nA=1\n"},
        {"[T]\nX=1", "S", "A", "1", "[T]\nX=1\n\n[S]\nA=1\n"},
        {"[T]\r\nX=1\r\n\r\n", "S", "A", "1", "[T]\r\nX=1\r\n\r\n[S]\r\nA=1\r\n"},
        // A file cut off after a CR: the line end is completed, not glued onto.
        {"[S]\r\nA=1\r", "S", "B", "2", "[S]\r\nA=1\r\nB=2\r\n"},
        {"[T]\nX=1\r", "S", "A", "1", "[T]\nX=1\r\n\n[S]\nA=1\n"},
        {"", "S", "A", "12\0\n[X]"s, "[S]\r\nA=12\r\n"},  // a NUL ends the value
    };
    for (const auto& [content, section, key, value, expected] : cases)
        EXPECT_EQ(SetProfileValue(content, section, key, value), expected) << content;
}

using ProfileFile = TempFolderTest;

TEST_F(ProfileFile, WritingReplacesTheWholeFileOrChangesNothing) {
    const std::string ini = Path("Main.ini");
    ASSERT_TRUE(WritePrivateProfileString("Main_Config", "Main_VOL", "-20", ini));
    EXPECT_EQ(Get(ini), "[Main_Config]\r\nMain_VOL=-20\r\n");

    // A file made by hand keeps its mark, comments, line ends and permissions, also when
    // written through a link; a reader of the old file still sees it whole, as the file is
    // replaced rather than rewritten.
    const std::string hand = "\xEF\xBB\xBF# by hand\n[main_config]\nMain_VOL = -20\n[T]\nA=1";
    Put(ini, hand);
    fs::permissions(ini, fs::perms(0640));
    fs::create_symlink(ini, dir / "link.ini");
    std::ifstream before(ini, std::ios::binary);
    ASSERT_TRUE(WritePrivateProfileString("Main_Config", "Main_VOL", "-40", Path("link.ini")));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(before), {}), hand);
    const std::string written = "\xEF\xBB\xBF# by hand\n[main_config]\nMain_VOL = -40\n[T]\nA=1";
    EXPECT_EQ(Get(ini), written);
    EXPECT_TRUE(fs::is_symlink(dir / "link.ini"));
    EXPECT_EQ(fs::status(ini).permissions(), fs::perms(0640));

    // A missing folder, or something there that cannot be read, fails; so do
    // arguments that would not read back as one key line.
    EXPECT_FALSE(WritePrivateProfileString("S", "A", "1", Path("Modules/Main.ini")));
    fs::create_directory(dir / "folder.ini");
    EXPECT_FALSE(WritePrivateProfileString("S", "A", "1", Path("folder.ini")));
    const std::string refused[][3] = {
        {"T", "A", "2\r\n[Evil]"}, {"T", "A\nB", "2"}, {"T]x", "A", "2"}, {"T", "A=B", "2"},
        {"T", "  ", "2"},          {"T", "[A]", "2"},  {"T", ";A", "2"}};
    for (const auto& r : refused)
        EXPECT_FALSE(WritePrivateProfileString(r[0], r[1], r[2], ini)) << r[1];
    // Nothing changed, and no temporary file is left.
    EXPECT_TRUE(fs::is_directory(dir / "folder.ini"));
    EXPECT_EQ(Get(ini), written);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 3);
}

}  // namespace
}  // namespace calvetta
