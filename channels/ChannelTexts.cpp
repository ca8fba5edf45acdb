#include "channels/ChannelTexts.h"

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
