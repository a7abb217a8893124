#include "app/Profile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "TempFolder.h"

namespace calvetta {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

std::string Find(std::string_view content, std::string_view section, std::string_view key) {
    return FindProfileValue(content, section, key).value_or("<absent>");
}

std::string Set(std::string_view content, std::string_view section, std::string_view key,
                std::string_view value) {
    return SetProfileValue(content, section, key, value).value_or("<refused>");
}

TEST(ProfileText, ReadsWhatWindowsAndHandMadeFilesHold) {
    const std::string file =
        "\xEF\xBB\xBF; settings of the decoder\r\n"
        "[ Main_Config ]\r\n"
        "  Main_VOL  =  -40  \r\n"
        "#Delay_0=9\r\n"
        ";Delay_1=9\r\n"
        "not a key line\r\n"
        "Delay_2=\r\n"
        "Delay_3 = 7 ; not a comment here\r\n"
        "Quoted=\"  5 \"\r\n"
        "Eq=a=b\r\n"
        "Delay_4=1\r\n"
        "delay_4=2\r\n"
        "\r\n"
        "[Other]\r\n"
        "Delay_5=8";
    EXPECT_EQ(Find(file, "Main_Config", "Main_VOL"), "-40");
    EXPECT_EQ(Find(file, "MAIN_CONFIG", "main_vol"), "-40");
    EXPECT_EQ(Find(file, " main_config ", " Main_VOL "), "-40");
    EXPECT_EQ(Find(file, "Main_Config", "#Delay_0"), "<absent>");
    EXPECT_EQ(Find(file, "Main_Config", "not a key line"), "<absent>");
    EXPECT_EQ(Find(file, "Main_Config", "Delay_2"), "");
    EXPECT_EQ(Find(file, "Main_Config", "Delay_3"), "7 ; not a comment here");
    EXPECT_EQ(Find(file, "Main_Config", "Quoted"), "  5 ");
    EXPECT_EQ(Find(file, "Main_Config", "Eq"), "a=b");
    EXPECT_EQ(Find(file, "Main_Config", "Delay_4"), "1");  // the first one wins
    EXPECT_EQ(Find(file, "Main_Config", "Delay_5"), "<absent>");
    EXPECT_EQ(Find(file, "Other", "Delay_5"), "8");  // last line without a line end
    EXPECT_EQ(Find(file, "Missing", "Main_VOL"), "<absent>");
    // The section name must match whole, and NUL ends a name as in a C string.
    EXPECT_EQ(Find(file, "Main", "Main_VOL"), "<absent>");
    EXPECT_EQ(Find(file, "Main_Config\0junk"s, "Main_VOL\0junk"s), "-40");
}

TEST(ProfileText, ReadsEveryLineEndStyle) {
    for (std::string eol : {"\r\n", "\n"}) {
        const std::string file = "[S]" + eol + "A=1" + eol + "B=2" + eol;
        EXPECT_EQ(Find(file, "S", "A"), "1");
        EXPECT_EQ(Find(file, "S", "B"), "2");
    }
    EXPECT_EQ(Find("[S]\r\nA=1\r", "S", "A"), "1");  // a cut-off CRLF at the end
    EXPECT_EQ(Find("", "S", "A"), "<absent>");
    EXPECT_EQ(Find("\xEF\xBB\xBF", "S", "A"), "<absent>");
    EXPECT_EQ(Find("A=1\r\n[S]\r\n", "S", "A"), "<absent>");  // keys before any section
}

TEST(ProfileText, ReplacesAValueWhereItStands) {
    const std::string file =
        "\xEF\xBB\xBF[PEQ_Config]\r\n"
        "; flat\r\n"
        "PEQ_Active = True\r\n"
        "peq_ch0_band1_freq=26\r\n"
        "PEQ_Ch0_Band1_Freq=99\r\n"
        "\r\n"
        "[Other]\r\n"
        "PEQ_Active=True\r\n";
    const std::string out = Set(file, "peq_config", "PEQ_Active", "False");
    EXPECT_EQ(out,
              "\xEF\xBB\xBF[PEQ_Config]\r\n"
              "; flat\r\n"
              "PEQ_Active = False\r\n"
              "peq_ch0_band1_freq=26\r\n"
              "PEQ_Ch0_Band1_Freq=99\r\n"
              "\r\n"
              "[Other]\r\n"
              "PEQ_Active=True\r\n");
    // Of two equal keys the first, the one that is read, is replaced.
    const std::string dup = Set(out, "PEQ_Config", "PEQ_Ch0_Band1_Freq", "60");
    EXPECT_NE(dup.find("peq_ch0_band1_freq=60\r\nPEQ_Ch0_Band1_Freq=99\r\n"), std::string::npos);
    EXPECT_EQ(Find(dup, "PEQ_Config", "PEQ_Ch0_Band1_Freq"), "60");

    EXPECT_EQ(Set("[S]\nA=1", "S", "a", "22"), "[S]\nA=22");
    EXPECT_EQ(Set("[S]\r\nA=\"x\"  \r\n", "S", "A", ""), "[S]\r\nA=\r\n");
}

TEST(ProfileText, AddsKeysAfterTheLastKeyOfTheirSection) {
    EXPECT_EQ(Set("[S]\r\nA=1\r\n\r\n; about T\r\n[T]\r\nA=1\r\n", "s", "B", "2"),
              "[S]\r\nA=1\r\nB=2\r\n\r\n; about T\r\n[T]\r\nA=1\r\n");
    // A section without keys gets it right under its header.
    EXPECT_EQ(Set("[S]\n\n[T]\n", "S", "B", "2"), "[S]\nB=2\n\n[T]\n");
    // The last line without a line end first gets one, in the file's style.
    EXPECT_EQ(Set("[S]\nA=1", "S", "B", "2"), "[S]\nA=1\nB=2\n");
    EXPECT_EQ(Set("[S]\r\nA=1", "S", "B", "2"), "[S]\r\nA=1\r\nB=2\r\n");
    // A repeated section: the key goes to the first one.
    EXPECT_EQ(Set("[S]\nA=1\n[T]\n[S]\nC=3\n", "S", "B", "2"), "[S]\nA=1\nB=2\n[T]\n[S]\nC=3\n");
    // A key found only in the repeated section is replaced there.
    EXPECT_EQ(Set("[S]\nA=1\n[S]\nC=3\n", "S", "C", "4"), "[S]\nA=1\n[S]\nC=4\n");
}

TEST(ProfileText, AddsNewSectionsAtTheEnd) {
    EXPECT_EQ(Set("", "Main_Config", "Main_VOL", "-40"), "[Main_Config]\r\nMain_VOL=-40\r\n");
    EXPECT_EQ(Set("\xEF\xBB\xBF", "S", "A", "1"), "\xEF\xBB\xBF[S]\r\nA=1\r\n");
    EXPECT_EQ(Set("[T]\nX=1\n", " S ", " A ", "1"), "[T]\nX=1\n\n[S]\nA=1\n");
    EXPECT_EQ(Set("[T]\nX=1", "S", "A", "1"), "[T]\nX=1\n\n[S]\nA=1\n");
    EXPECT_EQ(Set("[T]\r\nX=1\r\n\r\n", "S", "A", "1"), "[T]\r\nX=1\r\n\r\n[S]\r\nA=1\r\n");
    EXPECT_EQ(Set("; only a comment\n", "S", "A", "1"), "; only a comment\n\n[S]\nA=1\n");
}

TEST(ProfileText, RefusesWhatCannotBeStoredAsOneKeyLine) {
    EXPECT_EQ(Set("", "S", "A", "1\r\n[Evil]"), "<refused>");
    EXPECT_EQ(Set("", "S", "A\nB", "1"), "<refused>");
    EXPECT_EQ(Set("", "S]x", "A", "1"), "<refused>");
    EXPECT_EQ(Set("", "S", "A=B", "1"), "<refused>");
    EXPECT_EQ(Set("", "S", "  ", "1"), "<refused>");
    EXPECT_EQ(Set("", "S", "[A]", "1"), "<refused>");
    EXPECT_EQ(Set("", "S", ";A", "1"), "<refused>");
    // A NUL ends each text, as it does for a C caller.
    EXPECT_EQ(Set("", "S", "A", "12\0\n[X]"s), "[S]\r\nA=12\r\n");
}

TEST(ProfileText, CutsOnlyBetweenCharacters) {
    EXPECT_EQ(CutAtCharBoundary("abc", 5), "abc");
    EXPECT_EQ(CutAtCharBoundary("a\xC3\xA9", 2), "a");      // é is two bytes
    EXPECT_EQ(CutAtCharBoundary("a\xE4\xB8\xAD", 3), "a");  // 中 is three
    EXPECT_EQ(CutAtCharBoundary("a\xF0\x9F\x8E\xB5z", 5), "a\xF0\x9F\x8E\xB5");
}

// ---- on disk -----------------------------------------------------------------

class ProfileFile : public TempFolderTest {
  protected:
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir))
            names.push_back(e.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(ProfileFile, MissingOrUnreadableFilesReadAsTheDefault) {
    EXPECT_EQ(GetPrivateProfileString("S", "A", "dflt", 128, Path("none.ini")), "dflt");
    fs::create_directory(dir / "folder.ini");
    EXPECT_EQ(GetPrivateProfileString("S", "A", "dflt", 128, Path("folder.ini")), "dflt");

    Put(Path("a.ini"), "[S]\r\nA=value\r\n");
    EXPECT_EQ(GetPrivateProfileString("S", "A", "dflt", 128, Path("a.ini")), "value");
    EXPECT_EQ(GetPrivateProfileString("S", "B", "dflt", 128, Path("a.ini")), "dflt");
    EXPECT_EQ(GetPrivateProfileString("S", "A", "dflt", 4, Path("a.ini")), "val");
    EXPECT_EQ(GetPrivateProfileString("S", "B", "dflt", 3, Path("a.ini")), "df");
    EXPECT_EQ(GetPrivateProfileString("S", "A", "dflt", 0, Path("a.ini")), "");
}

TEST_F(ProfileFile, WritingCreatesEditsAndLeavesNoTemporaryFile) {
    const std::string ini = Path("ModeEffects.ini");
    ASSERT_TRUE(WritePrivateProfileString("PEQ_Config", "PEQ_Active", "True", ini));
    EXPECT_EQ(Get(ini), "[PEQ_Config]\r\nPEQ_Active=True\r\n");
    ASSERT_TRUE(WritePrivateProfileString("PEQ_Config", "PEQ_Ch0_Band1_Freq", "26", ini));
    ASSERT_TRUE(WritePrivateProfileString("peq_config", "peq_active", "False", ini));
    EXPECT_EQ(Get(ini), "[PEQ_Config]\r\nPEQ_Active=False\r\nPEQ_Ch0_Band1_Freq=26\r\n");
    EXPECT_EQ(Entries(), std::vector<std::string>{"ModeEffects.ini"});

    // A file made elsewhere keeps its mark, line ends and everything else.
    const std::string hand = Path("Main.ini");
    Put(hand, "\xEF\xBB\xBF# by hand\n[Main_Config]\nMain_VOL = -20\nDelay_0=3");
    ASSERT_TRUE(WritePrivateProfileString("Main_Config", "Main_VOL", "-40", hand));
    ASSERT_TRUE(WritePrivateProfileString("Main_Config", "Delay_1", "5", hand));
    EXPECT_EQ(Get(hand),
              "\xEF\xBB\xBF# by hand\n[Main_Config]\nMain_VOL = -40\nDelay_0=3\nDelay_1=5\n");
}

TEST_F(ProfileFile, FailedWritesChangeNothing) {
    EXPECT_FALSE(WritePrivateProfileString("S", "A", "1", Path("Modules/Main.ini")));
    EXPECT_FALSE(fs::exists(dir / "Modules"));

    // Something that is there but cannot be read is never replaced.
    fs::create_directory(dir / "folder.ini");
    EXPECT_FALSE(WritePrivateProfileString("S", "A", "1", Path("folder.ini")));
    EXPECT_TRUE(fs::is_directory(dir / "folder.ini"));

    Put(Path("a.ini"), "[S]\r\nA=1\r\n");
    EXPECT_FALSE(WritePrivateProfileString("S", "A", "2\r\n[T]", Path("a.ini")));
    EXPECT_EQ(Get(Path("a.ini")), "[S]\r\nA=1\r\n");

    EXPECT_EQ(Entries(), (std::vector<std::string>{"a.ini", "folder.ini"}));
}

TEST_F(ProfileFile, ReplacementKeepsPermissionsAndLinks) {
    const std::string ini = Path("real.ini");
    Put(ini, "[S]\nA=1\n");
    ASSERT_EQ(::chmod(ini.c_str(), 0640), 0);
    fs::create_symlink(dir / "real.ini", dir / "link.ini");

    ASSERT_TRUE(WritePrivateProfileString("S", "A", "2", Path("link.ini")));
    EXPECT_TRUE(fs::is_symlink(dir / "link.ini"));
    EXPECT_EQ(Get(ini), "[S]\nA=2\n");
    struct stat st {};
    ASSERT_EQ(::stat(ini.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

}  // namespace
}  // namespace calvetta
