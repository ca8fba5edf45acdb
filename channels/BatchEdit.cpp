#include "channels/BatchEdit.h"

#include "channels/ChannelTable.h"
#include "codec/Frequency.h"
#include "codec/Tone.h"
#include "core/AppState.h"
#include "core/DataFile.h"
#include "core/DocumentEdits.h"
#include "core/Hooks.h"
#include "core/ProgramFolder.h"
#include "core/SettingsBytes.h"

#include <QFile>
#include <QLocale>
#include <QRandomGenerator>
#include <cmath>

namespace {
const QString kFlagFile = QStringLiteral("BatchFun.ini");

// Check2(i) -> flag byte; -1 where the box sets none.
constexpr std::array<int, kFunctionCheckCount> kCheckFlag{
    0, 1, 2, 3, -1, -1, 4, 5, 6, 7, 8, 9, 11, 10, 13, 14, 15, 16, 17, 18, 19, 12};

bool toNumber(const QString& text, double* value) {
    bool ok = false;
    const double v = QLocale::c().toDouble(text.trimmed(), &ok);
    if (ok && std::isfinite(v)) {
        *value = v;
        return true;
    }
    return false;
}

double numberOr0(const QString& text) {
    double v = 0;
    return toNumber(text, &v) ? v : 0;
}

double sign(StepDirection direction) {
    return direction == StepDirection::Increment ? 1.0 : -1.0;
}

// Megahertz of a working-form frequency; false when there is none.
bool megahertzOf(const FixedText<8>& working, double* mhz) {
    return toNumber(FreDataToShow(QString::fromLatin1(working.trimmedValue())), mhz);
}

// A tone list position moved by k steps and wrapped into the list.
int steppedPosition(int start, double step, int k, StepDirection direction, int size) {
    const double moved = start + sign(direction) * step * k;
    if (!std::isfinite(moved) || std::fabs(moved) > 1e9) return start;
    long long position = std::llround(std::nearbyint(moved));
    position %= size;
    if (position < 0) position += size;
    return static_cast<int>(position);
}

int randomPosition(const RandomSource& random, int size) {
    const double r = random ? random() : QRandomGenerator::global()->generateDouble();
    return std::clamp(static_cast<int>(r * size), 0, size - 1);
}

void setTone(FixedText<4>& tone, int position) {
    const QStringList& list = ToneList();
    tone.assign(ShowToToneData(list[position]).toLatin1());
}

bool enabled(const BatchFlags& flags, BatchFunction function) {
    return flags[static_cast<std::size_t>(function)] == 1;
}
} // namespace

BatchFlags DefaultBatchFlags() {
    BatchFlags flags{};
    for (int function : {BatchRx, BatchTx, BatchDecode, BatchEncode, BatchPower, BatchSpacing,
                         BatchLockout, BatchScanAdd, BatchTalkAround, BatchReverse})
        flags[static_cast<std::size_t>(function)] = 1;
    return flags;
}

BatchFlags& batchFlags() {
    static BatchFlags flags = DefaultBatchFlags();
    return flags;
}

