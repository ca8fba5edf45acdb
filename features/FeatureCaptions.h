#pragma once
// The captions of the feature windows in both languages: the window titles and
// the names of their fields, shared by the windows and by whatever names a
// setting outside them (the comparison of two documents).

#include "core/AppState.h"

#include <QString>
#include <array>

// Function Setup.
namespace OptFeatCaptions {
inline const Tr kCaption{QStringLiteral("Function Setup"), QStringLiteral("功能设定")};
inline const std::array<Tr, 5> kLabel1{{
    {QStringLiteral("Time Out Timer(TOT)[s]"), QStringLiteral("超时定时器(TOT)[秒]")},
    {QStringLiteral("TOT Warnig Time[s]"), QStringLiteral("超时定时器预警[秒]")},
    {QStringLiteral("Squelch Level"), QStringLiteral("静噪等级")},
    {QStringLiteral("Mic Sensitivity"), QStringLiteral("麦克风灵敏度")},
    {QStringLiteral("Voice Prompt"), QStringLiteral("提示音")},
}};
inline const std::array<Tr, 6> kCheck1{{
    {QStringLiteral("Battery Save"), QStringLiteral("省电")},
    {QStringLiteral("Beep"), QStringLiteral("哗音")},
    {QStringLiteral("Scrambler Activation"), QStringLiteral("扰频器激活")},
    {QStringLiteral("Scrambler Backup"), QStringLiteral("扰频器备份")},
    {QStringLiteral("Alert Locked"), QStringLiteral("报警锁定")},
    {QStringLiteral("Function Locked"), QStringLiteral("功能锁定")},
}};
inline const std::array<Tr, 4> kLabel2{{
    {QStringLiteral("PTT ID Type"), QStringLiteral("PTT ID类型")},
    {QStringLiteral("PTT ID"), QStringLiteral("PTT ID")},
    {QStringLiteral("Begin of TX"), QStringLiteral("发射开始")},
    {QStringLiteral("End of TX"), QStringLiteral("发射结束")},
}};
inline const std::array<Tr, 4> kCheck2{{
    {QStringLiteral("VOX Function"), QStringLiteral("声控功能")},
    {QStringLiteral("Cancel Operation"), QStringLiteral("取消操作")},
    {QStringLiteral("VOX Proceed Tone"), QStringLiteral("声控可进行音调")},
    {QStringLiteral("Frequency Show"), QStringLiteral("频率显示")},
}};
inline const std::array<Tr, 2> kLabel3{{
    {QStringLiteral("VOX Level"), QStringLiteral("声控等级")},
    {QStringLiteral("VOX Delay Time[s]"), QStringLiteral("声控延时[秒]")},
}};
inline const Tr kCheck3{QStringLiteral("Clone Mode"), QStringLiteral("复制模式")};
inline const Tr kCheck4{QStringLiteral("Eliminate Squelch Tail When No CTCSS/DCS Signaling"),
                        QStringLiteral("无信令时尾音消除")};
inline const Tr kLabel4{QStringLiteral("Call Response"), QStringLiteral("呼叫响应")};
inline const Tr kCheck5{QStringLiteral("Compander"), QStringLiteral("压扩")};
inline const Tr kCheck6{QStringLiteral("Freqency Band Extension"), QStringLiteral("频段扩展")};
inline const Tr kFrame1{QStringLiteral("PTT ID"), QStringLiteral("PTT ID")};
inline const Tr kFrame2{QStringLiteral("VOX Setting"), QStringLiteral("声控设置")};
inline const Tr kFrame3{QStringLiteral("Mode"), QStringLiteral("模式")};
inline const Tr kFrame4{QStringLiteral("Call"), QStringLiteral("Call")};

} // namespace OptFeatCaptions

// Key Setting.
namespace KeyCaptions {
inline const Tr kCaption{QStringLiteral("Key Setting"), QStringLiteral("键设定")};
inline const std::array<QString, 4> kKeyLabels{QStringLiteral("PF1"), QStringLiteral("PF2"),
                                               QStringLiteral("PF1_1s"), QStringLiteral("PF2_1s")};
} // namespace KeyCaptions

// Scan Information.
namespace ScanCaptions {
inline const Tr kCaption{QStringLiteral("Scan Information"), QStringLiteral("扫描信息")};
inline const Tr kPriority{QStringLiteral("Priority"), QStringLiteral("优先")};
inline const Tr kPriorityChannel{QStringLiteral("Priority Channel"), QStringLiteral("优先信道")};
inline const Tr kLookBackA{QStringLiteral("Look Back Time A[s]"), QStringLiteral("回扫时间A[秒]")};
inline const Tr kLookBackB{QStringLiteral("Look Back Time B[s]"), QStringLiteral("回扫时间B[秒]")};
inline const Tr kRevertChannel{QStringLiteral("Revert Channel"), QStringLiteral("返回信道")};
inline const Tr kDropoutDelay{QStringLiteral("Dropout Delay Time[s]"),
                              QStringLiteral("扫描接收恢复延迟时间[秒]")};
inline const Tr kTxDwell{QStringLiteral("TX Dwell Time[s]"),
                         QStringLiteral("扫描发射恢复延迟时间[秒]")};

} // namespace ScanCaptions

// Embedded message.
namespace MessageCaptions {
inline const Tr kCaption{QStringLiteral("Embedded Message"), QStringLiteral("嵌入信息")};
} // namespace MessageCaptions
