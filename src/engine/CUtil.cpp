#include "engine/CUtil.h"

#include "engine/SettingsAccessor.h"
#include "platform/Attributes.h"
#include "platform/ErrorText.h"
#include "platform/FileInfo.h"
#include "platform/FileSystem.h"
#include "platform/LastError.h"
#include "platform/Process.h"
#include "platform/TempFile.h"
#include "resources/Strings.h"

#include <QFile>
#include <QStringList>

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <locale.h>

namespace {

constexpr qint64 kKiB = 1024;
constexpr qint64 kMiB = 1024 * kKiB;
constexpr qint64 kGiB = 1024 * kMiB;

char16_t FoldAscii(QChar c)
{
    const char16_t unit = c.unicode();
    return unit >= u'a' && unit <= u'z' ? char16_t(unit - (u'a' - u'A')) : unit;
}

bool ClearAttribute(const QString &path, quint32 bit, bool *wasSet, quint32 *oldAttributes)
{
    *wasSet = false;
    quint32 attributes = 0;
    if (!platform::GetAttributes(path, &attributes))
        return false;
    if (oldAttributes)
        *oldAttributes = attributes;
    if (!(attributes & bit))
        return true;
    *wasSet = true;
    return platform::SetAttributes(path, attributes & ~bit);
}

bool IsMissing(int err)
{
    return err == ENOENT || err == ENOTDIR;
}

QString WithoutTrailingSlashes(QString path)
{
    while (path.size() > 1 && path.endsWith(u'/'))
        path.chop(1);
    return path;
}

// Creates `path` and every missing parent; true when it is a directory afterwards.
bool CreateDirectoryWithParents(const QString &path)
{
    const QString clean = WithoutTrailingSlashes(path);
    if (clean.isEmpty())
        return true;
    platform::FileInfo info;
    if (platform::GetFileInfo(clean, platform::LinkMode::Follow, &info))
        return info.type == platform::FileType::Directory || platform::FailWith(ENOTDIR);
    const QString parent = WithoutTrailingSlashes(CUtil::GetDirectoryPart(clean));
    if (parent != clean && !parent.isEmpty() && !CreateDirectoryWithParents(parent))
        return false;
    return platform::CreateDirectory(clean) || platform::LastError() == EEXIST;
}

// printf's rendering of one double in the "C" locale, whatever locale the program runs in.
QString FormatNumber(const QString &format, double value)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
    const locale_t previous = uselocale(cLocale);
    char buffer[128];
    const int length = std::snprintf(buffer, sizeof buffer, format.toUtf8().constData(), value);
    uselocale(previous);
    return length < 0 ? QString() : QString::fromUtf8(buffer, qMin<int>(length, sizeof buffer - 1));
}

QString LongPathPrefix()
{
    const QString prefix = LoadStr(381);
    return prefix.isEmpty() ? QStringLiteral("\\\\?\\") : prefix;
}

} // namespace

void CUtil::SplitPath(const QString &path)
{
    drive.clear();
    dir.clear();
    fname.clear();
    ext.clear();
    qsizetype start = 0;
    if (path.indexOf(u':') == 1) {
        drive = path.left(2);
        start = 2;
    }
    const qsizetype slash = path.lastIndexOf(u'/');
    const qsizetype nameStart = slash >= start ? slash + 1 : start;
    if (slash >= start)
        dir = path.mid(start, nameStart - start);
    const qsizetype dot = path.lastIndexOf(u'.');
    if (dot >= 0)
        ext = path.mid(dot);
    fname = dot >= nameStart ? path.mid(nameStart, dot - nameStart) : path.mid(nameStart);
}

bool CUtil::PathExists(const QString &path)
{
    return platform::Exists(path, platform::LinkMode::DoNotFollow);
}

bool CUtil::ClearReadOnlyAttribute(const QString &path, bool *wasReadOnly, quint32 *oldAttributes)
{
    return ClearAttribute(path, platform::kAttributeReadOnly, wasReadOnly, oldAttributes);
}

bool CUtil::ClearArchiveAttribute(const QString &path, bool *wasSet, quint32 *oldAttributes)
{
    return ClearAttribute(path, platform::kAttributeArchive, wasSet, oldAttributes);
}

