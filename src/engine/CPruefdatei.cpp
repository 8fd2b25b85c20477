#include "engine/CPruefdatei.h"

#include "engine/CUtil.h"
#include "engine/CheckFileFormat.h"
#include "platform/Attributes.h"
#include "platform/FileHandle.h"
#include "platform/FileInfo.h"
#include "platform/FileSystem.h"
#include "platform/LastError.h"
#include "platform/Security.h"
#include "platform/TempFile.h"

#include <cerrno>

namespace {

// Lets projects with tens of thousands of files look their entries up without rehashing.
constexpr qsizetype kInitialBuckets = 9377;
constexpr qint64 kReadChunkBytes = 64 * 1024;

QString foldAscii(const QString &text)
{
    QString folded = text;
    for (QChar &c : folded) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(char16_t(c.unicode() + (u'a' - u'A')));
    }
    return folded;
}

// The bytes up to and including the last line break: what a failed read leaves behind may
// end inside a line whose numbers are cut short.
qsizetype completeLinesLength(const QByteArray &content)
{
    for (qsizetype i = (content.size() & ~qsizetype(1)) - 2; i >= 0; i -= 2) {
        if (content[i] == '\n' && content[i + 1] == '\0')
            return i + 2;
    }
    return 0;
}

// Reads straight into the end of `content`, whose room grows by doubling, so that a large
// file is neither copied chunk by chunk nor moved once per chunk.
bool readWholeFile(const QString &path, QByteArray *content)
{
    platform::FileHandle file;
    if (!file.Open(path, platform::OpenMode::Read))
        return false;
    qsizetype filled = 0;
    for (;;) {
        if (content->size() - filled < kReadChunkBytes)
            content->resize(qMax(2 * content->size(), filled + kReadChunkBytes));
        const qint64 got = file.Read(content->data() + filled, content->size() - filled);
        if (got < 0) {
            content->truncate(completeLinesLength(content->left(filled)));
            return false;
        }
        if (got == 0) {
            content->truncate(filled);
            return true;
        }
        filled += got;
    }
}

// Windows refuses to overwrite a read-only file; the owner's missing write bit keeps that
// meaning here, even for root, who could rename over it.
bool isReadOnly(const QString &path)
{
    quint32 attributes = 0;
    return platform::GetAttributes(path, &attributes) && (attributes & platform::kAttributeReadOnly);
}

void removeKeepingError(const QString &path)
{
    const int error = platform::LastError();
    platform::RemoveFile(path);
    platform::SetLastError(error);
}

bool writeFile(const QString &path, const QByteArray &content)
{
    platform::FileHandle file;
    if (!file.Open(path, platform::OpenMode::CreateTruncate) || !file.Write(content))
        return false;
    return file.Close();
}

// The new file should keep the permissions of the one it replaces. When they cannot be
// carried over the new content is still worth more than the old permissions, so the save
// goes on.
void carrySecurityOver(const QString &from, const QString &to)
{
    platform::SecurityDescriptor descriptor;
    if (platform::GetSecurity(from, &descriptor))
        platform::SetSecurity(to, descriptor);
}

// Writes `content` to a new file in the directory of `path` and renames it over `path`, so
// that the old file stays whole until the new one is complete.
bool replaceFile(const QString &path, const QByteArray &content)
{
    const QString temp = platform::MakeTempFile(CUtil::GetDirectoryPart(path));
    if (temp.isEmpty())
        return false;
    if (!writeFile(temp, content)) {
        removeKeepingError(temp);
        return false;
    }
    carrySecurityOver(path, temp);
    if (!platform::RenameFile(temp, path, platform::RenameMode::ReplaceExisting)) {
        removeKeepingError(temp);
        return false;
    }
    return true;
}

} // namespace

CPruefdatei::CPruefdatei()
{
    m_entries.reserve(kInitialBuckets);
}

bool CPruefdatei::IsEnabled() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return !m_path.isEmpty();
}

QString CPruefdatei::GetPath() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_path;
}

