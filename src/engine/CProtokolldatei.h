#pragma once

#include <QFile>
#include <QString>

#include <memory>

// A record file of one job (log, copied list, Kopierdatei, skipped list). Lines go into a
// private temporary file; at the end of the job the whole block is appended to the final
// file at once, so jobs running side by side never interleave their lines there.
// One object belongs to one thread at a time; only AppendTo touches shared state.
class CProtokolldatei {
public:
    CProtokolldatei() = default;
    ~CProtokolldatei();
    CProtokolldatei(const CProtokolldatei &) = delete;
    CProtokolldatei &operator=(const CProtokolldatei &) = delete;

    // Creates and attaches a new empty temporary file in the program's temporary directory.
    bool OpenTemp();
    bool IsOpen() const;
    // Writes `text` as one UTF-16LE line ending in CR LF: trailing line breaks are dropped and
    // inner CR LF pairs become blanks. False when nothing is attached or the write fails.
    bool WriteLine(const QString &text);
    // Appends the whole temporary file to `finalPath` under the process-wide append lock and
    // removes the temporary file in every case. True when nothing is attached.
    bool AppendTo(const QString &finalPath, QString *errorText);

    QString TempPath() const { return m_tempPath; }

private:
    void discardTemp();

    QString m_tempPath;
    std::unique_ptr<QFile> m_file;
};

// The line a record text becomes: trailing CR/LF removed, inner CR LF pairs turned into one
// blank, CR LF appended.
QString RecordLine(const QString &text);
