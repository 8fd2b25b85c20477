#include "mainwindow/DirectoryTest.h"

#include "controls/GuiTexts.h"
#include "engine/CUtil.h"
#include "resources/Strings.h"

namespace {

constexpr int kAllSourcesExist = 326;
constexpr int kMissingSources = 328;
constexpr int kDirectoryNotGiven = 333;
const QString kLineEnd = QStringLiteral("\r\n");

QString section(const QStringList &missing, int missingHeading, int allExist)
{
    if (missing.isEmpty())
        return LoadStr(allExist);
    QString text = LoadStr(missingHeading);
    for (const QString &path : missing)
        text += (path.isEmpty() ? LoadStr(kDirectoryNotGiven) : path) + kLineEnd;
    return text;
}

} // namespace

QString DirectoryTestReport(const QList<CListData> &jobs)
{
    QStringList sources;
    QStringList targets;
    for (const CListData &job : jobs) {
        if (job.Active == 0)
            continue;
        if (!CUtil::PathExists(job.SourceDir))
            sources.append(job.SourceDir);
        if (!CUtil::PathExists(job.TargetDir))
            targets.append(job.TargetDir);
    }
    return section(sources, kMissingSources, kAllSourcesExist) + kLineEnd
        + section(targets, GuiText::MissingTargets, GuiText::AllTargetsExist);
}