// Only a path that is really missing counts as deleted; one that cannot be examined is
// reported as an existing file that could not be removed. A symbolic link is removed
// without touching the permissions of the file it points to.
bool CUtil::DeleteFileForced(const QString &path, bool *existed)
{
    *existed = false;
    platform::FileInfo info;
    if (!platform::GetFileInfo(path, platform::LinkMode::DoNotFollow, &info)) {
        if (IsMissing(platform::LastError()))
            return true;
        *existed = true;
        return false;
    }
    *existed = true;
    if (info.type != platform::FileType::Symlink) {
        bool wasReadOnly = false;
        ClearReadOnlyAttribute(path, &wasReadOnly);
    }
    return platform::RemoveFile(path);
}

bool CUtil::GetFileSizeAndTime(const QString &path, qint64 *lastWriteTime, qint64 *size)
{
    platform::FileInfo info;
    if (!platform::GetFileInfo(path, platform::LinkMode::Follow, &info))
        return false;
    if (info.type == platform::FileType::Directory)
        return platform::FailWith(EISDIR);
    *size = info.size;
    *lastWriteTime = info.lastWriteTime;
    return true;
}

// Greedy matching that returns to the most recent '*' on a mismatch; earlier stars never
// need revisiting, so the work is bounded by the product of the two lengths.
bool CUtil::MatchesPattern(const QString &name, const QString &pattern)
{
    qsizetype n = 0;
    qsizetype p = 0;
    qsizetype starPattern = -1;
    qsizetype starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == u'*') {
            starPattern = ++p;
            starName = n;
        } else if (p < pattern.size() && (pattern[p] == u'?' || FoldAscii(pattern[p]) == FoldAscii(name[n]))) {
            ++p;
            ++n;
        } else if (starPattern >= 0) {
            p = starPattern;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

bool CUtil::ExtractToken(QString &token, const QString &text, int index, QChar separator)
{
    token.clear();
    qsizetype start = 0;
    for (int skipped = 1; skipped < index; ++skipped) {
        const qsizetype found = text.indexOf(separator, start);
        if (found < 0)
            return false;
        start = found + 1;
    }
    const qsizetype end = text.indexOf(separator, start);
    token = end < 0 ? text.mid(start) : text.mid(start, end - start);
    return true;
}

QString CUtil::GetDirectoryPart(const QString &path)
{
    CUtil parts;
    parts.SplitPath(path);
    return parts.drive + parts.dir;
}

QString CUtil::GetExtension(const QString &path)
{
    CUtil parts;
    parts.SplitPath(path);
    return parts.ext;
}

void CUtil::AddLongPathPrefix(QString &path)
{
    if (path.size() <= 1)
        return;
    if (path[1] == u':') {
        path.prepend(LongPathPrefix());
        return;
    }
    if (!path.startsWith(QStringLiteral("\\\\")))
        return;
    qsizetype leading = 0;
    while (leading < path.size() && path[leading] == u'\\')
        ++leading;
    path = LongPathPrefix() + QStringLiteral("UNC\\") + path.mid(leading);
}

QString CUtil::GetTempDirectory()
{
    const QString stored = ReadSettingsText(QStringLiteral("Allgemein"), QStringLiteral("TempPath"));
    if (!stored.isEmpty() && PathExists(stored))
        return stored;
    const QString system = platform::SystemTempPath();
    const QString own = system + QStringLiteral("Zelvaron/");
    return CreateDirectoryWithParents(own) ? own : system;
}

QString CUtil::MakeTempFileName()
{
    return platform::MakeTempFile(GetTempDirectory());
}

QString CUtil::FormatFileSize(qint64 size)
{
    if (size >= kGiB)
        return FormatNumber(LoadStr(301), double(size / kMiB) / 1024.0);
    if (size >= kMiB)
        return FormatNumber(LoadStr(300), double(size / kKiB) / 1024.0);
    return FormatNumber(LoadStr(302), double(size) / 1024.0);
}

QString CUtil::GetErrorText(int errorCode)
{
    return platform::ErrorText(errorCode) + QStringLiteral("  (Fehlercode=%1)\r\n").arg(errorCode);
}

bool CUtil::RunProgram(const QString &commandLine)
{
    return platform::RunProgram(commandLine);
}

bool CUtil::OpenInNotepad(const QString &path)
{
    if (!PathExists(path))
        return false;
    return platform::StartDetached(QStringLiteral("xdg-open"), QStringList{path});
}

bool CUtil::SkipUnicodeBom(QFile &file)
{
    char mark[2] = {};
    const qint64 got = file.read(mark, 2);
    if (got == 2 && !(static_cast<unsigned char>(mark[0]) == 0xFF && static_cast<unsigned char>(mark[1]) == 0xFE)) {
        file.seek(0);
        return false;
    }
    return true;
}

int CUtil::LastError()
{
    return platform::LastError();
}
