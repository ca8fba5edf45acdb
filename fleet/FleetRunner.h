#pragma once
// Programs several radios at once, one safe write (backup, write, verify) per
// port. Every job has its own link (port, reply timer, radio image, password)
// and runs on the user-interface thread beside the others; a failure ends its
// own job only.
// Nothing a job does waits for the user: the batch password is used for every
// radio, a step that got no reply or a bad one is repeated by the link up to
// `retries` times (each phase of the safe write anew), and a radio of
// another band is written only when that was allowed for the batch.
//
// The document written is the program's open document, as it is when start()
// is called; each job writes it from its link's own image, so the document and
// the program's image stay untouched. The radio's information area comes from
// its backup. Each finished job appends a line to the fleet log, whose file
// column names the data file, followed by "(unsaved changes)" when the document
// written is not what that file holds; the hash is of the 7,979 record bytes
// written either way.

#include "fleet/FleetJob.h"
#include "fleet/FleetLog.h"
#include "link/LinkTransfer.h"
#include "safewrite/SafeWrite.h"

#include <QByteArray>
#include <QList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

struct FleetOptions {
    QString password;       // the batch password
    int retries = 3;        // repeats of a step that got no reply or a bad one
    bool otherBand = false; // write a radio whose band differs from the file's
    SafeWriteOptions safeWrite; // backup and verify, both on by default
    QString logPath = FleetLogPath();
};

class FleetRunner {
  public:
    // Makes a link for a port; the default uses the serial port and a Qt timer.
    using LinkFactory = std::function<std::unique_ptr<RadioLink>(const FleetPort&)>;
    explicit FleetRunner(LinkFactory factory = {});
    ~FleetRunner();
    FleetRunner(const FleetRunner&) = delete;
    FleetRunner& operator=(const FleetRunner&) = delete;

    void setOptions(const FleetOptions& options) { options_ = options; }
    const FleetOptions& options() const { return options_; }
    // The radios; only while nothing runs.
    void setPorts(const QList<FleetPort>& ports);

    // Starts every job. The document's bytes and name are taken now. A document
    // without a channel is refused ("Only when it at least has data of one
    // channel, ..." shown): false.
    bool start();
    // Starts one job again (one that is not running); false otherwise. Given
    // options replace the batch's from now on (the log path stays); the
    // document is the one taken at start().
    bool restart(int row, const std::optional<FleetOptions>& options = std::nullopt);
    // Ends every running transfer (the port is closed); each is logged as stopped.
    void stopAll();

    bool running() const;
    int count() const { return static_cast<int>(jobs_.size()); }
    const FleetJob& job(int row) const;
    int succeeded() const;
    // The file column of the log (see above).
    const QString& fileName() const { return fileName_; }
    const QString& fileSha256() const { return fileSha256_; }
    // True once a log line could not be written.
    bool logFailed() const { return logFailed_; }

    // A job's phase, progress or result changed.
    std::function<void(int row)> jobChanged;
    // A job ended (after its log line was written).
    std::function<void(int row)> jobEnded;

  private:
    struct Job;
    class JobUi;
    void takeDocument();
    void begin(int row);
    void enterPhase(int row, SafeWritePhase phase);
    void finish(int row, bool success);
    void log(const FleetJob& job);
    QString connectionFailure(const Job& job) const;

    LinkFactory factory_;
    FleetOptions options_;
    std::vector<std::unique_ptr<Job>> jobs_;
    QString fileName_;
    QString fileSha256_;
    QString fileModel_;
    int fileBand_ = -1;
    RadioImage fileImage_{};
    DocumentRecord fileDocument_;
    bool stopping_ = false;
    bool logFailed_ = false;
};
