#include "engine/CopiedArchive.h"

#include "engine/CUtil.h"
#include "engine/CZipPlatformAttributes.h"
#include "engine/JobContext.h"
#include "engine/RecordPathText.h"
#include "engine/RunContext.h"
#include "engine/TextFormat.h"
#include "engine/ZipProgress.h"
#include "zip/CCompressZip.h"

namespace {

constexpr quint64 kUnpackStartMask = UPD_ACT_DECOMPRESS | UPD_TARGET | UPD_SOURCE;
constexpr int kArchiveDamaged = 5500;
constexpr int kUnpackCancelled = 5501;

// The ZIP component leaves its text empty for a damaged archive and for a cancel; the
// failure is then named with the archive all the same.
QString FailureText(const ZipResult &result, const QString &archive)
{
    if (!result.Text().isEmpty())
        return result.Text();
    const int id = result.Failure() == ZipFailure::Cancelled ? kUnpackCancelled : kArchiveDamaged;
    return FormatStr(id, {RecordPathText(archive)});
}

// Shows a failure the way the progress callback shows the component's own texts, so that
// every failed unpacking is one error line.
void ShowFailure(RunContext &run, CProgressData &display, const ZipResult &result, const QString &text)
{
    if (!result.Text().isEmpty())
        return; // the progress callback has shown it already
    ++display.ErrorCount;
    run.SendMessage(display, MessageKind::Error, text);
}

} // namespace

UnpackResult UnpackCopiedArchive(JobContext &job)
{
    const QString archive = job.Record.TargetPath;
    CProgressData display = job.Record;
    display.SourcePath = archive;
    display.TargetPath = CUtil::GetDirectoryPart(archive);
    job.Run.SendPane(display, kUnpackStartMask);

    CompressionRequest request;
    request.ProgressCallback = MakeZipProgressCallback(job.Run, display);
    request.OwnArchivesOnly = true;
    request.ArchivePath = archive;
    request.DestinationDir = display.TargetPath;
    CCompressZip zip;
    zip.SetAttributeAccess(CZipPlatformAttributes::Instance());
    const ZipResult result = zip.Decompress(request);
    if (!result) {
        const QString text = FailureText(result, archive);
        ShowFailure(job.Run, display, result, text);
        return UnpackResult{UnpackOutcome::Failed, text};
    }
    return UnpackResult{request.OwnArchivesOnly ? UnpackOutcome::Unpacked : UnpackOutcome::NotUnpacked, QString()};
}
