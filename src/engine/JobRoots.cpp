#include "engine/JobRoots.h"

#include "engine/CUtil.h"
#include "model/CListData.h"
#include "model/CViewData.h"

namespace {

const QString kRootDirectory = QStringLiteral("/");

QString PreparedRoot(QString directory, bool longFileNames)
{
    if (longFileNames)
        CUtil::AddLongPathPrefix(directory);
    while (directory.size() > 1 && directory.endsWith(u'/'))
        directory.chop(1);
    return directory;
}

// The part of a root that precedes a relative path beginning with '/'.
QString RootPrefix(const QString &root)
{
    return root == kRootDirectory ? QString() : root;
}

} // namespace

JobRoots ComputeJobRoots(const CListData &job, const CViewData &params)
{
    const bool longNames = params.LongFileNames;
    return JobRoots{PreparedRoot(job.SourceDir, longNames), PreparedRoot(job.TargetDir, longNames)};
}

QString MapToTarget(const QString &directory, const QString &sourceRoot, const QString &targetRoot,
                    const QString &suffix)
{
    const qsizetype cut = RootPrefix(sourceRoot).size();
    return RootPrefix(targetRoot) + suffix + directory.mid(cut);
}

QString ChildPath(const QString &directory, const QString &name)
{
    return WithTrailingSlash(directory) + name;
}

QString WithTrailingSlash(const QString &directory)
{
    return directory.endsWith(u'/') ? directory : directory + u'/';
}
