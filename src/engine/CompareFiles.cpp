#include "engine/CompareFiles.h"

#include "engine/CUtil.h"
#include "engine/FileProgress.h"
#include "engine/JobContext.h"
#include "engine/RecordPathText.h"
#include "engine/TextFormat.h"
#include "engine/TimeFormat.h"
#include "platform/FileHandle.h"

#include <cstring>
#include <memory>

namespace {

constexpr quint64 kCompareStartMask = UPD_PCT2_FILE | UPD_BAR2_FILE | UPD_BAR2_RESET | UPD_COUNT_FILE_OF
                                      | UPD_TARGET | UPD_SOURCE | UPD_ACT_COMPARE;
constexpr qint64 kMinBlockBytes = 64 * 1024;
constexpr qint64 kMaxBlockBytes = 4 * 1024 * 1024;

// One block more than a small file needs, so that its end is seen in the first read.
qint64 BlockBytesFor(qint64 expectedSize)
{
    return qBound(kMinBlockBytes, expectedSize + 1, kMaxBlockBytes);
}

// Fills the buffer unless the file ends first; the count read, or -1.
qint64 ReadBlock(platform::FileHandle &file, char *buffer, qint64 size)
{
    qint64 filled = 0;
    while (filled < size) {
        const qint64 got = file.Read(buffer + filled, size - filled);
        if (got < 0)
            return -1;
        if (got == 0)
            break;
        filled += got;
    }
    return filled;
}

bool SystemFailure(JobContext &job)
{
    job.Record.MessageText
        = FormatText(QStringLiteral("%s %s"), {TimeStamp(), CUtil::GetErrorText(CUtil::LastError())});
    return false;
}

bool Mismatch(JobContext &job, int stringId)
{
    job.Record.MessageText = FormatStr(stringId, {TimeStamp(), RecordPathText(job.Record.SourcePath),
                                                   RecordPathText(job.Record.TargetPath)});
    return false;
}

class BlockComparison {
public:
    BlockComparison(JobContext &job, qint64 relevantSize)
        : m_job(job)
        , m_reportsProgress(IsLargeFile(relevantSize) || job.Record.Refresh != 0)
        , m_blockBytes(BlockBytesFor(relevantSize))
        , m_source(std::make_unique_for_overwrite<char[]>(size_t(m_blockBytes)))
        , m_target(std::make_unique_for_overwrite<char[]>(size_t(m_blockBytes)))
    {
    }

    bool Run(platform::FileHandle &source, platform::FileHandle &target)
    {
        for (;;) {
            const qint64 fromSource = ReadBlock(source, m_source.get(), m_blockBytes);
            if (fromSource < 0)
                return SystemFailure(m_job);
            const qint64 fromTarget = ReadBlock(target, m_target.get(), m_blockBytes);
            if (fromTarget < 0)
                return SystemFailure(m_job);
            if (fromSource != fromTarget)
                return Mismatch(m_job, 322);
            if (fromSource == 0)
                return true;
            if (std::memcmp(m_source.get(), m_target.get(), size_t(fromSource)) != 0)
                return Mismatch(m_job, 321);
            ReportBlock(fromSource);
            if (m_job.IsCancelled()) {
                m_job.Record.MessageText = FormatStr(320, {});
                return false;
            }
            if (fromSource < m_blockBytes)
                return true; // both files ended inside this block
        }
    }

private:
    void ReportBlock(qint64 bytes)
    {
        if (!m_reportsProgress)
            return;
        m_job.Record.FileBytesDone += bytes;
        m_job.Pane(UPD_PCT2_FILE | UPD_BAR2_FILE);
    }

    JobContext &m_job;
    bool m_reportsProgress;
    qint64 m_blockBytes;
    std::unique_ptr<char[]> m_source;
    std::unique_ptr<char[]> m_target;
};

} // namespace

bool CompareFiles(JobContext &job)
{
    CProgressData &record = job.Record;
    record.FileBytesDone = 0;
    record.MessageText.clear();
    if (AnnouncesFile(record))
        job.Pane(kCompareStartMask);
    platform::FileHandle source;
    if (!source.Open(record.SourcePath, platform::OpenMode::Read))
        return SystemFailure(job);
    platform::FileHandle target;
    if (!target.Open(record.TargetPath, platform::OpenMode::Read))
        return SystemFailure(job);
    const qint64 relevantSize = record.Compressed ? record.CompressedSize : record.FileSize;
    return BlockComparison(job, relevantSize).Run(source, target);
}
