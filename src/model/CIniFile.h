#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace model {

// A settings file of sections and keys, read and written the way profile files are: section
// and key names compare without regard to ASCII case, blanks around keys and values are
// dropped, and one pair of matching quotes around a value is removed. Every read looks at the
// file as it is now; a missing file or key gives the default. Every write rewrites the file
// through a temporary file and keeps all other lines; a write that fails changes nothing and
// returns false, and callers may ignore that, as settings are never worth an error message.
class CIniFile {
public:
    explicit CIniFile(QString path);

    const QString &Path() const { return m_path; }

    // The value, or none when the section or key does not exist.
    std::optional<QString> ReadString(const QString &section, const QString &key) const;
    QString GetString(const QString &section, const QString &key, const QString &defaultValue = {}) const;
    // A decimal integer, read as the C library reads one; the default when the key is missing.
    int GetInt(const QString &section, const QString &key, int defaultValue) const;
    // None when the key is missing or its text is no binary value.
    std::optional<QByteArray> GetBinary(const QString &section, const QString &key) const;

    // A value containing a line break cannot be kept in the file and is refused.
    bool WriteString(const QString &section, const QString &key, const QString &value);
    bool WriteInt(const QString &section, const QString &key, int value);
    bool WriteBinary(const QString &section, const QString &key, const QByteArray &value);
    // Removes the section with all its keys; true also when there was none.
    bool RemoveSection(const QString &section);

private:
    // The lines of the file; empty for a missing file, none for one that cannot be read.
    std::optional<QStringList> readLines() const;
    bool writeLines(const QStringList &lines) const;

    QString m_path;
};

} // namespace model
