// The Setup page: delays, speakers, subwoofer, crossovers, power, keys,
// dynamic range and test tones.
//
// Layout (twips): the eight delay rows fill the left half. The speaker-size
// frames stand beside them, one frame to each pair of rows, so that the row
// captions name the group: front beside FL/FR, surround beside SL/SR, back
// surround beside BSL/BSR, centre beside CEN/SW. The crossover lists stand
// right of their frames under "Cut Off"; power and subwoofer form the right
// column in the same bands. The test-tone frames lie under the delays with
// dynamic range beside them, and the key pad at the bottom right, clear of
// the reset button.

#include "settings/SetupPage.h"

#include <QFontMetrics>
#include <QPushButton>
#include <array>

#include "app/Pictures.h"
#include "app/PrivateDesign.h"
#include "slider/ruqSlider.h"

namespace calvetta {

namespace {

// Delay rows.
constexpr int kRowTop = 480;
constexpr int kRowPitch = 540;
constexpr int kRowHeight = kArrowHeight;  // each row as tall as its arrows
constexpr int kCaptionLeft = 120;
constexpr int kCaptionWidth = 600;
constexpr int kLeftArrowLeft = 780;
constexpr int kSliderLeft = 1080;
constexpr int kSliderTopInRow = 45;  // centres the 17-pixel slider on the arrow
constexpr int kRightArrowLeft = 4380;
constexpr int kValueLeft = 4680;
constexpr int kValueWidth = 735;

// Frames beside the rows: one band to two rows.
constexpr int kBandTop = kRowTop - 75;
constexpr int kBandPitch = 2 * kRowPitch;
constexpr int kBandHeight = kBandPitch - 75;
constexpr int kOptionTop = 480;  // inside a band's frame, below its caption
constexpr int kOptionHeight = 285;

constexpr int kSpeakerLeft = 5640;
constexpr int kSpeakerWidth = 3240;
constexpr int kSpeakerOptionPitch = 1020;
constexpr int kSpeakerOptionWidth = 960;
constexpr int kComboLeft = 9000;
constexpr int kComboWidth = 1335;
constexpr int kComboHeight = 330;
constexpr int kRightLeft = 10500;
constexpr int kRightWidth = 2040;
constexpr int kRightOptionPitch = 900;
constexpr int kRightOptionWidth = 840;

// Test tones under the delay rows, dynamic range beside them.
constexpr int kTestTop = 4860;
constexpr int kTestHeight = 1395;
constexpr int kTestLinePitch = 360;

// Remote keys.
constexpr int kKeyWidth = 780;
constexpr int kKeyHeight = 420;

int RowTop(int row) {
    return kRowTop + row * kRowPitch;
}
int BandTop(int band) {
    return kBandTop + band * kBandPitch;
}

// The delay rows from the top: caption, ChannelIndex and caption label index.
struct DelayRow {
    const char* caption;
    int channel;
    int label;
};
constexpr std::array<DelayRow, 8> kDelayRows = {{{"FL:", 0, 0},
                                                 {"FR:", 2, 1},
                                                 {"SL:", 3, 2},
                                                 {"SR:", 4, 3},
                                                 {"BSL:", 5, 4},
                                                 {"BSR:", 6, 10},
                                                 {"CEN:", 1, 17},
                                                 {"SW:", 7, 31}}};

// Lowers the button's font size until its caption fits inside the button.
void FitCaption(QPushButton* button) {
    constexpr int kPadding = 10;  // pixels of frame and margin
    QFont font = button->font();
    while (font.pointSizeF() > 6.0 &&
           QFontMetrics(font).horizontalAdvance(button->text()) > button->width() - kPadding) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
    }
    button->setFont(font);
}

}  // namespace

