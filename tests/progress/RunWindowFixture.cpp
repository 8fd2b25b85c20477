#include "RunWindowFixture.h"

#include "GuiTestApp.h"
#include "progress/CMessageEdit.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>

void FakeHost::MinimizeMainWindow()
{
    minimized = true;
    log << QStringLiteral("MinimizeMainWindow");
}

void FakeHost::RestoreMainWindow()
{
    minimized = false;
    log << QStringLiteral("RestoreMainWindow");
}

void FakeHost::SetMinimizedTitle(const QString &title) { log << QStringLiteral("Title ") + title; }
void FakeHost::ShowJobStatus(int jobIndex, const QString &text) { log << QStringLiteral("Status %1 %2").arg(jobIndex).arg(text); }
void FakeHost::EnableView() { log << QStringLiteral("EnableView"); }
void FakeHost::ClearDocumentModified() { log << QStringLiteral("ClearDocumentModified"); }
void FakeHost::CloseMainWindow() { log << QStringLiteral("CloseMainWindow"); }
void FakeHost::RegisterStatusMessage(int errorCount) { log << QStringLiteral("RegisterStatusMessage %1").arg(errorCount); }

void FakeHost::StartShutdown(ShutdownKind kind, const QString &message)
{
    log << QStringLiteral("StartShutdown %1 %2").arg(kind == ShutdownKind::Reboot ? u"reboot" : u"poweroff", message);
}

void SoundLog::Add(RunSound sound)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_played.push_back(sound);
}

std::vector<RunSound> SoundLog::Played() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_played;
}

void RunWindowTest::SetUp()
{
    GuiTestApp();
    ASSERT_TRUE(tree.isValid());
    dialog = std::make_unique<CDlgSichProgress>(host);
    dialog->SetSoundPlayer(std::make_unique<FakeSound>(sounds));
    auto fakeTaskbar = std::make_unique<FakeTaskbar>();
    taskbar = fakeTaskbar.get();
    dialog->SetTaskbar(std::move(fakeTaskbar));
    dialog->SetEndOfRunActions(&host);
    dialog->SetQuestion([this](QWidget *, const QString &text) {
        ++questions;
        questionTexts << text;
        if (whileAsking)
            whileAsking();
        return answer;
    });
}

void RunWindowTest::TearDown()
{
    if (dialog && dialog->IsRunThreadAlive())
        WaitForRunEnd();
    dialog.reset();
}

void RunWindowTest::AddJob()
{
    const QString source = tree.filePath(QStringLiteral("quelle%1").arg(jobCount));
    const QString target = tree.filePath(QStringLiteral("ziel%1").arg(jobCount));
    ++jobCount;
    QDir().mkpath(source + QStringLiteral("/unter"));
    QDir().mkpath(target);
    for (const QString &name : {QStringLiteral("a.txt"), QStringLiteral("b.txt"), QStringLiteral("unter/c.txt")}) {
        QFile file(source + u'/' + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("Inhalt von " + name.toUtf8());
    }
    auto job = std::make_unique<CListData>();
    job->SourceDir = source;
    job->TargetDir = target;
    dialog->Params().Jobs.push_back(std::move(job));
}

void RunWindowTest::Start()
{
    ASSERT_EQ(dialog->Create(), CDlgSichProgress::CreateResult::Started);
}

void RunWindowTest::WaitForRunEnd()
{
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog->IsRunThreadAlive(); }, 100000));
    QCoreApplication::processEvents();
}

void RunWindowTest::AtMessage(const QString &line, std::function<void()> action)
{
    auto done = std::make_shared<bool>(false);
    CMessageEdit *box = dialog->Controls().MessageBox;
    QObject::connect(box, &QPlainTextEdit::textChanged, box, [box, line, action, done] {
        if (*done || !box->toPlainText().split(u'\n').contains(line))
            return;
        *done = true;
        action();
    });
}

QStringList RunWindowTest::BoxLines() const
{
    if (!dialog->IsWindowOpen())
        return {};
    QStringList lines = dialog->Controls().MessageBox->toPlainText().split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QString RunWindowTest::FieldText(const char *name) const
{
    const auto *field = dialog->findChild<QLineEdit *>(QString::fromLatin1(name));
    return field ? field->text() : QStringLiteral("<missing>");
}

QString StartLine(int job)
{
    return QStringLiteral("Starte Job %1").arg(job);
}

QString EndLine(int job, int errors)
{
    return QStringLiteral("Beende Job %1  (%2 Fehler)").arg(job).arg(errors);
}
