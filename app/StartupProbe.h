#pragma once
// Start-up measurement for scripts/bench-startup.sh. When ZR580_STARTUP_PROBE
// holds the CLOCK_MONOTONIC time (nanoseconds) at which the process was
// started, the first time the window is shown on screen (its first expose,
// painted and flushed) prints the milliseconds since then, the CPU time the
// process used and its resident memory to standard error, and ends the
// process at once. Unset: nothing.
// Qt only, so that the benchmark's bare window uses the same measurement.

class QWidget;

void InstallStartupProbe(QWidget* window);
