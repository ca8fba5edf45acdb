#pragma once
// The built-in demonstration radio (--demo): the simulator program on a
// pseudo-terminal, assigned a free COM number and selected as the port. It stops,
// and its number is released, when the program exits; its line lives in the
// program's temporary folder, made only for it.

#include "core/TemporaryFolder.h"

#include <QProcess>
#include <QString>

class DemoRadio {
  public:
    DemoRadio() = default;
    ~DemoRadio();
    DemoRadio(const DemoRadio&) = delete;
    DemoRadio& operator=(const DemoRadio&) = delete;

    // Starts the simulator and assigns it a port number; false (said on stderr) on failure.
    bool start();
    bool running() const { return number_ > 0; }
    // Makes the simulator's number the program's port (after the start-up port check).
    void select();

  private:
    void stop();

    TemporaryFolder folder_;
    QProcess process_;
    int number_ = 0;
};
