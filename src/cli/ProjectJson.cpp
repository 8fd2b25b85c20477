#include "cli/ProjectJson.h"

#include "cli/ProjectFields.h"
#include "engine/TextFormat.h"
#include "model/CProjectData.h"
#include "resources/Strings.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

namespace cli {

namespace {

using model::CProjectData;

const QString jobsKey = QStringLiteral("Jobs");
const QString indent = QStringLiteral("    ");

// One value in JSON notation, escaped by the JSON writer.
QString scalarText(const QJsonValue &value)
{
    const QByteArray text = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(text.mid(1, text.size() - 2));
}

template <typename Record> QString memberText(const ProjectField<Record> &field, const Record &record)
{
    return scalarText(field.Name) + QStringLiteral(": ") + scalarText(field.Get(record));
}

QString jobsText(const CProjectData &project)
{
    if (project.Jobs.isEmpty())
        return indent + scalarText(jobsKey) + QStringLiteral(": []");
    QStringList jobs;
    for (const CListData &job : project.Jobs) {
        QStringList members;
        for (const ProjectField<CListData> &field : JobFields())
            members << memberText(field, job);
        jobs << indent + indent + u'{' + members.join(QStringLiteral(", ")) + u'}';
    }
    return indent + scalarText(jobsKey) + QStringLiteral(": [\n") + jobs.join(QStringLiteral(",\n")) + u'\n'
           + indent + u']';
}

QString groupText(const ProjectGroup &group, const CProjectData &project)
{
    QStringList members;
    for (const ProjectField<CProjectData> &field : group.Fields)
        members << indent + indent + memberText(field, project);
    return indent + scalarText(group.Name) + QStringLiteral(": {\n") + members.join(QStringLiteral(",\n")) + u'\n'
           + indent + u'}';
}

QString typeError(const QString &where, const QString &expected)
{
    return FormatStr(6118, {where, expected});
}

template <typename Record>
std::optional<QString> checkValue(const ProjectField<Record> &field, const QJsonValue &value, const QString &where)
{
    switch (field.Kind) {
    case FieldKind::Bool:
        if (value.isBool())
            return std::nullopt;
        return typeError(where, LoadStr(6119));
    case FieldKind::Integer: {
        const double number = value.toDouble();
        if (value.isDouble() && std::floor(number) == number && number >= double(field.Minimum)
            && number <= double(field.Maximum))
            return std::nullopt;
        return typeError(where, FormatStr(6120, {field.Minimum, field.Maximum}));
    }
    case FieldKind::Text:
        if (value.isString())
            return std::nullopt;
        return typeError(where, LoadStr(6121));
    }
    return std::nullopt;
}

// Applies the members of `object` to `record`; `prefix` names the object in messages.
template <typename Record>
std::optional<QString> applyObject(const std::vector<ProjectField<Record>> &fields, const QJsonObject &object,
                                   const QString &prefix, Record &record)
{
    for (auto it = object.begin(); it != object.end(); ++it) {
        const QString where = prefix + u'.' + it.key();
        const auto field = std::find_if(fields.begin(), fields.end(),
                                        [&](const ProjectField<Record> &f) { return f.Name == it.key(); });
        if (field == fields.end())
            return FormatStr(6117, {where});
        if (auto error = checkValue(*field, it.value(), where))
            return error;
        field->Set(record, it.value());
    }
    return std::nullopt;
}

std::optional<QString> applyJobs(const QJsonValue &value, CProjectData &project)
{
    if (!value.isArray())
        return typeError(jobsKey, LoadStr(6123));
    project.Jobs.clear();
    const QJsonArray jobs = value.toArray();
    for (qsizetype i = 0; i < jobs.size(); ++i) {
        const QString where = jobsKey + QStringLiteral("[%1]").arg(i);
        if (!jobs[i].isObject())
            return typeError(where, LoadStr(6122));
        CListData job;
        if (auto error = applyObject(JobFields(), jobs[i].toObject(), where, job))
            return error;
        project.Jobs.append(job);
    }
    return std::nullopt;
}

std::optional<QString> applyGroup(const QString &name, const QJsonValue &value, CProjectData &project)
{
    const std::vector<ProjectGroup> &groups = ProjectGroups();
    const auto group =
        std::find_if(groups.begin(), groups.end(), [&](const ProjectGroup &g) { return g.Name == name; });
    if (group == groups.end())
        return FormatStr(6116, {name});
    if (!value.isObject())
        return typeError(name, LoadStr(6122));
    return applyObject(group->Fields, value.toObject(), name, project);
}

} // namespace

QByteArray ProjectToJson(const CProjectData &project)
{
    QStringList parts{jobsText(project)};
    for (const ProjectGroup &group : ProjectGroups())
        parts << groupText(group, project);
    return (QStringLiteral("{\n") + parts.join(QStringLiteral(",\n")) + QStringLiteral("\n}\n")).toUtf8();
}

std::optional<QString> ApplyProjectJson(const QByteArray &json, CProjectData &project)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject())
        return FormatStr(6115, {qint64(parseError.offset)});
    const QJsonObject root = document.object();
    for (auto it = root.begin(); it != root.end(); ++it) {
        std::optional<QString> error = it.key() == jobsKey ? applyJobs(it.value(), project)
                                                            : applyGroup(it.key(), it.value(), project);
        if (error)
            return error;
    }
    return std::nullopt;
}

} // namespace cli
