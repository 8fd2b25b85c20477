#pragma once

#include <QHash>
#include <QString>
#include <QtGlobal>

#include <atomic>
#include <mutex>
#include <optional>

// The check file in memory: for every copied file the state of its source at that copy.
// It is loaded when a run starts, consulted and updated by up to three workers at once, and
// saved and cleared when the run ends. IsUnchanged, SetEntry and RemoveEntry are each atomic
// against one another; Load, Save and Clear run while no worker runs.
//
// Keys are target paths without the date folder. Lookups, insertions and removals fold the
// ASCII letters of the key to lower case; keys read from a file are kept as stored.
class CPruefdatei {
public:
    struct CheckEntry {
        qint64 Time = 0; // FILETIME of the source's last write
        qint64 Size = 0;
        bool Valid = false;
        QString Checksum; // 32 lowercase hexadecimal digits, or empty
    };

    CPruefdatei();
    CPruefdatei(const CPruefdatei &) = delete;
    CPruefdatei &operator=(const CPruefdatei &) = delete;

    // True while a check-file path is set.
    bool IsEnabled() const;
    QString GetPath() const;

    // Clears the entries and takes the path; false for an empty path or a file that cannot
    // be read (the path stays set, so the file is created when the run ends). Malformed
    // lines are skipped; a later line with the same key replaces an earlier one.
    bool Load(const QString &path);

    // True when the entry of `key` holds exactly `time` and `size`, and, when `checksum` is
    // not empty, the same checksum (ASCII letters compared without case). False whenever
    // the check file is off.
    bool IsUnchanged(const QString &key, qint64 time, qint64 size, const QString &checksum) const;

    // Creates or replaces the entry of `key`. A key or checksum that contains a bar, CR or
    // LF cannot be written as one line of the file; such an entry is not kept, so the file
    // counts as changed and is copied again by the next run.
    void SetEntry(const QString &key, qint64 time, qint64 size, const QString &checksum);
    void RemoveEntry(const QString &key);

    // The entry of `key` (folded like every lookup), if there is one.
    std::optional<CheckEntry> FindEntry(const QString &key) const;
    qsizetype EntryCount() const;

    // Writes one line per valid entry into a new file beside the check file and renames it
    // over the old one, so a failed save leaves the previous file as it was. When no entry
    // changed since the file was loaded and the file on disk is still the one loaded, it
    // already says everything and is left untouched. False when the check file is off, when
    // the existing file is read-only, or on a file error; platform::LastError() then tells
    // why.
    bool Save();

    // Frees all entries and empties the path.
    void Clear();
    // The state after construction.
    void Reset();

    // MD5 of the file's content as 32 lowercase hexadecimal digits, read in chunks of 64000
    // bytes; empty when the file cannot be opened or read (directories, FIFOs, sockets and
    // devices are refused without being read), and when `stopping` is set before the end.
    static QString ComputeFileChecksum(const QString &path, const std::atomic<bool> *stopping = nullptr);

private:
    // The identity of the file the entries were loaded from: a rename over it or an edit
    // changes at least one of these.
    struct FileStamp {
        quint64 Device = 0;
        quint64 Inode = 0;
        qint64 Size = 0;
        qint64 Time = 0;
        friend bool operator==(const FileStamp &, const FileStamp &) = default;
    };
    static std::optional<FileStamp> stampOf(const QString &path);

    bool isSavedAlready(const QString &path) const;
    QByteArray serialise() const;

    mutable std::mutex m_lock;
    QString m_path;
    QHash<QString, CheckEntry> m_entries;
    // Set by every change of the entries and by a load that did not read the whole file.
    bool m_changed = false;
    std::optional<FileStamp> m_loadedStamp;
};