SetupPage::SetupPage(PrivateDesign& window, PictureBox* container)
    : Picture6(container), w_(window) {
    QWidget* page = Picture6;

    // ---- Delay rows. The arrows start gray, drawn like the hidden picture
    // sources (which the window creates after its pages).
    for (std::size_t row = 0; row < kDelayRows.size(); ++row) {
        const DelayRow& r = kDelayRows[row];
        const int top = RowTop(static_cast<int>(row));
        const int i = r.channel;

        auto* caption = new Label(QString::fromLatin1(r.caption), page);
        caption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        SetTwipsGeometry(caption, kCaptionLeft, top, kCaptionWidth, kRowHeight);
        Label2.add(r.label, caption);

        auto* left = new ImageControl(page);
        left->setPicture(w_.LeftGray->Picture());
        SetTwipsGeometry(left, kLeftArrowLeft, top, kArrowWidth, kArrowHeight);
        DelayLeft.add(i, left);

        ruqSlider* slider = CreateMainWindowSlider(SliderKind::Delay, page);
        slider->setTwipsGeometry(kSliderLeft, top + kSliderTopInRow, slider->TwipsWidth(),
                                 slider->TwipsHeight());
        DelaySlider.add(i, slider);

        auto* right = new ImageControl(page);
        right->setPicture(w_.RightGray->Picture());
        SetTwipsGeometry(right, kRightArrowLeft, top, kArrowWidth, kArrowHeight);
        DelayRight.add(i, right);

        auto* value = new Label(QStringLiteral("40 m"), page);
        value->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        SetTwipsGeometry(value, kValueLeft, top, kValueWidth, kRowHeight);
        DelayLab.add(i, value);

        connect(slider, &ruqSlider::ValueChanged, this, [this, i] { DelaySlider_ValueChanged(i); });
        connect(left, &ImageControl::MouseDown, this, [this, i](const MouseArgs& a) {
            DelayLeft_MouseDown(i, a.Button, a.Shift, a.X, a.Y);
        });
        connect(left, &ImageControl::MouseUp, this, [this, i](const MouseArgs& a) {
            DelayLeft_MouseUp(i, a.Button, a.Shift, a.X, a.Y);
        });
        connect(right, &ImageControl::MouseDown, this, [this, i](const MouseArgs& a) {
            DelayRight_MouseDown(i, a.Button, a.Shift, a.X, a.Y);
        });
        connect(right, &ImageControl::MouseUp, this, [this, i](const MouseArgs& a) {
            DelayRight_MouseUp(i, a.Button, a.Shift, a.X, a.Y);
        });
    }

    // ---- Speaker sizes, in one column: front, surround, back surround, centre.
    struct SpeakerGroup {
        int frame;
        int band;
        OptionGroup* options;
        int count;
    };
    const std::array<SpeakerGroup, 4> groups = {{{0, 0, &SPKLR_Opt, 2},
                                                 {2, 1, &SPKSLSR_Opt, 3},
                                                 {3, 2, &SPKBSLSR_Opt, 3},
                                                 {1, 3, &SPKC_Opt, 3}}};
    const std::array<const char*, 3> sizes = {"Large", "Small", "Off"};
    for (const SpeakerGroup& g : groups) {
        auto* frame = new Frame(QStringLiteral("Speaker Config"), page);
        SetTwipsGeometry(frame, kSpeakerLeft, BandTop(g.band), kSpeakerWidth, kBandHeight);
        Frame3.add(g.frame, frame);
        for (int k = 0; k < g.count; ++k) {
            QRadioButton* b =
                g.options->add(k, QString::fromLatin1(sizes[static_cast<std::size_t>(k)]), frame);
            SetTwipsGeometry(b, 150 + k * kSpeakerOptionPitch, kOptionTop, kSpeakerOptionWidth,
                             kOptionHeight);
        }
        g.options->select(0);

        // The crossover list of the same group, level with the options.
        auto* combo = new ComboBox(page);
        Combo2.add(g.frame, combo);
        SetTwipsGeometry(combo, kComboLeft,
                         BandTop(g.band) + kOptionTop + (kOptionHeight - kComboHeight) / 2,
                         kComboWidth, kComboHeight);
    }
    auto* cutOff = new Label(QStringLiteral("Cut Off"), page);
    cutOff->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    SetTwipsGeometry(cutOff, kComboLeft, BandTop(0) + 120, kComboWidth, 285);
    Label2.add(19, cutOff);

    // ---- Power and subwoofer at the right, dynamic range under the
    // speakers; each a frame with its options in a row.
    auto optionFrame = [page](const QString& caption, int left, int top, int width) {
        auto* frame = new Frame(caption, page);
        SetTwipsGeometry(frame, left, top, width, kBandHeight);
        return frame;
    };
    auto optionRow = [](OptionGroup& group, Frame* frame, int pitch, int width,
                        std::initializer_list<const char*> captions) {
        int k = 0;
        for (const char* caption : captions) {
            QRadioButton* b = group.add(k, QString::fromLatin1(caption), frame);
            SetTwipsGeometry(b, 150 + k * pitch, kOptionTop, width, kOptionHeight);
            ++k;
        }
        group.select(0);
    };
    Frame17 = optionFrame(QStringLiteral("POWER"), kRightLeft, BandTop(0), kRightWidth);
    optionRow(Option2, Frame17, kRightOptionPitch, kRightOptionWidth, {"ON", "OFF"});
    Frame7 = optionFrame(QStringLiteral("Sub Woofer"), kRightLeft, BandTop(1), kRightWidth);
    optionRow(Sub_Opt, Frame7, kRightOptionPitch, kRightOptionWidth, {"Off", "On"});
    Frame6 = optionFrame(QStringLiteral("Dynamic"), kSpeakerLeft, kTestTop, kSpeakerWidth);
    optionRow(Dynamic_Opt, Frame6, kSpeakerOptionPitch, kSpeakerOptionWidth, {"Auto", "Off", "On"});

    // ---- Test tones. "Auto Testtone" exists but is never shown; it keeps
    // the last line so that no gap opens between the two visible choices.
    Frame4 = new Frame(QStringLiteral("Testtone"), page);
    SetTwipsGeometry(Frame4, 120, kTestTop, 2280, kTestHeight);
    const std::array<std::pair<int, const char*>, 3> modes = {
        {{0, "Testtone Off"}, {2, "Manual"}, {1, "Auto Testtone"}}};
    for (std::size_t line = 0; line < modes.size(); ++line) {
        QRadioButton* b =
            Test_Opt.add(modes[line].first, QString::fromLatin1(modes[line].second), Frame4);
        SetTwipsGeometry(b, 180, 300 + static_cast<int>(line) * kTestLinePitch, 1980,
                         kOptionHeight);
    }
    Test_Opt(1)->hide();
    Test_Opt.select(0);

    Frame5 = new Frame(QStringLiteral("Manual Test"), page);
    SetTwipsGeometry(Frame5, 2520, kTestTop, 3120, kTestHeight);
    const std::array<const char*, 8> channels = {"FL", "CEN", "FR", "SL", "SR", "BSL", "BSR", "SW"};
    for (int i = 0; i < 8; ++i) {
        // Three columns: FL CEN FR | SL SR BSL | BSR SW.
        QRadioButton* b =
            Test_CH_Opt.add(i, QString::fromLatin1(channels[static_cast<std::size_t>(i)]), Frame5);
        SetTwipsGeometry(b, 180 + (i / 3) * 960, 300 + (i % 3) * kTestLinePitch, 900,
                         kOptionHeight);
        b->setEnabled(false);
    }
    Test_CH_Opt.select(0);

    // ---- Remote keys: a cross, with "OSD" apart.
    struct Key {
        const char* caption;
        int left;
        int top;
    };
    const std::array<Key, 6> keys = {{{"UP", 10680, 4800},
                                      {"LEFT", 9840, 5280},
                                      {"ENTER", 10680, 5280},
                                      {"RIGHT", 11520, 5280},
                                      {"DOWN", 10680, 5760},
                                      {"OSD", 9000, 4920}}};
    for (int k = 0; k < 6; ++k) {
        const Key& key = keys[static_cast<std::size_t>(k)];
        auto* b = new CommandButton(QString::fromLatin1(key.caption), page);
        SetTwipsGeometry(b, key.left, key.top, kKeyWidth, kKeyHeight);
        Command2.add(k, b);
        connect(b, &QPushButton::clicked, this, [this, k] { Command2_Click(k); });
    }

    // The reset button is narrow for its caption in this font: shrink the
    // font until the caption fits rather than cut it.
    FitCaption(w_.Menu_Cmd(3));

    // Handlers are bound only now, so the start selections above send nothing.
    SPKLR_Opt.setHandler([this](int i) { SPKLR_Opt_Click(i); });
    SPKC_Opt.setHandler([this](int i) { SPKC_Opt_Click(i); });
    SPKSLSR_Opt.setHandler([this](int i) { SPKSLSR_Opt_Click(i); });
    SPKBSLSR_Opt.setHandler([this](int i) { SPKBSLSR_Opt_Click(i); });
    Sub_Opt.setHandler([this](int i) { Sub_Opt_Click(i); });
    Option2.setHandler([this](int i) { Option2_Click(i); });
    Dynamic_Opt.setHandler([this](int i) { Dynamic_Opt_Click(i); });
    Test_Opt.setHandler([this](int i) { Test_Opt_Click(i); });
    Test_CH_Opt.setHandler([this](int i) { Test_CH_Opt_Click(i); });
    for (const auto& [index, combo] : Combo2.items()) {
        connect(combo, &ComboBox::Click, this, [this, i = index] { Combo2_Click(i); });
    }
}

SetupPage::~SetupPage() = default;

}  // namespace calvetta
