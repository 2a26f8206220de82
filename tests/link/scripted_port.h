#pragma once
// A port that plays a script: it records what is written and, once a whole request has gone
// out, reports TX empty and delivers the scripted answer chunks after their delays.
#include "link/port_operations.h"
#include "link/transaction_engine.h"

#include <QElapsedTimer>
#include <QTimer>

#include <deque>
#include <vector>

struct ScriptedChunk {
    int delayMs;
    std::vector<std::uint8_t> bytes;
    bool reported = true;   // false: the bytes wait in the port, their report has not come
};

class ScriptedPort : public orv::PortOperations {
public:
    orv::TransactionEngine *engine = nullptr;
    bool active = true;
    bool reportTxEmpty = true;
    bool failWrites = false;
    std::vector<std::uint8_t> written;
    std::vector<std::pair<qint64, bool>> rtsChanges;   // (ns since start, level)
    std::vector<std::vector<ScriptedChunk>> answers;   // one script per request, in order
    int requestsSeen = 0;
    int outputPurges = 0;
    QElapsedTimer clock;

    ScriptedPort() { clock.start(); }

    bool Active() const override { return active; }

    bool WriteOneByte(std::uint8_t byte) override
    {
        if (failWrites)
            throw orv::EVaCommError(QStringLiteral("Write error (5), Input/output error"));
        if (!active)
            return false;
        written.push_back(byte);
        current_.push_back(byte);
        if (current_.size() >= 11 && current_.size() == static_cast<std::size_t>(current_[10]) + 12u)
            FrameComplete();
        return true;
    }

    int ReadBytes(std::uint8_t *buffer, int count) override
    {
        int n = 0;
        while (n < count && !queue_.empty()) {
            buffer[n++] = queue_.front();
            queue_.pop_front();
        }
        return n;
    }
    int InputQueueCount() override { return static_cast<int>(queue_.size()); }
    void PurgeInput() override { queue_.clear(); }
    void PurgeOutput() override { ++outputPurges; }
    void PurgeInputOutput() override
    {
        queue_.clear();
        ++outputPurges;
    }
    void SetRtsLevel(bool high) override { rtsChanges.emplace_back(clock.nsecsElapsed(), high); }
    void SetDtrLevel(bool) override {}

private:
    void FrameComplete()
    {
        current_.clear();
        if (reportTxEmpty)
            QTimer::singleShot(0, [this] { engine->VaComm1OnTxEmpty(); });
        const std::size_t index = static_cast<std::size_t>(requestsSeen++);
        if (index >= answers.size())
            return;
        for (const ScriptedChunk &chunk : answers[index]) {
            QTimer::singleShot(chunk.delayMs, Qt::PreciseTimer, [this, chunk] {
                queue_.insert(queue_.end(), chunk.bytes.begin(), chunk.bytes.end());
                if (chunk.reported)
                    engine->VaComm1RxChar(static_cast<int>(queue_.size()));
            });
        }
    }

    std::vector<std::uint8_t> current_;
    std::deque<std::uint8_t> queue_;
};
