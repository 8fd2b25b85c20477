#include "platform/TempFile.h"

#include "platform/FaultInjection.h"
#include "platform/FileName.h"
#include "platform/LastError.h"

#include <cstdlib>
#include <unistd.h>

namespace platform {

namespace {

QString WithTrailingSlash(QString path)
{
    if (!path.endsWith(u'/'))
        path.append(u'/');
    return path;
}

} // namespace

QString MakeTempFile(const QString &directory)
{
    if (fault::Fails(fault::Operation::Open))
        return {};
    const QString pattern = WithTrailingSlash(directory.isEmpty() ? QStringLiteral(".") : directory)
        + QStringLiteral("~XXXXXX.tmp");
    QByteArray name = EncodeFileName(pattern);
    const int fd = mkstemps(name.data(), 4);
    if (fd < 0) {
        FailFromErrno();
        return {};
    }
    ::close(fd);
    return DecodeFileName(name);
}

QString SystemTempPath()
{
    const QByteArray variable = qgetenv("TMPDIR");
    if (variable.isEmpty())
        return QStringLiteral("/tmp/");
    return WithTrailingSlash(DecodeFileName(variable));
}

} // namespace platform
