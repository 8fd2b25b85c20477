#pragma once

#include <QString>
#include <QtGlobal>

// Which parts of a progress pane one pane event refreshes (the bit numbers are fixed).
enum UpdateMask : quint64 {
    UPD_ACT_SCAN = 1ull << 0,
    UPD_ACT_COPY = 1ull << 1,
    UPD_ACT_COMPARE = 1ull << 2,
    UPD_ACT_DONE = 1ull << 3,
    UPD_ACT_MKDIR = 1ull << 4,
    UPD_ACT_DEL_TARGET = 1ull << 5,
    UPD_ACT_DEL_SOURCE = 1ull << 6,
    UPD_ACT_WORKING = 1ull << 7,
    UPD_BAR1_RESET = 1ull << 12,
    UPD_BAR2_RESET = 1ull << 13,
    UPD_BAR1_BYTES = 1ull << 14,
    UPD_BAR2_FILE = 1ull << 15,
    UPD_BAR1_DIRS = 1ull << 16,
    UPD_SOURCE = 1ull << 20,
    UPD_TARGET = 1ull << 21,
    UPD_SOURCE_ALT = 1ull << 22,
    UPD_TARGET_ALT = 1ull << 23,
    UPD_COUNT_FILES = 1ull << 28,
    UPD_COUNT_FILE_OF = 1ull << 29,
    UPD_COUNT_SEARCHED = 1ull << 30,
    UPD_COUNT_DELETED = 1ull << 31,
    UPD_COUNT_DIRS = 1ull << 32,
    UPD_SIZE = 1ull << 36,
    UPD_PCT1_BYTES = 1ull << 37,
    UPD_PCT1_DIRS = 1ull << 38,
    UPD_TIME_BYTES = 1ull << 39,
    UPD_TIME_DIRS = 1ull << 40,
    UPD_PCT2_FILE = 1ull << 41,
    UPD_ACT_COMPRESS = 1ull << 42,
    UPD_ACT_DECOMPRESS = 1ull << 43,
    UPD_BAR1_STEP = 1ull << 44,
};

// What a message event does besides adding its text to the message box.
enum class MessageKind : qint32 {
    None = 0,
    Error = 1,        // counted as an error
    Information = 2,  // not counted
    SkipCounters = 3, // adds the record's skip counters to the run's
};

// One worker's progress record. The worker owns it; every event carries the whole record,
// so a front end that dropped events shows the current state again with the next one.
struct CProgressData {
    qint32 Pane = -1;
    quint64 Mask = 0;
    QString SourcePath;
    QString TargetPath;
    QString ListedSource;
    QString ListedTarget;
    QString CheckKey;
    QString SourceRoot;
    QString TargetRoot;
    qint32 SelectedFiles = 0;
    qint32 FilesDone = 0;
    qint64 TotalBytes = 0;
    qint64 BytesDone = 0;
    qint64 CompressedBytes = 0;
    qint32 UncompressedFiles = 0;
    qint32 ErrorCount = 0;
    qint64 FileSize = 0;
    qint64 CompressedSize = 0;
    qint64 FileBytesDone = 0;
    qint64 FileTime = 0;
    qint32 SkippedFiles = 0;
    qint32 SkippedDirectories = 0;
    quint32 StartTick = 0;
    QString MessageText;
    MessageKind Kind = MessageKind::None;
    qint32 Compressed = 0;
    qint32 DirectoryCount = 0;
    qint32 DirectoriesDone = 0;
    QString AltTargetText;
    QString AltSourceText;
    qint32 StageDeletedCount = 0;
    qint32 StageSearchedCount = 0;
    qint32 Refresh = 0;
};

// Milliseconds of a monotonic clock, wrapping like a 32-bit tick count; differences of two
// ticks are meaningful across the wrap.
quint32 CurrentTick();
