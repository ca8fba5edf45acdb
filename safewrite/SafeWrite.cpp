#include "safewrite/SafeWrite.h"

#include "core/Ansi.h"
#include "core/Messages.h"
#include "link/ImageConversion.h"
#include "link/LinkTransfer.h"
#include "safewrite/Backup.h"
#include "safewrite/SafeWriteTexts.h"

#include <QDateTime>
#include <QDir>
#include <algorithm>
#include <cmath>

namespace {
// The opening of a read or write (handshake, identification, password block and
// the ACKs around them) and its end ("E" and its ACK), then each block's exchange.
constexpr int kReadOpening = 7 + 1 + 1 + 14 + 2 + 4 + 68 + 2 + 2; // 101
constexpr int kReadBlock = 4 + 68 + 1 + 1;
constexpr int kWriteOpening = 7 + 1 + 1 + 14 + 2 + 4 + 20 + 2 + 2; // 53
constexpr int kWriteBlock = 20 + 1;

int readBlocks(int end) {
    return (end + 63) / 64;
}

QString nativePath(const QString& path) {
    return QDir::toNativeSeparators(path);
}

WrittenDifferenceNamer& differenceNamer() {
    static WrittenDifferenceNamer namer;
    return namer;
}

// What a check found, in the windows' words when the program can name it: the
// first differences by channel and field, then how many more.
QString namedDifferences(const DocumentRecord& written, const RadioImage& sent,
                         const RadioImage& readBack) {
    if (!differenceNamer()) return {};
    RadioImage radio = sent;
    for (int a = 0; a < kWrittenEnd; ++a)
        if (IsCheckedAddress(a)) radio[a] = readBack[a];
    const QList<QStringList> names = differenceNamer()(written, sent, radio);
    if (names.isEmpty()) return QLatin1Char('\n') + SafeWriteText("NothingNamed");
    QString text = QLatin1Char('\n') + SafeWriteText("DifferencesNamed");
    for (qsizetype i = 0; i < names.size() && i < kListedDifferences; ++i) {
        const QStringList& n = names.at(i);
        text += QLatin1Char('\n') +
                SafeWriteText("DifferenceLine").arg(n.value(0), n.value(1), n.value(2));
    }
    if (names.size() > kListedDifferences)
        text += QLatin1Char('\n') + SafeWriteText("MoreDifferences").arg(names.size() - kListedDifferences);
    return text;
}
} // namespace

void SetWrittenDifferenceNamer(WrittenDifferenceNamer namer) {
    differenceNamer() = std::move(namer);
}

int PhaseLineBytes(SafeWritePhase phase) {
    switch (phase) {
    case SafeWritePhase::Backup:
        return kReadOpening + 2 * kReadBlock * readBlocks(kImageSize);
    case SafeWritePhase::Write:
        return kWriteOpening + kWriteBlock * (kWrittenEnd / 16);
    case SafeWritePhase::Verify:
        return kReadOpening + kReadBlock * readBlocks(kWrittenEnd);
    }
    return 0;
}

// What each phase's transfer shows goes to the caller's interface, but as one
// progress window for the whole sequence: opened once, its bar moved by the
// bytes of every phase, closed at the end.
class SafeWrite::PhaseUi : public LinkUi {
  public:
    explicit PhaseUi(SafeWrite& owner) : owner_(owner) {}

    void begin(const SafeWriteOptions& options) {
        opened_ = false;
        shown_ = 0;
        total_ = PhaseLineBytes(SafeWritePhase::Write);
        if (options.backup) total_ += PhaseLineBytes(SafeWritePhase::Backup);
        if (options.verify) total_ += PhaseLineBytes(SafeWritePhase::Verify);
    }
    // The bytes of the phases before this one.
    void enter(SafeWritePhase phase) {
        if (phase == SafeWritePhase::Write && owner_.options_.backup)
            before_ = PhaseLineBytes(SafeWritePhase::Backup);
        else if (phase == SafeWritePhase::Verify)
            before_ = total_ - PhaseLineBytes(SafeWritePhase::Verify);
        else
            before_ = 0;
        bytes_ = PhaseLineBytes(phase);
    }