void LoadBatchFunctionFlags() {
    BatchFlags& flags = batchFlags();
    flags = DefaultBatchFlags();
    const QString path = UserPath(kFlagFile);
    QFile file(path);
    if (!file.exists()) {
        SaveBatchFunctionFlags();
        return;
    }
    if (!file.open(QIODevice::ReadOnly)) return;
    const QByteArray bytes = file.read(kBatchFlagCount);
    if (bytes.size() != kBatchFlagCount) return;
    for (int i = 0; i < kBatchFlagCount; ++i)
        flags[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(bytes[i]);
}

bool SaveBatchFunctionFlags() {
    const BatchFlags& flags = batchFlags();
    const QByteArray bytes(reinterpret_cast<const char*>(flags.data()), kBatchFlagCount);
    return WriteFileSafely(UserPath(kFlagFile), bytes);
}

bool StoreBatchFunctionFlag(int flag, bool offered) {
    if (flag < 0 || flag >= kBatchFlagCount) return false;
    BatchFlags& flags = batchFlags();
    const QByteArray known(reinterpret_cast<const char*>(flags.data()), kBatchFlagCount);
    flags[static_cast<std::size_t>(flag)] = offered ? 1 : 0;
    const QByteArray mine(reinterpret_cast<const char*>(flags.data()), kBatchFlagCount);
    return WriteChangedSettings(UserPath(kFlagFile), mine, known, 1);
}

int FlagByteOfCheck(int checkIndex) {
    if (checkIndex < 0 || checkIndex >= kFunctionCheckCount) return -1;
    return kCheckFlag[static_cast<std::size_t>(checkIndex)];
}

QString RangeBoxValue(const QString& text) {
    double v = 0;
    if (!toNumber(text, &v)) return QStringLiteral("1");
    const double whole = std::trunc(v);
    return QString::number(static_cast<int>(std::clamp(whole, 1.0, 128.0)));
}

QString FrequencyBoxValue(const QString& text, int kind) {
    return FormatInputFre(text, kind, false);
}

QString PlainNumberBoxValue(const QString& text) {
    double v = 0;
    if (!toNumber(text, &v)) return QStringLiteral("0");
    return QString::number(v, 'g', 15);
}

QString NumberBoxValue(const QString& text) {
    double v = 0;
    return toNumber(text, &v) ? text : QStringLiteral("0");
}

BatchResult ApplyBatch(BatchRequest& request, const BatchFlags& flags, const RandomSource& random) {
    const DocumentEdit edit; // every channel of the range, one change
    BatchResult result;
    // 1. The range, in ascending order.
    if (request.allChannels) {
        result.from = 1;
        result.to = kMaxChannels;
    } else {
        request.fromText = RangeBoxValue(request.fromText);
        request.toText = RangeBoxValue(request.toText);
        result.from = request.fromText.toInt();
        result.to = request.toText.toInt();
        if (result.from > result.to) std::swap(result.from, result.to);
    }

    // 2. The value boxes of the enabled functions.
    if (enabled(flags, BatchRx)) {
        request.rxStart = FrequencyBoxValue(request.rxStart, RxFreq);
        request.rxStep = PlainNumberBoxValue(request.rxStep);
    }
    if (enabled(flags, BatchTx)) {
        request.txOffset = PlainNumberBoxValue(request.txOffset);
        request.txStart = FrequencyBoxValue(request.txStart, TxFreq);
        request.txStep = PlainNumberBoxValue(request.txStep);
    }
    if (enabled(flags, BatchDecode)) request.decodeStep = NumberBoxValue(request.decodeStep);
    if (enabled(flags, BatchEncode)) request.encodeStep = NumberBoxValue(request.encodeStep);

    DocumentRecord& doc = app().document;
    // 3. Channels outside the range.
    if (request.deleteOutside) {
        for (int i = doc.channelCount - 1; i >= 0; --i) {
            const int number = doc.channels[static_cast<std::size_t>(i)].number;
            if (number < result.from || number > result.to) DeleteChannelData(i);
        }
    }

    const int toneCount = static_cast<int>(ToneList().size());
    const double rxStart = numberOr0(request.rxStart);
    const double rxStep = numberOr0(request.rxStep);
    const double txOffset = numberOr0(request.txOffset);
    const double txStart = numberOr0(request.txStart);
    const double txStep = numberOr0(request.txStep);
    const double decodeStep = numberOr0(request.decodeStep);
    const double encodeStep = numberOr0(request.encodeStep);
    const int decodeStart = std::clamp(request.decodePosition, 0, toneCount - 1);
    const int encodeStart = std::clamp(request.encodePosition, 0, toneCount - 1);

    // 4. Every channel of the range.
    for (int n = result.from; n <= result.to; ++n) {
        const int k = n - result.from;
        int position = FindChannelEntry(n);
        if (enabled(flags, BatchRx)) {
            const double f =
                LimitFre(rxStart + sign(request.rxDirection) * rxStep * k * 0.001, RxFreq);
            const QString display = FormatMHz(f);
            if (position < 0)
                position = AddChannelByNumber(n, display);
            else
                SaveChannelField(doc.channels[static_cast<std::size_t>(position)], FieldRxFreq,
                                 display);
        }
        if (position < 0) continue;
        ChannelEntry& entry = doc.channels[static_cast<std::size_t>(position)];

        if (enabled(flags, BatchTx)) {
            double tx = txStart;
            double rx = 0;
            const bool hasRx = megahertzOf(entry.rxFreq, &rx);
            switch (request.txMode) {
            case TxMode::SameAsRx:
                tx = rx;
                break;
            case TxMode::Offset:
                tx = request.txSplit == TxSplit::Plus    ? rx + txOffset
                     : request.txSplit == TxSplit::Minus ? rx - txOffset
                                                         : rx;
                tx = FormatMHz(tx).toDouble();
                break;
            case TxMode::Start:
                tx = txStart + sign(request.txDirection) * txStep * k * 0.001;
                break;
            }
            // A copied receive frequency is limited too: receive may reach above
            // the transmit band.
            if (request.txMode == TxMode::Start || hasRx)
                SaveChannelField(entry, FieldTxFreq, FormatMHz(LimitFre(tx, TxFreq)));
        }
        if (enabled(flags, BatchDecode)) {
            const int p = request.decodeRandom
                              ? randomPosition(random, toneCount)
                              : steppedPosition(decodeStart, decodeStep, k, request.decodeDirection,
                                                toneCount);
            setTone(entry.decodeTone, p);
        }
        if (enabled(flags, BatchEncode)) {
            if (request.encodeCopyDecode) {
                entry.encodeTone = entry.decodeTone;
            } else {
                const int p = request.encodeRandom
                                  ? randomPosition(random, toneCount)
                                  : steppedPosition(encodeStart, encodeStep, k,
                                                    request.encodeDirection, toneCount);
                setTone(entry.encodeTone, p);
            }
        }
        if (enabled(flags, BatchPower)) entry.txPower = static_cast<int16>(request.powerPosition);
        if (enabled(flags, BatchSpacing))
            entry.spacing = static_cast<int16>(request.spacingPosition);
        if (enabled(flags, BatchScanAdd)) entry.scanAdd = request.scanAdd ? 1 : 0;
        if (enabled(flags, BatchTalkAround)) entry.talkAround = request.talkAround ? 1 : 0;
        if (enabled(flags, BatchReverse)) entry.reverse = request.reverse ? 1 : 0;
        if (enabled(flags, BatchLockout)) {
            entry.busyLockout = static_cast<int16>(request.lockoutPosition);
            const FixedText<4>& tone = entry.reverse == 1 ? entry.encodeTone : entry.decodeTone;
            if (entry.busyLockout == 2 && tone.trimmedValue() == kNoTone.toLatin1())
                entry.busyLockout = 1;
        }
    }

    for (int n = result.from; n <= result.to; ++n)
        if (FindChannelEntry(n) >= 0) ++result.channelsSet;

    // 5. The open windows redisplay; the priority channels follow the new table.
    if (hooks().channelsChanged) hooks().channelsChanged();
    CheckGroupScanCh();
    return result;
}
