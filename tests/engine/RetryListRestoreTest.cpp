#include "engine/TextFormat.h"
#include "platform/FaultInjection.h"
#include "resources/Strings.h"
#include "WalkFixture.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace walktest {
namespace {

class RetryListRestoreTest : public WalkTest {
protected:
    // A run from the project's own retry list holding two pairs whose sources exist.
    void PrepareRetryRun()
    {
        Put(QStringLiteral("a.txt"), "aaa");
        Put(QStringLiteral("b.txt"), "bbb");
        m_pairs = {Source() + QStringLiteral("/a.txt|") + Target() + QStringLiteral("/a.txt"),
                   Source() + QStringLiteral("/b.txt|") + Target() + QStringLiteral("/b.txt")};
        MakeDirectory(Root() + QStringLiteral("/lists"));
        WriteFile(RetryPath(), RecordBytes(m_pairs));
        m_params->RetryRun = true;
        m_params->RetryRunFile = RetryPath();
        m_params->RetryListFile = RetryPath();
        for (const QString &pair : m_pairs) {
            m_params->RetrySources << pair.section(u'|', 0, 0);
            m_params->RetryTargets << pair.section(u'|', 1, 1);
        }
    }

    QStringList m_pairs;
};

TEST_F(RetryListRestoreTest, PairsStayInTheRetryListWhenItsNewFileCannotBeMade)
{
    PrepareRetryRun();
    // The first file the worker opens is the temporary file of the new retry list.
    platform::fault::Arm(platform::fault::Operation::Open, 1, ENOSPC);
    Run();
    platform::fault::Disarm();

    EXPECT_EQ(RecordLines(RetryPath()), m_pairs);
    EXPECT_FALSE(Exists(Target() + QStringLiteral("/a.txt")));
    const QStringList errors = MessagesOfKind(MessageKind::Error);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors.first().endsWith(FormatStr(5002, {QString(), RetryPath()})));
}

TEST_F(RetryListRestoreTest, PairsAreCopiedNormallyWhenTheNewFileCanBeMade)
{
    PrepareRetryRun();
    Run();
    EXPECT_TRUE(RecordLines(RetryPath()).isEmpty());
    EXPECT_EQ(ReadFile(Target() + QStringLiteral("/b.txt")), QByteArray("bbb"));
}

} // namespace
} // namespace walktest
