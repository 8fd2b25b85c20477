#include "engine/RunContext.h"
#include "engine/RunController.h"
#include "engine/TextFormat.h"
#include "engine/WalkFixture.h"
#include "model/CProjectData.h"
#include "model/RunParameterBuild.h"
#include "resources/Strings.h"

#include <QDir>

using namespace walktest;
using namespace Qt::Literals::StringLiterals;

namespace {

// One pair of a Kopierdatei line, relative to the test's root; an empty target stays empty.
struct Pair {
    QString source;
    QString target;
};

// Runs of a Kopierdatei written by the test, with the parameters built the way the command
// "Kopieren mit Kopierdatei" builds them from a project.
class RetryRunTest : public WalkTest {
protected:
    QString KopierdateiPath() const { return Root() + QStringLiteral("/kopierdatei.txt"); }
    QString At(const QString &relative) const { return relative.isEmpty() ? QString() : Root() + u'/' + relative; }

    QString Line(const Pair &pair) const { return At(pair.source) + u'|' + At(pair.target); }
    QStringList Lines(const std::vector<Pair> &pairs) const
    {
        QStringList lines;
        for (const Pair &pair : pairs)
            lines << Line(pair);
        return lines;
    }

    // Writes the pairs as a Kopierdatei with a byte-order mark, as other editors save it.
    void WriteKopierdatei(const std::vector<Pair> &pairs)
    {
        WriteFile(KopierdateiPath(), QByteArray("\xff\xfe", 2) + RecordBytes(Lines(pairs)));
    }

    // The project's record files; the retry list is a separate file unless the test says so.
    model::CProjectData Project(const QString &retryList) const
    {
        model::CProjectData project;
        project.Option.LogFile = LogPath();
        project.Option.CompareAfterCopy = 1;
        project.Dateien.CopiedListFile = CopiedPath();
        project.Dateien.RetryListFile = retryList;
        return project;
    }

    void Build(const model::CProjectData &project)
    {
        m_params = std::make_unique<CViewData>();
        ASSERT_FALSE(model::BuildRetryRunParameters(project, KopierdateiPath(), *m_params).has_value());
    }

    // Runs headless; `cancelAt` (when not empty) cancels the run from inside the first message
    // event whose text contains it, on the worker's own thread.
    void RunCancellingAt(const QString &cancelAt)
    {
        RunContext run(*m_params, Observer(), Presentation::Headless);
        Observer().SetMessageHook([&run, cancelAt](const CProgressData &record) {
            if (!cancelAt.isEmpty() && record.MessageText.contains(cancelAt))
                run.RequestCancel();
        });
        RunController(run).Run();
        m_runErrors = run.ErrorCount();
    }

