#include "app/IniAccess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "TempFolder.h"

namespace calvetta {
namespace {

using namespace std::string_literals;

class IniAccess : public TempFolderTest {
  protected:
    std::string ini;

    void SetUp() override {
        TempFolderTest::SetUp();
        ini = Path("Main.ini");
    }
    void Put(const std::string& bytes) const { TempFolderTest::Put(ini, bytes); }
    std::string Get() const { return TempFolderTest::Get(ini); }
};

TEST_F(IniAccess, ReadTrimsBlanksAndTurnsNothingIntoOne) {
    EXPECT_EQ(ReadINI(ini, "Main_Config", "Main_VOL"), "1");  // no file
    Put("[Main_Config]\r\n"
        "Main_VOL=  -40  \r\n"
        "Delay_0=\r\n"
        "Delay_1=    \r\n"
        "Delay_2=\"   \"\r\n"
        "Delay_3=\" 7 \"\r\n"
        "Delay_4=0\r\n");
    EXPECT_EQ(ReadINI(ini, "Main_Config", "Main_VOL"), "-40");
    EXPECT_EQ(ReadINI(ini, "Main_Config", "Delay_0"), "1");
    EXPECT_EQ(ReadINI(ini, "Main_Config", "Delay_1"), "1");
    EXPECT_EQ(ReadINI(ini, "Main_Config", "Delay_2"), "1");
    EXPECT_EQ(ReadINI(ini, "Main_Config", "Delay_3"), "7");
    EXPECT_EQ(ReadINI(ini, "Main_Config", "Delay_4"), "0");
    EXPECT_EQ(ReadINI(ini, "Main_Config", "Delay_5"), "1");
    EXPECT_EQ(ReadINI(ini, "PEQ_Config", "Delay_4"), "1");
}

TEST_F(IniAccess, ReadReturnsAtMost127BytesOfWholeCharacters) {
    const std::string ascii(200, 'x');
    const std::string accented = std::string(126, 'a') + "\xC3\xA9" + "tail";  // é spans 127-128
    Put("[S]\nlong=" + ascii + "\nmixed=" + accented + "\nfits=" + std::string(127, 'y') + "\n");
    EXPECT_EQ(ReadINI(ini, "S", "long"), std::string(127, 'x'));
    EXPECT_EQ(ReadINI(ini, "S", "mixed"), std::string(126, 'a'));
    EXPECT_EQ(ReadINI(ini, "S", "fits"), std::string(127, 'y'));
}

TEST_F(IniAccess, WriteKeepsAtMost128Characters) {
    WriteINI(ini, "PEQ_Config", "long", std::string(200, 'v'));
    WriteINI(ini, "PEQ_Config", "short", "26");
    WriteINI(ini, "PEQ_Config", "edge127", std::string(127, 'w'));
    WriteINI(ini, "PEQ_Config", "edge128", std::string(128, 'z'));
    // Characters, not bytes: 130 two-byte characters become 128 of them.
    std::string wide;
    for (int i = 0; i < 130; ++i)
        wide += "\xC3\xA9";
    WriteINI(ini, "PEQ_Config", "wide", wide);
    WriteINI(ini, "PEQ_Config", "nul", "12\0junk"s);

    std::string wide128;
    for (int i = 0; i < 128; ++i)
        wide128 += "\xC3\xA9";
    EXPECT_EQ(Get(),
              "[PEQ_Config]\r\n"
              "long=" +
                  std::string(128, 'v') +
                  "\r\n"
                  "short=26\r\n"
                  "edge127=" +
                  std::string(127, 'w') +
                  "\r\n"
                  "edge128=" +
                  std::string(128, 'z') +
                  "\r\n"
                  "wide=" +
                  wide128 +
                  "\r\n"
                  "nul=12\r\n");
    EXPECT_EQ(ReadINI(ini, "PEQ_Config", "short"), "26");
}

TEST_F(IniAccess, EqualiserStoreRoundTrip) {
    // The order the EQ save writes in is the key order of a store made from
    // nothing; a second save replaces every value where it stands.
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
    const std::string text = Get();
    EXPECT_EQ(text.rfind("[PEQ_Config]\r\nPEQ_Active=False\r\nPEQ_Ch0_Band1_Freq=21\r\n", 0), 0u);
    EXPECT_NE(text.find("PEQ_Ch7_Band9_Q=10\r\nPEQ_Ch7_Band10_Freq=201\r\n"), std::string::npos);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 242);
    EXPECT_EQ(ReadINI(ini, "PEQ_Config", "PEQ_Active"), "False");
    EXPECT_EQ(ReadINI(ini, "PEQ_Config", key(3, 7, "_Freq")), "141");
    EXPECT_EQ(ReadINI(ini, "PEQ_Config", key(7, 10, "_Q")), "10");
}

}  // namespace
}  // namespace calvetta
