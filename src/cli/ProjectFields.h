#pragma once

#include "model/CListData.h"

#include <QJsonValue>
#include <QString>

#include <functional>
#include <vector>

namespace model {
struct CProjectData;
}

namespace cli {

// How a field appears in the project's JSON form.
enum class FieldKind { Bool, Integer, Text };

// One field of a job or of an option group: its name, its JSON kind, the range of its stored
// integer type, and how it is read from and written to the record. Set expects a value whose
// kind and range were checked.
template <typename Record> struct ProjectField {
    QString Name;
    FieldKind Kind = FieldKind::Text;
    qint64 Minimum = 0;
    qint64 Maximum = 0;
    std::function<QJsonValue(const Record &)> Get;
    std::function<void(Record &, const QJsonValue &)> Set;
};

// One option group: its name and its fields in declaration order.
struct ProjectGroup {
    QString Name;
    std::vector<ProjectField<model::CProjectData>> Fields;
};

// The fields of a job, in declaration order.
const std::vector<ProjectField<CListData>> &JobFields();

// The seven option groups, in the order the JSON form lists them.
const std::vector<ProjectGroup> &ProjectGroups();

} // namespace cli
