#include "model/CPageDateien.h"
#include "model/CPageDatum.h"
#include "model/CPageMuster.h"
#include "model/CPageOption.h"
#include "model/CPagePruefdatei.h"
#include "model/CPageUnzip.h"
#include "model/CPageZip.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

TEST(OptionGroups, OptionDefaults)
{
    const model::CPageOption option;
    EXPECT_EQ(option.ThreadCount, 1);
    EXPECT_EQ(option.CompareAfterCopy, 1);
    EXPECT_EQ(option.DeleteTargetOnError, 1);
    EXPECT_EQ(option.DateFolderFormatId, 1);
    for (qint32 flag : {option.OnlyArchiveBit, option.AppendDateToTarget, option.ResetArchiveBit,
                        option.StartMinimized, option.ExitAfterCopy, option.ScanOnly,
                        option.OnlyExistingInTarget, option.OnlyMissingInTarget, option.ShutdownAfterCopy,
                        option.RebootAfterShutdown, option.Autostart, option.CopyDirectoryRights,
                        option.DirectoriesOnly, option.LongFileNames, option.ShowStatusAtNextStart,
                        option.DeleteEmptyTargetDirs, option.IncludeRootDir, option.DeleteSourceAfterCopy})
        EXPECT_EQ(flag, 0);
    EXPECT_TRUE(option.LogFile.isEmpty());
}

TEST(OptionGroups, ListFileDefaultsDeleteCopiedAndSkippedButKeepTheKopierdatei)
{
    const model::CPageDateien dateien;
    EXPECT_EQ(dateien.DeleteCopiedListAtEnd, 1);
    EXPECT_EQ(dateien.DeleteSkippedListAtEnd, 1);
    EXPECT_EQ(dateien.DeleteRetryListAtEnd, 0);
}

TEST(OptionGroups, CompressionDefaults)
{
    const model::CPageZip zip;
    EXPECT_EQ(zip.CompressFiles, 0);
    EXPECT_EQ(zip.VerifyCompressed, 0);
    EXPECT_EQ(zip.CompressExcludeEnabled, 0);
    EXPECT_EQ(zip.CompressExcludePatterns, u"*.zip, *.jpg, *.pdf, *.mpg, *.mp3, "_s);
    EXPECT_EQ(zip.CompressMinSize, 256u);
    EXPECT_EQ(zip.CompressMaxSizeMB, 3840u);
}

TEST(OptionGroups, ResetRestoresEveryGroupsDefaults)
{
    model::CPageOption option;
    option.ThreadCount = 3;
    option.LogFile = u"/tmp/log.txt"_s;
    option.DateFolderFormatId = 9;
    option.Reset();
    EXPECT_EQ(option, model::CPageOption());

    model::CPageMuster muster{1, 1, u"*.a"_s, u"*.b"_s, 1, 1, u"c"_s, u"d"_s};
    muster.Reset();
    EXPECT_EQ(muster, model::CPageMuster());
    EXPECT_TRUE(muster.FileIncludePatterns.isEmpty());

    model::CPageDateien dateien{u"a"_s, u"b"_s, u"c"_s, 1, 0, 0};
    dateien.Reset();
    EXPECT_EQ(dateien, model::CPageDateien());

    model::CPageDatum datum{2, u"3"_s, u"x"_s, u"y"_s, u"4"_s};
    datum.Reset();
    EXPECT_EQ(datum, model::CPageDatum());

    model::CPageZip zip;
    zip.CompressFiles = 1;
    zip.CompressExcludePatterns.clear();
    zip.CompressMaxSizeMB = 7;
    zip.Reset();
    EXPECT_EQ(zip, model::CPageZip());

    model::CPageUnzip unzip{1};
    unzip.Reset();
    EXPECT_EQ(unzip.DecompressFiles, 0);

    model::CPagePruefdatei pruefdatei{u"/tmp/p.txt"_s, 1};
    pruefdatei.Reset();
    EXPECT_EQ(pruefdatei, model::CPagePruefdatei());
}

TEST(OptionGroups, DateFolderClearsBothTargetComparisons)
{
    model::CPageOption option;
    option.OnlyExistingInTarget = 1;
    option.OnlyMissingInTarget = 1;
    option.ApplyDependencies();
    // Both may be on together; nothing but the date folder clears them.
    EXPECT_EQ(option.OnlyExistingInTarget, 1);
    EXPECT_EQ(option.OnlyMissingInTarget, 1);

    option.AppendDateToTarget = 1;
    option.ApplyDependencies();
    EXPECT_EQ(option.OnlyExistingInTarget, 0);
    EXPECT_EQ(option.OnlyMissingInTarget, 0);

    // Switching the date folder off again does not bring the old values back.
    option.AppendDateToTarget = 0;
    option.ApplyDependencies();
    EXPECT_EQ(option.OnlyExistingInTarget, 0);
    EXPECT_EQ(option.OnlyMissingInTarget, 0);
}

