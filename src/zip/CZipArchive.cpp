#include "zip/CZipArchive.h"

#include "zip/CZipAttributeAccess.h"
#include "zip/CZipInternalInfo.h"

CZipArchive::CZipArchive() : m_attributes(&CZipAttributeAccess::Default())
{
}

CZipArchive::~CZipArchive()
{
    // A destructor never writes: an archive that was not closed stays as it is on disk.
    ReleaseAll();
}

void CZipArchive::SetAttributeAccess(const CZipAttributeAccess &access)
{
    m_attributes = &access;
}

void CZipArchive::OpenArchive(const QString &path, ZipOpenMode mode)
{
    CloseArchive(ZipCloseMode::AfterError);
    m_storage.Open(path, mode);
    if (mode != ZipOpenMode::Create)
        m_centralDir.Read(m_storage);
}

void CZipArchive::CloseArchive(ZipCloseMode mode)
{
    if (IsArchiveClosed())
        return;
    if (mode == ZipCloseMode::Normal) {
        try {
            if (m_state == State::Reading)
                CloseEntry();
            else if (m_state == State::Writing)
                EndEntry();
            if (!m_storage.IsReadOnly())
                m_centralDir.Write(m_storage);
            m_storage.Close(ZipCloseMode::Normal);
        } catch (...) {
            ReleaseAll();
            throw;
        }
    }
    ReleaseAll();
}

void CZipArchive::ReleaseAll()
{
    // The stream is dropped without its End call; the tracker frees zlib's blocks instead.
    m_info.reset();
    m_tracker.ReleaseAll();
    m_state = State::Idle;
    m_currentEntry = -1;
    m_centralDir.Clear();
    m_storage.Close(ZipCloseMode::AfterError);
}

bool CZipArchive::IsArchiveClosed() const
{
    return m_storage.IsClosed();
}

bool CZipArchive::SetArchiveComment(const QString &comment)
{
    if (IsArchiveClosed())
        return false;
    m_centralDir.SetComment(comment);
    return true;
}

QString CZipArchive::GetArchiveComment() const
{
    return IsArchiveClosed() ? QString() : m_centralDir.Comment();
}

int CZipArchive::GetEntryCount() const
{
    return static_cast<int>(m_centralDir.Headers().size());
}

bool CZipArchive::IsIndexValid(int index) const
{
    return !IsArchiveClosed() && index >= 0 && index < GetEntryCount();
}

bool CZipArchive::GetEntryInfo(int index, CFileHeader &header) const
{
    if (!IsIndexValid(index))
        return false;
    // '/' is the path separator of the headers and of this system alike, so the name is
    // handed out as stored.
    header = m_centralDir.Headers()[static_cast<size_t>(index)];
    return true;
}

bool CZipArchive::IsEntryDirectory(int index) const
{
    return IsIndexValid(index) && m_centralDir.Headers()[static_cast<size_t>(index)].IsDirectory();
}

int64_t CZipArchive::BytesBeforeZip() const
{
    return m_centralDir.BytesBeforeZip();
}

CFileHeader &CZipArchive::CurrentHeader()
{
    return m_centralDir.Headers()[static_cast<size_t>(m_currentEntry)];
}
