#include "core/Messages.h"

#include "core/AppState.h"

#include <map>

namespace {
const std::map<Msg, Tr>& Table() {
    static const std::map<Msg, Tr> table{
        {Msg::NeedOneChannel,
         {QStringLiteral("Only when it at least has data of one channel,  can it be writed."),
          QStringLiteral("至少需要存在一个信道数据，才能写入！")}},
        {Msg::AllDataCleared,
         {QStringLiteral("All data will be cleared."), QStringLiteral("所有数据将被清空。")}},
        {Msg::LabelDataFile, {QStringLiteral("Data File"), QStringLiteral("数据文件")}},
        {Msg::FileError, {QStringLiteral("file error."), QStringLiteral("文件错误。")}},
        {Msg::FileVersionError,
         {QStringLiteral("file version error."), QStringLiteral("文件版本错误。")}},
        {Msg::CannotOpenPort,
         {QStringLiteral("Cannot Open Communication Port."), QStringLiteral("无法打开通信端口。")}},
        {Msg::ReadConfirm,
         {QStringLiteral("Read data from radio.\r\nDo you wish continue?"),
          QStringLiteral("从对讲机读取数据。\r\n是否继续？")}},
        {Msg::WriteConfirm,
         {QStringLiteral("Write data to radio.\r\nDo you wish continue?"),
          QStringLiteral("向对讲机写入数据。\r\n是否继续？")}},
        {Msg::SaveModified,
         {QStringLiteral("File has been modify,save it now?"),
          QStringLiteral("当前文件已被修改，是否现在保存？")}},
        {Msg::Overwrite,
         {QStringLiteral("file will be Overwrite,Continue?"),
          QStringLiteral("文件将被覆盖，是否继续？")}},
        {Msg::CheckConnection,
         {QStringLiteral("Check Connection. Retry or Cancel?"),
          QStringLiteral("检测连接。重试或取消？")}},
        {Msg::ReadCompleted,
         {QStringLiteral("Read Data Completed."), QStringLiteral("读取数据完成。")}},
        {Msg::WriteCompleted,
         {QStringLiteral("Write Data Completed."), QStringLiteral("写入数据完成。")}},
        {Msg::ModelWrong,
         {QStringLiteral("Model type is wrong."), QStringLiteral("机型类型错误。")}},
        {Msg::BandDifferent,
         {QStringLiteral("Frequency band is different,Overwrite?"),
          QStringLiteral("与机器频段不同，是否覆盖？")}},
        {Msg::FreqDataCleared,
         {QStringLiteral("Frequency data will be cleared."), QStringLiteral("频率数据将被清除。")}},
        {Msg::CaptionOK, {QStringLiteral("&OK"), QStringLiteral("确定(&O)")}},
        {Msg::CaptionCancel, {QStringLiteral("&Cancel"), QStringLiteral("取消(&C)")}},
        {Msg::TitleWarning, {QStringLiteral("Warning"), QStringLiteral("警告")}},
        {Msg::FreqOutOfRange,
         {QStringLiteral("Frequency is out of range."), QStringLiteral("频率超出范围。")}},
    };
    return table;
}
} // namespace

QString MessageText(Msg entry, int language) {
    const auto it = Table().find(entry);
    if (it == Table().end()) return QString();
    return it->second.in(static_cast<int16>(language));
}

QString MessageText(Msg entry) {
    return MessageText(entry, app().languageIndex);
}
