#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <functional>
#include <optional>

// The text form of the check file: one entry per line, "key|time|size|checksum" and CR LF,
// UTF-16LE without byte-order mark.
struct CheckLine {
    QString Key;
    qint64 Time = 0;
    qint64 Size = 0;
    QString Checksum;
};

// False for a text that contains a bar, CR or LF: written into a line it would split the
// line differently when read back, so the entry would come back under another key.
bool FitsInCheckLine(QStringView text);

// The line of one entry, CR LF included (string 374).
QString FormatCheckLine(const CheckLine &line);

// Appends the same text as FormatCheckLine to `text`, without reading the format and without
// a string of its own: a check file holds one line per copied file.
void AppendCheckLine(QString &text, QStringView key, qint64 time, qint64 size, QStringView checksum);

// One line without its line break. Nothing when it lacks the key, time or size field (fewer
// than two bars); the checksum is empty when the line has only two bars.
std::optional<CheckLine> ParseCheckLine(QStringView line);

// A signed decimal number of the check file: leading blanks are skipped, an optional sign is
// taken, and the digits run up to the first other character. A text without digits gives 0;
// a value beyond the 64-bit range stops at the nearest limit.
qint64 ParseCheckNumber(QStringView text);

// Hands every well-formed line of a whole check file to `take`, in file order, and returns
// their count. A leading byte-order mark FF FE is skipped; lines end at LF and are cut at
// their first CR; an odd last byte is ignored.
qsizetype ForEachCheckLine(const QByteArray &content, const std::function<void(CheckLine &&)> &take);

// An upper bound of the lines in `content`, for reserving room.
qsizetype CountCheckFileLines(const QByteArray &content);

// The UTF-16LE bytes of `text`, code unit by code unit, so that the unpaired surrogates of
// file names that are not valid UTF-8 survive unchanged.
QByteArray EncodeUtf16Le(const QString &text);
QString DecodeUtf16Le(const QByteArray &bytes);
