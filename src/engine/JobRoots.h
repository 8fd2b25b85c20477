#pragma once

#include <QString>

class CListData;
class CViewData;

// The source and target root of a job, computed once when the job starts.
struct JobRoots {
    QString Source;
    QString Target; // empty: the job has no target directory
};

// The job's directories, each with the long-path prefix when LongFileNames is on and without
// trailing '/'. The file-system root "/" stays "/" instead of becoming empty, which would
// turn a target of "/" into a job without target.
JobRoots ComputeJobRoots(const CListData &job, const CViewData &params);

// The target-side path of a source-side directory: target root + suffix + `directory` without
// the source root's characters at its start. The source root is cut off by its length, not
// compared. A root of "/" adds no characters of its own, so "/a" below it maps to root + "/a".
QString MapToTarget(const QString &directory, const QString &sourceRoot, const QString &targetRoot,
                    const QString &suffix);

// `directory` + '/' + `name`, without doubling a '/' that `directory` already ends with.
QString ChildPath(const QString &directory, const QString &name);

// `directory` ending with exactly one '/' added when it has none.
QString WithTrailingSlash(const QString &directory);
