#include "TestSupport.h"

#include "core/AppState.h"
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

QString BuiltProgramFolder() {
    return QStringLiteral(ZR580_BIN_DIR);
}

namespace {
void copyTree(const QString& from, const QString& to) {
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QFileInfo info(source);
        if (info.isExecutable()) continue; // programs stay where they were built
        const QString target = to + source.mid(from.size());
        QDir().mkpath(QFileInfo(target).absolutePath());
        QFile::copy(source, target);
    }
}
} // namespace

void ProgramTest::SetUp() {
    ASSERT_TRUE(folder_.isValid());
    copyTree(BuiltProgramFolder(), folder_.path());
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
