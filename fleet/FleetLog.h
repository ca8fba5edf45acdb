#pragma once
// The fleet log: one line per radio programmed, desktop or command line, in
// "fleet-log.csv" beside the backups. Each line is appended and flushed to disk
// on its own, so a crash loses nothing already logged. The first line of a new
// log names the columns.

#include <QByteArray>
#include <QDateTime>
#include <QString>

struct FleetLogEntry {
    QDateTime time;
    QString port;
    QString model;        // from the radio's identification
    QString band;         // band text of the radio's band index
    QString serialNumber; // from the radio-information area, where read
    QString dealerCode;
    QString fileName;     // the data file written
    QString fileSha256;   // of its 7,979 bytes, hexadecimal
    QString backupPath;
    bool ok = false;
    QString detail; // the failure in words
};

// DataPath("backups/fleet-log.csv").
QString FleetLogPath();
// The column names, as the log's first line.
QString FleetLogHeader();
// One CSV line (without its line end); fields holding a comma, a quote or a
// line break are quoted.
QString FleetLogLine(const FleetLogEntry& entry);
// Appends the line (and the header first when the file is new); false when the
// folder cannot be made or the line cannot be written and flushed in full.
bool AppendFleetLog(const QString& path, const FleetLogEntry& entry);

// SHA-256 of the bytes, lower-case hexadecimal.
QString Sha256Hex(const QByteArray& bytes);
