// The EQ Design page: its controls in their design state, and their events
// bound to the handlers.
//
// Layout (twips, in Picture5; the page shows 12650 x 7545 of it): the graph
// fills the top, with the dB scale as a black column over its left margin
// and the frequency scale as a black strip under it, both lined up with the
// curve. The column ends with the graph's field, which reaches down to
// -19.6 dB: the levels of "-20" and "-25" lie below it and their labels stay
// hidden, since there they would stand beside the frequency scale and the
// slider captions. Below: the band buttons in one row, then the four slider
// rows (Gain, Freq, bandwidth, Q) at the left and, at the right, the channel
// options above the EQ status and the preset buttons.

#include <QFrame>
#include <QPushButton>
#include <array>
#include <cmath>
#include <utility>

#include "app/Pictures.h"
#include "app/PrivateDesign.h"
#include "eq/BandRules.h"
#include "eq/EqDesign.h"
#include "eq/EqPictures.h"
#include "eq/GraphScale.h"
#include "eq/ResponseGraph.h"
#include "platform/EventDelivery.h"
#include "slider/ruqSlider.h"

namespace calvetta {

namespace {

// The graph and its scales.
constexpr int kGraphLeft = 40;
constexpr int kGraphTop = 30;
constexpr int kGraphWidth = ResponseGraph::kWidthPx * kTwipsPerPixel;    // 12570
constexpr int kGraphHeight = ResponseGraph::kHeightPx * kTwipsPerPixel;  // 5325
constexpr int kDbColumnWidth = 330;  // the graph's margin left of 20 Hz
constexpr int kScaleTextHeight = 210;
constexpr int kFreqScaleTop = kGraphTop + kGraphHeight;
constexpr int kFreqScaleHeight = 225;
constexpr int kFreqLabelWidth = 450;

// The band buttons.
constexpr int kControlsLeft = 420;
constexpr int kBandRowTop = 5625;
constexpr int kButtonHeight = 330;
constexpr int kBandButtonWidth = 675;
constexpr int kBandButtonPitch = 720;
constexpr int kRightEdge = kGraphLeft + kGraphWidth;  // 12610
constexpr int kCopyLeft = 7980;
constexpr int kOperationWidth = 1650;
constexpr int kFlatWidth = 1170;

// The slider rows: Gain, Freq, bandwidth, Q from the top.
constexpr int kRowTop = 6000;
constexpr int kRowPitch = 375;
constexpr int kInRow = 45;  // slider and texts centred on the arrows
constexpr int kRowTextHeight = 270;
constexpr int kCaptionWidth = 600;
constexpr int kLeftArrowLeft = kControlsLeft + kCaptionWidth + 60;  // 1080
constexpr int kSliderLeft = kLeftArrowLeft + kArrowWidth + 60;      // 1380
constexpr int kSliderWidth = 3960;                                  // 264 pixels
constexpr int kRightArrowLeft = kSliderLeft + kSliderWidth + 60;    // 5400
constexpr int kValueLeft = kRightArrowLeft + kArrowWidth + 60;      // 5700
constexpr int kValueWidth = 1020;

// Channels, status and presets at the right of the slider rows.
constexpr int kRightAreaLeft = 6900;
constexpr int kFrameHeight = 630;
constexpr int kOptionTop = 300;
constexpr int kOptionHeight = 285;
constexpr int kStatusTop = kRowTop + kFrameHeight + 75;
constexpr int kStatusWidth = 2400;
constexpr int kPresetLeft = kRightAreaLeft + kStatusWidth + 150;
constexpr int kPresetWidth = 1500;
constexpr int kPresetHeight = 345;

// Handles: the centre ball 5 x 6 pixels, the side triangles 5 x 9.
constexpr int kHandleWidth = 75;
constexpr int kMidHeight = 90;
constexpr int kSideHeight = 135;
constexpr int kBandLabelWidth = 300;
constexpr int kBandLabelHeight = 195;
constexpr int kReadoutWidth = 1200;
constexpr int kReadoutHeight = 450;

// The design's Q of the bandwidth handles (QTenths of 1.0 octave).
constexpr int kDesignQ = 14;

QFont ScaledFont(const QWidget* w, double factor) {
    QFont f = w->font();
    f.setPointSizeF(f.pointSizeF() * factor);
    return f;
}

Label* MakeLabel(const QString& text, QWidget* parent, int left, int top, int width, int height) {
    auto* l = new Label(text, parent);
    SetTwipsGeometry(l, left, top, width, height);
    return l;
}

void Blacken(QWidget* w) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, Qt::black);
    w->setPalette(p);
}

