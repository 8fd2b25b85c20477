#include "MainWindowFixture.h"

#include "model/CSettings.h"
#include "model/ProjectFile.h"
#include "engine/TextFormat.h"
#include "resources/Strings.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QMenu>

namespace {

CListData job(const QString &source, const QString &target)
{
    CListData data;
    data.SourceDir = source;
    data.TargetDir = target;
    return data;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class ProjectFiles : public MainWindowTest {
protected:
    // Adds a job through the job entry dialog, as the user does.
    void AddJobByDialog(const QString &source)
    {
        prompts.exec = [source](QDialog &dialog) {
            dialog.findChild<QLineEdit *>(QStringLiteral("SourceDir"))->setText(source);
            return int(QDialog::Accepted);
        };
        View().OnNew();
        prompts.exec = nullptr;
    }
};

TEST_F(ProjectFiles, SaveAsWritesTheSameBytesAsTheCommandLineProgramAndNamesTheProject)
{
    AddJobByDialog(QStringLiteral("/daten"));
    const QString path = temp.filePath(QStringLiteral("neu"));
    prompts.saveFile = path;
    ASSERT_TRUE(Frame().Files().OnFileSave()) << "an untitled project is saved under a chosen name";
    const QString saved = path + QStringLiteral(".zelv");
    EXPECT_EQ(fileBytes(saved), model::WriteProject(Project()));
    model::CProjectData read;
    ASSERT_FALSE(model::LoadProject(saved, read).has_value());
    ASSERT_EQ(read.Jobs.size(), 1);
    EXPECT_EQ(read.Jobs[0].SourceDir, QStringLiteral("/daten"));
    EXPECT_EQ(read.Jobs[0].Active, 1);
    EXPECT_FALSE(Frame().Doc().IsModified());
    EXPECT_EQ(Frame().Doc().PathName(), saved);
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("neu.zelv - Zelvaron"));
    EXPECT_EQ(Frame().Files().RecentFiles(), QStringList{saved});
}

TEST_F(ProjectFiles, OpenShowsAProjectTheCommandLineProgramWrote)
{
    model::CProjectData project;
    project.Jobs = {job(QStringLiteral("/a"), QStringLiteral("/b")), job(QStringLiteral("/c"), QStringLiteral("/d"))};
    project.Option.ThreadCount = 3;
    const QString path = temp.filePath(QStringLiteral("cli.zelv"));
    ASSERT_FALSE(model::SaveProject(path, project).has_value());
    prompts.openFile = path;
    Frame().Files().OnFileOpen();
    EXPECT_EQ(Column(CViewSich::ColSource), (QStringList{QStringLiteral("/a"), QStringLiteral("/c")}));
    EXPECT_EQ(Project().Option.ThreadCount, 3);
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("cli.zelv - Zelvaron"));
}

TEST_F(ProjectFiles, FileThatIsNoProjectKeepsTheCurrentProjectAndItsFile)
{
    OpenJobs({job(QStringLiteral("/a"), QStringLiteral("/b"))});
    const QString current = Frame().Doc().PathName();
    const QString other = temp.filePath(QStringLiteral("fremd.zelv"));
    QFile file(other);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArrayLiteral("\x02\x00\x00\x00kein Projekt, nur Text"));
    file.close();
    const QByteArray otherBytes = fileBytes(other);

    EXPECT_FALSE(Frame().Files().OpenDocumentFile(other));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, LoadStr(332));
    EXPECT_EQ(Frame().Doc().PathName(), current);
    EXPECT_EQ(Project().Jobs.size(), 1);

    ASSERT_TRUE(Frame().Files().OnFileSave());
    EXPECT_EQ(fileBytes(other), otherBytes) << "a later save must not write over the file that failed to open";
    EXPECT_TRUE(prompts.saveFileInitials.isEmpty());
}

