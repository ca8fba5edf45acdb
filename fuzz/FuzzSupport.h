#pragma once
// What every fuzzing harness shares: a program folder of its own (ZR580_HOME in a
// temporary folder on a memory file system when there is one), a fresh program
// state per input, message boxes answered from the input, and a reader that
// hands out the input's bytes.

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// The bytes of one input, taken from the front. An exhausted input gives zeros.
class FuzzInput {
  public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool empty() const { return pos_ >= size_; }
    std::size_t left() const { return size_ - pos_; }
    std::uint8_t byte() { return empty() ? 0 : data_[pos_++]; }
    QByteArray take(std::size_t count) {
        if (count > left()) count = left();
        QByteArray bytes(reinterpret_cast<const char*>(data_ + pos_), static_cast<qsizetype>(count));
        pos_ += count;
        return bytes;
    }
    QByteArray rest() { return take(left()); }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// Once per process: the program folder with the language files and templates of
// the built program folder, and the message-box answerer. Every harness gets it
// from the LLVMFuzzerInitialize of this library.
void InitFuzzProgram();
// Writes a whole file (an input handed to the code under test, or a seed).
void WriteFuzzFile(const QString& path, const QByteArray& bytes);
// The program folder of this process.
QString FuzzFolder();
// Every input starts from a fresh program state with a new document of a band
// (0..2; the template of that band when there is one). The state is built once
// per band and copied in for each input.
void ResetForInput(int band = 2);
// Message boxes answer from this input from now on (cautious answers once it is
// exhausted or when none is set).
void AnswerMessagesFrom(FuzzInput* input);
int MessagesShown();

// A broken promise of the code under test: print and abort so that the fuzzer
// keeps the input.
[[noreturn]] inline void FuzzFailure(const char* what) {
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) FuzzFailure(#condition);                                                 \
    } while (false)
