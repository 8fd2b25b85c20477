#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <memory>
#include <vector>

// One listed directory with one row per collected file. The five columns are parallel:
// row i of each belongs to Names[i]. Subdirectories get records of their own.
class CDirStruct {
public:
    explicit CDirStruct(const QString &dir) : Dir(dir) {}

    QString Dir;          // the directory's path, without a trailing '/' (except for "/" itself)
    QStringList Names;    // file names without a path, in listing order
    QList<qint64> Sizes;  // bytes
    QList<qint64> Times;  // last-write time as FILETIME
    QList<quint32> Flags; // the selection's flag word per file
    QStringList Extra;    // the file's MD5 checksum when one was computed, else empty

    // The errno of a listing that failed (unreadable or vanished directory), else 0. Such a
    // record has no rows; the walk can tell the user that the directory was not backed up.
    int ListError = 0;

    void AddFile(const QString &name, qint64 size, qint64 time, quint32 flags, const QString &extra);
    qsizetype FileCount() const { return Names.size(); }
};

// The listing of a tree: owns its records, in depth-first pre-order.
using CDirStructArray = std::vector<std::unique_ptr<CDirStruct>>;

// Deletes every record and leaves the array empty.
void FreeDirStructArray(CDirStructArray &array);
