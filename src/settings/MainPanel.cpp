// The Main Panel page: volume, trims, mute, phase, inputs, sources, modes.
// This file builds the page's controls and binds them to their handlers; the
// handlers live in Volume.cpp, Phase.cpp and Inputs.cpp.

#include "settings/MainPanel.h"

#include <QFont>
#include <QFrame>

#include "app/Pictures.h"
#include "app/PrivateDesign.h"
#include "slider/ruqSlider.h"

namespace calvetta {

namespace {

// Button columns at the left of the page (twips).
constexpr int kButtonColumn1 = 120;
constexpr int kButtonColumn2 = 1920;
constexpr int kButtonWidth = 1695;
constexpr int kButtonTop = 360;
constexpr int kButtonPitch = 360;
constexpr int kButtonHeight = 330;
// Listening modes below the layout buttons: modes 0 to 2 under "7.1 Mode" in
// the first column, modes 3 to 8 from level with "2.1 Mode" in the second.
constexpr int kModeTop1 = 4860;
constexpr int kModeTop2 = 3720;
constexpr int kModePitch = 380;
constexpr int kModeHeight = 340;
// The two modes that no one sees or clicks: below the page's bottom edge.
constexpr int kHiddenModeTop = 7560;

// The level rows, from the heading to the phase column.
constexpr int kCaptionLeft = 3840;
constexpr int kCaptionWidth = 600;
constexpr int kLeftArrowLeft = 4500;
constexpr int kSliderLeft = 4800;
constexpr int kRightArrowLeft = 8820;
constexpr int kValueLeft = 9180;
constexpr int kValueWidth = 1080;
constexpr int kRowTextHeight = 255;
constexpr int kArrowAbove = 45;  // the arrows are a little taller than the slider
constexpr int kScaleBelow = 270;
constexpr int kScaleHeight = 210;
constexpr int kScaleWidth = 900;
constexpr int kMasterTop = 780;
constexpr int kTrimTop = 1500;
constexpr int kTrimPitch = 630;

// The phase column, each frame level with its channel's trim row.
constexpr int kPhaseLeft = 10560;
constexpr int kPhaseWidth = 1920;
constexpr int kPhaseAbove = 240;
constexpr int kPhaseHeight = 570;

constexpr int RowTop(int index) {
    return index == 0 ? kMasterTop : kTrimTop + (index - 1) * kTrimPitch;
}

struct ButtonSpot {
    const char* caption;
    int left;
    int top;
};

}  // namespace

MainPanel::MainPanel(PrivateDesign& window, PictureBox* container)
    : Picture2(container), w_(window) {
    // Headings and displays along the top.
    auto label = [this](const QString& text, int left, int top, int width, int height) {
        auto* l = new Label(text, Picture2);
        SetTwipsGeometry(l, left, top, width, height);
        return l;
    };
    Label2.add(5, label(QStringLiteral("Source Select"), kButtonColumn1, 60, 3495, 255));
    Label2.add(6, label(QStringLiteral("Audio Format"), kCaptionLeft, 60, 1320, 255));
    Label* format = label(QStringLiteral("No Signal"), 5220, 30, 4320, 315);
    format->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    format->setIndent(6);
    Label2.add(7, format);
    VersionLabel = label(QStringLiteral("Ver：01"), kPhaseLeft, 60, kPhaseWidth, 255);
    Label72 = label(QStringLiteral("Volume"), kCaptionLeft, 480, 1320, 255);

    // Input connectors: "ANALOG" and "HDMI 6" under the sources, the rest in
    // the second column.
    const std::array<ButtonSpot, 11> connectors = {{
        {"ANALOG", kButtonColumn1, kButtonTop + 7 * kButtonPitch},
        {"COAX 1", kButtonColumn2, kButtonTop},
        {"COAX 2", kButtonColumn2, kButtonTop + 1 * kButtonPitch},
        {"OPT1", kButtonColumn2, kButtonTop + 2 * kButtonPitch},
        {"OPT2", kButtonColumn2, kButtonTop + 3 * kButtonPitch},
        {"HDMI 1", kButtonColumn2, kButtonTop + 4 * kButtonPitch},
        {"HDMI 2", kButtonColumn2, kButtonTop + 5 * kButtonPitch},
        {"HDMI 3", kButtonColumn2, kButtonTop + 6 * kButtonPitch},
        {"HDMI 4", kButtonColumn2, kButtonTop + 7 * kButtonPitch},
        {"HDMI 5", kButtonColumn2, kButtonTop + 8 * kButtonPitch},
        {"HDMI 6", kButtonColumn1, kButtonTop + 8 * kButtonPitch},
    }};
    for (int i = 0; i < 11; ++i) {
        const ButtonSpot& spot = connectors[static_cast<std::size_t>(i)];
        auto* b = new CommandButton(QString::fromUtf8(spot.caption), Picture2);
        SetTwipsGeometry(b, spot.left, spot.top, kButtonWidth, kButtonHeight);
        connect(b, &QPushButton::clicked, this, [this, i] { Input_Cmd_Click(i); });
        Input_Cmd.add(i, b);
    }

    const std::array<const char*, 7> sources = {"BD/DVD",     "GAME",      "VIDEO", "AUX",
                                                "DIRECT 7.1", "BLUETOOTH", "ARC"};
    for (int i = 0; i < 7; ++i) {
        auto* b =
            new CommandButton(QString::fromUtf8(sources[static_cast<std::size_t>(i)]), Picture2);
        SetTwipsGeometry(b, kButtonColumn1, kButtonTop + i * kButtonPitch, kButtonWidth,
                         kButtonHeight);
        connect(b, &QPushButton::clicked, this, [this, i] { Input_Cmd1_Click(i); });
        Input_Cmd1.add(i, b);
    }
    Input_Cmd1(0)->setBackColor(vbRed);

    const std::array<const char*, 11> modes = {
        "PLIIx Movie", "PLIIx Music", "PLIIx Game", "NEO6 CINEMA", "NEO6 MUSIC", "HALL",
        "ROOM",        "STADIUM",     "THEATER",    "THEATER",     "MATRIX"};
    for (int i = 0; i < 11; ++i) {
        int left = kButtonColumn1;
        int top = kHiddenModeTop + (i - 9) * kModePitch;  // 9 and 10: off the page
        if (i < 3) {
            top = kModeTop1 + i * kModePitch;
        } else if (i < 9) {
            left = kButtonColumn2;
            top = kModeTop2 + (i - 3) * kModePitch;
        }
        auto* b =
            new CommandButton(QString::fromUtf8(modes[static_cast<std::size_t>(i)]), Picture2);
        SetTwipsGeometry(b, left, top, kButtonWidth, kModeHeight);
        connect(b, &QPushButton::clicked, this, [this, i] { Mode_Cmd_Click(i); });
        Mode_Cmd.add(i, b);
    }
    Mode_Cmd(2)->setBackColor(vbRed);

    // The level rows: caption, left arrow, slider, right arrow, value label,
    // and the fixed end-of-range captions under the slider. The arrows rest on
    // the gray pictures.
    const std::array<const char*, 9> captions = {
        "", "FL:", "CEN:", "FR:", "SL:", "SR:", "BSL:", "BSR:", "SW:"};
    const std::array<int, 9> captionIndex = {0, 9, 11, 12, 13, 14, 15, 16, 18};
    QFont scaleFont = w_.font();
    scaleFont.setPointSizeF(scaleFont.pointSizeF() * 0.85);
    for (int i = 0; i <= 8; ++i) {
        const int top = RowTop(i);
        if (i > 0) {
            Label2.add(captionIndex[static_cast<std::size_t>(i)],
                       label(QString::fromUtf8(captions[static_cast<std::size_t>(i)]), kCaptionLeft,
                             top, kCaptionWidth, kRowTextHeight));
        }

        auto* left = new ImageControl(Picture2);
        left->setPicture(w_.LeftGray->Picture());
        SetTwipsGeometry(left, kLeftArrowLeft, top - kArrowAbove, kArrowWidth, kArrowHeight);
        connect(left, &ImageControl::MouseDown, this, [this, i](const MouseArgs& a) {
            VOLLeft_MouseDown(i, a.Button, a.Shift, a.X, a.Y);
        });
        connect(left, &ImageControl::MouseUp, this,
                [this, i](const MouseArgs& a) { VOLLeft_MouseUp(i, a.Button, a.Shift, a.X, a.Y); });
        VOLLeft.add(i, left);

        ruqSlider* slider = CreateMainWindowSlider(
            i == 0 ? SliderKind::MasterVolume : SliderKind::ChannelTrim, Picture2);
        slider->setTwipsGeometry(kSliderLeft, top, slider->TwipsWidth(), slider->TwipsHeight());
        connect(slider, &ruqSlider::ValueChanged, this, [this, i] { VOLSlider_ValueChanged(i); });
        VOLSlider.add(i, slider);

        auto* right = new ImageControl(Picture2);
        right->setPicture(w_.RightGray->Picture());
        SetTwipsGeometry(right, kRightArrowLeft, top - kArrowAbove, kArrowWidth, kArrowHeight);
        connect(right, &ImageControl::MouseDown, this, [this, i](const MouseArgs& a) {
            VOLRight_MouseDown(i, a.Button, a.Shift, a.X, a.Y);
        });
        connect(right, &ImageControl::MouseUp, this, [this, i](const MouseArgs& a) {
            VOLRight_MouseUp(i, a.Button, a.Shift, a.X, a.Y);
        });
        VOLRight.add(i, right);

        VOLLab.add(i, label(i == 0 ? QStringLiteral("40 dB") : QStringLiteral("0 dB"), kValueLeft,
                            top, kValueWidth, kRowTextHeight));

        // Scale captions: 77 and 87 under the master, 9 to 24 under the trims.
        const int lowIndex = i == 0 ? 77 : 9 + 2 * (i - 1);
        const int highIndex = i == 0 ? 87 : lowIndex + 1;
        const int sliderRight = kSliderLeft + slider->TwipsWidth();
        Label* low = label(i == 0 ? QStringLiteral("-90 dB") : QStringLiteral("-10 dB"),
                           kSliderLeft, top + kScaleBelow, kScaleWidth, kScaleHeight);
        Label* high =
            label(i == 0 ? QStringLiteral("+0 dB") : QStringLiteral("10 dB"),
                  sliderRight - kScaleWidth, top + kScaleBelow, kScaleWidth, kScaleHeight);
        high->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        for (Label* scale : {low, high}) {
            scale->setFont(scaleFont);
        }
        VOLLab.add(lowIndex, low);
        VOLLab.add(highIndex, high);
    }

    MuteCheck = new CheckBox(QStringLiteral("Mute"), Picture2);
    SetTwipsGeometry(MuteCheck, kPhaseLeft, kMasterTop - 60, 1200, 375);
    connect(MuteCheck, &QCheckBox::toggled, this, [this] { MuteCheck_Click(); });

    // Phase pairs, one frame each, in ChannelIndex order from the top.
    const std::array<Frame**, 8> frames = {&Frame8,  &Frame9,  &Frame10, &Frame11,
                                           &Frame12, &Frame15, &Frame14, &Frame13};
    const std::array<OptionGroup*, 8> pairs = PhasePairs();
    for (int ch = 0; ch < 8; ++ch) {
        const auto at = static_cast<std::size_t>(ch);
        auto* frame = new Frame(QStringLiteral("Phase"), Picture2);
        SetTwipsGeometry(frame, kPhaseLeft, RowTop(ch + 1) - kPhaseAbove, kPhaseWidth,
                         kPhaseHeight);
        *frames[at] = frame;
        OptionGroup* pair = pairs[at];
        SetTwipsGeometry(pair->add(0, QStringLiteral("0°"), frame), 120, 240, 780, 270);
        SetTwipsGeometry(pair->add(1, QStringLiteral("180°"), frame), 960, 240, 900, 270);
        pair->select(0);  // before the handler is bound: the design state, nothing sent
        pair->setHandler([this](int index) { ChannelPhase_Click(index); });
    }

    // Rules that part the button area, the displays and the level rows.
    auto rule = [this](int left, int top, int width, int height, QFrame::Shape shape) {
        auto* line = new QFrame(Picture2);
        line->setFrameShape(shape);
        line->setFrameShadow(QFrame::Sunken);
        SetTwipsGeometry(line, left, top, width, height);
    };
    rule(3705, 60, 30, 6000, QFrame::VLine);
    rule(kCaptionLeft, 390, 8640, 30, QFrame::HLine);
    rule(kCaptionLeft, 1335, 6420, 30, QFrame::HLine);
    rule(kButtonColumn1, 3630, 3495, 30, QFrame::HLine);
}

MainPanel::~MainPanel() = default;

}  // namespace calvetta
