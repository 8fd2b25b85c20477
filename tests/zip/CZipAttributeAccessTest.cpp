#include "ZipTestSupport.h"

#include "zip/CCompressZip.h"
#include "zip/CZipAttributeAccess.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <sys/stat.h>

using namespace ZipTest;

namespace {

mode_t modeOf(const QString &path)
{
    struct stat status {};
    EXPECT_EQ(::lstat(QFile::encodeName(path).constData(), &status), 0);
    return status.st_mode & 07777;
}

void setMode(const QString &path, mode_t mode)
{
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0);
}

// Stands in for the platform layer: reports a fixed archive attribute and records what is
// applied.
class RecordingAccess : public CZipAttributeAccess
{
public:
    ZipAttributeRead Read(const QString &path) const override
    {
        ZipAttributeRead result = CZipAttributeAccess::Read(path);
        result.Attributes &= ~uint32_t(0x20);
        return result;
    }
    ZipSystemStatus Apply(const QString &path, uint32_t attributes) const override
    {
        Applied.emplace_back(path, attributes);
        return CZipAttributeAccess::Apply(path, attributes);
    }
    mutable std::vector<std::pair<QString, uint32_t>> Applied;
};

} // namespace

TEST(CZipAttributeAccess, ReadsTheDosWordFromTheMode)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("f"));
    WriteAll(file, "x");
    struct Row {
        QString path;
        mode_t mode;
        uint32_t attributes;
    };
    const Row rows[] = {
        {file, 0644, 0x20},
        {file, 0444, 0x21},
        {file, 0466, 0x21},
        {dir.path(), 0755, 0x30},
        {dir.path(), 0555, 0x31},
    };
    for (const Row &row : rows) {
        setMode(row.path, row.mode);
        const ZipAttributeRead read = CZipAttributeAccess::Default().Read(row.path);
        EXPECT_TRUE(read.Status.Ok());
        EXPECT_EQ(read.Attributes, row.attributes) << std::oct << row.mode;
    }
    setMode(dir.path(), 0700);
    const ZipAttributeRead missing = CZipAttributeAccess::Default().Read(dir.filePath(QStringLiteral("missing")));
    EXPECT_EQ(missing.Status.ErrorCode, ENOENT);
}

TEST(CZipAttributeAccess, ApplyingReadOnlyTogglesTheOwnersWriteBit)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("f"));
    WriteAll(file, "x");
    const std::tuple<mode_t, uint32_t, mode_t> rows[] = {
        {0664, 0x21, 0464}, {0644, 0x01, 0444}, {0444, 0x20, 0644}, {0400, 0x00, 0600}, {0644, 0x20, 0644},
    };
    for (const auto &[before, attributes, after] : rows) {
        setMode(file, before);
        EXPECT_TRUE(CZipAttributeAccess::Default().Apply(file, attributes).Ok());
        EXPECT_EQ(modeOf(file), after) << std::oct << before << " with " << attributes;
    }
    EXPECT_EQ(CZipAttributeAccess::Default().Apply(dir.filePath(QStringLiteral("missing")), 0x20).ErrorCode, ENOENT);
}

TEST(CZipAttributeAccess, ClearingReadOnlyLeavesLinkTargetsAlone)
{
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("target"));
    WriteAll(target, "x");
    setMode(target, 0444);
    const QString link = dir.filePath(QStringLiteral("link"));
    ASSERT_TRUE(QFile::link(target, link));
    EXPECT_TRUE(CZipAttributeAccess::Default().ClearReadOnly(link).Ok());
    EXPECT_EQ(modeOf(target), 0444u);
    EXPECT_TRUE(CZipAttributeAccess::Default().ClearReadOnly(target).Ok());
    EXPECT_EQ(modeOf(target), 0644u);
    EXPECT_EQ(CZipAttributeAccess::Default().ClearReadOnly(dir.filePath(QStringLiteral("missing"))).ErrorCode, ENOENT);
}

TEST(CZipAttributeAccess, CompressZipUsesTheAccessItIsGiven)
{
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("s.txt"));
    WriteAll(source, "inhalt");
    setMode(source, 0444);
    RecordingAccess access;
    CCompressZip zip;
    zip.SetAttributeAccess(access);
    CompressionRequest pack;
    pack.FilePath = source;
    pack.EntryName = QStringLiteral("s.txt");
    pack.ArchivePath = dir.filePath(QStringLiteral("a.zip"));
    ASSERT_TRUE(zip.Compress(pack));
    EXPECT_EQ(ReadArchive(pack.ArchivePath).Headers.at(0).ExternalAttributes, 0x01u);

    CompressionRequest unpack;
    unpack.ArchivePath = pack.ArchivePath;
    unpack.DestinationDir = dir.filePath(QStringLiteral("d"));
    ASSERT_TRUE(zip.Decompress(unpack));
    const QString output = dir.filePath(QStringLiteral("d/s.txt"));
    ASSERT_EQ(access.Applied.size(), 1u);
    EXPECT_EQ(access.Applied[0].first, output);
    EXPECT_EQ(access.Applied[0].second, 0x01u);
    EXPECT_EQ(modeOf(output) & S_IWUSR, 0u);
}
