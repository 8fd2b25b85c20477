#include "engine/CZusammenfassung.h"

#include "engine/CProgressData.h"

void CZusammenfassung::Reset()
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_totals = Totals();
}

void CZusammenfassung::Accumulate(const CProgressData &r)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_totals.Errors += r.ErrorCount;
    m_totals.Files += r.SelectedFiles;
    m_totals.FilesCopied += r.FilesDone;
    m_totals.UncompressedFiles += r.UncompressedFiles;
    m_totals.Bytes += r.TotalBytes;
    m_totals.BytesCopied += r.BytesDone;
    m_totals.CompressedBytes += r.CompressedBytes;
    m_totals.SkippedFiles += r.SkippedFiles;
    m_totals.SkippedDirectories += r.SkippedDirectories;
    m_totals.Directories += r.DirectoryCount;
    m_totals.DirectoriesCreated += r.DirectoriesDone;
}

CZusammenfassung::Totals CZusammenfassung::Snapshot() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_totals;
}
