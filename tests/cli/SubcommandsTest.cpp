#include "model/CProjectData.h"
#include "model/ProjectFile.h"
#include "resources/Strings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kTimeoutMs = 60000;

struct CliResult {
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs zelvaron-cli in a temporary folder that also holds its settings and temporary files.
class Subcommands : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString path(const QString &name) const { return m_dir.filePath(name); }

    CliResult cli(const QStringList &arguments, const QByteArray &input = QByteArray()) const
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(u"U3_APP_DATA_PATH"_s);
        environment.insert(u"XDG_CONFIG_HOME"_s, path(u"config"_s));
        environment.insert(u"TMPDIR"_s, path(u"tmp"_s));
        QDir().mkpath(path(u"tmp"_s));
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(m_dir.path());
        process.start(QStringLiteral(ZELVARON_CLI_PATH), arguments);
        CliResult result;
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
        result.err = QString::fromUtf8(process.readAllStandardError());
        return result;
    }

    // Saves `json` as a project and shows it again.
    QJsonObject saveAndShow(const QByteArray &json, const QString &name = u"p.zelv"_s) const
    {
        const CliResult saved = cli({u"save"_s, path(name)}, json);
        EXPECT_EQ(saved.exitCode, 0) << saved.err.toStdString();
        const CliResult shown = cli({u"show"_s, path(name)});
        EXPECT_EQ(shown.exitCode, 0) << shown.err.toStdString();
        return QJsonDocument::fromJson(shown.out.toUtf8()).object();
    }

    QJsonObject defaults() const { return saveAndShow("{}", u"defaults.zelv"_s); }

    QByteArray projectJson(const QJsonObject &object) const { return QJsonDocument(object).toJson(); }

    // A project with one job whose source is `source`, with the given options of CPageOption.
    QByteArray oneJob(const QString &source, const QJsonObject &options = {}) const
    {
        QJsonObject job{{u"SourceDir"_s, source}, {u"TargetDir"_s, path(u"ziel"_s)}};
        return projectJson({{u"Jobs"_s, QJsonArray{job}}, {u"CPageOption"_s, options}});
    }

    bool writeFile(const QString &name, const QByteArray &bytes) const
    {
        QFile file(path(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }

private:
    QTemporaryDir m_dir;
};

QJsonObject withValue(QJsonObject project, const QString &group, const QString &field, const QJsonValue &value)
{
    QJsonObject members = project.value(group).toObject();
    members.insert(field, value);
    project.insert(group, members);
    return project;
}

} // namespace

TEST_F(Subcommands, ShowListsEveryFieldInDeclarationOrder)
{
    ASSERT_TRUE(writeFile(u"leer.zelv"_s, QByteArray()));
    const CliResult shown = cli({u"show"_s, path(u"leer.zelv"_s)});
    ASSERT_EQ(shown.exitCode, 0) << shown.err.toStdString();
    const QString names[] = {u"\"Jobs\""_s,          u"\"CPageOption\""_s,   u"\"ThreadCount\""_s,
                             u"\"OnlyArchiveBit\""_s, u"\"DeleteSourceAfterCopy\""_s, u"\"CPageMuster\""_s,
                             u"\"CPageDateien\""_s,  u"\"CPageDatum\""_s,    u"\"CPageZip\""_s,
                             u"\"CPageUnzip\""_s,    u"\"CPagePruefdatei\""_s, u"\"ChecksumEnabled\""_s};
    qsizetype previous = -1;
    for (const QString &name : names) {
        const qsizetype at = shown.out.indexOf(name);
        EXPECT_GT(at, previous) << name.toStdString();
        previous = at;
    }
    const QJsonObject project = QJsonDocument::fromJson(shown.out.toUtf8()).object();
    EXPECT_EQ(project.value(u"Jobs"_s).toArray().size(), 0);
    const QJsonObject option = project.value(u"CPageOption"_s).toObject();
    EXPECT_EQ(option.size(), 23);
    EXPECT_EQ(option.value(u"ThreadCount"_s), QJsonValue(1));
    EXPECT_EQ(option.value(u"CompareAfterCopy"_s), QJsonValue(true));
    EXPECT_EQ(option.value(u"LogFile"_s), QJsonValue(u""_s));
    EXPECT_EQ(project.value(u"CPageZip"_s).toObject().value(u"CompressExcludePatterns"_s),
              QJsonValue(u"*.zip, *.jpg, *.pdf, *.mpg, *.mp3, "_s));
    EXPECT_EQ(project.value(u"CPageMuster"_s).toObject().size(), 8);
    EXPECT_EQ(project.value(u"CPageDateien"_s).toObject().size(), 6);
    EXPECT_EQ(project.value(u"CPageDatum"_s).toObject().size(), 5);
    EXPECT_EQ(project.value(u"CPageZip"_s).toObject().size(), 6);
    EXPECT_EQ(project.value(u"CPageUnzip"_s).toObject().size(), 1);
    EXPECT_EQ(project.value(u"CPagePruefdatei"_s).toObject().size(), 2);
}