QFrame* MakeRule(QWidget* parent, QFrame::Shape shape, int left, int top, int width, int height) {
    auto* line = new QFrame(parent);
    line->setFrameShape(shape);
    line->setFrameShadow(QFrame::Sunken);
    SetTwipsGeometry(line, left, top, width, height);
    return line;
}

}  // namespace

EqDesign::EqDesign(PrivateDesign& window, PictureBox* container) : w_(window) {
    BuildGraph(container);
    BuildScales(container);
    BuildBandButtons(container);
    BuildSliderRows(container);
    BuildChannelAndStatus(container);
    Bind();
}

EqDesign::~EqDesign() = default;

void EqDesign::BuildGraph(PictureBox* container) {
    Show_Picture = new ResponseGraph(container);
    SetTwipsGeometry(Show_Picture, kGraphLeft, kGraphTop, kGraphWidth, kGraphHeight);

    auto source = [this](HandlePicture kind) {
        return HiddenPicture(MakeHandlePicture(kind), Show_Picture);
    };
    BandMidGreen = source(HandlePicture::MidGreen);
    BandMidRed = source(HandlePicture::MidRed);
    BandLeftGreen = source(HandlePicture::LeftGreen);
    BandLeftRed = source(HandlePicture::LeftRed);
    BandRightGreen = source(HandlePicture::RightGreen);
    BandRightRed = source(HandlePicture::RightRed);

    FreqLab = MakeLabel(QString(), Show_Picture, 0, 0, kReadoutWidth, kBandLabelHeight);
    FreqLab->hide();

    // Design state: every band at its default frequency and 0 dB, only the
    // edited band will show its bandwidth handles, no curve but the flat line.
    LookupTables design;
    design.BuildFreqTable();
    const QFont small = ScaledFont(Show_Picture, 0.85);
    const QCursor hand = MakeHandCursor();
    // The graph holds the pointer for its handles, so a pressed handle keeps
    // its moves and its release while the handlers hide and show handles.
    auto* handles = new WindowlessImages(Show_Picture);
    for (int k = 0; k < kEqBands; ++k) {
        const double hz = design.FreqTable[BandDefaultFreq[static_cast<std::size_t>(k)]].Hz;
        const int left = MidLeftForFrequency(hz);
        const int top = MidTopForGain(200);

        auto* number = MakeLabel(QString::number(k + 1), Show_Picture, left, top + kBandNumberBelow,
                                 kBandLabelWidth, kBandLabelHeight);
        number->setFont(small);
        number->setForeColor(0xE0E0E0);
        // A number may lie over a neighbour's handle: the handle keeps the mouse.
        number->setAttribute(Qt::WA_TransparentForMouseEvents);
        BandLbl.add(k, number);

        auto handle = [&](const ImageControl* picture, int x, int height) {
            auto* image = new ImageControl(Show_Picture);
            image->setPicture(picture->Picture());
            SetTwipsGeometry(image, x, top, kHandleWidth, height);
            handles->add(image);
            return image;
        };
        ImageControl* mid = handle(BandMidGreen, left, kMidHeight);
        mid->setCursor(hand);
        BandMid.add(k, mid);
        ImageControl* leftSide = handle(BandLeftGreen, LeftHandleLeft(left, kDesignQ), kSideHeight);
        ImageControl* rightSide =
            handle(BandRightGreen, RightHandleLeft(left, kDesignQ), kSideHeight);
        for (ImageControl* side : {leftSide, rightSide}) {
            side->setCursor(Qt::SizeHorCursor);
            side->hide();
        }
        BandLeft.add(k, leftSide);
        BandRight.add(k, rightSide);
    }

    // The readout: dark text on a pale box, legible on the black field.
    DisplayLbl =
        MakeLabel(QStringLiteral("F: G:"), Show_Picture, 0, 0, kReadoutWidth, kReadoutHeight);
    DisplayLbl->setFont(small);
    DisplayLbl->setAutoFillBackground(true);
    QPalette readout = DisplayLbl->palette();
    readout.setColor(QPalette::Window, QColor(255, 255, 225));
    DisplayLbl->setPalette(readout);
    DisplayLbl->setForeColor(vbBlack);
    DisplayLbl->setFrameStyle(QFrame::Box | QFrame::Plain);
    DisplayLbl->setIndent(3);
    DisplayLbl->setAttribute(Qt::WA_TransparentForMouseEvents);
    DisplayLbl->hide();

    // The flat line of a window whose bands were never designed.
    std::vector<QPointF> flat;
    flat.reserve(LookupTables::kCurvePoints - 1);
    for (int i = 1; i < LookupTables::kCurvePoints; ++i)
        flat.emplace_back(CurvePointX(i), YOfDb(0.0f));
    Show_Picture->DrawCurve(std::move(flat));
}