    QStringList ErrorTexts() const { return MessagesOfKind(MessageKind::Error); }
};

// The failed copy's reason as string 406 words it, without its time stamp and system text.
QString CopyFailureCore(const QString &source, const QString &target)
{
    QString core = FormatStr(406, {QString(), source, target, QString()});
    return core.trimmed();
}

TEST_F(RetryRunTest, SecondSourceMissingLeavesExactlyThatPairForTheNextAttempt)
{
    Put(QStringLiteral("a.txt"), "Inhalt A");
    Put(QStringLiteral("c.txt"), "Inhalt C, etwas laenger");
    const std::vector<Pair> pairs = {{u"src/a.txt"_s, u"dst/eins/a.txt"_s},
                                     {u"src/b.txt"_s, u"dst/zwei/b.txt"_s},
                                     {u"src/c.txt"_s, u"dst/drei/tief/c.txt"_s}};
    WriteKopierdatei(pairs);
    Build(Project(RetryPath()));
    Run();

    EXPECT_EQ(ReadFile(At(u"dst/eins/a.txt"_s)), QByteArray("Inhalt A"));
    EXPECT_EQ(ReadFile(At(u"dst/drei/tief/c.txt"_s)), QByteArray("Inhalt C, etwas laenger"));
    EXPECT_FALSE(Exists(At(u"dst/zwei/b.txt"_s)));
    EXPECT_EQ(RecordLines(RetryPath()), QStringList{Line(pairs[1])});
    EXPECT_EQ(RecordLines(CopiedPath()), (QStringList{At(u"src/a.txt"_s), At(u"src/c.txt"_s)}));
    // The Kopierdatei that was read is not the project's retry list and stays as it was.
    EXPECT_EQ(ReadFile(KopierdateiPath()), QByteArray("\xff\xfe", 2) + RecordBytes(Lines(pairs)));

    const CProgressData final = FinalRecord();
    EXPECT_EQ(final.SelectedFiles, 3);
    EXPECT_EQ(final.FilesDone, 2);
    EXPECT_EQ(final.ErrorCount, 1);
    EXPECT_EQ(final.TotalBytes, qint64(8 + 23));
    EXPECT_EQ(final.BytesDone, qint64(8 + 23));
    EXPECT_EQ(m_runErrors, 1);
    ASSERT_EQ(ErrorTexts().size(), 1);
    EXPECT_TRUE(ErrorTexts()[0].contains(CopyFailureCore(At(u"src/b.txt"_s), At(u"dst/zwei/b.txt"_s))))
        << ErrorTexts()[0].toStdString();

    // One job, number 0, in the first pane.
    const QStringList texts = Observer().MessageTexts();
    EXPECT_EQ(texts.count(u"Starte Job 0\r\n"_s), 1);
    EXPECT_EQ(texts.count(u"Beende Job 0  (1 Fehler)\r\n"_s), 1);
    for (const auto &message : Observer().Messages()) {
        if (message.text.contains(u"Job"_s)) {
            EXPECT_EQ(message.pane, 0) << message.text.toStdString();
        }
    }
    EXPECT_TRUE(Observer().JobStatuses().empty());
    // The pane ends showing the final counts, not those of the last 3000-ms refresh.
    CProgressData lastShown;
    for (const auto &pane : Observer().Panes()) {
        if (pane.mask & UPD_BAR1_BYTES)
            lastShown = pane.record;
    }
    EXPECT_EQ(lastShown.FilesDone, 2);
    EXPECT_EQ(lastShown.BytesDone, qint64(8 + 23));

    // The log, read byte by byte: one job block headed with job 0, the failure in it, and
    // the run summary naming the Kopierdatei that was read.
    const QStringList log = RecordLines(LogPath());
    const QString stars(81, u'*');
    ASSERT_EQ(log.count(stars), 1);
    const qsizetype header = log.indexOf(stars) + 1;
    ASSERT_LT(header, log.size());
    EXPECT_TRUE(log[header].startsWith(u"Job 0 - "_s)) << log[header].toStdString();
    int jobHeaders = 0;
    for (const QString &line : log)
        jobHeaders += line.startsWith(u"Job "_s) && line.contains(u" - "_s) ? 1 : 0;
    EXPECT_EQ(jobHeaders, 1);
    const QStringList block = LogBlock(0);
    EXPECT_EQ(block.filter(CopyFailureCore(At(u"src/b.txt"_s), At(u"dst/zwei/b.txt"_s))).size(), 1);
    EXPECT_TRUE(log.contains(FormatStr(363, {KopierdateiPath()}))) << log.join(u'\n').toStdString();
    EXPECT_TRUE(LeftoverTempFiles().isEmpty()) << LeftoverTempFiles().join(u' ').toStdString();
}

TEST_F(RetryRunTest, PairWithoutTargetIsCopiedOntoTheTemporaryTargetFile)
{
    Put(QStringLiteral("a.txt"), "nur pruefen");
    const std::vector<Pair> pairs = {{u"src/a.txt"_s, QString()}, {u"src/fehlt.txt"_s, QString()}};
    WriteKopierdatei(pairs);
    model::CProjectData project = Project(RetryPath());
    project.Option.DeleteSourceAfterCopy = 1;
    Build(project);
    Run();

    const CProgressData final = FinalRecord();
    EXPECT_EQ(final.FilesDone, 1);
    EXPECT_EQ(final.ErrorCount, 1);
    // The missing source goes back with its empty target, so the line reads back the same.
    EXPECT_EQ(RecordLines(RetryPath()), QStringList{Line(pairs[1])});
    EXPECT_EQ(RecordLines(CopiedPath()), QStringList{At(u"src/a.txt"_s)});
    // A copy onto the temporary file is no backup that would allow the source to go.
    EXPECT_EQ(ReadFile(At(u"src/a.txt"_s)), QByteArray("nur pruefen"));

    // The first pair always refreshes, so its copy and its comparison show their target:
    // the temporary file in the program's temporary directory.
    QString copiedOnto;
    QString comparedWith;
    for (const auto &pane : Observer().Panes()) {
        if ((pane.mask & UPD_ACT_COPY) && copiedOnto.isEmpty())
            copiedOnto = pane.record.TargetPath;
        if ((pane.mask & UPD_ACT_COMPARE) && comparedWith.isEmpty())
            comparedWith = pane.record.TargetPath;
    }
    EXPECT_TRUE(copiedOnto.startsWith(ProgramTemp() + u'/')) << copiedOnto.toStdString();
    EXPECT_EQ(comparedWith, copiedOnto);
    EXPECT_FALSE(Exists(copiedOnto));
    EXPECT_TRUE(LeftoverTempFiles().isEmpty()) << LeftoverTempFiles().join(u' ').toStdString();
    EXPECT_FALSE(Exists(Target()));
}

TEST_F(RetryRunTest, TargetDirectoryThatCannotBeCreatedIsTheFilesError)
{
    Put(QStringLiteral("a.txt"), "a");
    Put(QStringLiteral("b.txt"), "b");
    WriteFile(At(u"sperre"_s), "eine Datei, kein Verzeichnis");
    const std::vector<Pair> pairs = {{u"src/a.txt"_s, u"sperre/unter/a.txt"_s}, {u"src/b.txt"_s, u"dst/neu/b.txt"_s}};
    WriteKopierdatei(pairs);
    Build(Project(RetryPath()));
    Run();

    EXPECT_EQ(RecordLines(RetryPath()), QStringList{Line(pairs[0])});
    EXPECT_EQ(ReadFile(At(u"dst/neu/b.txt"_s)), QByteArray("b"));
    ASSERT_EQ(ErrorTexts().size(), 1);
    const QString core = FormatStr(405, {QString(), At(u"sperre/unter/"_s), QString()}).trimmed();
    EXPECT_TRUE(ErrorTexts()[0].contains(core)) << ErrorTexts()[0].toStdString();
    EXPECT_EQ(LogBlock(0).filter(core).size(), 1);
    EXPECT_EQ(FinalRecord().ErrorCount, 1);
}

TEST_F(RetryRunTest, RetryingTheProjectsOwnKopierdateiRewritesItWithThePairsThatFailAgain)
{
    Put(QStringLiteral("a.txt"), "a");
    const std::vector<Pair> pairs = {{u"src/a.txt"_s, u"dst/a.txt"_s},
                                     {u"src/b.txt"_s, u"dst/b.txt"_s},
                                     {u"src/c.txt"_s, QString()}};
    WriteKopierdatei(pairs);
    Build(Project(KopierdateiPath()));
    Run();
    EXPECT_EQ(RecordLines(KopierdateiPath()), (QStringList{Line(pairs[1]), Line(pairs[2])}));
    EXPECT_EQ(ReadFile(At(u"dst/a.txt"_s)), QByteArray("a"));

    // The next attempt reads the rewritten file; with every pair copied it exists and is empty.
    Put(QStringLiteral("b.txt"), "b");
    Put(QStringLiteral("c.txt"), "c");
    NewObserver();
    Build(Project(KopierdateiPath()));
    ASSERT_EQ(m_params->RetrySources.size(), 2);
    Run();
    EXPECT_EQ(FinalRecord().FilesDone, 2);
    EXPECT_EQ(FinalRecord().ErrorCount, 0);
    EXPECT_TRUE(Exists(KopierdateiPath()));
    EXPECT_EQ(ReadFile(KopierdateiPath()), QByteArray());
    EXPECT_EQ(ReadFile(At(u"dst/b.txt"_s)), QByteArray("b"));
}

TEST_F(RetryRunTest, ThreeThreadsInTheProjectStillRunOneWorkerInTheFirstPane)
{
    std::vector<Pair> pairs;
    for (int i = 0; i < 5; ++i) {
        const QString name = QStringLiteral("f%1.txt").arg(i);
        Put(name, name.toUtf8());
        pairs.push_back({u"src/"_s + name, u"dst/"_s + name});
    }
    WriteKopierdatei(pairs);
    model::CProjectData project = Project(RetryPath());
    project.Option.ThreadCount = 3;
    Build(project);
    // The controller alone must keep a retry run to one worker, whatever the parameters say.
    m_params->ThreadCount = 3;
    Run();

    ASSERT_FALSE(Observer().Panes().empty());
    for (const auto &pane : Observer().Panes())
        EXPECT_EQ(pane.pane, 0);
    EXPECT_EQ(Observer().MessageTexts().filter(u"Starte Job"_s), QStringList{u"Starte Job 0\r\n"_s});
    EXPECT_EQ(FinalRecord().FilesDone, 5);
    for (const Pair &pair : pairs)
        EXPECT_EQ(ReadFile(At(pair.target)), ReadFile(At(pair.source))) << pair.target.toStdString();
}

// A cancel stops the pairs at once; those it left untried go back into the Kopierdatei after
// the ones that failed, since the run deleted that file at its start.
struct CancelCase {
    const char *name;
    bool cancelAtStart; // otherwise at the failure of the second pair
    QStringList expectedRetryPairs;
    QStringList expectedCopied;
};

void PrintTo(const CancelCase &c, std::ostream *os)
{
    *os << c.name;
}

class RetryRunCancel : public RetryRunTest, public testing::WithParamInterface<CancelCase> {};

TEST_P(RetryRunCancel, KeepsEveryPairThatWasNotCopied)
{
    Put(QStringLiteral("a.txt"), "a");
    Put(QStringLiteral("c.txt"), "c");
    Put(QStringLiteral("d.txt"), "d");
    const std::vector<Pair> pairs = {{u"src/a.txt"_s, u"dst/a.txt"_s},
                                     {u"src/b.txt"_s, u"dst/b.txt"_s},
                                     {u"src/c.txt"_s, u"dst/c.txt"_s},
                                     {u"src/d.txt"_s, QString()}};
    WriteKopierdatei(pairs);
    Build(Project(KopierdateiPath()));
    const CancelCase &c = GetParam();
    RunCancellingAt(c.cancelAtStart ? u"Starte Job 0"_s : CopyFailureCore(At(u"src/b.txt"_s), At(u"dst/b.txt"_s)));

    QStringList expectedRetry;
    for (const QString &source : c.expectedRetryPairs) {
        for (const Pair &pair : pairs) {
            if (pair.source == u"src/"_s + source)
                expectedRetry << Line(pair);
        }
    }
    QStringList expectedCopied;
    for (const QString &source : c.expectedCopied)
        expectedCopied << At(u"src/"_s + source);
    EXPECT_EQ(RecordLines(KopierdateiPath()), expectedRetry);
    EXPECT_EQ(RecordLines(CopiedPath()), expectedCopied);
    EXPECT_EQ(Exists(At(u"dst/a.txt"_s)), expectedCopied.contains(At(u"src/a.txt"_s)));
    EXPECT_FALSE(Exists(At(u"dst/c.txt"_s)));
    EXPECT_EQ(MessagesOfKind(MessageKind::Error).count(LoadStr(364)), 1);
    EXPECT_TRUE(LogBlock(0).contains(LoadStr(365)));
    EXPECT_TRUE(LeftoverTempFiles().isEmpty()) << LeftoverTempFiles().join(u' ').toStdString();
    // Reading the rewritten file again gives back the same pairs, in the same order.
    Build(Project(KopierdateiPath()));
    EXPECT_EQ(m_params->RetrySources.size(), expectedRetry.size());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RetryRunCancel,
    testing::Values(CancelCase{"BeforeTheFirstPair", true, {u"a.txt"_s, u"b.txt"_s, u"c.txt"_s, u"d.txt"_s}, {}},
                    CancelCase{"AtTheSecondPair", false, {u"b.txt"_s, u"c.txt"_s, u"d.txt"_s}, {u"a.txt"_s}}),
    [](const testing::TestParamInfo<CancelCase> &info) { return std::string(info.param.name); });

} // namespace
