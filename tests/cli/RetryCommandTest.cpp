#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kTimeoutMs = 60000;

struct CliRun {
    int exitCode = -1;
    QString out;
};

// The UTF-16LE bytes of record lines, each ending with CR LF.
QByteArray Utf16Lines(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        for (QChar c : line + u"\r\n"_s) {
            bytes.append(char(c.unicode() & 0xff));
            bytes.append(char(c.unicode() >> 8));
        }
    }
    return bytes;
}

// "zelvaron-cli retry" over real files in a temporary folder, which also holds the program's
// settings and temporary files.
class RetryCommand : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(QDir().mkpath(path(u"quelle"_s)));
        ASSERT_TRUE(QDir().mkpath(path(u"tmp"_s)));
    }

    QString path(const QString &name) const { return m_dir.filePath(name); }

    CliRun cli(const QStringList &arguments, const QByteArray &input = QByteArray()) const
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(u"U3_APP_DATA_PATH"_s);
        environment.insert(u"XDG_CONFIG_HOME"_s, path(u"config"_s));
        environment.insert(u"TMPDIR"_s, path(u"tmp"_s));
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(m_dir.path());
        process.start(QStringLiteral(ZELVARON_CLI_PATH), arguments);
        CliRun result;
        if (!process.waitForStarted(kTimeoutMs))
            return result;
        process.write(input);
        process.closeWriteChannel();
        if (!process.waitForFinished(kTimeoutMs)) {
            process.kill();
            process.waitForFinished();
            return result;
        }
        result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.out = QString::fromUtf8(process.readAllStandardOutput());
        return result;
    }

    bool writeFile(const QString &name, const QByteArray &bytes) const
    {
        QFile file(path(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }

    QByteArray readFile(const QString &name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<fehlt>");
    }

    // A project whose retry list is `retryList` and that writes a log.
    void saveProject(const QString &retryList) const
    {
        const QJsonObject project{
            {u"CPageOption"_s, QJsonObject{{u"LogFile"_s, path(u"protokoll.txt"_s)}}},
            {u"CPageDateien"_s, QJsonObject{{u"RetryListFile"_s, path(retryList)}}},
        };
        ASSERT_EQ(cli({u"save"_s, path(u"p.zelv"_s)}, QJsonDocument(project).toJson()).exitCode, 0);
    }

    QString pair(const QString &source, const QString &target) const { return path(source) + u'|' + path(target); }

private:
    QTemporaryDir m_dir;
};

TEST_F(RetryCommand, CopiesThePairsAndKeepsThoseThatFailAgain)
{
    ASSERT_TRUE(writeFile(u"quelle/a.txt"_s, "Inhalt A\n"));
    const QStringList lines = {pair(u"quelle/a.txt"_s, u"ziel/neu/a.txt"_s), pair(u"quelle/b.txt"_s, u"ziel/b.txt"_s)};
    ASSERT_TRUE(writeFile(u"kopierdatei.txt"_s, Utf16Lines(lines)));
    saveProject(u"kopierdatei.txt"_s);

    const CliRun first = cli({u"retry"_s, path(u"p.zelv"_s)});
    EXPECT_EQ(first.exitCode, 1) << first.out.toStdString();
    EXPECT_TRUE(first.out.contains(u"Starte Job 0"_s)) << first.out.toStdString();
    EXPECT_EQ(readFile(u"ziel/neu/a.txt"_s), QByteArray("Inhalt A\n"));
    EXPECT_EQ(readFile(u"kopierdatei.txt"_s), Utf16Lines({lines[1]}));
    EXPECT_GT(QFileInfo(path(u"protokoll.txt"_s)).size(), 0);

    // The next attempt reads the rewritten Kopierdatei; now every pair succeeds.
    ASSERT_TRUE(writeFile(u"quelle/b.txt"_s, "Inhalt B\n"));
    const CliRun second = cli({u"retry"_s, path(u"p.zelv"_s)});
    EXPECT_EQ(second.exitCode, 0) << second.out.toStdString();
    EXPECT_EQ(readFile(u"ziel/b.txt"_s), QByteArray("Inhalt B\n"));
    EXPECT_EQ(readFile(u"kopierdatei.txt"_s), QByteArray());
}

TEST_F(RetryCommand, AGivenKopierdateiIsReadAndTheProjectsRetryListWritten)
{
    ASSERT_TRUE(writeFile(u"quelle/a.txt"_s, "a"));
    const QStringList lines = {pair(u"quelle/fehlt.txt"_s, u"ziel/fehlt.txt"_s), pair(u"quelle/a.txt"_s, u"ziel/a.txt"_s)};
    ASSERT_TRUE(writeFile(u"alt.txt"_s, QByteArray("\xff\xfe", 2) + Utf16Lines(lines)));
    saveProject(u"neu.txt"_s);

    const CliRun run = cli({u"retry"_s, path(u"p.zelv"_s), path(u"alt.txt"_s)});
    EXPECT_EQ(run.exitCode, 1) << run.out.toStdString();
    EXPECT_EQ(readFile(u"ziel/a.txt"_s), QByteArray("a"));
    EXPECT_EQ(readFile(u"neu.txt"_s), Utf16Lines({lines[0]}));
    EXPECT_EQ(readFile(u"alt.txt"_s), QByteArray("\xff\xfe", 2) + Utf16Lines(lines));
}

} // namespace
