#include "cli/CliOutput.h"

namespace cli {

void PrintText(std::FILE *stream, const QString &text)
{
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (!lines.endsWith(u'\n'))
        lines.append(u'\n');
    const QByteArray bytes = lines.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

} // namespace cli
