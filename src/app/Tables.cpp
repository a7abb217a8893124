#include "app/Tables.h"

#include <cmath>
#include <cstddef>
#include <span>

#include "eq/GraphScale.h"

namespace calvetta {
namespace {

// The device's centre frequencies in Hz, by FreqIndex.  Stored as the device
// defines them; the steps are uneven in places and must not be recomputed.
constexpr std::array<double, LookupTables::kFreqCount> kFreqHz = {
    20,    20.5,  21.3,  21.7,  22.3,  22.9,  23.5,  24.2,  24.8,  25.5,  26.2,  26.9,  27.6,
    28.4,  29.1,  29.9,  30.8,  31.6,  32.5,  33.4,  34.3,  35.2,  36.2,  37.2,  38.2,  39.3,
    40.3,  41.4,  42.6,  43.7,  44.9,  46.2,  47.4,  48.7,  50.1,  51.4,  52.8,  54.3,  55.8,
    57.3,  59,    60,    62,    63,    65,    67,    69,    71,    73,    75,    77,    79,
    81,    83,    85,    88,    90,    93,    95,    98,    101,   104,   106,   109,   112,
    115,   118,   122,   125,   129,   132,   135,   139,   143,   147,   151,   155,   159,
    164,   168,   173,   178,   183,   188,   192,   198,   204,   209,   215,   221,   226,
    233,   239,   246,   253,   260,   267,   274,   281,   289,   297,   305,   314,   322,
    331,   340,   349,   359,   368,   379,   389,   400,   411,   422,   433,   445,   458,
    470,   483,   496,   510,   524,   538,   553,   568,   583,   599,   616,   632,   650,
    668,   686,   705,   724,   744,   764,   785,   806,   828,   851,   874,   898,   923,
    948,   974,   1000,  1028,  1056,  1085,  1115,  1145,  1176,  1208,  1242,  1276,  1310,
    1346,  1383,  1421,  1460,  1500,  1541,  1583,  1626,  1671,  1716,  1763,  1811,  1861,
    1912,  1964,  2018,  2073,  2130,  2188,  2248,  2310,  2373,  2438,  2504,  2573,  2643,
    2715,  2790,  2866,  2944,  3025,  3108,  3193,  3280,  3370,  3462,  3556,  3654,  3754,
    3856,  3962,  4070,  4180,  4296,  4413,  4534,  4658,  4786,  4916,  5050,  5189,  5331,
    5476,  5626,  5780,  5938,  6101,  6267,  6439,  6615,  6796,  6982,  7173,  7369,  7571,
    7778,  7990,  8209,  8433,  8664,  8902,  9145,  9395,  9652,  10000, 10190, 10460, 10750,
    11050, 11350, 11660, 11980, 12310, 12640, 12990, 13340, 13710, 14080, 14470, 14860, 15270,
    15690, 16120, 16560, 17010, 17470, 17950, 18440, 19460, 20000};

// Entries 1 to 39 carry one decimal digit; entry 0 and 40 onwards are whole.
constexpr int kFirstFractional = 1;
constexpr int kLastFractional = 39;

// Bandwidth in tenths of an octave and the Q (in tenths) that goes with it,
// by OctIndex.  Index 0 repeats 1 and 20 repeats 19 so that a slider
// overshoot still finds a row.
constexpr std::array<std::uint8_t, LookupTables::kOctCount> kOctTenths = {
    1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 15, 17, 19, 21, 25, 30, 30};
constexpr std::array<std::uint8_t, LookupTables::kOctCount> kOctToQ = {
    100, 100, 70, 40, 30, 25, 23, 18, 16, 15, 14, 12, 11, 10, 9, 8, 7, 6, 5, 4, 4};

// The crossover texts as the device's lists show them.  The blank count
// before "Hz" is irregular and part of each entry's identity: the crossover
// code is found by exact comparison.
constexpr std::array<std::string_view, LookupTables::kXoverCount> kXoverText = {
    "40  Hz", "50  Hz",  "60  Hz",  "70 Hz",   "80 Hz",  "90 Hz", "100 Hz",
    "110 Hz", "120  Hz", "130  Hz", "140  Hz", "150 Hz", "200 Hz"};

// Appends the decimal digits of a non-negative number.
void AppendDigits(std::string& out, long long n) {
    char digits[24];
    std::size_t len = 0;
    do {
        digits[len++] = static_cast<char>('0' + n % 10);
        n /= 10;
    } while (n > 0);
    while (len > 0)
        out += digits[--len];
}

// "<whole>.<tenth>" for a count of tenths, always with its decimal digit.
std::string TenthsText(long long tenths) {
    std::string text;
    AppendDigits(text, tenths / 10);
    text += '.';
    text += static_cast<char>('0' + tenths % 10);
    return text;
}

using Layouts = std::span<const std::string_view>;

// The layouts shared by several format families, in the device's code order.
constexpr std::array<std::string_view, 8> kDolbyBasic = {"(1+1)", "(1/0)", "(2/0)", "(3/0)",
                                                         "(2/1)", "(3/1)", "(2/2)", "(3/2)"};
constexpr std::array<std::string_view, 8> kDtsBasic = {"(1/0)", "(1+1)", "(2/0)", "(3/0)",
                                                       "(2/1)", "(3/1)", "(2/2)", "(3/2)"};
constexpr std::array<std::string_view, 10> kDtsTen = {"(1/0)", "(1+1)", "(2/0)", "(3/0)", "(2/1)",
                                                      "(3/1)", "(2/2)", "(3/2)", "(3/3)", "(3/4)"};

constexpr std::array<std::string_view, 23> kDolbyPlus = {
    "(1+1)", "(1/0)", "(2/0)", "(3/0)", "(2/1)", "(3/1)", "(2/2)", "(3/2)",
    "(3/1)", "(2/3)", "(3/3)", "(3/3)", "(3/2)", "(2/4)", "(2/4)", "(2/4)",
    "(2/4)", "(3/4)", "(2/3)", "(3/3)", "(2/4)", "(3/4)", "(3/4)"};
constexpr std::array<std::string_view, 4> kTrueHdMore = {"(3/3)", "(3/4)", "(2/3)", "(2/4)"};

// Fills FormatName code by code, in rising order.
class FormatFiller {
  public:
    explicit FormatFiller(std::array<std::string, LookupTables::kFormatCount>& names)
        : names_(names) {}

