#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace model {
struct CProjectData;
}

namespace cli {

// The project as JSON: {"Jobs": [...], "CPageOption": {...}, ...}, every field of every group
// under its name in declaration order; booleans as true or false (any stored non-zero value is
// set), integers as numbers exactly as stored, strings as strings.
QByteArray ProjectToJson(const model::CProjectData &project);

// Applies the JSON form to `project`. Groups and fields that are left out keep their values,
// and a given "Jobs" list replaces the jobs, each job starting from the new-job defaults.
// An unknown group or field, a value of the wrong type or outside its stored type's range, and
// text that is no JSON object are refused: the result is the message naming the problem, and
// `project` must then be discarded.
std::optional<QString> ApplyProjectJson(const QByteArray &json, model::CProjectData &project);

} // namespace cli
