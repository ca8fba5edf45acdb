#pragma once
// Several radios at once in-process: each port is a fake port with its own
// simulated radio and fake clock (see LinkRig.h). The drive hands one reply
// to every link in turn, so the transfers interleave frame by frame; a reply
// timer fires only when no reply is in transit anywhere.

#include "../link/LinkRig.h"
#include "fleet/FleetRunner.h"

#include <QFile>
#include <vector>

class FleetRig {
  public:
    explicit FleetRig(int radios) : states(static_cast<std::size_t>(radios)) {
        for (int i = 0; i < radios; ++i)
            ports.append({QStringLiteral("COM%1").arg(i + 1), QStringLiteral("/dev/sim%1").arg(i)});
        runner = std::make_unique<FleetRunner>([this](const FleetPort& port) {
            const int i = static_cast<int>(ports.indexOf(port));
            auto p = std::make_unique<FakePort>(states[static_cast<std::size_t>(i)]);
            auto t = std::make_unique<FakeTimer>(states[static_cast<std::size_t>(i)]);
            fakePorts[i] = p.get();
            fakeTimers[i] = t.get();
            return std::make_unique<RadioLink>(std::move(p), std::move(t));
        });
        fakePorts.resize(radios);
        fakeTimers.resize(radios);
    }
    // Makes the jobs (after the ports were renamed or the radios set up).
    void setPorts() { runner->setPorts(ports); }

    // Runs until no job runs, or for at most `events` events; false when it
    // stopped with nothing pending (a hang).
    bool drive(int events = 1000000) {
        for (int n = 0; n < events && runner->running(); ++n) {
            bool delivered = false;
            for (FakePort* p : fakePorts)
                delivered = p->deliver() || delivered;
            if (delivered) continue;
            bool fired = false;
            for (FakeTimer* t : fakeTimers)
                if (!fired) fired = t->expire();
            if (!fired) return false;
        }
        return true;
    }

    QByteArray wire(int radio, bool fromPc) const {
        QByteArray all;
        for (const WireFrame& f : states[static_cast<std::size_t>(radio)].wire)
            if (f.fromPc == fromPc) all += f.bytes;
        return all;
    }

    std::vector<RigState> states;
    QList<FleetPort> ports;
    QList<FakePort*> fakePorts;
    QList<FakeTimer*> fakeTimers;
    std::unique_ptr<FleetRunner> runner;
};

// The fleet log as fields: a small CSV reader (quoted fields, doubled quotes).
inline QList<QStringList> ReadCsv(const QString& path) {
    QFile file(path);
    QList<QStringList> rows;
    if (!file.open(QIODevice::ReadOnly)) return rows;
    const QString text = QString::fromUtf8(file.readAll());
    QStringList row;
    QString field;
    bool quoted = false;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
                field += u'"';
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            row.append(field);
            field.clear();
        } else if (c == u'\n') {
            row.append(field);
            field.clear();
            rows.append(row);
            row.clear();
        } else {
            field += c;
        }
    }
    return rows;
}