void EqDesign::BuildScales(PictureBox* container) {
    const QFont small = ScaledFont(container, 0.85);
    const std::uint32_t scaleText = 0xC0C0C0;

    // dB scale: each caption centred on its level of the curve, shown where
    // that level lies on the graph's field.
    Picture3 = new PictureBox(container);
    Blacken(Picture3);
    SetTwipsGeometry(Picture3, kGraphLeft, kGraphTop, kDbColumnWidth, kGraphHeight);
    const std::array<const char*, 7> db = {"+05", "0dB", "-05", "-10", "-15", "-20", "-25"};
    for (int i = 0; i < 7; ++i) {
        const int level = static_cast<int>(YOfDb(static_cast<float>(5 - 5 * i)));
        const int top = level - kScaleTextHeight / 2;
        Label* l = MakeLabel(QString::fromUtf8(db[static_cast<std::size_t>(i)]), Picture3, 0, top,
                             kDbColumnWidth, kScaleTextHeight);
        l->setFont(small);
        l->setForeColor(scaleText);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        l->setVisible(top >= 0 && top + kScaleTextHeight <= kGraphHeight);
        dBLabel.add(i, l);
    }
    Label93 = MakeLabel(QString(), Picture3, 0, 0, kDbColumnWidth, kScaleTextHeight);

    // Frequency scale: "20" starts at its line with the unit beside it, "20k"
    // ends at its line, the others are centred on theirs.
    Picture4 = new PictureBox(container);
    Blacken(Picture4);
    SetTwipsGeometry(Picture4, kGraphLeft, kFreqScaleTop, kGraphWidth, kFreqScaleHeight);
    const std::array<std::pair<const char*, double>, 11> marks = {{{"20", 20.0},
                                                                   {"30", 30.0},
                                                                   {"50", 50.0},
                                                                   {"100", 100.0},
                                                                   {"200", 200.0},
                                                                   {"500", 500.0},
                                                                   {"1k", 1000.0},
                                                                   {"2k", 2000.0},
                                                                   {"5k", 5000.0},
                                                                   {"10k", 10000.0},
                                                                   {"20k", 20000.0}}};
    const int top = (kFreqScaleHeight - kScaleTextHeight) / 2;
    for (int i = 0; i < 11; ++i) {
        const auto& [text, hz] = marks[static_cast<std::size_t>(i)];
        const int x = static_cast<int>(std::lround(XOfFrequency(hz)));
        int left = x - kFreqLabelWidth / 2;
        Qt::Alignment align = Qt::AlignHCenter;
        if (i == 0) {
            left = x;
            align = Qt::AlignLeft;
        } else if (i == 10) {
            left = x - kFreqLabelWidth;
            align = Qt::AlignRight;
        }
        Label* l = MakeLabel(QString::fromUtf8(text), Picture4, left, top,
                             i == 0 ? kFreqLabelWidth / 2 : kFreqLabelWidth, kScaleTextHeight);
        l->setAlignment(align | Qt::AlignVCenter);
        FreqScaleLbl.add(i, l);
    }
    Label* hz =
        MakeLabel(QStringLiteral("Hz"), Picture4, Left(FreqScaleLbl(0)) + kFreqLabelWidth / 2, top,
                  kFreqLabelWidth / 2, kScaleTextHeight);
    FreqScaleLbl.add(11, hz);
    for (const auto& [i, l] : FreqScaleLbl.items()) {
        l->setFont(small);
        l->setForeColor(scaleText);
    }
    // The scale column lies over the graph's margin.
    Picture3->raise();
}

