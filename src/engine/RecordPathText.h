#pragma once

#include <QString>

// A path as it is written into a line of a record file. Linux allows CR and LF in file names,
// and either would split the record into two lines; each is shown by its Unicode control
// picture instead (U+240D, U+240A), so every record stays one line and the name stays
// recognisable. All other characters, undecodable name bytes among them, are kept.
QString RecordPathText(const QString &path);
