#pragma once

#include "model/FileError.h"

#include <QByteArray>
#include <QString>
#include <QWidget>

#include <optional>

class QPlainTextEdit;

namespace ui {

// The text of a record file. Record files are UTF-16LE, with or without the byte-order mark
// FF FE. A file that starts with the UTF-8 mark, or that has no zero byte at all (a text a user
// wrote with an ordinary editor), is read as UTF-8 instead.
QString DecodeRecordFile(const QByteArray &bytes);

// Reads the regular file at `path` into `text`; the error when it cannot be opened or read, or
// is no regular file (a pipe or device could block or never end).
std::optional<model::FileError> ReadRecordFile(const QString &path, QString &text);

// A window that shows a file's text read-only, with the file's path as its title. It deletes
// itself when it is closed.
class CFileViewer : public QWidget {
public:
    CFileViewer(const QString &path, const QString &text, QWidget *parent = nullptr);

    QString Text() const;

private:
    QPlainTextEdit *m_view = nullptr;
};

// Shows the file at `path` in a new viewer window and returns the window; none, and nothing
// shown, when the file does not exist. A file that exists but cannot be read is reported in
// `error` instead.
CFileViewer *OpenFileViewer(QWidget *parent, const QString &path, std::optional<model::FileError> &error);

} // namespace ui