void EqDesign::BuildBandButtons(PictureBox* container) {
    for (int k = 0; k < kEqBands; ++k) {
        auto* b = new CommandButton(QStringLiteral("EQ%1").arg(k + 1), container);
        SetTwipsGeometry(b, kControlsLeft + k * kBandButtonPitch, kBandRowTop, kBandButtonWidth,
                         kButtonHeight);
        PEQ_Cmd.add(k, b);
    }
    PEQ_Cmd(0)->setBackColor(vbRed);
    const std::array<std::pair<const char*, int>, 3> operations = {
        {{"Channel Copy", kOperationWidth},
         {"Channel Paste", kOperationWidth},
         {"Flat", kFlatWidth}}};
    int left = kCopyLeft;
    for (int i = 0; i < 3; ++i) {
        const auto& [caption, width] = operations[static_cast<std::size_t>(i)];
        auto* b = new CommandButton(QString::fromUtf8(caption), container);
        SetTwipsGeometry(b, left, kBandRowTop, width, kButtonHeight);
        PEQ_Cmd.add(10 + i, b);
        left += width + 60;
    }
    // Parts the band buttons from the channel operations.
    const int gapMiddle = (Left(PEQ_Cmd(9)) + Width(PEQ_Cmd(9)) + kCopyLeft) / 2;
    Line2 = MakeRule(container, QFrame::VLine, gapMiddle - 15, kBandRowTop, 30, kButtonHeight);
}

void EqDesign::BuildSliderRows(PictureBox* container) {
    struct Row {
        ruqSlider** slider;
        SliderKind kind;
        int arrows;       // MainLeft / MainRight index
        Label** caption;  // none on the Q row
        const char* captionText;
        Label** value;
        const char* valueText;
    };
    const std::array<Row, 4> rows = {{
        {&BandGainSlider, SliderKind::BandGain, 31, &Label16, "Gain", &BandGainLabel, "0.0 (dB)"},
        {&BandFreqSlider, SliderKind::BandFreq, 30, &Label17, "Freq", &BandFreqLabel, "20000(Hz)"},
        {&BandQfactorOctSlider, SliderKind::BandQfactorOct, 0, &Label15, "Q", &BandQfactorLabel,
         "0.3 (Oct)"},
        {&BandQfactorSlider, SliderKind::BandQfactor, 32, nullptr, nullptr, nullptr, nullptr},
    }};
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const Row& row = rows[r];
        const int top = kRowTop + static_cast<int>(r) * kRowPitch;
        if (row.caption != nullptr) {
            *row.caption = MakeLabel(QString::fromUtf8(row.captionText), container, kControlsLeft,
                                     top + kInRow, kCaptionWidth, kRowTextHeight);
            *row.value = MakeLabel(QString::fromUtf8(row.valueText), container, kValueLeft,
                                   top + kInRow, kValueWidth, kRowTextHeight);
        }
        auto* left = new ImageControl(container);
        left->setPicture(w_.LeftGray->Picture());
        SetTwipsGeometry(left, kLeftArrowLeft, top, kArrowWidth, kArrowHeight);
        MainLeft.add(row.arrows, left);

        ruqSlider* slider = CreateMainWindowSlider(row.kind, container);
        slider->setTwipsGeometry(kSliderLeft, top + kInRow, slider->TwipsWidth(),
                                 slider->TwipsHeight());
        *row.slider = slider;

        auto* right = new ImageControl(container);
        right->setPicture(w_.RightGray->Picture());
        SetTwipsGeometry(right, kRightArrowLeft, top, kArrowWidth, kArrowHeight);
        MainRight.add(row.arrows, right);
    }
    // Parts the slider rows from the channel and status controls.
    Line1 = MakeRule(container, QFrame::VLine, kRightAreaLeft - 135, kRowTop, 30,
                     3 * kRowPitch + kArrowHeight);
}