TEST_F(Subcommands, SaveAndShowRoundTrip)
{
    QJsonObject project = defaults();
    QJsonObject firstJob{{u"Active"_s, true}, {u"WithSubdirs"_s, false},
                         {u"SourceDir"_s, u"/home/jürgen/Dokumente"_s}, {u"TargetDir"_s, u"/media/\"ziel\"\\x"_s}};
    QJsonObject secondJob{{u"Active"_s, false}, {u"WithSubdirs"_s, true}, {u"SourceDir"_s, u""_s},
                          {u"TargetDir"_s, u"/b"_s}};
    project.insert(u"Jobs"_s, QJsonArray{firstJob, secondJob});
    // Every field of every group gets a value other than its default.
    for (const QString &group : project.keys()) {
        if (group == u"Jobs"_s)
            continue;
        QJsonObject members = project.value(group).toObject();
        for (const QString &field : members.keys()) {
            const QJsonValue value = members.value(field);
            if (value.isBool())
                members.insert(field, !value.toBool());
            else if (value.isDouble())
                members.insert(field, value.toInteger() + 2);
            else
                members.insert(field, value.toString() + u"wert ä\t"_s + field);
        }
        project.insert(group, members);
    }
    EXPECT_EQ(saveAndShow(projectJson(project)), project);
}

TEST_F(Subcommands, PartialJsonKeepsTheNewProjectDefaults)
{
    const QJsonObject expected = withValue(defaults(), u"CPageOption"_s, u"ThreadCount"_s, 2);
    EXPECT_EQ(saveAndShow(R"({"CPageOption": {"ThreadCount": 2}})"), expected);

    const QJsonObject job = saveAndShow(R"({"Jobs": [{"SourceDir": "/q"}]})").value(u"Jobs"_s).toArray().at(0).toObject();
    EXPECT_EQ(job, (QJsonObject{{u"Active"_s, true}, {u"WithSubdirs"_s, true}, {u"SourceDir"_s, u"/q"_s},
                                {u"TargetDir"_s, u""_s}}));
}

TEST_F(Subcommands, ValuesOutsideTheirPageRangesAreKeptAsStored)
{
    const QJsonObject shown =
        saveAndShow(R"({"CPageOption": {"ThreadCount": -7, "DateFolderFormatId": 8},
                        "CPageZip": {"CompressMinSize": 4294967295, "CompressMaxSizeMB": 0},
                        "CPageDatum": {"DateFilterMode": 9}})");
    EXPECT_EQ(shown.value(u"CPageOption"_s).toObject().value(u"ThreadCount"_s), QJsonValue(-7));
    EXPECT_EQ(shown.value(u"CPageOption"_s).toObject().value(u"DateFolderFormatId"_s), QJsonValue(8));
    EXPECT_EQ(shown.value(u"CPageZip"_s).toObject().value(u"CompressMinSize"_s), QJsonValue(4294967295LL));
    EXPECT_EQ(shown.value(u"CPageZip"_s).toObject().value(u"CompressMaxSizeMB"_s), QJsonValue(0));
    EXPECT_EQ(shown.value(u"CPageDatum"_s).toObject().value(u"DateFilterMode"_s), QJsonValue(9));
}

TEST_F(Subcommands, StoredBooleanOtherThanOneIsShownAsTrue)
{
    model::CProjectData project;
    project.Jobs.append(CListData{});
    QByteArray bytes = model::WriteProject(project);
    // Header (26 bytes), then the job record: version, Active, WithSubdirs.
    ASSERT_EQ(bytes.mid(30, 4), QByteArray::fromHex("01000000"));
    bytes[30] = 7;
    ASSERT_TRUE(writeFile(u"sieben.zelv"_s, bytes));
    const CliResult shown = cli({u"show"_s, path(u"sieben.zelv"_s)});
    ASSERT_EQ(shown.exitCode, 0);
    const QJsonObject job =
        QJsonDocument::fromJson(shown.out.toUtf8()).object().value(u"Jobs"_s).toArray().at(0).toObject();
    EXPECT_EQ(job.value(u"Active"_s), QJsonValue(true));
}