bool CPruefdatei::Load(const QString &path)
{
    Clear();
    if (path.isEmpty())
        return false;
    // Taken before reading: a change made while the file is read then shows at the save.
    const std::optional<FileStamp> stamp = stampOf(path);
    QByteArray content;
    const bool complete = readWholeFile(path, &content);
    std::lock_guard<std::mutex> guard(m_lock);
    m_path = path;
    m_changed = !complete || !stamp;
    m_loadedStamp = stamp;
    m_entries.reserve(qMax(kInitialBuckets, CountCheckFileLines(content)));
    ForEachCheckLine(content, [this](CheckLine &&line) {
        m_entries.emplace(std::move(line.Key), CheckEntry{line.Time, line.Size, true, std::move(line.Checksum)});
    });
    return complete;
}

bool CPruefdatei::IsUnchanged(const QString &key, qint64 time, qint64 size, const QString &checksum) const
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_path.isEmpty())
        return false;
    const auto it = m_entries.constFind(foldAscii(key));
    if (it == m_entries.cend() || !it->Valid)
        return false;
    if (it->Time != time || it->Size != size)
        return false;
    return checksum.isEmpty() || foldAscii(checksum) == foldAscii(it->Checksum);
}

void CPruefdatei::SetEntry(const QString &key, qint64 time, qint64 size, const QString &checksum)
{
    const QString folded = foldAscii(key);
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_path.isEmpty())
        return;
    if (!FitsInCheckLine(key) || !FitsInCheckLine(checksum)) {
        m_changed |= m_entries.remove(folded);
        return;
    }
    const auto it = m_entries.constFind(folded);
    if (it != m_entries.cend() && it->Valid && it->Time == time && it->Size == size && it->Checksum == checksum)
        return;
    m_entries.insert(folded, CheckEntry{time, size, true, checksum});
    m_changed = true;
}

void CPruefdatei::RemoveEntry(const QString &key)
{
    const QString folded = foldAscii(key);
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_path.isEmpty())
        return;
    m_changed |= m_entries.remove(folded);
}

std::optional<CPruefdatei::CheckEntry> CPruefdatei::FindEntry(const QString &key) const
{
    std::lock_guard<std::mutex> guard(m_lock);
    const auto it = m_entries.constFind(foldAscii(key));
    if (it == m_entries.cend())
        return std::nullopt;
    return *it;
}

qsizetype CPruefdatei::EntryCount() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_entries.size();
}

bool CPruefdatei::Save()
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_path.isEmpty())
        return false;
    if (isReadOnly(m_path))
        return platform::FailWith(EACCES);
    if (isSavedAlready(m_path))
        return true;
    if (!replaceFile(m_path, serialise()))
        return false;
    m_changed = false;
    m_loadedStamp = stampOf(m_path);
    return true;
}

void CPruefdatei::Clear()
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_entries.clear();
    m_entries.reserve(kInitialBuckets);
    m_path.clear();
    m_changed = false;
    m_loadedStamp.reset();
}

void CPruefdatei::Reset()
{
    Clear();
}

std::optional<CPruefdatei::FileStamp> CPruefdatei::stampOf(const QString &path)
{
    platform::FileInfo info;
    if (!platform::GetFileInfo(path, platform::LinkMode::Follow, &info) || info.type != platform::FileType::Regular)
        return std::nullopt;
    return FileStamp{info.device, info.inode, info.size, info.lastWriteTime};
}

bool CPruefdatei::isSavedAlready(const QString &path) const
{
    return !m_changed && m_loadedStamp && stampOf(path) == m_loadedStamp;
}

QByteArray CPruefdatei::serialise() const
{
    // Room for the keys and checksums plus two 20-digit numbers, three bars and CR LF.
    qsizetype length = 0;
    for (auto it = m_entries.cbegin(); it != m_entries.cend(); ++it)
        length += it.key().size() + it->Checksum.size() + 45;
    QString text;
    text.reserve(length);
    for (auto it = m_entries.cbegin(); it != m_entries.cend(); ++it) {
        if (it->Valid)
            AppendCheckLine(text, it.key(), it->Time, it->Size, it->Checksum);
    }
    return EncodeUtf16Le(text);
}