void EqDesign::BuildChannelAndStatus(PictureBox* container) {
    Frame1 = new Frame(QStringLiteral("EQ Channel"), container);
    SetTwipsGeometry(Frame1, kRightAreaLeft, kRowTop, kRightEdge - kRightAreaLeft, kFrameHeight);
    // Widths follow the captions: the radio mark and its gap, then the text.
    const std::array<std::pair<const char*, int>, 8> channels = {{{"FL", 630},
                                                                  {"CEN", 765},
                                                                  {"FR", 660},
                                                                  {"SL", 630},
                                                                  {"SR", 660},
                                                                  {"BSL", 750},
                                                                  {"BSR", 780},
                                                                  {"SW", 720}}};
    int left = 105;
    for (int ch = 0; ch < kEqChannels; ++ch) {
        const auto& [caption, width] = channels[static_cast<std::size_t>(ch)];
        SetTwipsGeometry(Channel_Opt.add(ch, QString::fromUtf8(caption), Frame1), left, kOptionTop,
                         width, kOptionHeight);
        left += width;
    }
    Channel_Opt.select(0);  // design state, before the handler is bound

    Frame2 = new Frame(QStringLiteral("EQ Status"), container);
    SetTwipsGeometry(Frame2, kRightAreaLeft, kStatusTop, kStatusWidth, kFrameHeight);
    SetTwipsGeometry(EQ_Opt.add(0, QStringLiteral("Active"), Frame2), 105, kOptionTop, 1080,
                     kOptionHeight);
    SetTwipsGeometry(EQ_Opt.add(1, QStringLiteral("Bypass"), Frame2), 1200, kOptionTop, 1140,
                     kOptionHeight);
    EQ_Opt.select(0);

    const int presetTop = kStatusTop + 105;
    EQ_Save = new CommandButton(QStringLiteral("EQ Save"), container);
    SetTwipsGeometry(EQ_Save, kPresetLeft, presetTop, kPresetWidth, kPresetHeight);
    auto* recall = new CommandButton(QStringLiteral("EQ Recall"), container);
    SetTwipsGeometry(recall, kPresetLeft + kPresetWidth + 120, presetTop, kPresetWidth,
                     kPresetHeight);
    EQ_Call.add(0, recall);
    // The slot of the last saved preset, under the preset buttons.
    Label1 = MakeLabel(QString(), container, kPresetLeft, presetTop + kPresetHeight + 60,
                       kRightEdge - kPresetLeft, kRowTextHeight);
}

void EqDesign::Bind() {
    connect(BandGainSlider, &ruqSlider::ValueChanged, this,
            [this] { BandGainSlider_ValueChanged(); });
    connect(BandFreqSlider, &ruqSlider::ValueChanged, this,
            [this] { BandFreqSlider_ValueChanged(); });
    connect(BandQfactorOctSlider, &ruqSlider::ValueChanged, this,
            [this] { BandQfactorOctSlider_ValueChanged(); });
    connect(BandQfactorSlider, &ruqSlider::ValueChanged, this,
            [this] { BandQfactorSlider_ValueChanged(); });

    for (const auto& [index, button] : PEQ_Cmd.items()) {
        connect(button, &QPushButton::clicked, this,
                [this, i = index] { DeliverEvent("PEQ_Cmd_Click", [&] { PEQ_Cmd_Click(i); }); });
    }
    Channel_Opt.setHandler(
        [this](int i) { DeliverEvent("Channel_Opt_Click", [&] { Channel_Opt_Click(i); }); });

    using Handler = void (EqDesign::*)(int, std::int16_t, std::int16_t, float, float);
    auto mouse = [this](const ControlArray<ImageControl>& images, Handler down, Handler move,
                        Handler up) {
        for (const auto& [index, image] : images.items()) {
            const int i = index;
            connect(image, &ImageControl::MouseDown, this, [this, i, down](const MouseArgs& a) {
                DeliverEvent("MouseDown", [&] { (this->*down)(i, a.Button, a.Shift, a.X, a.Y); });
            });
            if (move != nullptr) {
                connect(image, &ImageControl::MouseMove, this, [this, i, move](const MouseArgs& a) {
                    DeliverEvent("MouseMove",
                                 [&] { (this->*move)(i, a.Button, a.Shift, a.X, a.Y); });
                });
            }
            connect(image, &ImageControl::MouseUp, this, [this, i, up](const MouseArgs& a) {
                DeliverEvent("MouseUp", [&] { (this->*up)(i, a.Button, a.Shift, a.X, a.Y); });
            });
        }
    };
    mouse(BandMid, &EqDesign::BandMid_MouseDown, &EqDesign::BandMid_MouseMove,
          &EqDesign::BandMid_MouseUp);
    mouse(BandLeft, &EqDesign::BandLeft_MouseDown, &EqDesign::BandLeft_MouseMove,
          &EqDesign::BandLeft_MouseUp);
    mouse(BandRight, &EqDesign::BandRight_MouseDown, &EqDesign::BandRight_MouseMove,
          &EqDesign::BandRight_MouseUp);
    mouse(MainLeft, &EqDesign::MainLeft_MouseDown, nullptr, &EqDesign::MainLeft_MouseUp);
    mouse(MainRight, &EqDesign::MainRight_MouseDown, nullptr, &EqDesign::MainRight_MouseUp);

    EQ_Opt.setHandler([this](int i) { EQ_Opt_Click(i); });
    connect(EQ_Save, &QPushButton::clicked, this, [this] { EQ_Save_Click(); });
    connect(EQ_Call(0), &QPushButton::clicked, this,
            [this] { DeliverEvent("EQ_Call_Click", [&] { EQ_Call_Click(0); }); });
}

}  // namespace calvetta
