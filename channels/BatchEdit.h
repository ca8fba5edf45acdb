#pragma once
// Batch channel edit: the function flags kept in "BatchFun.ini" (which functions
// the batch window offers), the rules of its range and value boxes, and the
// operation that applies the enabled functions to a range of channels.

#include <QString>
#include <array>
#include <cstdint>
#include <functional>

constexpr int kBatchFlagCount = 20;
using BatchFlags = std::array<std::uint8_t, kBatchFlagCount>;

// Flag bytes of the functions that the batch applies.
enum BatchFunction {
    BatchRx = 0,
    BatchTx = 1,
    BatchDecode = 2,
    BatchEncode = 3,
    BatchPower = 4,
    BatchSpacing = 7,
    BatchLockout = 8,
    BatchScanAdd = 13,
    BatchTalkAround = 16,
    BatchReverse = 17,
};

BatchFlags DefaultBatchFlags();
// The program-wide flags (the defaults until LoadBatchFunctionFlags ran).
BatchFlags& batchFlags();
// Reads "BatchFun.ini" from the program folder. A missing file is created with the
// defaults; an unreadable or short one leaves the defaults in force.
void LoadBatchFunctionFlags();
// Writes the 20 bytes; false when the file could not be written.
bool SaveBatchFunctionFlags();
// One function check box changed: sets its flag byte and writes that byte alone
// into "BatchFun.ini", keeping the other bytes as the file has them.
bool StoreBatchFunctionFlag(int flag, bool offered);

// The function check boxes Check2(0..21) and the flag byte each one sets; -1 for
// the boxes that set none.
constexpr int kFunctionCheckCount = 22;
int FlagByteOfCheck(int checkIndex);

// Box rules. Range ends: a whole number 1..128 ("1" for anything not a number).
QString RangeBoxValue(const QString& text);
// Frequency boxes: numeric, limited to the band quietly, "000.00000".
QString FrequencyBoxValue(const QString& text, int kind);
// Step and offset boxes: a number as its plain text, anything else "0".
QString PlainNumberBoxValue(const QString& text);
// Tone step boxes: a number stays as typed, anything else "0".
QString NumberBoxValue(const QString& text);

enum class StepDirection { Increment, Decrement };
enum class TxMode { SameAsRx, Offset, Start };
enum class TxSplit { Plus, Minus, None };

struct BatchRequest {
    bool allChannels = true;
    QString fromText = QStringLiteral("1");
    QString toText = QStringLiteral("1");
    bool deleteOutside = false;

    QString rxStart;                      // MHz
    QString rxStep = QStringLiteral("0"); // kHz
    StepDirection rxDirection = StepDirection::Increment;

    TxMode txMode = TxMode::SameAsRx;
    TxSplit txSplit = TxSplit::Plus;
    QString txOffset = QStringLiteral("0.00000"); // MHz
    QString txStart;                              // MHz
    QString txStep = QStringLiteral("0");         // kHz
    StepDirection txDirection = StepDirection::Increment;

    int decodePosition = 0; // in the tone list
    bool decodeRandom = false;
    QString decodeStep = QStringLiteral("0");
    StepDirection decodeDirection = StepDirection::Increment;

    int encodePosition = 0;
    bool encodeCopyDecode = false;
    bool encodeRandom = false;
    QString encodeStep = QStringLiteral("0");
    StepDirection encodeDirection = StepDirection::Increment;

    int powerPosition = 0;   // 0 Low, 1 High
    int spacingPosition = 0; // 0 12.5 kHz, 1 25 kHz
    int lockoutPosition = 0; // 0 Off, 1 Carrier, 2 Repeater, 3 Option Signalling
    bool scanAdd = false;
    bool talkAround = false;
    bool reverse = false;
};

struct BatchResult {
    int from = 1;
    int to = 128;
    int channelsSet = 0; // channels of the range that exist after the apply
};

// A number in [0, 1) for the random tone choices.
using RandomSource = std::function<double()>;

// Validates the value boxes of the enabled functions (the request then holds the
// validated texts), deletes the channels outside the range when asked, applies
// the enabled functions to every channel of the range, then lets the open channel
// windows redisplay and revalidates the per-group priority channels.
BatchResult ApplyBatch(BatchRequest& request, const BatchFlags& flags,
                       const RandomSource& random = {});