    int next() const { return next_; }

    void Put(std::string_view text) { names_.at(static_cast<std::size_t>(next_++)) = text; }

    // "<family> <layout>" for each layout in turn.
    void Family(std::string_view family, Layouts layouts) {
        for (std::string_view layout : layouts) {
            std::string text(family);
            text += ' ';
            text += layout;
            Put(text);
        }
    }

    // The texts of codes first..last, each followed by ".1".
    void WithLfe(int first, int last) {
        for (int code = first; code <= last; ++code) {
            Put(names_.at(static_cast<std::size_t>(code)) + ".1");
        }
    }

  private:
    std::array<std::string, LookupTables::kFormatCount>& names_;
    int next_ = 0;
};

}  // namespace

void LookupTables::BuildFreqTable() {
    for (int i = 0; i < kFreqCount; ++i) {
        const auto at = static_cast<std::size_t>(i);
        FreqTable[at] = {kFreqHz[at], i >= kFirstFractional && i <= kLastFractional};
    }
}

void LookupTables::BuildFreqText() {
    for (std::size_t i = 0; i < FreqText.size(); ++i) {
        const FreqValue& f = FreqTable[i];
        std::string text;
        if (f.Fractional) {
            text = TenthsText(std::llround(f.Hz * 10.0));
        } else {
            AppendDigits(text, std::llround(f.Hz));
        }
        FreqText[i] = std::move(text);
    }
}

void LookupTables::BuildQLabel() {
    // Q below 0.4 is not offered; those entries stay empty.
    for (std::size_t i = 0; i < QLabel.size(); ++i) {
        QLabel[i] = i < 4 ? std::string() : TenthsText(static_cast<long long>(i));
    }
}

void LookupTables::BuildOctTables() {
    OctTenths = kOctTenths;
    OctToQ = kOctToQ;
    for (std::size_t i = 0; i < OctLabel.size(); ++i)
        OctLabel[i] = TenthsText(OctTenths[i]);
}

void LookupTables::BuildFormatName() {
    for (std::string& name : FormatName)
        name.clear();
    FormatFiller f(FormatName);

    // The device's own spelling of code 0, lower-case l included.
    f.Put("UNlOCK");
    f.Put("PCM");
    f.Put("M PCM 5.1");
    f.Put("M PCM 7.1");

    const int dolbyFirst = f.next();  // 4
    f.Family("DOLBY DIGITAL PLUS", kDolbyPlus);
    f.Put("DOLBY DIGITAL EX (3/3)");
    f.Family("DOLBY DIGITAL", kDolbyBasic);
    f.Family("DOLBY TRUEHD", kDolbyBasic);
    f.Family("DOLBY TRUEHD", kTrueHdMore);
    f.WithLfe(dolbyFirst, f.next() - 1);  // 48..91

    const int expressFirst = f.next();  // 92
    f.Family("DTS EXPRESS", kDtsTen);
    f.Put("DTS EXPRESS  9.0");
    f.Put("DTS EXPRESS 10.0");

    const int masterFirst = f.next();  // 104
    f.Family("DTS-HD MSTR", kDtsTen);
    f.Put("DTS-HD MSTR  8.0");
    f.Put("DTS-HD MSTR  9.0");
    f.Put("DTS-HD MSTR 10.0");

    const int hiResFirst = f.next();  // 117
    f.Family("DTS-HD HI RES", kDtsTen);
    f.Put("DTS-HD HI RES  8.0 ");
    f.Put("DTS-HD HI RES  9.0 ");
    f.Put("DTS-HD HI RES 10.0 ");

    const int dts9624First = f.next();  // 130
    f.Put("DTS 96/24 ES MATRIX (3/3)");
    f.Put("DTS 96/24 ES DISCRETE (3/3)");
    f.Family("DTS 96/24", kDtsBasic);
    const int dts9624Last = f.next() - 1;  // 139

    f.Put("DTS ES DISCRETE (3/4)");
    f.Put("DTS ES DISCRETE 8.0");
    f.Put("DTS ES DISCRETE 9.0");
    f.Put("DTS ES DISCRETE 10.0");
    f.Put("DTS ES MATRIX (3/4)");
    f.Put("DTS ES MATRIX 8.0");
    f.Put("DTS ES MATRIX 9.0");
    f.Put("DTS ES MATRIX 10.0");
    f.Put("DTS ES MATRIX (3/3)");
    f.Put("DTS ES DISCRETE (3/3)");

    const int dtsFirst = f.next();  // 150
    f.Family("DTS", kDtsBasic);
    const int dtsLast = f.next() - 1;  // 157

    const auto tenLayouts = static_cast<int>(kDtsTen.size());
    f.WithLfe(expressFirst, expressFirst + tenLayouts - 1);  // 158..167
    f.Put("DTS EXPRESS  9.1");
    f.Put("DTS EXPRESS 10.1");
    f.Put("DTS EXPRESS 10.2");

    f.WithLfe(masterFirst, masterFirst + tenLayouts - 1);  // 171..180
    f.Put("DTS-HD MSTR  9.1");
    f.Put("DTS-HD MSTR 10.1");
    f.Put("DTS-HD MSTR 10.2");

    // Unlike 127..129, these three have no trailing blank.
    f.WithLfe(hiResFirst, hiResFirst + tenLayouts - 1);  // 184..193
    f.Put("DTS-HD HI RES  9.1");
    f.Put("DTS-HD HI RES 10.1");
    f.Put("DTS-HD HI RES 10.2");

    f.WithLfe(dts9624First, dts9624Last);  // 197..206

    f.Put("DTS ES DISCRETE (3/4).1");
    f.Put("DTS ES DISCRETE 8.1");
    f.Put("DTS ES DISCRETE 9.1");
    f.Put("DTS ES DISCRETE 10.1");
    f.Put("DTS ES MATRIX (3/4).1");
    f.Put("DTS ES MATRIX 8.1");
    f.Put("DTS ES MATRIX 9.1");
    f.Put("DTS ES MATRIX 10.1");
    f.Put("DTS ES MATRIX (3/3).1");
    f.Put("DTS ES DISCRETE (3/3).1");

    f.WithLfe(dtsFirst, dtsLast);  // 217..224; 225 onwards stay empty
}

void LookupTables::ClearBandCoef() {
    for (auto& row : BandCoef)
        row.fill(0.0);
}

void LookupTables::BuildCurveFreq() {
    // 20 Hz * 10^(0.004918 i), evaluated in exactly this order of operations:
    // a rearranged formula differs in the last bits of some points.
    CurveFreq[0] = 0.0;
    for (int i = 1; i < kCurvePoints; ++i) {
        CurveFreq[static_cast<std::size_t>(i)] =
            std::exp((std::log(20.0) / std::log(10.0) + kDecadesPerPoint * i) * std::log(10.0));
    }
}

void LookupTables::BuildCurveX() {
    for (int i = 0; i < kCurvePoints; ++i) {
        CurveX[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(CurvePointX(i));
    }
}

void LookupTables::BuildXoverLabel() {
    for (std::size_t i = 0; i < XoverLabel.size(); ++i)
        XoverLabel[i] = kXoverText[i];
}

int LookupTables::XoverIndexOf(std::string_view text) const {
    for (std::size_t i = 0; i < XoverLabel.size(); ++i) {
        if (XoverLabel[i] == text) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace calvetta
