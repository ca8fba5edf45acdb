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
    QString fileName;     // the data file written, with UnsavedChangesMark() when it
                          // is not what was written
    QString fileSha256;   // of the 7,979 record bytes written, hexadecimal
    QString backupPath;
    bool ok = false;
    QString detail; // the failure in words
};

// "(unsaved changes)": after the file name in the log when the document written
// differs from the file.
QString UnsavedChangesMark();
// DataPath("backups/fleet-log.csv").
QString FleetLogPath();
// The column names, as the log's first line.
QString FleetLogHeader();
// One CSV line (without its line end): every field through CsvCell, so a text
// from a radio (serial number, dealer code) is never run as a formula.
QString FleetLogLine(const FleetLogEntry& entry);
// Appends the line (and the header first when the file is new); false when the
// folder cannot be made or the line cannot be written and flushed in full.
bool AppendFleetLog(const QString& path, const FleetLogEntry& entry);

// SHA-256 of the bytes, lower-case hexadecimal.
QString Sha256Hex(const QByteArray& bytes);
