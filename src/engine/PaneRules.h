#pragma once

#include "engine/CProgressData.h"

#include <QDateTime>
#include <QString>

#include <optional>

// The texts and bar positions of one worker pane. The GUI draws them and the CLI prints a
// status line from them; both get them from ApplyPaneEvent so that they show the same.
struct PaneView {
    QString Action;
    int Bar1 = 0;
    int Bar1Steps = 0; // advances of the moving indicator while a tree is listed
    QString Percent1;
    int Bar2 = 0;
    QString Percent2;
    QString Source;
    QString Target;
    QString Count;
    QString Size;
    QString Remaining;
    QString Speed;
    QString ErrorLine;
    bool ErrorLineRed = false;
};

struct PaneEventContext {
    quint32 NowTick = 0;
    int ThreadCount = 1;
    QDateTime Now;
};

// The pane a record addresses, or nothing for a record outside panes 0..2.
std::optional<int> PaneIndex(const CProgressData &record);

// Applies the parts named by the record's mask to `pane`. Returns the text for the run's
// end-time field when this event estimates it (only with one thread).
std::optional<QString> ApplyPaneEvent(PaneView &pane, const CProgressData &record,
                                      const PaneEventContext &context);

// "%I64d %%" of done × 100 / total, empty when total is not positive.
QString PercentText(qint64 done, qint64 total);

// "%0.2f MB/Sek" of `bytes` over whole `seconds`; empty when seconds is 1 or less.
QString SpeedText(qint64 bytes, qint64 seconds);

// The message-box line of a message text: trailing CR and LF removed, one CR LF appended;
// empty for an empty text.
QString MessageBoxLine(const QString &text);

// The run's skip field, "%d / %d" of skipped files and skipped directories.
QString SkipFieldText(int skippedFiles, int skippedDirectories);
