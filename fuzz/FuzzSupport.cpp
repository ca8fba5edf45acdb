#include "FuzzSupport.h"

#include "core/AppState.h"
#include "core/Band.h"
#include "core/DocumentOps.h"
#include "core/Hooks.h"
#include "core/MessageBox.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <array>
#include <optional>

namespace {
FuzzInput* answers = nullptr;
int shown = 0;

QTemporaryDir& folder() {
    // A memory file system keeps the file round trips of the harnesses cheap.
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                 ? QStringLiteral("/dev/shm/zr580-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/zr580-fuzz-XXXXXX"));
    return dir;
}
} // namespace

void InitFuzzProgram() {
    if (!folder().isValid()) FuzzFailure("no temporary program folder");
    const QDir dir(folder().path());
    for (const QString& sub : {QStringLiteral("language"), QStringLiteral("Init")}) {
        dir.mkpath(sub);
        const QDir from(QStringLiteral(ZR580_FUZZ_PROGRAM_DIR "/") + sub);
        for (const QString& name : from.entryList(QDir::Files))
            QFile::copy(from.filePath(name), dir.filePath(sub + u'/' + name));
    }
    qputenv("ZR580_HOME", folder().path().toLocal8Bit());
    SetMessageHandler([](const MessageRequest& request) {
        ++shown;
        if (!answers || answers->empty()) return CautiousAnswer(request);
        switch (answers->byte() % 4) {
        case 0:
            return MsgAnswer::Ok;
        case 1:
            return MsgAnswer::Cancel;
        case 2:
            return MsgAnswer::Yes;
        default:
            return MsgAnswer::No;
        }
    });
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    InitFuzzProgram();
    return 0;
}

void WriteFuzzFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        FuzzFailure("cannot write a file");
}

QString FuzzFolder() {
    return folder().path();
}

void ResetForInput(int band) {
    hooks() = ProgramHooks{};
    answers = nullptr;
    shown = 0;
    // The program state after File New is the same for every input of a band:
    // it is built once (template file and all) and copied in for each input.
    static std::array<std::optional<AppState>, 3> prepared;
    std::optional<AppState>& fresh = prepared.at(static_cast<std::size_t>(band));
    if (!fresh) {
        resetAppState();
        app().bandText = BandTextOf(static_cast<int16>(band));
        SetBandLimits();
        InitNewDocument();
        if (shown != 0) FuzzFailure("a new document asks something");
        fresh = app();
    }
    app() = *fresh;
}

void AnswerMessagesFrom(FuzzInput* input) {
    answers = input;
}

int MessagesShown() {
    return shown;
}
