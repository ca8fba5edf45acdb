#pragma once
// The fixed layout and texts of the channel grid window, shared by the files
// that build the window and that run its editing.

#include "core/AppState.h"

#include <QString>
#include <array>

namespace ChannelGrid {
inline constexpr int kRows = 17;
inline constexpr int kColumns = 11;
inline constexpr int kMoreColumn = 10;
inline constexpr int kHelpContext = 3100;

inline const std::array<int, kColumns> kColumnTwips{500,  1000, 1000, 1500, 1500, 1000,
                                                    1000, 0,    0,    1000, 1000};

inline const std::array<Tr, kColumns> kHeadings{{
    {QStringLiteral("CH"), QStringLiteral("信道")},
    {QStringLiteral("RX Frequency"), QStringLiteral("接收频率")},
    {QStringLiteral("TX FreQuency"), QStringLiteral("发射频率")},
    {QStringLiteral("CTCSS/DCS Decode"), QStringLiteral("解码")},
    {QStringLiteral("CTCSS/DCS Encode"), QStringLiteral("编码")},
    {QStringLiteral("TX Power"), QStringLiteral("发射功率")},
    {QStringLiteral("Scan Add"), QStringLiteral("扫描添加")},
    {QStringLiteral("Opt Signal"), QStringLiteral("可选信令")},
    {QStringLiteral("PTT ID"), QStringLiteral("PTT ID")},
    {QStringLiteral("Channel Spacing"), QStringLiteral("宽/窄带")},
    {QStringLiteral("More"), QStringLiteral("更多")},
}};

inline const Tr kCaption{QStringLiteral("Channel Information[Channel -"),
                         QStringLiteral("信道信息[信道 -")};
inline const Tr kChannelEdit{QStringLiteral("Channel Edit"), QStringLiteral("信道编辑")};
inline const Tr kGroup{QStringLiteral("Group"), QStringLiteral("组")};

inline const QString kMore = QStringLiteral(">>");
} // namespace ChannelGrid
