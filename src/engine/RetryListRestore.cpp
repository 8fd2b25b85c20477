#include "engine/RetryListRestore.h"

#include "engine/CProtokolldatei.h"
#include "engine/CheckFileFormat.h"
#include "engine/TextFormat.h"
#include "model/CViewData.h"

#include <QFile>

#include <algorithm>

bool RestoreRetryPairs(const CViewData &params, QString *errorText)
{
    if (params.RetryListFile.isEmpty())
        return true;
    const qsizetype count = std::min(params.RetrySources.size(), params.RetryTargets.size());
    QString block;
    for (qsizetype i = 0; i < count; ++i)
        block += RecordLine(FormatStr(359, {params.RetrySources[i], params.RetryTargets[i]}));
    QFile file(params.RetryListFile);
    const QByteArray bytes = EncodeUtf16Le(block);
    if (file.open(QIODevice::WriteOnly | QIODevice::Append) && file.write(bytes) == bytes.size()
        && file.flush()) {
        return true;
    }
    if (errorText)
        *errorText = file.errorString();
    return false;
}