TEST_F(ProjectFiles, TruncatedProjectIsReportedAndNotTaken)
{
    model::CProjectData project;
    project.Jobs = {job(QStringLiteral("/a"), QStringLiteral("/b"))};
    QByteArray bytes = model::WriteProject(project);
    bytes.chop(10);
    const QString path = temp.filePath(QStringLiteral("kurz.zelv"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    EXPECT_FALSE(Frame().Files().OpenDocumentFile(path));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_TRUE(prompts.messages[0].text.contains(path));
    EXPECT_TRUE(Frame().Doc().PathName().isEmpty());
    EXPECT_TRUE(Project().Jobs.isEmpty());
}

TEST_F(ProjectFiles, SaveQuestionBeforeNewDecidesWhatHappens)
{
    AddJobByDialog(QStringLiteral("/daten"));
    prompts.saveChoice = SaveChoice::Cancel;
    Frame().Files().OnFileNew();
    ASSERT_EQ(prompts.saveQuestions.size(), 1);
    EXPECT_EQ(prompts.saveQuestions[0], FormatStr(5706, {LoadStr(5705)}));
    EXPECT_EQ(Project().Jobs.size(), 1) << "cancel keeps the project";

    prompts.saveChoice = SaveChoice::Save;
    prompts.saveFile = temp.filePath(QStringLiteral("gesichert.zelv"));
    Frame().Files().OnFileNew();
    EXPECT_TRUE(Project().Jobs.isEmpty());
    EXPECT_TRUE(QFile::exists(prompts.saveFile));

    AddJobByDialog(QStringLiteral("/wieder"));
    prompts.saveChoice = SaveChoice::Save;
    prompts.saveFile.clear();
    Frame().Files().OnFileNew();
    EXPECT_EQ(Project().Jobs.size(), 1) << "a save that did not happen keeps the project";

    prompts.saveChoice = SaveChoice::Discard;
    Frame().Files().OnFileNew();
    EXPECT_TRUE(Project().Jobs.isEmpty());
    EXPECT_TRUE(Frame().Doc().PathName().isEmpty());
}

TEST_F(ProjectFiles, ClosingAProjectDeletesTheListFilesFlaggedForDeletion)
{
    const QString copied = temp.filePath(QStringLiteral("kopiert.txt"));
    const QString retry = temp.filePath(QStringLiteral("kopierdatei.txt"));
    for (const QString &path : {copied, retry}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    model::CProjectData project;
    project.Dateien.CopiedListFile = copied;
    project.Dateien.DeleteCopiedListAtEnd = 1;
    project.Dateien.RetryListFile = retry;
    project.Dateien.DeleteRetryListAtEnd = 0;
    const QString path = temp.filePath(QStringLiteral("listen.zelv"));
    ASSERT_FALSE(model::SaveProject(path, project).has_value());
    ASSERT_TRUE(Frame().Files().OpenDocumentFile(path));
    EXPECT_TRUE(QFile::exists(copied));
    Frame().Files().OnFileNew();
    EXPECT_FALSE(QFile::exists(copied));
    EXPECT_TRUE(QFile::exists(retry));
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(ProjectFiles, RecentListPutsTheLastProjectOnTopAndOpensFromTheMenu)
{
    const QString first = WriteProject(QStringLiteral("eins.zelv"), {job(QStringLiteral("/1"), QString())});
    const QString second = WriteProject(QStringLiteral("zwei.zelv"), {job(QStringLiteral("/2"), QString())});
    ASSERT_TRUE(Frame().Files().OpenDocumentFile(first));
    ASSERT_TRUE(Frame().Files().OpenDocumentFile(second));
    ASSERT_TRUE(Frame().Files().OpenDocumentFile(first));
    EXPECT_EQ(Frame().Files().RecentFiles(), (QStringList{first, second}));
    QAction *entry = Frame().FileMenu()->findChild<QAction *>(QStringLiteral("RecentFile2"));
    ASSERT_NE(entry, nullptr);
    EXPECT_TRUE(entry->text().startsWith(QStringLiteral("&2 ")));
    entry->trigger();
    EXPECT_EQ(Frame().Doc().PathName(), second);
    EXPECT_EQ(Column(CViewSich::ColSource), QStringList{QStringLiteral("/2")});
}

} // namespace
