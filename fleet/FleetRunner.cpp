#include "fleet/FleetRunner.h"

#include "core/AppState.h"
#include "core/Band.h"
#include "core/DataFile.h"
#include "core/MessageBox.h"
#include "core/Messages.h"
#include "link/ImageConversion.h"
#include "link/RadioInfoImage.h"
#include "link/SerialLinkPort.h"

#include <QFile>
#include <QFileInfo>

struct FleetRunner::Job {
    FleetJob state;
    std::unique_ptr<RadioLink> link;
    std::unique_ptr<SafeWrite> sequence;
    std::unique_ptr<JobUi> ui;
    FleetOptions options; // as the job was started with
};

// What a job's transfer would show the user, answered at once and kept on the
// job: nothing here opens a window or waits.
class FleetRunner::JobUi : public LinkUi {
  public:
    JobUi(FleetRunner& runner, int row) : runner_(runner), row_(row) {}

    bool confirm(const QString&) override { return true; } // Start was the confirmation

    // The link has repeated the step as often as the batch allows.
    bool askRetry(const QString&) override {
        fail(runner_.connectionFailure(job()));
        return false;
    }

    void showMessage(const QString& text, MsgIcon) override {
        if (text != MessageText(Msg::WriteCompleted)) fail(text);
    }

    // A radio whose password differs from the batch password fails.
    std::optional<QString> askPassword(const QString&) override { return std::nullopt; }

    bool checkModelAndBand(const QString& radioModel, int radioBand) override {
        FleetJob& s = job().state;
        s.radioModel = radioModel;
        s.radioBand = radioBand;
        changed();
        if (radioModel != runner_.fileModel_) {
            fail(MessageText(Msg::ModelWrong));
            return false;
        }
        if (radioBand != runner_.fileBand_ && !job().options.otherBand) {
            fail(FleetText("OtherBandFailure"));
            return false;
        }
        return true;
    }

    void progressReset() override { setPercent(0); }
    void progressValue(int percent) override { setPercent(percent); }
    void transferEnded(LinkOperation, bool success) override { runner_.finish(row_, success); }

  private:
    Job& job() { return *runner_.jobs_[static_cast<std::size_t>(row_)]; }
    void changed() {
        if (runner_.jobChanged) runner_.jobChanged(row_);
    }
    void setPercent(int percent) {
        job().state.percent = percent;
        changed();
    }
    // The first reason given is the one kept, on one line; a stopped job was stopped.
    void fail(const QString& text) {
        QString& failure = job().state.failure;
        if (runner_.stopping_)
            failure = FleetText("Stopped");
        else if (failure.isEmpty())
            failure = QString(text).replace(u'\n', u' ');
    }

    FleetRunner& runner_;
    int row_;
};

FleetRunner::FleetRunner(LinkFactory factory) : factory_(std::move(factory)) {
    if (!factory_)
        factory_ = [](const FleetPort&) {
            return std::make_unique<RadioLink>(std::make_unique<SerialLinkPort>(),
                                               std::make_unique<QtReplyTimer>());
        };
}

FleetRunner::~FleetRunner() {
    jobChanged = nullptr;
    jobEnded = nullptr;
    stopAll();
}

void FleetRunner::setPorts(const QList<FleetPort>& ports) {
    if (running()) return;
    jobs_.clear();
    for (const FleetPort& port : ports) {
        auto job = std::make_unique<Job>();
        job->state.port = port;
        job->link = factory_(port);
        job->link->setPortDevice(port.device);
        job->sequence = std::make_unique<SafeWrite>(*job->link);
        job->ui = std::make_unique<JobUi>(*this, static_cast<int>(jobs_.size()));
        jobs_.push_back(std::move(job));
    }
}

// True when the data file at `path` (and its side file) holds exactly this
// document, so that the file's name says what is written.
bool FileHolds(const QString& path, const QByteArray& record, const SideValues& side) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() != record.size()) return false;
    return file.readAll() == record && ReadSideValues(path, SideValues{}) == side;
}

void FleetRunner::takeDocument() {
    const AppState& s = app();
    const QFileInfo file(s.documentName);
    const QByteArray record = SerializeDocument(s.document);
    fileName_ = file.exists() ? file.absoluteFilePath() : s.documentName;
    if (s.isNewDocument || !FileHolds(s.documentName, record, s.sideValues))
        fileName_ += QLatin1Char(' ') + UnsavedChangesMark();
    fileSha256_ = Sha256Hex(record);
    fileModel_ = s.currentModel.trimmed();
    fileBand_ = BandIndexOf(s.bandText);
    fileImage_ = OpenDocumentImage();
    fileDocument_ = s.document;
}

bool FleetRunner::start() {
    if (running()) return false;
    if (app().document.channelCount <= 0) {
        ShowMessage(MessageText(Msg::NeedOneChannel));
        return false;
    }
    takeDocument();
    for (int row = 0; row < count(); ++row)
        begin(row);
    return true;
}

