#pragma once
// The dealer and service information a radio carries (image 0xA80..0xB6F),
// as shown by the radio-information window. Texts are held already converted
// from the ANSI code page.

#include <QString>

struct RadioInfoRecord {
    int flags = 0;           // byte 0xA80
    QString modelText;       // up to 5 characters
    int bandIndex = 0;       // byte 0xA86; outside 0..2 shows no band
    QString areaCode;        // 4
    QString serialNumber;    // 16
    QString productionDate;  // 16
    QString productionBatch; // 8
    QString customerCode;    // 4
    QString repairDate;      // 16
    QString dealerCode;      // 16
    QString stockDate;       // 16
    QString saleDate;        // 16
    QString seller;          // 16
    QString repairReason;    // 96
    QString versionText = QStringLiteral("V1.00");
    bool operator==(const RadioInfoRecord&) const = default;
};
