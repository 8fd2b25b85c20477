#include "engine/CProtokolldatei.h"

#include "engine/CUtil.h"
#include "engine/CheckFileFormat.h"

#include <mutex>

namespace {

// The one append lock of the process: it serialises every AppendTo of every record file.
std::mutex &appendLock()
{
    static std::mutex lock;
    return lock;
}

constexpr qsizetype kMaxErrorTextLength = 1000;

bool writeAll(QFile &file, const QByteArray &bytes)
{
    return file.write(bytes) == bytes.size() && file.flush();
}

} // namespace

QString RecordLine(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && (text[end - 1] == u'\r' || text[end - 1] == u'\n'))
        --end;
    QString line = text.left(end);
    line.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    return line + QStringLiteral("\r\n");
}

CProtokolldatei::~CProtokolldatei()
{
    discardTemp();
}

bool CProtokolldatei::OpenTemp()
{
    discardTemp();
    const QString path = CUtil::MakeTempFileName();
    if (path.isEmpty())
        return false;
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::ReadWrite | QIODevice::Truncate)) {
        QFile::remove(path);
        return false;
    }
    m_tempPath = path;
    m_file = std::move(file);
    return true;
}

bool CProtokolldatei::IsOpen() const
{
    return m_file && m_file->isOpen();
}

bool CProtokolldatei::WriteLine(const QString &text)
{
    if (!IsOpen())
        return false;
    const QByteArray bytes = EncodeUtf16Le(RecordLine(text));
    return m_file->write(bytes) == bytes.size();
}

bool CProtokolldatei::AppendTo(const QString &finalPath, QString *errorText)
{
    std::lock_guard<std::mutex> guard(appendLock());
    if (errorText)
        errorText->clear();
    if (!m_file)
        return true;
    bool ok = m_file->flush() && m_file->seek(0);
    const QByteArray block = ok ? m_file->readAll() : QByteArray();
    QString error = m_file->error() != QFileDevice::NoError ? m_file->errorString() : QString();
    if (ok && error.isEmpty()) {
        QFile target(finalPath);
        ok = target.open(QIODevice::WriteOnly | QIODevice::Append) && writeAll(target, block);
        if (!ok)
            error = target.errorString();
    }
    discardTemp();
    if (!error.isEmpty()) {
        ok = false;
        if (errorText)
            *errorText = error.left(kMaxErrorTextLength);
    }
    return ok;
}

void CProtokolldatei::discardTemp()
{
    if (m_file) {
        m_file->close();
        m_file.reset();
    }
    if (!m_tempPath.isEmpty()) {
        QFile::remove(m_tempPath);
        m_tempPath.clear();
    }
}