bool FleetRunner::restart(int row, const std::optional<FleetOptions>& options) {
    if (row < 0 || row >= count() || jobs_[static_cast<std::size_t>(row)]->state.running())
        return false;
    if (fileSha256_.isEmpty()) takeDocument();
    if (options) {
        // The log stays the batch's; password, retries and band rule are the new ones.
        const QString logPath = options_.logPath;
        options_ = *options;
        options_.logPath = logPath;
    }
    begin(row);
    return true;
}

void FleetRunner::begin(int row) {
    Job& j = *jobs_[static_cast<std::size_t>(row)];
    const FleetPort port = j.state.port;
    j.state = FleetJob{};
    j.state.port = port;
    j.state.phase = FleetPhase::Write;
    j.options = options_;
    j.link->setStepRetries(j.options.retries);
    j.link->setPassword(j.options.password);
    j.sequence->onPhase = [this, row](SafeWritePhase phase) { enterPhase(row, phase); };
    if (jobChanged) jobChanged(row);
    // A sequence that does not start (the port cannot be opened, the backup
    // folder is not writable) has said why and ends here.
    if (!j.sequence->start(*j.ui, fileImage_, fileDocument_, j.options.safeWrite))
        finish(row, false);
}

void FleetRunner::enterPhase(int row, SafeWritePhase phase) {
    Job& j = *jobs_[static_cast<std::size_t>(row)];
    switch (phase) {
    case SafeWritePhase::Backup:
        j.state.phase = FleetPhase::Backup;
        break;
    case SafeWritePhase::Write:
        j.state.phase = FleetPhase::Write;
        // The backup holds the radio's whole memory, its information area too.
        if (!j.sequence->result().backupPath.isEmpty()) {
            j.state.backupPath = j.sequence->result().backupPath;
            RadioInfoRecord info;
            ImageToRadioInfo(j.link->image(), info);
            j.state.info = info;
        }
        break;
    case SafeWritePhase::Verify:
        j.state.phase = FleetPhase::Verify;
        break;
    }
    if (jobChanged) jobChanged(row);
}

void FleetRunner::finish(int row, bool success) {
    Job& j = *jobs_[static_cast<std::size_t>(row)];
    FleetJob& s = j.state;
    // The identification came even when the transfer failed after it.
    if (s.radioModel.isEmpty() && !j.link->transfer().radioModel.isEmpty()) {
        s.radioModel = j.link->transfer().radioModel;
        s.radioBand = j.link->transfer().radioBand;
    }
    if (s.backupPath.isEmpty()) s.backupPath = j.sequence->result().backupPath;
    if (!success && s.failure.isEmpty())
        s.failure = stopping_ ? FleetText("Stopped") : connectionFailure(j);
    if (success) s.failure.clear();
    s.phase = success ? FleetPhase::Done : FleetPhase::Failed;
    if (success) s.percent = 100;
    s.ended = QDateTime::currentDateTime();
    log(s);
    if (jobChanged) jobChanged(row);
    if (jobEnded) jobEnded(row);
}

// A radio that never answered: a cable that gave back only its own echo says so.
QString FleetRunner::connectionFailure(const Job& job) const {
    return FleetText(job.link->onlyEcho() ? "EchoOnly" : "ConnectionFailed");
}

void FleetRunner::log(const FleetJob& job) {
    FleetLogEntry e;
    e.time = job.ended;
    e.port = job.port.name;
    e.model = job.radioModel;
    if (job.radioBand >= 0 && job.radioBand < BandTexts().size())
        e.band = BandTexts().at(job.radioBand);
    else if (job.radioBand >= 0)
        e.band = QString::number(job.radioBand);
    if (job.info) {
        e.serialNumber = job.info->serialNumber;
        e.dealerCode = job.info->dealerCode;
    }
    e.fileName = fileName_;
    e.fileSha256 = fileSha256_;
    e.backupPath = job.backupPath;
    e.ok = job.phase == FleetPhase::Done;
    e.detail = job.failure;
    if (!AppendFleetLog(options_.logPath, e)) logFailed_ = true;
}

void FleetRunner::stopAll() {
    stopping_ = true;
    for (auto& j : jobs_)
        if (j->link->running()) j->link->EndTransfer(false);
    stopping_ = false;
}

bool FleetRunner::running() const {
    for (const auto& j : jobs_)
        if (j->state.running()) return true;
    return false;
}

const FleetJob& FleetRunner::job(int row) const {
    return jobs_[static_cast<std::size_t>(row)]->state;
}

int FleetRunner::succeeded() const {
    int n = 0;
    for (const auto& j : jobs_)
        if (j->state.phase == FleetPhase::Done) ++n;
    return n;
}
