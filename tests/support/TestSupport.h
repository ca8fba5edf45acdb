#pragma once
// Shared test support: a temporary program folder per test (ZR580_HOME) with the
// shipped data files copied in, a fresh program state, and a
// scripted message-box answerer that records every box shown.

#include "core/MessageBox.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <ostream>

class ScriptedMessages {
  public:
    ScriptedMessages();
    ~ScriptedMessages();
    // Answers given in order; when they run out, the cautious default is used.
    void answer(MsgAnswer next) { answers_.append(next); }
    const QList<MessageRequest>& shown() const { return shown_; }
    QStringList texts() const;
    void clear() { shown_.clear(); }

  private:
    QList<MessageRequest> shown_;
    QList<MsgAnswer> answers_;
    MessageHandler previous_;
};

// Base fixture: its own program folder and a reset program state.
class ProgramTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    QString path(const QString& relative) const;

    QTemporaryDir folder_;
    ScriptedMessages messages_;
};

// Appends a channel entry with the given working-form frequencies, no tones and
// zero elsewhere; the TX-entry flag follows whether a TX frequency is given.
struct ChannelEntry;
struct DocumentRecord;
ChannelEntry& AppendTestChannel(DocumentRecord& doc, int number, const char* rx = "44000000",
                                const char* tx = "44500000");

// A file's bytes (empty when it cannot be read), and a file written whole.
QByteArray ReadFileBytes(const QString& path);
void WriteFileBytes(const QString& path, const QByteArray& bytes);

// The built program folder (executables and data files).
QString BuiltProgramFolder();
// Lays out the shipped files of a program folder (templates, language files and
// help books as shipped, dec.tbl), never what a run of the program left in the
// built folder (backups, logs, settings).
void LayOutShippedFiles(const QString& folder);

// Readable failure output for Qt texts.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QStringList& l, std::ostream* os) {
    *os << '{' << l.join(QStringLiteral("|")).toStdString() << '}';
}
inline void PrintTo(const QByteArray& b, std::ostream* os) {
    *os << "hex:" << b.toHex(' ').toStdString();
}
