#include "model/DescriptionLines.h"

#include "engine/CUtil.h"
#include "engine/TextFormat.h"
#include "model/CProjectData.h"
#include "model/CViewData.h"
#include "resources/Strings.h"

namespace model {

namespace {

// A boolean run parameter, its description member and the check box whose caption names it.
struct OptionLine {
    bool CViewDataOptions::*Value;
    QString CViewDataOptions::*Text;
    int ControlId;
};

constexpr OptionLine optionLines[] = {
    {&CViewDataOptions::OnlyArchiveBit, &CViewDataOptions::OnlyArchiveBitText, 2011},
    {&CViewDataOptions::ResetArchiveBit, &CViewDataOptions::ResetArchiveBitText, 2012},
    {&CViewDataOptions::CompareAfterCopy, &CViewDataOptions::CompareAfterCopyText, 2013},
    {&CViewDataOptions::AppendDateToTarget, &CViewDataOptions::AppendDateToTargetText, 2014},
    {&CViewDataOptions::DeleteTargetOnError, &CViewDataOptions::DeleteTargetOnErrorText, 2015},
    {&CViewDataOptions::StartMinimized, &CViewDataOptions::StartMinimizedText, 2020},
    {&CViewDataOptions::ExitAfterCopy, &CViewDataOptions::ExitAfterCopyText, 2021},
    {&CViewDataOptions::ScanOnly, &CViewDataOptions::ScanOnlyText, 2044},
    {&CViewDataOptions::OnlyExistingInTarget, &CViewDataOptions::OnlyExistingInTargetText, 2054},
    {&CViewDataOptions::OnlyMissingInTarget, &CViewDataOptions::OnlyMissingInTargetText, 2055},
    {&CViewDataOptions::ShutdownAfterCopy, &CViewDataOptions::ShutdownAfterCopyText, 2057},
    {&CViewDataOptions::RebootAfterShutdown, &CViewDataOptions::RebootAfterShutdownText, 2058},
    {&CViewDataOptions::Autostart, &CViewDataOptions::AutostartText, 2060},
    {&CViewDataOptions::CopyDirectoryRights, &CViewDataOptions::CopyDirectoryRightsText, 2045},
    {&CViewDataOptions::DirectoriesOnly, &CViewDataOptions::DirectoriesOnlyText, 2046},
    {&CViewDataOptions::LongFileNames, &CViewDataOptions::LongFileNamesText, 2068},
    {&CViewDataOptions::ShowStatusAtNextStart, &CViewDataOptions::ShowStatusAtNextStartText, 1132},
    {&CViewDataOptions::DeleteEmptyTargetDirs, &CViewDataOptions::DeleteEmptyTargetDirsText, 1134},
    {&CViewDataOptions::IncludeRootDir, &CViewDataOptions::IncludeRootDirText, 1135},
    {&CViewDataOptions::DeleteSourceAfterCopy, &CViewDataOptions::DeleteSourceAfterCopyText, 2059},
    {&CViewDataOptions::ChecksumEnabled, &CViewDataOptions::ChecksumEnabledText, 2066},
    {&CViewDataOptions::CompressFiles, &CViewDataOptions::CompressFilesText, 2063},
    {&CViewDataOptions::VerifyCompressed, &CViewDataOptions::VerifyCompressedText, 2064},
    {&CViewDataOptions::DecompressFiles, &CViewDataOptions::DecompressFilesText, 2067},
};

QString optionLine(int controlId, bool value)
{
    return ControlText(controlId) + QStringLiteral(": ") + YesNoText(value ? 1 : 0);
}

QString patternLine(int controlId, bool enabled, const QString &patterns)
{
    QString line = optionLine(controlId, enabled);
    if (enabled)
        line += QStringLiteral("      [Muster: ") + patterns + u']';
    return line;
}

} // namespace

void BuildDescriptionLines(const CProjectData &project, CViewData &view)
{
    for (const OptionLine &line : optionLines)
        view.*line.Text = optionLine(line.ControlId, view.*line.Value);

    const CPageMuster &muster = project.Muster;
    view.FileIncludeText = patternLine(2016, view.FileIncludeEnabled, muster.FileIncludePatterns);
    view.FileExcludeText = patternLine(2017, view.FileExcludeEnabled, muster.FileExcludePatterns);
    view.DirIncludeText = patternLine(2025, view.DirIncludeEnabled, muster.DirIncludePatterns);
    view.DirExcludeText = patternLine(2027, view.DirExcludeEnabled, muster.DirExcludePatterns);
    view.CompressExcludeText =
        patternLine(2061, view.CompressExcludeEnabled, project.Zip.CompressExcludePatterns);

    view.CompressSizeText = FormatStr(400, {CUtil::FormatFileSize(view.CompressMinSize),
                                            CUtil::FormatFileSize(view.CompressMaxSize)});
}

} // namespace model
