#include "cli/ProjectFields.h"

#include "model/CProjectData.h"

#include <limits>
#include <type_traits>

namespace cli {

namespace {

using model::CProjectData;

// A boolean is shown as set for every non-zero value, as the project file reads it.
QJsonValue toJson(qint32 value, FieldKind kind)
{
    return kind == FieldKind::Bool ? QJsonValue(value != 0) : QJsonValue(qint64(value));
}

QJsonValue toJson(quint32 value, FieldKind)
{
    return QJsonValue(qint64(value));
}

QJsonValue toJson(const QString &value, FieldKind)
{
    return QJsonValue(value);
}

void fromJson(const QJsonValue &json, qint32 &value)
{
    value = json.isBool() ? qint32(json.toBool() ? 1 : 0) : qint32(json.toInteger());
}

void fromJson(const QJsonValue &json, quint32 &value)
{
    value = quint32(json.toInteger());
}

void fromJson(const QJsonValue &json, QString &value)
{
    value = json.toString();
}

// `access` returns the field of a record, for a const and for a mutable record alike.
template <typename Value, typename Record, typename Access>
ProjectField<Record> makeField(const char16_t *name, FieldKind kind, Access access)
{
    ProjectField<Record> field;
    field.Name = QString::fromUtf16(name);
    field.Kind = kind;
    if constexpr (std::is_integral_v<Value>) {
        field.Minimum = std::numeric_limits<Value>::min();
        field.Maximum = std::numeric_limits<Value>::max();
    }
    field.Get = [access, kind](const Record &record) { return toJson(access(record), kind); };
    field.Set = [access](Record &record, const QJsonValue &json) { fromJson(json, access(record)); };
    return field;
}

template <typename Value> ProjectField<CListData> jobField(const char16_t *name, Value CListData::*member, FieldKind kind)
{
    return makeField<Value, CListData>(name, kind, [member](auto &job) -> auto & { return job.*member; });
}

// A field of the option group `Group`, reached through the project member `group`.
template <typename Group> class GroupBuilder {
public:
    GroupBuilder(const char16_t *name, Group CProjectData::*group) : m_group(group) { m_result.Name = QString::fromUtf16(name); }

    template <typename Value> GroupBuilder &add(const char16_t *name, Value Group::*member, FieldKind kind)
    {
        const auto group = m_group;
        m_result.Fields.push_back(makeField<Value, CProjectData>(
            name, kind, [group, member](auto &project) -> auto & { return (project.*group).*member; }));
        return *this;
    }
    GroupBuilder &flag(const char16_t *name, qint32 Group::*member) { return add(name, member, FieldKind::Bool); }
    GroupBuilder &number(const char16_t *name, qint32 Group::*member) { return add(name, member, FieldKind::Integer); }
    GroupBuilder &number(const char16_t *name, quint32 Group::*member) { return add(name, member, FieldKind::Integer); }
    GroupBuilder &text(const char16_t *name, QString Group::*member) { return add(name, member, FieldKind::Text); }

    ProjectGroup build() { return std::move(m_result); }

private:
    Group CProjectData::*m_group;
    ProjectGroup m_result;
};

ProjectGroup optionGroup()
{
    using model::CPageOption;
    return GroupBuilder<CPageOption>(u"CPageOption", &CProjectData::Option)
        .number(u"ThreadCount", &CPageOption::ThreadCount)
        .flag(u"OnlyArchiveBit", &CPageOption::OnlyArchiveBit)
        .flag(u"CompareAfterCopy", &CPageOption::CompareAfterCopy)
        .flag(u"AppendDateToTarget", &CPageOption::AppendDateToTarget)
        .flag(u"ResetArchiveBit", &CPageOption::ResetArchiveBit)
        .flag(u"DeleteTargetOnError", &CPageOption::DeleteTargetOnError)
        .flag(u"StartMinimized", &CPageOption::StartMinimized)
        .flag(u"ExitAfterCopy", &CPageOption::ExitAfterCopy)
        .text(u"LogFile", &CPageOption::LogFile)
        .flag(u"ScanOnly", &CPageOption::ScanOnly)
        .flag(u"OnlyExistingInTarget", &CPageOption::OnlyExistingInTarget)
        .flag(u"OnlyMissingInTarget", &CPageOption::OnlyMissingInTarget)
        .flag(u"ShutdownAfterCopy", &CPageOption::ShutdownAfterCopy)
        .flag(u"RebootAfterShutdown", &CPageOption::RebootAfterShutdown)
        .flag(u"Autostart", &CPageOption::Autostart)
        .number(u"DateFolderFormatId", &CPageOption::DateFolderFormatId)
        .flag(u"CopyDirectoryRights", &CPageOption::CopyDirectoryRights)
        .flag(u"DirectoriesOnly", &CPageOption::DirectoriesOnly)
        .flag(u"LongFileNames", &CPageOption::LongFileNames)
        .flag(u"ShowStatusAtNextStart", &CPageOption::ShowStatusAtNextStart)
        .flag(u"DeleteEmptyTargetDirs", &CPageOption::DeleteEmptyTargetDirs)
        .flag(u"IncludeRootDir", &CPageOption::IncludeRootDir)
        .flag(u"DeleteSourceAfterCopy", &CPageOption::DeleteSourceAfterCopy)
        .build();
}

ProjectGroup musterGroup()
{
    using model::CPageMuster;
    return GroupBuilder<CPageMuster>(u"CPageMuster", &CProjectData::Muster)
        .flag(u"FileIncludeEnabled", &CPageMuster::FileIncludeEnabled)
        .flag(u"FileExcludeEnabled", &CPageMuster::FileExcludeEnabled)
        .text(u"FileIncludePatterns", &CPageMuster::FileIncludePatterns)
        .text(u"FileExcludePatterns", &CPageMuster::FileExcludePatterns)
        .flag(u"DirIncludeEnabled", &CPageMuster::DirIncludeEnabled)
        .flag(u"DirExcludeEnabled", &CPageMuster::DirExcludeEnabled)
        .text(u"DirIncludePatterns", &CPageMuster::DirIncludePatterns)
        .text(u"DirExcludePatterns", &CPageMuster::DirExcludePatterns)
        .build();
}

ProjectGroup dateienGroup()
{
    using model::CPageDateien;
    return GroupBuilder<CPageDateien>(u"CPageDateien", &CProjectData::Dateien)
        .text(u"CopiedListFile", &CPageDateien::CopiedListFile)
        .text(u"RetryListFile", &CPageDateien::RetryListFile)
        .text(u"SkippedListFile", &CPageDateien::SkippedListFile)
        .flag(u"DeleteRetryListAtEnd", &CPageDateien::DeleteRetryListAtEnd)
        .flag(u"DeleteCopiedListAtEnd", &CPageDateien::DeleteCopiedListAtEnd)
        .flag(u"DeleteSkippedListAtEnd", &CPageDateien::DeleteSkippedListAtEnd)
        .build();
}

ProjectGroup datumGroup()
{
    using model::CPageDatum;
    return GroupBuilder<CPageDatum>(u"CPageDatum", &CProjectData::Datum)
        .number(u"DateFilterMode", &CPageDatum::DateFilterMode)
        .text(u"RelativeHours", &CPageDatum::RelativeHours)
        .text(u"DateFromText", &CPageDatum::DateFromText)
        .text(u"DateToText", &CPageDatum::DateToText)
        .text(u"RelativeDays", &CPageDatum::RelativeDays)
        .build();
}

ProjectGroup zipGroup()
{
    using model::CPageZip;
    return GroupBuilder<CPageZip>(u"CPageZip", &CProjectData::Zip)
        .flag(u"CompressFiles", &CPageZip::CompressFiles)
        .flag(u"VerifyCompressed", &CPageZip::VerifyCompressed)
        .flag(u"CompressExcludeEnabled", &CPageZip::CompressExcludeEnabled)
        .text(u"CompressExcludePatterns", &CPageZip::CompressExcludePatterns)
        .number(u"CompressMinSize", &CPageZip::CompressMinSize)
        .number(u"CompressMaxSizeMB", &CPageZip::CompressMaxSizeMB)
        .build();
}

ProjectGroup unzipGroup()
{
    using model::CPageUnzip;
    return GroupBuilder<CPageUnzip>(u"CPageUnzip", &CProjectData::Unzip)
        .flag(u"DecompressFiles", &CPageUnzip::DecompressFiles)
        .build();
}

ProjectGroup pruefdateiGroup()
{
    using model::CPagePruefdatei;
    return GroupBuilder<CPagePruefdatei>(u"CPagePruefdatei", &CProjectData::Pruefdatei)
        .text(u"CheckFile", &CPagePruefdatei::CheckFile)
        .flag(u"ChecksumEnabled", &CPagePruefdatei::ChecksumEnabled)
        .build();
}

} // namespace

const std::vector<ProjectField<CListData>> &JobFields()
{
    static const std::vector<ProjectField<CListData>> fields{
        jobField(u"Active", &CListData::Active, FieldKind::Bool),
        jobField(u"WithSubdirs", &CListData::WithSubdirs, FieldKind::Bool),
        jobField(u"SourceDir", &CListData::SourceDir, FieldKind::Text),
        jobField(u"TargetDir", &CListData::TargetDir, FieldKind::Text),
    };
    return fields;
}

const std::vector<ProjectGroup> &ProjectGroups()
{
    static const std::vector<ProjectGroup> groups{optionGroup(), musterGroup(), dateienGroup(), datumGroup(),
                                                  zipGroup(), unzipGroup(), pruefdateiGroup()};
    return groups;
}

} // namespace cli
