#include "engine/ZipProgress.h"

#include "engine/CProgressData.h"
#include "engine/RunContext.h"

namespace {

constexpr quint64 kChunkMask = UPD_TARGET | UPD_PCT2_FILE | UPD_BAR2_FILE;

void ReportZipProgress(RunContext &run, CProgressData &display, CompressionRequest &request)
{
    display.FileSize = request.Size;
    display.FileBytesDone = request.BytesDone;
    display.TargetPath = request.FilePath;
    display.MessageText = request.ErrorText;
    if (!request.ErrorText.isEmpty()) {
        ++display.ErrorCount;
        run.SendMessage(display, MessageKind::Error, request.ErrorText);
    }
    run.SendPane(display, kChunkMask);
    request.Cancel = run.IsCancelled();
}

} // namespace

CompressionProgressCallback MakeZipProgressCallback(RunContext &run, CProgressData &display)
{
    return [&run, &display](CompressionRequest &request) { ReportZipProgress(run, display, request); };
}
