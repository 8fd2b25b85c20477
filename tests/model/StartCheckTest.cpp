#include "model/StartCheck.h"
#include "resources/Strings.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

CListData job(qint32 active, const QString &source, const QString &target)
{
    CListData data;
    data.Active = active;
    data.SourceDir = source;
    data.TargetDir = target;
    return data;
}

} // namespace

TEST(StartCheck, NeedsAnActiveJobWhoseSourceExists)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString present = dir.path();
    const QString missing = dir.filePath(u"fehlt"_s);
    struct Row {
        const char *name;
        QList<CListData> jobs;
        bool passes;
    };
    const Row rows[] = {
        {"no job", {}, false},
        {"only inactive jobs", {job(0, present, present)}, false},
        {"active job with its source", {job(1, present, missing)}, true},
        {"active job without source", {job(1, missing, present)}, false},
        {"active job with an empty source", {job(1, QString(), present)}, false},
        {"inactive job with a missing source does not block", {job(0, missing, missing), job(1, present, present)}, true},
        {"one missing source among active jobs", {job(1, present, present), job(7, missing, present)}, false},
    };
    for (const Row &row : rows) {
        EXPECT_EQ(model::PassesStartCheck(row.jobs), row.passes) << row.name;
        const std::optional<QString> failure = model::StartCheckFailure(row.jobs);
        EXPECT_EQ(failure.has_value(), !row.passes) << row.name;
        if (failure) {
            EXPECT_EQ(*failure, LoadStr(314)) << row.name;
        }
    }
}

TEST(StartCheck, MessageIsString314)
{
    EXPECT_EQ(model::StartCheckFailure({}),
              u"Entweder kein aktiver Listeneintrag vorhanden\noder nicht alle Quellverzeichnisse der aktiven "
              u"Einträge vorhanden."_s);
}