    bool confirm(const QString& text) override { return ui().confirm(text); }
    bool askRetry(const QString& text) override { return ui().askRetry(text); }
    void showMessage(const QString& text, MsgIcon icon) override { ui().showMessage(text, icon); }
    std::optional<QString> askPassword(const QString& held) override {
        return ui().askPassword(held);
    }
    bool checkModelAndBand(const QString& radioModel, int radioBand) override {
        return ui().checkModelAndBand(radioModel, radioBand);
    }
    void progressOpened(LinkOperation) override {
        if (opened_) return;
        opened_ = true;
        ui().progressOpened(LinkOperation::Write);
    }
    // A phase starts or restarts: the bar goes back to where the phase began.
    void progressReset() override {
        const int start = overall(0);
        if (!opened_ || start < shown_) {
            ui().progressReset();
            shown_ = 0;
        }
        progressValue(0);
    }
    void progressValue(int percent) override {
        const int value = overall(percent);
        if (value <= shown_) return;
        shown_ = value;
        ui().progressValue(value);
    }
    void progressClosed() override {} // the sequence closes it at its end
    void transferEnded(LinkOperation, bool success) override { owner_.phaseEnded(success); }

  private:
    LinkUi& ui() { return *owner_.ui_; }
    int overall(int percent) const {
        return static_cast<int>(
            std::nearbyint((before_ + bytes_ * percent / 100.0) * 100.0 / total_));
    }

    SafeWrite& owner_;
    bool opened_ = false;
    int shown_ = 0;
    int total_ = 1;
    int before_ = 0;
    int bytes_ = 0;
};

SafeWrite::SafeWrite(RadioLink& link) : link_(link), phaseUi_(std::make_unique<PhaseUi>(*this)) {}

SafeWrite::~SafeWrite() = default;

bool SafeWrite::start(LinkUi& ui, const RadioImage& image, const DocumentRecord& backupBase,
                      const SafeWriteOptions& options) {
    if (running_ || link_.running()) return false;
    ui_ = &ui;
    options_ = options;
    if (options_.backupFolder.isEmpty()) options_.backupFolder = DefaultBackupFolder();
    image_ = image;
    backupBase_ = backupBase;
    result_ = {};
    rereadBlocks_.clear();
    rewrites_ = 0;
    phaseUi_->begin(options_);
    // A backup that could not be kept must not be found out after the radio was read.
    if (options_.backup && !PrepareBackupFolder(options_.backupFolder)) {
        ui.showMessage(SafeWriteText("BackupFolderFailed").arg(nativePath(options_.backupFolder)),
                       MsgIcon::Error);
        return false;
    }
    running_ = true;
    if (startPhase(options_.backup ? SafeWritePhase::Backup : SafeWritePhase::Write)) return true;
    running_ = false; // the link said why
    return false;
}

bool SafeWrite::startPhase(SafeWritePhase phase) {
    phase_ = phase;
    phaseUi_->enter(phase);
    if (onPhase) onPhase(phase);
    switch (phase) {
    case SafeWritePhase::Backup:
        return link_.startReadImage(*phaseUi_, kImageSize, false, true);
    case SafeWritePhase::Write:
        return link_.startWriteImage(*phaseUi_, image_);
    case SafeWritePhase::Verify:
        if (!rereadBlocks_.isEmpty()) return link_.startReadBlocks(*phaseUi_, rereadBlocks_);
        return link_.startReadImage(*phaseUi_, kWrittenEnd);
    }
    return false;
}

namespace {
// Where the radio's previous memory is kept, as a line to add to a failure.
QString backupNoteOf(const SafeWriteResult& result) {
    return result.backupPath.isEmpty()
               ? QString()
               : QLatin1Char('\n') + SafeWriteText("BackupAt").arg(nativePath(result.backupPath));
}

// A write that succeeded says what was done besides writing.
QString completedText(const SafeWriteResult& result) {
    QString completed = MessageText(Msg::WriteCompleted);
    if (!result.backupPath.isEmpty())
        completed += QLatin1Char('\n') + SafeWriteText("BackedUpTo").arg(nativePath(result.backupPath));
    return completed;
}
} // namespace

