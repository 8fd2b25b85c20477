#include "PageTestSupport.h"

#include "mainwindow/PageFileViewer.h"
#include "support/gui/GuiTestApp.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include <cerrno>
#include <sys/stat.h>

namespace {

QByteArray utf16le(const QString &text)
{
    QByteArray bytes;
    for (QChar c : text) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    return bytes;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

const QString kRecord = QStringLiteral("/quelle/Bericht ä.txt|/ziel/Bericht ä.txt\r\n/quelle/b.txt|/ziel/b.txt\r\n");

TEST(PageFileViewer, RecordFilesAreDecodedWhateverTheyStartWith)
{
    const struct {
        const char *what;
        QByteArray bytes;
    } rows[] = {
        {"UTF-16LE", utf16le(kRecord)},
        {"UTF-16LE with mark", QByteArray("\xFF\xFE", 2) + utf16le(kRecord)},
        {"UTF-8 with mark", QByteArray("\xEF\xBB\xBF") + kRecord.toUtf8()},
        {"UTF-8", kRecord.toUtf8()},
    };
    for (const auto &row : rows)
        EXPECT_EQ(ui::DecodeRecordFile(row.bytes), kRecord) << row.what;
    EXPECT_EQ(ui::DecodeRecordFile(QByteArray()), QString());
}

TEST(PageFileViewer, ReadingRefusesWhatIsNoRegularFile)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("fifo"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const struct {
        QString path;
        int error;
    } rows[] = {
        {dir.filePath(QStringLiteral("fehlt.txt")), ENOENT},
        {dir.path(), EISDIR},
        {fifo, EINVAL},
    };
    for (const auto &row : rows) {
        QString text = QStringLiteral("unverändert");
        const std::optional<model::FileError> error = ui::ReadRecordFile(row.path, text);
        ASSERT_TRUE(error.has_value()) << row.path.toStdString();
        EXPECT_EQ(error->ErrorCode, row.error) << row.path.toStdString();
        EXPECT_EQ(text, QStringLiteral("unverändert"));
    }
}

TEST(PageFileViewer, TheViewerShowsTheFileReadOnlyWithItsPathAsTitle)
{
    GuiTestApp();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kopierdatei.txt"));
    ASSERT_TRUE(writeFile(path, QByteArray("\xFF\xFE", 2) + utf16le(kRecord)));
    std::optional<model::FileError> error;
    ui::CFileViewer *viewer = ui::OpenFileViewer(nullptr, path, error);
    ASSERT_NE(viewer, nullptr);
    EXPECT_FALSE(error.has_value());
    EXPECT_EQ(viewer->windowTitle(), path);
    EXPECT_TRUE(viewer->isVisible());
    auto *view = viewer->findChild<QPlainTextEdit *>(QStringLiteral("FileViewerText"));
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->isReadOnly());
    EXPECT_EQ(viewer->Text(),
              QStringLiteral("/quelle/Bericht ä.txt|/ziel/Bericht ä.txt\n/quelle/b.txt|/ziel/b.txt\n"));
    delete viewer;
}

TEST(PageFileViewer, NothingHappensForAFileThatDoesNotExist)
{
    GuiTestApp();
    QTemporaryDir dir;
    std::optional<model::FileError> error;
    EXPECT_EQ(ui::OpenFileViewer(nullptr, dir.filePath(QStringLiteral("fehlt.txt")), error), nullptr);
    EXPECT_FALSE(error.has_value());
}

TEST(PageFileViewer, AnExistingFileThatCannotBeReadIsReported)
{
    GuiTestApp();
    QTemporaryDir dir;
    std::optional<model::FileError> error;
    EXPECT_EQ(ui::OpenFileViewer(nullptr, dir.path(), error), nullptr);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->ErrorCode, EISDIR);
}

} // namespace
