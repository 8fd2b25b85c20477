#include "model/RetryListReader.h"

#include "platform/LastError.h"
#include "platform/ReadWholeFile.h"

#include <QByteArray>

namespace model {

QString DecodeUtf16Le(const QByteArray &bytes)
{
    qsizetype pos = 0;
    if (bytes.size() >= 2 && uchar(bytes[0]) == 0xFF && uchar(bytes[1]) == 0xFE)
        pos = 2;
    QString text;
    text.reserve((bytes.size() - pos) / 2);
    for (; pos + 1 < bytes.size(); pos += 2)
        text.append(QChar(char16_t(uchar(bytes[pos]) | (uchar(bytes[pos + 1]) << 8))));
    return text;
}

RetryList ParseRetryList(const QString &text)
{
    RetryList list;
    for (QStringView line : QStringView(text).split(u'\n')) {
        const qsizetype cr = line.indexOf(u'\r');
        if (cr >= 0)
            line.truncate(cr);
        const qsizetype bar = line.indexOf(u'|');
        if (bar < 0)
            continue;
        const QStringView rest = line.mid(bar + 1);
        const qsizetype nextBar = rest.indexOf(u'|');
        list.Sources.append(line.left(bar).toString());
        list.Targets.append((nextBar < 0 ? rest : rest.left(nextBar)).toString());
    }
    return list;
}

std::optional<FileError> ReadRetryList(const QString &path, RetryList &list)
{
    QByteArray bytes;
    if (!platform::ReadWholeFile(path, &bytes))
        return FileError{path, platform::LastError()};
    list = ParseRetryList(DecodeUtf16Le(bytes));
    return std::nullopt;
}

} // namespace model

