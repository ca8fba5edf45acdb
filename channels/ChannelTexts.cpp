#include "channels/ChannelTexts.h"

#include "channels/ChannelTable.h"

const Tr& ChannelCaption() {
    static const Tr caption{QStringLiteral("Channel"), QStringLiteral("信道")};
    return caption;
}

const Tr& ChannelFieldCaption(int field) {
    static const Tr none;
    static const std::array<Tr, 18> captions{{
        {},
        {QStringLiteral("RX Frequency"), QStringLiteral("接收频率")},
        {QStringLiteral("TX Frequency"), QStringLiteral("发射频率")},
        {QStringLiteral("CTCSS/DCS Decode"), QStringLiteral("CTCSS/DCS 解码")},
        {QStringLiteral("CTCSS/DCS Encode"), QStringLiteral("CTCSS/DCS 编码")},
        {QStringLiteral("TX Power"), QStringLiteral("发射功率")},
        {QStringLiteral("Scan Add"), QStringLiteral("扫描添加")},
        {QStringLiteral("Option Signaling"), QStringLiteral("可选信令")},
        {QStringLiteral("PTT ID"), QStringLiteral("PTT ID")},
        {QStringLiteral("Channel Spacing"), QStringLiteral("宽/窄带")},
        {QStringLiteral("SP Unmute"), QStringLiteral("SP不静音")},
        {QStringLiteral("Busy Channel Lock-out"), QStringLiteral("遇忙锁定")},
        {QStringLiteral("Autodial Memory"), QStringLiteral("自动拨号存储器")},
        {},
        {},
        {QStringLiteral("Scan Add"), QStringLiteral("扫描添加")},
        {QStringLiteral("Reverse"), QStringLiteral("倒频")},
        {QStringLiteral("Talk Around"), QStringLiteral("脱网")},
    }};
    if (field < 1 || field >= static_cast<int>(captions.size())) return none;
    return captions[static_cast<std::size_t>(field)];
}

const std::array<Tr, 2>& TxPowerWords() {
    static const std::array<Tr, 2> words{{
        {QStringLiteral("Low"), QStringLiteral("低")},
        {QStringLiteral("High"), QStringLiteral("高")},
    }};
    return words;
}

const std::array<Tr, 2>& ScanAddWords() {
    static const std::array<Tr, 2> words{{
        {QStringLiteral("Del"), QStringLiteral("删除")},
        {QStringLiteral("Add"), QStringLiteral("添加")},
    }};
    return words;
}

const std::array<Tr, 3>& OptSignalWords() {
    static const std::array<Tr, 3> words{{
        {QStringLiteral("None"), QStringLiteral("无")},
        {QStringLiteral("DTMF"), QStringLiteral("DTMF")},
        {QStringLiteral("FleetLink"), QStringLiteral("FleetLink")},
    }};
    return words;
}

const std::array<Tr, 2>& OffOnWords() {
    static const std::array<Tr, 2> words{{
        {QStringLiteral("Off"), QStringLiteral("关")},
        {QStringLiteral("On"), QStringLiteral("开")},
    }};
    return words;
}

const std::array<Tr, 2>& SpacingWords() {
    static const std::array<Tr, 2> words{{
        {QStringLiteral("12.5K(Narrow)"), QStringLiteral("12.5K(窄带)")},
        {QStringLiteral("25K(Wide)"), QStringLiteral("25K(宽带)")},
    }};
    return words;
}

const std::array<Tr, 3>& SpUnmuteWords(bool hasDecodeTone) {
    static const std::array<Tr, 3> carrier{{
        {QStringLiteral("Carrier"), QStringLiteral("BUSY")},
        {QStringLiteral("Carrier + Opt.Sig."), QStringLiteral("载波+可选信令")},
        {QStringLiteral("Carrier or Opt.Sig"), QStringLiteral("载波或可选信令")},
    }};
    static const std::array<Tr, 3> tone{{
        {QStringLiteral("CTCSS/DCS"), QStringLiteral("REPEAT")},
        {QStringLiteral("CTCSS/DCS + Opt.Sig."), QStringLiteral("CTCSS/DCS +可选信令")},
        {QStringLiteral("CTCSS/DCS or Opt.Sig"), QStringLiteral("CTCSS/DCS或可选信令")},
    }};
    return hasDecodeTone ? tone : carrier;
}

const std::array<Tr, 4>& BusyLockoutWords() {
    static const std::array<Tr, 4> words{{
        {QStringLiteral("Off"), QStringLiteral("关")},
        {QStringLiteral("Carrier"), QStringLiteral("载波")},
        {QStringLiteral("Repeater"), QStringLiteral("Repeater")},
        {QStringLiteral("Option Signalling"), QStringLiteral("可选信令")},
    }};
    return words;
}

QStringList TxPowerListWords() {
    return WordsOf(TxPowerWords());
}

QStringList ScanAddListWords() {
    return {ScanAddWords()[1](), ScanAddWords()[0]()};
}

QStringList OptSignalListWords() {
    return WordsOf(OptSignalWords());
}

QStringList OffOnListWords() {
    return WordsOf(OffOnWords());
}

QStringList SpacingListWords() {
    return WordsOf(SpacingWords());
}
