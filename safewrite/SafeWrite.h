#pragma once
// The safe write: a backup of the radio's memory before the write, the write,
// and a read-back check after it, run on one link as three transfers under one
// progress (by bytes on the wire). Each phase has the password, the retry prompt
// and the failure messages of a read or write; a retry restarts the failed phase
// only, and each phase has the link's step retries anew. "Write Data Completed."
// comes only when every phase asked for succeeded.
//
// The backup is a checked read (every block read until two reads agree): it is
// what the user falls back on. A read-back that differs first reads the
// differing blocks again (a difference that does not repeat was noise on the
// line); when the radio really holds other bytes, the write and its read-back
// run again, up to kRewrites times, before the failure is reported.
//
// It works on the RadioLink it is given and on the image it is given, so several
// sequences can run side by side, each on its own link. Beyond the link it reads
// only the held password and the model and band check of a write.

#include "core/Document.h"
#include "link/LinkUi.h"
#include "safewrite/Backup.h"
#include "safewrite/ImageCompare.h"

#include <QString>
#include <functional>
#include <memory>

class RadioLink;

enum class SafeWritePhase { Backup, Write, Verify };

struct SafeWriteOptions {
    bool backup = true;
    bool verify = true;
    QString backupFolder;   // empty: DefaultBackupFolder()
    BackupWriter writeFile; // how the backup's files are written; empty: WriteFileSafely
};

struct SafeWriteResult {
    bool success = false;
    QString backupPath;         // the backup's data file; empty without a backup
    ImageDifference difference; // of the read-back check
};

constexpr int kRewrites = 2;

// Names what differs between the memory written and the memory read back, in
// the words of the editor windows: per difference its place and field, the value
// written and the value the radio holds. `written` is the document the image was
// made from; `radio` holds what was sent wherever a write's check does not look.
// The program sets it (from its compare engine); without it a failed check
// names addresses only.
using WrittenDifferenceNamer = std::function<QList<QStringList>(
    const DocumentRecord& written, const RadioImage& sent, const RadioImage& radio)>;
void SetWrittenDifferenceNamer(WrittenDifferenceNamer namer);

// Bytes on the wire of each phase (requests and replies); the backup's are
// those of its checked read.
int PhaseLineBytes(SafeWritePhase phase);

class SafeWrite {
  public:
    explicit SafeWrite(RadioLink& link);
    ~SafeWrite();
    SafeWrite(const SafeWrite&) = delete;
    SafeWrite& operator=(const SafeWrite&) = delete;

    // Called as each phase starts (before its transfer opens).
    std::function<void(SafeWritePhase)> onPhase;

    // Writes bytes 0x000-0xA5F of `image`. The backup's data file starts from
    // `backupBase` for what a radio does not hold. The caller asked the
    // confirmation. The backup folder is proved writable before the radio is
    // touched. Returns false when nothing started (the message was shown);
    // otherwise the end comes through ui.transferEnded(Write, success) and
    // result() tells the details. `ui` must outlive the sequence.
    bool start(LinkUi& ui, const RadioImage& image, const DocumentRecord& backupBase,
               const SafeWriteOptions& options);
    bool running() const { return running_; }
    const SafeWriteResult& result() const { return result_; }

  private:
    class PhaseUi;
    bool startPhase(SafeWritePhase phase);
    void phaseEnded(bool success);
    void afterBackup();
    void afterVerify();
    void finish(bool success, const QString& message = {});

    RadioLink& link_;
    std::unique_ptr<PhaseUi> phaseUi_;
    LinkUi* ui_ = nullptr;
    SafeWriteOptions options_;
    RadioImage image_{};
    RadioImage sent_{};
    DocumentRecord backupBase_;
    SafeWritePhase phase_ = SafeWritePhase::Write;
    SafeWriteResult result_;
    RadioImage readBack_{};
    QList<int> rereadBlocks_; // the verify phase reads only these again
    int rewrites_ = 0;
    bool running_ = false;
};
