#include "app/IniAccess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>

#include "TempFolder.h"

namespace calvetta {
namespace {

using namespace std::string_literals;

class IniAccess : public TempFolderTest {
  protected:
    const std::string ini = Path("Main.ini");
};

TEST_F(IniAccess, ReadTrimsBlanksAndTurnsNothingIntoOne) {
    std::filesystem::create_directory(dir / "folder.ini");
    EXPECT_EQ(ReadINI(ini, "Main_Config", "Main_VOL"), "1");  // no file
    EXPECT_EQ(ReadINI(Path("folder.ini"), "Main_Config", "Main_VOL"), "1");
    Put(ini,
        "[Main_Config]\r\nMain_VOL=  -40  \r\nDelay_0=\r\nDelay_1=    \r\n"
        "Delay_2=\"   \"\r\nDelay_3=\" 7 \"\r\nDelay_4=0\r\n");
    const std::pair<const char*, const char*> values[] = {
        {"Main_VOL", "-40"}, {"Delay_0", "1"}, {"Delay_1", "1"}, {"Delay_2", "1"},
        {"Delay_3", "7"},    {"Delay_4", "0"}, {"Delay_5", "1"}};
    for (const auto& [key, value] : values)
        EXPECT_EQ(ReadINI(ini, "Main_Config", key), value) << key;
    EXPECT_EQ(ReadINI(ini, "PEQ_Config", "Delay_4"), "1");
}

TEST_F(IniAccess, ReadReturnsAtMost127BytesOfWholeCharacters) {
    // A four-byte character on bytes 126-129.
    Put(ini, "[S]\nlong=" + std::string(200, 'x') + "\nsplit=" + std::string(125, 'a') +
                 "\xF0\x9F\x8E\xB5\nfits=" + std::string(127, 'y') + "\n");
    EXPECT_EQ(ReadINI(ini, "S", "long"), std::string(127, 'x'));
    EXPECT_EQ(ReadINI(ini, "S", "split"), std::string(125, 'a'));
    EXPECT_EQ(ReadINI(ini, "S", "fits"), std::string(127, 'y'));
}

TEST_F(IniAccess, WriteKeepsAtMost128Characters) {
    std::string wide;  // 130 two-byte characters
    for (int i = 0; i < 130; ++i)
        wide += "\xC3\xA9";
    // Characters, not bytes, and up to a NUL.
    const std::pair<std::string, std::string> stored[] = {
        {std::string(200, 'v'), std::string(128, 'v')},
        {"26", "26"},
        {wide, wide.substr(0, 256)},
        {"12\0junk"s, "12"}};
    for (const auto& [value, text] : stored) {
        WriteINI(ini, "PEQ_Config", "v", value);
        EXPECT_EQ(Get(ini), "[PEQ_Config]\r\nv=" + text + "\r\n");
    }
}

TEST_F(IniAccess, WriteFailsSilentlyWithoutItsFolder) {
    WriteINI(Path("Modules/Main.ini"), "S", "A", "1");
    EXPECT_TRUE(std::filesystem::is_empty(dir));
}

TEST_F(IniAccess, EqualiserStoreRoundTrip) {
    // The EQ save's order; a second save replaces every value where it stands.
    const auto key = [](int c, int b, const char* what) {
        return "PEQ_Ch" + std::to_string(c) + "_Band" + std::to_string(b) + what;
    };
    for (int pass = 0; pass < 2; ++pass) {
        WriteINI(ini, "PEQ_Config", "PEQ_Active", pass == 0 ? "True" : "False");
        for (int c = 0; c < 8; ++c) {
            for (int b = 1; b <= 10; ++b) {
                WriteINI(ini, "PEQ_Config", key(c, b, "_Freq"), std::to_string(b * 20 + pass));
                WriteINI(ini, "PEQ_Config", key(c, b, "_Gain"), "200");
                WriteINI(ini, "PEQ_Config", key(c, b, "_Q"), "10");
            }
        }
    }
    const std::string text = Get(ini);
    EXPECT_EQ(text.rfind("[PEQ_Config]\r\nPEQ_Active=False\r\nPEQ_Ch0_Band1_Freq=21\r\n", 0), 0u);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 242);
    EXPECT_EQ(ReadINI(ini, "PEQ_Config", key(3, 7, "_Freq")), "141");
}

}  // namespace
}  // namespace calvetta
