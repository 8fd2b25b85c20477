#pragma once

#include <QString>

namespace model {

// An option value outside the range its page accepts; a run must not start with it.
struct OptionRangeError {
    QString Field; // the option's name, e.g. "ThreadCount"
    qint64 Value = 0;
    qint64 Minimum = 0;
    qint64 Maximum = 0;

    friend bool operator==(const OptionRangeError &, const OptionRangeError &) = default;
};

} // namespace model