TEST_F(Subcommands, SaveRefusesUnknownNamesAndWrongTypes)
{
    struct Row {
        QByteArray json;
        QString named;
    };
    const Row rows[] = {
        {R"({"CPageFoo": {}})", u"\"CPageFoo\""_s},
        {R"({"CPageOption": {"Foo": 1}})", u"\"CPageOption.Foo\""_s},
        {R"({"CPageOption": {"threadcount": 1}})", u"\"CPageOption.threadcount\""_s},
        {R"({"CPageOption": {"ThreadCount": "2"}})", u"\"CPageOption.ThreadCount\""_s},
        {R"({"CPageOption": {"ThreadCount": 1.5}})", u"\"CPageOption.ThreadCount\""_s},
        {R"({"CPageOption": {"ThreadCount": 2147483648}})", u"\"CPageOption.ThreadCount\""_s},
        {R"({"CPageOption": {"Autostart": 1}})", u"\"CPageOption.Autostart\""_s},
        {R"({"CPageOption": {"LogFile": null}})", u"\"CPageOption.LogFile\""_s},
        {R"({"CPageZip": {"CompressMinSize": -1}})", u"\"CPageZip.CompressMinSize\""_s},
        {R"({"CPageUnzip": true})", u"\"CPageUnzip\""_s},
        {R"({"Jobs": {}})", u"\"Jobs\""_s},
        {R"({"Jobs": [{}, 3]})", u"\"Jobs[1]\""_s},
        {R"({"Jobs": [{"Aktiv": true}]})", u"\"Jobs[0].Aktiv\""_s},
        {R"({"Jobs": [{"Active": "Ja"}]})", u"\"Jobs[0].Active\""_s},
        {R"({"CPageOption": {"ThreadCount": 2})", u"JSON"_s},
        {R"([1, 2])", u"JSON"_s},
        {"", u"JSON"_s},
    };
    for (const Row &row : rows) {
        const CliResult result = cli({u"save"_s, path(u"neu.zelv"_s)}, row.json);
        EXPECT_EQ(result.exitCode, 2) << row.json.toStdString();
        EXPECT_TRUE(result.err.contains(row.named)) << row.json.toStdString() << " -> " << result.err.toStdString();
        EXPECT_FALSE(QFile::exists(path(u"neu.zelv"_s))) << row.json.toStdString();
    }
}

TEST_F(Subcommands, RefusedSaveKeepsTheExistingProject)
{
    saveAndShow(R"({"CPageOption": {"ThreadCount": 3}})", u"p.zelv"_s);
    QFile file(path(u"p.zelv"_s));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();
    EXPECT_EQ(cli({u"save"_s, path(u"p.zelv"_s)}, R"({"CPageOption": {"Unbekannt": 1}})").exitCode, 2);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
}

TEST_F(Subcommands, SaveIntoAMissingFolderIsAProjectFileError)
{
    const CliResult result = cli({u"save"_s, path(u"fehlt/p.zelv"_s)}, "{}");
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_TRUE(result.err.contains(u"kann nicht gespeichert werden"_s)) << result.err.toStdString();
}

TEST_F(Subcommands, RunOfANormalProjectPrintsTheMessagesAndSucceeds)
{
    ASSERT_TRUE(QDir().mkpath(path(u"quelle"_s)));
    ASSERT_EQ(cli({u"save"_s, path(u"p.zelv"_s)}, oneJob(path(u"quelle"_s))).exitCode, 0);
    const CliResult run = cli({u"run"_s, path(u"p.zelv"_s)});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(u"*** Fertig ***"_s)) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(u"Starte Job 0"_s)) << run.out.toStdString();
    EXPECT_FALSE(run.out.contains(u'\r'));
}

