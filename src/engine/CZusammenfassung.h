#pragma once

#include <QtGlobal>

#include <mutex>

struct CProgressData;

// The totals of a run, fed by every worker with its job's counters when the job ends.
class CZusammenfassung {
public:
    struct Totals {
        qint32 Errors = 0;
        qint32 Files = 0;
        qint32 FilesCopied = 0;
        qint32 UncompressedFiles = 0;
        qint64 Bytes = 0;
        qint64 BytesCopied = 0;
        qint64 CompressedBytes = 0;
        qint32 SkippedFiles = 0;
        qint32 SkippedDirectories = 0;
        qint32 Directories = 0;
        qint32 DirectoriesCreated = 0;
    };

    void Reset();
    // Adds a worker's counters under the summary lock.
    void Accumulate(const CProgressData &record);
    Totals Snapshot() const;

private:
    mutable std::mutex m_lock;
    Totals m_totals;
};