void SafeWrite::phaseEnded(bool success) {
    const QString backupNote = backupNoteOf(result_);
    const QString completed = completedText(result_);
    switch (phase_) {
    case SafeWritePhase::Backup:
        if (success)
            afterBackup();
        else
            finish(false, SafeWriteText("BackupReadFailed"));
        return;
    case SafeWritePhase::Write:
        if (!success) {
            // Blocks may have been stored before it stopped: say where the old data is.
            finish(false,
                   backupNote.isEmpty() ? QString() : SafeWriteText("WriteFailed") + backupNote);
            return;
        }
        sent_ = link_.image();
        rereadBlocks_.clear();
        if (!options_.verify)
            finish(true, completed);
        else if (!startPhase(SafeWritePhase::Verify))
            finish(false, SafeWriteText("VerifyReadFailed") + backupNote);
        return;
    case SafeWritePhase::Verify:
        if (!success) {
            finish(false, SafeWriteText("VerifyReadFailed") + backupNote);
            return;
        }
        afterVerify();
        return;
    }
}

void SafeWrite::afterVerify() {
    const QString backupNote = backupNoteOf(result_);
    const RadioImage& read = link_.image();
    if (rereadBlocks_.isEmpty()) {
        readBack_ = read;
    } else {
        for (const int block : rereadBlocks_)
            std::copy(read.begin() + block, read.begin() + std::min(block + 64, kImageSize),
                      readBack_.begin() + block);
    }
    result_.difference = CompareWritten(sent_, readBack_);
    if (result_.difference.same()) {
        finish(true, completedText(result_) + QLatin1Char('\n') + SafeWriteText("Checked"));
        return;
    }
    const bool reread = !rereadBlocks_.isEmpty();
    if (!reread) {
        // Read the differing blocks again before taking the difference for real.
        rereadBlocks_ = DifferingBlocks(sent_, readBack_);
        if (!startPhase(SafeWritePhase::Verify))
            finish(false, SafeWriteText("VerifyReadFailed") + backupNote);
        return;
    }
    if (rewrites_ < kRewrites) {
        // The radio holds other bytes: the write and its read-back run once more.
        ++rewrites_;
        rereadBlocks_.clear();
        if (!startPhase(SafeWritePhase::Write))
            finish(false, SafeWriteText("WriteFailed") + backupNote);
        return;
    }
    finish(false, SafeWriteText("VerifyMismatch")
                          .arg(result_.difference.count)
                          .arg(DifferenceAddresses(result_.difference)) +
                      namedDifferences(backupBase_, sent_, readBack_) + backupNote);
}

void SafeWrite::afterBackup() {
    const LinkTransfer& t = link_.transfer();
    const RadioImage& memory = link_.image();
    // The radio's own identification names it; its memory when that never came.
    const ModelRecord stored = ImageToModel(memory);
    const QString model =
        t.radioModel.isEmpty() ? FromAnsi(stored.modelName.value()) : t.radioModel;
    const int band = t.radioBand >= 0 ? t.radioBand : stored.bandIndex;
    result_.backupPath = StoreBackup(options_.backupFolder, memory, backupBase_, model, band,
                                     QDateTime::currentDateTime(), options_.writeFile);
    if (result_.backupPath.isEmpty()) {
        finish(false, SafeWriteText("BackupStoreFailed").arg(nativePath(options_.backupFolder)));
        return;
    }
    if (!startPhase(SafeWritePhase::Write)) finish(false);
}

void SafeWrite::finish(bool success, const QString& message) {
    running_ = false;
    result_.success = success;
    LinkUi& ui = *ui_;
    ui.progressClosed();
    if (!message.isEmpty()) ui.showMessage(message, success ? MsgIcon::None : MsgIcon::Error);
    ui.transferEnded(LinkOperation::Write, success);
}