TEST_F(Subcommands, RunThatCannotStartExitsWithTwo)
{
    ASSERT_TRUE(QDir().mkpath(path(u"quelle"_s)));
    const QJsonObject inactive{{u"Active"_s, false}, {u"SourceDir"_s, path(u"quelle"_s)}};
    struct Row {
        const char *name;
        QByteArray json;
        QString message;
    };
    const Row rows[] = {
        {"no job", "{}", LoadStr(314)},
        {"only an inactive job", projectJson({{u"Jobs"_s, QJsonArray{inactive}}}), LoadStr(314)},
        {"missing source", oneJob(path(u"fehlt"_s)), LoadStr(314)},
        {"thread count out of range", oneJob(path(u"quelle"_s), {{u"ThreadCount"_s, 4}}), u"\"ThreadCount\": 4"_s},
        {"compression bound out of range", projectJson({{u"CPageZip"_s, QJsonObject{{u"CompressMaxSizeMB"_s, 4096}}}}),
         u"\"CompressMaxSizeMB\""_s},
    };
    for (const Row &row : rows) {
        ASSERT_EQ(cli({u"save"_s, path(u"p.zelv"_s)}, row.json).exitCode, 0) << row.name;
        const CliResult run = cli({u"run"_s, path(u"p.zelv"_s)});
        EXPECT_EQ(run.exitCode, 2) << row.name;
        QString expected = row.message;
        expected.replace(u"\r\n"_s, u"\n"_s);
        EXPECT_TRUE(run.err.contains(expected)) << row.name << ": " << run.err.toStdString();
        EXPECT_FALSE(run.out.contains(u"*** Fertig ***"_s)) << row.name;
    }
}

TEST_F(Subcommands, WrongArgumentsExitWithTwo)
{
    const QStringList calls[] = {
        {u"run"_s},
        {u"run"_s, u"a.zelv"_s, u"b.zelv"_s},
        {u"run"_s, u"-x"_s, u"a.zelv"_s},
        {u"show"_s},
        {u"save"_s},
        {u"retry"_s, u"a.zelv"_s, u"k.txt"_s, u"noch.txt"_s},
        {u"kopieren"_s, u"a.zelv"_s},
        {u"run"_s, u"/msg_ok=gut"_s, u"a.zelv"_s},
    };
    for (const QStringList &call : calls) {
        const CliResult result = cli(call);
        EXPECT_EQ(result.exitCode, 2) << call.join(u' ').toStdString();
        EXPECT_TRUE(result.err.contains(u"Aufruf:"_s)) << call.join(u' ').toStdString();
    }
    const CliResult help = cli({u"--help"_s});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains(u"zelvaron-cli retry PROJEKT.zelv [KOPIERDATEI]"_s));
}

TEST_F(Subcommands, UnreadableProjectExitsWithThree)
{
    model::CProjectData project;
    project.Jobs.append(CListData{});
    const QByteArray valid = model::WriteProject(project);
    QByteArray wrongMagic = valid;
    wrongMagic[4] = 'X';
    ASSERT_TRUE(writeFile(u"falsch.zelv"_s, wrongMagic));
    ASSERT_TRUE(writeFile(u"kurz.zelv"_s, valid.left(valid.size() / 2)));
    struct Row {
        QString file;
        QString message;
    };
    const Row rows[] = {
        {u"falsch.zelv"_s, u"Keine gültige Projektdatei."_s},
        {u"kurz.zelv"_s, u"Die Projektdatei"_s},
        {u"fehlt.zelv"_s, u"kann nicht geöffnet werden"_s},
    };
    for (const Row &row : rows) {
        for (const QString &command : {u"run"_s, u"show"_s, u"retry"_s}) {
            const CliResult result = cli({command, path(row.file)});
            EXPECT_EQ(result.exitCode, 3) << command.toStdString() << " " << row.file.toStdString();
            EXPECT_TRUE(result.err.contains(row.message)) << command.toStdString() << ": " << result.err.toStdString();
            EXPECT_TRUE(result.out.isEmpty()) << command.toStdString();
        }
    }
}

TEST_F(Subcommands, RetryNeedsAReadableKopierdatei)
{
    ASSERT_EQ(cli({u"save"_s, path(u"p.zelv"_s)}, "{}").exitCode, 0);
    const CliResult none = cli({u"retry"_s, path(u"p.zelv"_s)});
    EXPECT_EQ(none.exitCode, 2);
    EXPECT_TRUE(none.err.contains(LoadStr(6114))) << none.err.toStdString();

    const CliResult missing = cli({u"retry"_s, path(u"p.zelv"_s), path(u"fehlt.txt"_s)});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_TRUE(missing.err.contains(path(u"fehlt.txt"_s))) << missing.err.toStdString();
    EXPECT_FALSE(missing.out.contains(u"*** Fertig ***"_s));
}

