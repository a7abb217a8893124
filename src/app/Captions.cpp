// The caption table of the two languages.

#include "app/Captions.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>

#include "app/PrivateDesign.h"
#include "eq/EqDesign.h"
#include "settings/MainPanel.h"
#include "settings/SetupPage.h"

namespace calvetta {

namespace {

using W = PrivateDesign;

// A single control of the window.
template <auto Member>
QWidget* One(W& w) {
    return w.*Member;
}
// Element I of a control array or option group of the window.
template <auto Array, int I>
QWidget* At(W& w) {
    return (w.*Array)(I);
}
// The same on the Main Panel page,
template <auto Member>
QWidget* MainOne(W& w) {
    return w.Main().*Member;
}
template <auto Array, int I>
QWidget* MainAt(W& w) {
    return (w.Main().*Array)(I);
}
// on the Setup page,
template <auto Member>
QWidget* SetupOne(W& w) {
    return w.Setup().*Member;
}
template <auto Array, int I>
QWidget* SetupAt(W& w) {
    return (w.Setup().*Array)(I);
}
// and on the EQ Design page.
template <auto Member>
QWidget* EqOne(W& w) {
    return w.Eq().*Member;
}
template <auto Array, int I>
QWidget* EqAt(W& w) {
    return (w.Eq().*Array)(I);
}

const std::vector<CaptionRow> kCaptions = {
    {{At<&W::Menu_Cmd, 0>}, "主界面", "Main Panel"},
    {{At<&W::Menu_Cmd, 1>}, "EQ设计", "EQ Design"},
    {{At<&W::Menu_Cmd, 2>}, "设置", "Setup"},
    {{At<&W::Menu_Cmd, 3>}, "系统复位", "System Reset"},
    {{At<&W::Menu_Cmd, 7>}, "7.1模式", "7.1 Mode"},
    {{At<&W::Menu_Cmd, 8>}, "5.1模式", "5.1 Mode"},
    {{At<&W::Menu_Cmd, 9>}, "2.1模式", "2.1 Mode"},
    {{MainAt<&MainPanel::Label2, 5>}, "音源选择", "Source Select"},
    {{MainAt<&MainPanel::Label2, 6>}, "音频格式", "Audio Format"},
    {{At<&W::Label2, 8>}, "从机器读取信息……", "Reading from the machine……"},
    {{MainOne<&MainPanel::Label72>}, "音量", "Volume"},
    {{One<&W::ConnectCmd>}, "连接", "Connect"},
    {{MainOne<&MainPanel::MuteCheck>}, "静音", "Mute"},
    {{SetupAt<&SetupPage::Command2, 0>}, "上", "UP"},
    {{SetupAt<&SetupPage::Command2, 1>}, "左", "LEFT"},
    {{SetupAt<&SetupPage::Command2, 2>}, "确认", "ENTER"},
    {{SetupAt<&SetupPage::Command2, 3>}, "右", "RIGHT"},
    {{SetupAt<&SetupPage::Command2, 4>}, "下", "DOWN"},
    {{MainOne<&MainPanel::Frame8>, MainOne<&MainPanel::Frame9>, MainOne<&MainPanel::Frame10>,
      MainOne<&MainPanel::Frame11>, MainOne<&MainPanel::Frame12>, MainOne<&MainPanel::Frame13>,
      MainOne<&MainPanel::Frame14>, MainOne<&MainPanel::Frame15>},
     "相位",
     "Phase"},
    {{SetupAt<&SetupPage::Label2, 19>}, "转角频率", "Cut Off"},
    {{SetupAt<&SetupPage::Frame3, 0>, SetupAt<&SetupPage::Frame3, 1>,
      SetupAt<&SetupPage::Frame3, 2>, SetupAt<&SetupPage::Frame3, 3>},
     "喇叭配置",
     "Speaker Config"},
    {{SetupAt<&SetupPage::SPKLR_Opt, 0>}, "大喇叭", "Large"},
    {{SetupAt<&SetupPage::SPKLR_Opt, 1>}, "小喇叭", "Small"},
    {{SetupAt<&SetupPage::SPKSLSR_Opt, 0>}, "大喇叭", "Large"},
    {{SetupAt<&SetupPage::SPKSLSR_Opt, 1>}, "小喇叭", "Small"},
    {{SetupAt<&SetupPage::SPKSLSR_Opt, 2>}, "关闭", "Off"},
    {{SetupAt<&SetupPage::SPKBSLSR_Opt, 0>}, "大喇叭", "Large"},
    {{SetupAt<&SetupPage::SPKBSLSR_Opt, 1>}, "小喇叭", "Small"},
    {{SetupAt<&SetupPage::SPKBSLSR_Opt, 2>}, "关闭", "Off"},
    {{SetupAt<&SetupPage::SPKC_Opt, 0>}, "大喇叭", "Large"},
    {{SetupAt<&SetupPage::SPKC_Opt, 1>}, "小喇叭", "Small"},
    {{SetupAt<&SetupPage::SPKC_Opt, 2>}, "关闭", "Off"},
    {{SetupOne<&SetupPage::Frame7>}, "超重低音", "Sub Woofer"},
    {{SetupAt<&SetupPage::Sub_Opt, 1>}, "开", "On"},
    {{SetupAt<&SetupPage::Sub_Opt, 0>}, "关", "Off"},
    {{SetupOne<&SetupPage::Frame6>}, "动态", "Dynamic"},
    {{SetupAt<&SetupPage::Dynamic_Opt, 0>}, "自动", "Auto"},
    {{SetupAt<&SetupPage::Dynamic_Opt, 1>}, "关闭", "Off"},
    {{SetupAt<&SetupPage::Dynamic_Opt, 2>}, "开启", "On"},
    {{SetupOne<&SetupPage::Frame5>}, "自定义测试", "Manual Test"},
    {{SetupOne<&SetupPage::Frame4>}, "测试", "Testtone"},
    {{SetupAt<&SetupPage::Test_Opt, 0>}, "测试关闭", "Testtone Off"},
    {{SetupAt<&SetupPage::Test_Opt, 1>}, "自动测试", "Auto Testtone"},
    {{SetupAt<&SetupPage::Test_Opt, 2>}, "手动测试", "Manual"},
    {{EqOne<&EqDesign::Label15>}, "Q值", "Q"},
    {{EqOne<&EqDesign::Label16>}, "增益", "Gain"},
    {{EqOne<&EqDesign::Label17>}, "频率", "Freq"},
    {{EqOne<&EqDesign::Frame1>}, "EQ通道", "EQ Channel"},
    {{EqAt<&EqDesign::PEQ_Cmd, 10>}, "通道复制", "Channel Copy"},
    {{EqAt<&EqDesign::PEQ_Cmd, 11>}, "通道粘贴", "Channel Paste"},
    {{EqAt<&EqDesign::PEQ_Cmd, 12>}, "平直", "Flat"},
    {{EqOne<&EqDesign::EQ_Save>}, "EQ保存", "EQ Save"},
    {{EqAt<&EqDesign::EQ_Call, 0>}, "EQ调用", "EQ Recall"},
    {{EqOne<&EqDesign::Frame2>}, "EQ状态", "EQ Stateic"},
    {{EqAt<&EqDesign::EQ_Opt, 0>}, "激活", "Active"},
    {{EqAt<&EqDesign::EQ_Opt, 1>}, "直通", "Bypass"},
};

}  // namespace

const std::vector<CaptionRow>& CaptionTable() {
    return kCaptions;
}

void ApplyCaptions(PrivateDesign& w, bool chinese) {
    for (const CaptionRow& row : kCaptions) {
        const QString caption = QString::fromUtf8(chinese ? row.chinese : row.english);
        for (CaptionTarget target : row.controls)
            SetCaption(target(w), caption);
    }
}

QString CaptionOf(const QWidget* control) {
    if (const auto* button = qobject_cast<const QAbstractButton*>(control)) return button->text();
    if (const auto* label = qobject_cast<const QLabel*>(control)) return label->text();
    if (const auto* frame = qobject_cast<const QGroupBox*>(control)) return frame->title();
    return {};
}

void SetCaption(QWidget* control, const QString& caption) {
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        button->setText(caption);
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setText(caption);
    } else if (auto* frame = qobject_cast<QGroupBox*>(control)) {
        frame->setTitle(caption);
    }
}

}  // namespace calvetta
