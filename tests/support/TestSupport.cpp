#include "TestSupport.h"

#include "core/AppState.h"
#include "core/Document.h"
#include "core/Hooks.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

ScriptedMessages::ScriptedMessages() {
    previous_ = SetMessageHandler([this](const MessageRequest& request) {
        shown_.append(request);
        if (!answers_.isEmpty()) return answers_.takeFirst();
        return CautiousAnswer(request);
    });
}

ScriptedMessages::~ScriptedMessages() {
    SetMessageHandler(previous_);
}

QStringList ScriptedMessages::texts() const {
    QStringList result;
    for (const auto& r : shown_)
        result.append(r.text);
    return result;
}

ChannelEntry& AppendTestChannel(DocumentRecord& doc, int number, const char* rx, const char* tx) {
    ChannelEntry& e = doc.channels[static_cast<std::size_t>(doc.channelCount++)];
    e = ChannelEntry{};
    e.number = static_cast<int16>(number);
    e.inUse = 1;
    e.rxFreq.assign(rx);
    e.txFreq.assign(tx);
    e.txEntryFlag = QByteArray(tx) == "FFFFFFFF" ? 1 : 0;
    e.decodeTone.assign("FFFF");
    e.encodeTone.assign("FFFF");
    return e;
}

QByteArray ReadFileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteFileBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(f.write(bytes), bytes.size());
}

QString BuiltProgramFolder() {
    return QStringLiteral(ZR580_BIN_DIR);
}

namespace {
void copyTree(const QString& from, const QString& to) {
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + source.mid(from.size());
        QDir().mkpath(QFileInfo(target).absolutePath());
        QFile::copy(source, target);
    }
}
} // namespace

void LayOutShippedFiles(const QString& folder) {
    copyTree(QStringLiteral(ZR580_SOURCE_DIR "/data/language"), folder + QStringLiteral("/language"));
    copyTree(QStringLiteral(ZR580_SOURCE_DIR "/data/help"), folder);
    const QStringList built = QStringLiteral(ZR580_SHIPPED_BUILT).split(u',', Qt::SkipEmptyParts);
    for (const QString& relative : built) {
        const QString target = QDir(folder).filePath(relative);
        QDir().mkpath(QFileInfo(target).absolutePath());
        QFile::copy(QDir(BuiltProgramFolder()).filePath(relative), target);
    }
}

void ProgramTest::SetUp() {
    ASSERT_TRUE(folder_.isValid());
    LayOutShippedFiles(folder_.path());
    qputenv("ZR580_HOME", folder_.path().toLocal8Bit());
    // The user's program settings (window position) stay inside the test's folder.
    const QString settings = QDir(folder_.path()).filePath(QStringLiteral("settings"));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings);
    resetAppState();
    hooks() = ProgramHooks{};
}

void ProgramTest::TearDown() {
    qunsetenv("ZR580_HOME");
}

QString ProgramTest::path(const QString& relative) const {
    return QDir(folder_.path()).filePath(relative);
}