TEST(OptionGroups, DependentOptionsNeedTheirPrerequisite)
{
    struct Row {
        qint32 shutdown, reboot, deleteEmpty, includeRoot;
        qint32 expectedReboot, expectedIncludeRoot;
    };
    const Row rows[] = {
        {0, 1, 0, 1, 0, 0},
        {1, 1, 1, 1, 1, 1},
        {1, 1, 0, 1, 1, 0},
        {0, 1, 1, 1, 0, 1},
        // Any non-zero value counts as set.
        {5, 1, -1, 1, 1, 1},
    };
    for (const Row &row : rows) {
        model::CPageOption option;
        option.ShutdownAfterCopy = row.shutdown;
        option.RebootAfterShutdown = row.reboot;
        option.DeleteEmptyTargetDirs = row.deleteEmpty;
        option.IncludeRootDir = row.includeRoot;
        option.ApplyDependencies();
        EXPECT_EQ(option.RebootAfterShutdown, row.expectedReboot) << row.shutdown;
        EXPECT_EQ(option.IncludeRootDir, row.expectedIncludeRoot) << row.deleteEmpty;
    }
}

TEST(OptionGroups, VerifyAndExcludeNeedCompression)
{
    model::CPageZip zip;
    zip.CompressFiles = 1;
    zip.VerifyCompressed = 1;
    zip.CompressExcludeEnabled = 1;
    zip.ApplyDependencies();
    EXPECT_EQ(zip.VerifyCompressed, 1);
    EXPECT_EQ(zip.CompressExcludeEnabled, 1);

    zip.CompressFiles = 0;
    zip.ApplyDependencies();
    EXPECT_EQ(zip.VerifyCompressed, 0);
    EXPECT_EQ(zip.CompressExcludeEnabled, 0);
    EXPECT_EQ(zip.CompressExcludePatterns, model::CPageZip::DefaultExcludePatterns());
}

TEST(OptionGroups, DateModeEmptiesTheTextsItDoesNotUse)
{
    struct Row {
        qint32 mode;
        bool keepsAbsolute;
        bool keepsRelative;
    };
    const Row rows[] = {{0, false, false}, {1, true, false}, {2, false, true}, {7, true, true}};
    for (const Row &row : rows) {
        model::CPageDatum datum{row.mode, u"3"_s, u"01.02.2020"_s, u"03.04.2020"_s, u"2"_s};
        datum.ApplyModeRules();
        EXPECT_EQ(!datum.DateFromText.isEmpty(), row.keepsAbsolute) << row.mode;
        EXPECT_EQ(!datum.DateToText.isEmpty(), row.keepsAbsolute) << row.mode;
        EXPECT_EQ(!datum.RelativeDays.isEmpty(), row.keepsRelative) << row.mode;
        EXPECT_EQ(!datum.RelativeHours.isEmpty(), row.keepsRelative) << row.mode;
    }
}

TEST(OptionGroups, ValidationAcceptsTheRangesAndNamesTheFirstValueOutside)
{
    struct Row {
        qint32 threads;
        quint32 minSize;
        quint32 maxSizeMB;
        const char16_t *field; // nullptr: valid
    };
    const Row rows[] = {
        {1, 0, 1, nullptr},
        {3, 65535, 3840, nullptr},
        {0, 256, 3840, u"ThreadCount"},
        {4, 256, 3840, u"ThreadCount"},
        {-1, 256, 3840, u"ThreadCount"},
        {1, 65536, 3840, u"CompressMinSize"},
        {1, 256, 0, u"CompressMaxSizeMB"},
        {1, 256, 3841, u"CompressMaxSizeMB"},
        {1, 256, 4096, u"CompressMaxSizeMB"},
    };
    for (const Row &row : rows) {
        model::CPageOption option;
        option.ThreadCount = row.threads;
        model::CPageZip zip;
        zip.CompressMinSize = row.minSize;
        zip.CompressMaxSizeMB = row.maxSizeMB;
        auto error = option.Validate();
        if (!error)
            error = zip.Validate();
        if (row.field == nullptr) {
            EXPECT_FALSE(error.has_value()) << error->Field.toStdString();
        } else {
            ASSERT_TRUE(error.has_value()) << QString::fromUtf16(row.field).toStdString();
            EXPECT_EQ(error->Field, QString::fromUtf16(row.field));
        }
    }
}

TEST(OptionGroups, RangeErrorCarriesValueAndBounds)
{
    model::CPageOption option;
    option.ThreadCount = 9;
    EXPECT_EQ(option.Validate(), (model::OptionRangeError{u"ThreadCount"_s, 9, 1, 3}));
    model::CPageZip zip;
    zip.CompressMaxSizeMB = 5000;
    EXPECT_EQ(zip.Validate(), (model::OptionRangeError{u"CompressMaxSizeMB"_s, 5000, 1, 3840}));
}