TEST_F(Subcommands, RetryRunsTheGivenOrTheProjectsKopierdatei)
{
    ASSERT_TRUE(writeFile(u"kopierdatei.txt"_s, QByteArray("\xFF\xFE", 2)));
    const QJsonObject dateien{{u"RetryListFile"_s, path(u"kopierdatei.txt"_s)}};
    ASSERT_EQ(cli({u"save"_s, path(u"p.zelv"_s)}, projectJson({{u"CPageDateien"_s, dateien}})).exitCode, 0);
    const QStringList calls[] = {{u"retry"_s, path(u"p.zelv"_s)},
                                 {u"retry"_s, path(u"p.zelv"_s), path(u"kopierdatei.txt"_s)}};
    for (const QStringList &call : calls) {
        // The run deletes the project's Kopierdatei at its start; it is made anew each time.
        ASSERT_TRUE(writeFile(u"kopierdatei.txt"_s, QByteArray("\xFF\xFE", 2)));
        const CliResult result = cli(call);
        EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
        EXPECT_TRUE(result.out.contains(u"*** Fertig ***"_s)) << result.out.toStdString();
    }
}

TEST_F(Subcommands, SavedProjectBacksUpARealTree)
{
    QByteArray binary;
    for (int i = 0; i < 300000; ++i)
        binary.append(char(i * 7));
    const struct {
        QString name;
        QByteArray content;
    } files[] = {
        {u"quelle/a.txt"_s, "Inhalt A\n"},
        {u"quelle/Unterordner/Größe ü.txt"_s, "Umlaute im Namen\n"},
        {u"quelle/Unterordner/tief/daten.bin"_s, binary},
        {u"quelle/entwurf.tmp"_s, "nicht sichern\n"},
    };
    for (const auto &file : files) {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path(file.name)).path()));
        ASSERT_TRUE(writeFile(file.name, file.content));
    }
    const QJsonObject project{
        {u"Jobs"_s, QJsonArray{QJsonObject{{u"SourceDir"_s, path(u"quelle"_s)}, {u"TargetDir"_s, path(u"ziel"_s)}}}},
        {u"CPageOption"_s, QJsonObject{{u"CompareAfterCopy"_s, true}, {u"LogFile"_s, path(u"protokoll.txt"_s)}}},
        {u"CPageMuster"_s, QJsonObject{{u"FileExcludeEnabled"_s, true}, {u"FileExcludePatterns"_s, u"*.tmp"_s}}},
        {u"CPagePruefdatei"_s,
         QJsonObject{{u"CheckFile"_s, path(u"pruefdatei.txt"_s)}, {u"ChecksumEnabled"_s, true}}},
    };
    ASSERT_EQ(cli({u"save"_s, path(u"p.zelv"_s)}, projectJson(project)).exitCode, 0);

    const CliResult run = cli({u"run"_s, path(u"p.zelv"_s)});
    ASSERT_EQ(run.exitCode, 0) << run.out.toStdString() << run.err.toStdString();
    for (const auto &file : files) {
        QString target = file.name;
        target.replace(u"quelle/"_s, u"ziel/"_s);
        QFile copy(path(target));
        if (file.name.endsWith(u".tmp"_s)) {
            EXPECT_FALSE(copy.exists()) << target.toStdString();
            continue;
        }
        ASSERT_TRUE(copy.open(QIODevice::ReadOnly)) << target.toStdString();
        EXPECT_EQ(copy.readAll(), file.content) << target.toStdString();
    }
    EXPECT_GT(QFileInfo(path(u"protokoll.txt"_s)).size(), 0);
    EXPECT_GT(QFileInfo(path(u"pruefdatei.txt"_s)).size(), 0);
}

TEST_F(Subcommands, RunWithErrorLinesExitsWithOne)
{
    ASSERT_TRUE(QDir().mkpath(path(u"quelle"_s)));
    ASSERT_TRUE(writeFile(u"quelle/a.txt"_s, "a"));
    ASSERT_TRUE(writeFile(u"datei"_s, "keine Verzeichnis"));
    // The target lies below a regular file, so it cannot be created.
    const QJsonObject job{{u"SourceDir"_s, path(u"quelle"_s)}, {u"TargetDir"_s, path(u"datei/ziel"_s)}};
    ASSERT_EQ(cli({u"save"_s, path(u"p.zelv"_s)}, projectJson({{u"Jobs"_s, QJsonArray{job}}})).exitCode, 0);
    const CliResult run = cli({u"run"_s, path(u"p.zelv"_s)});
    EXPECT_EQ(run.exitCode, 1) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(u"*** Fertig ***"_s));
}
