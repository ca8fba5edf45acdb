#pragma once
// What is known of the cable on a port beyond what the system lists: whether a
// transfer found that it echoes what is sent, and a USB adapter's latency timer
// (how long it holds received bytes before passing them on).

#include <QString>

// The link notes what each transfer found out; the COM port window shows it.
void NoteCableEcho(const QString& device, bool echoes);
// Nothing known yet: -1; else 0 or 1.
int CableEchoes(const QString& device);

// The latency timer in milliseconds of the USB serial adapter behind a device
// (/sys/bus/usb-serial/devices/<tty>/latency_timer); -1 when it has none.
int UsbLatencyTimer(const QString& device);
// Tests point the system folder elsewhere; empty restores "/sys".
void SetSysfsRoot(const QString& root);

// The details lines of a port: "echoing cable" when one was found, and the
// latency timer with, when it stays above 1 ms, the hint that sets it. Empty
// texts for what is not known.
QString CableEchoText(const QString& device);
QString LatencyText(const QString& device);
QString LatencyHint(const QString& device);
