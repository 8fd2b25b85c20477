#include "engine/DirectoryCreation.h"

#include "engine/CUtil.h"
#include "engine/SecurityTransfer.h"
#include "platform/FileInfo.h"
#include "platform/FileSystem.h"
#include "platform/LastError.h"

#include <cerrno>

namespace {

enum class PathState {
    Directory,
    OtherThing,
    Missing,
};

QString WithoutTrailingSlashes(QString path)
{
    while (path.endsWith(u'/'))
        path.chop(1);
    return path;
}

// The top of a tree ("" for "/" and for a relative name, or a bare drive) always exists.
bool IsTreeTop(const QString &path)
{
    return CUtil::GetDirectoryPart(path) == path;
}

PathState StateOf(const QString &path)
{
    platform::FileInfo info;
    if (!platform::GetFileInfo(path, platform::LinkMode::Follow, &info))
        return PathState::Missing;
    return info.type == platform::FileType::Directory ? PathState::Directory : PathState::OtherThing;
}

// Another worker may create the same directory at the same moment; that is no failure.
bool CreateOneLevel(const QString &path)
{
    if (platform::CreateDirectory(path))
        return true;
    const int err = platform::LastError();
    if (err == EEXIST && StateOf(path) == PathState::Directory)
        return true;
    return platform::FailWith(err);
}

bool HasRefusedBlank(const QString &target)
{
    return target.contains(QStringLiteral(" /")) || target.contains(QStringLiteral("/ ")) || target.endsWith(u' ');
}

bool ReportCode(int *errorCode, int value)
{
    if (errorCode)
        *errorCode = value;
    return false;
}

bool TransferSecurity(const QString &target, const QString &source, int *errorCode)
{
    const std::optional<platform::SecurityDescriptor> descriptor = GetFileSecurityDescriptor(source, errorCode);
    if (!descriptor)
        return false;
    return SetFileSecurityDescriptor(target, &*descriptor, errorCode);
}

bool CreateLevelWithSecurity(const QString &target, const QString &source, int *errorCode)
{
    if (HasRefusedBlank(target))
        return false;
    const QString cleanTarget = WithoutTrailingSlashes(target);
    if (IsTreeTop(cleanTarget))
        return true;
    const PathState state = StateOf(cleanTarget);
    if (state != PathState::Missing)
        return state == PathState::Directory || platform::FailWith(ENOTDIR);
    const QString cleanSource = WithoutTrailingSlashes(source);
    if (!CreateLevelWithSecurity(CUtil::GetDirectoryPart(cleanTarget), CUtil::GetDirectoryPart(cleanSource), errorCode))
        return false;
    if (!platform::CreateDirectory(cleanTarget))
        return false;
    if (cleanSource.isEmpty())
        return true;
    return TransferSecurity(cleanTarget, cleanSource, errorCode);
}

} // namespace

bool CreateDirectoryTree(const QString &path)
{
    const QString clean = WithoutTrailingSlashes(path);
    if (IsTreeTop(clean))
        return true;
    const PathState state = StateOf(clean);
    if (state != PathState::Missing)
        return state == PathState::Directory || platform::FailWith(ENOTDIR);
    if (!CreateDirectoryTree(CUtil::GetDirectoryPart(clean)))
        return false;
    return CreateOneLevel(clean);
}

bool CreateDirectoryTreeWithSecurity(const QString &target, const QString &source, int *errorCode)
{
    ReportCode(errorCode, 0);
    return CreateLevelWithSecurity(target, source, errorCode);
}
