#pragma once

#include "engine/CProgressData.h"
#include "engine/CProtokolldatei.h"
#include "engine/JobContext.h"
#include "engine/RunContext.h"
#include "model/CListData.h"
#include "model/CViewData.h"
#include "platform/TestFiles.h"
#include "support/RecordingObserver.h"

#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

// A recording observer that also lets a test act inside a pane event, on the worker's
// thread, while the worker waits: to cancel in the middle of a file, or to change a file
// between the copy and the comparison.
class PaneHookObserver : public RecordingObserver {
public:
    std::function<void(const CProgressData &)> PaneHook;

    void OnPaneEvent(const CProgressData &record) override
    {
        RecordingObserver::OnPaneEvent(record);
        if (PaneHook)
            PaneHook(record);
    }
};

// One job of a headless run over a temporary directory, ready to hand single files to the
// per-file steps the way the job walk does.
class CopyFixture : public ::testing::Test {
protected:
    CopyFixture()
        : run(params, observer, Presentation::Headless)
        , job(run, &listData, 0, 0)
    {
    }

    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString Path(const QString &name) const { return dir.path() + QStringLiteral("/") + name; }

    // Fills the record for copying `sourceName` to `targetName` as the job walk does; size and
    // time come from the file as a listing would see them.
    void Describe(const QString &sourceName, const QString &targetName)
    {
        CProgressData &record = job.Record;
        record.SourcePath = Path(sourceName);
        record.TargetPath = Path(targetName);
        record.ListedSource = record.SourcePath;
        record.ListedTarget = record.TargetPath;
        record.CheckKey = record.TargetPath;
        struct stat st{};
        ASSERT_EQ(::stat(testfiles::Bytes(record.SourcePath).constData(), &st), 0);
        record.FileSize = st.st_size;
        record.FileTime = 116444736000000000LL + qint64(st.st_mtim.tv_sec) * 10000000 + st.st_mtim.tv_nsec / 100;
        record.Compressed = 0;
        record.CompressedSize = 0;
        record.Refresh = 0;
    }

    // A sparse file: cheap to make however large it is.
    void MakeSparse(const QString &name, qint64 size)
    {
        ASSERT_TRUE(testfiles::WriteFile(Path(name), QByteArray("head")));
        ASSERT_EQ(::truncate(testfiles::Bytes(Path(name)).constData(), off_t(size)), 0);
    }

    // Appends the record file's block to a final file and returns that file's bytes.
    QByteArray Finish(CProtokolldatei &list, const QString &finalName)
    {
        QString error;
        EXPECT_TRUE(list.AppendTo(Path(finalName), &error)) << error.toStdString();
        return testfiles::ReadFile(Path(finalName));
    }

    void OpenLists()
    {
        ASSERT_TRUE(job.Log.OpenTemp());
        ASSERT_TRUE(job.CopiedList.OpenTemp());
        ASSERT_TRUE(job.RetryList.OpenTemp());
    }

    std::vector<RecordingObserver::Message> MessagesOfKind(MessageKind kind) const
    {
        std::vector<RecordingObserver::Message> result;
        for (const auto &message : observer.Messages()) {
            if (message.kind == kind)
                result.push_back(message);
        }
        return result;
    }

    std::vector<RecordingObserver::Pane> PanesWith(quint64 bits) const
    {
        std::vector<RecordingObserver::Pane> result;
        for (const auto &pane : observer.Panes()) {
            if ((pane.mask & bits) == bits)
                result.push_back(pane);
        }
        return result;
    }

    QTemporaryDir dir;
    CViewData params;
    PaneHookObserver observer;
    RunContext run;
    CListData listData;
    JobContext job;
    testfiles::FaultGuard faults;
};

// A record line as the record files hold it: UTF-16LE, ending in CR LF.
inline QByteArray Utf16Line(const QString &text)
{
    QByteArray bytes;
    for (QChar c : text + QStringLiteral("\r\n")) {
        bytes.append(char(c.unicode() & 0xff));
        bytes.append(char(c.unicode() >> 8));
    }
    return bytes;
}

inline QString Utf16Text(const QByteArray &bytes)
{
    return QString::fromUtf16(reinterpret_cast<const char16_t *>(bytes.constData()), bytes.size() / 2);
}

// The text with its leading "[hh:mm:ss]," replaced by "<T>", so that messages can be
// compared with their string-table format filled with "<T>" for the time stamp.
inline QString WithoutTimeStamp(const QString &text)
{
    static const QRegularExpression stamp(QStringLiteral("\\[\\d\\d:\\d\\d:\\d\\d\\],"));
    QString result = text;
    return result.replace(stamp, QStringLiteral("<T>"));
}

inline const QString kT = QStringLiteral("<T>");
