#pragma once

#include <QString>

#include <span>

namespace model {

// One selectable date-folder pattern: the id the project stores and the strftime-style
// pattern applied to the moment a run begins.
struct DateFolderFormatEntry {
    qint32 Id;
    const char16_t *Pattern;
};

// The eight entries, ids 1 to 8, in the order the option page lists them.
std::span<const DateFolderFormatEntry> DateFolderFormats();

// True when an entry has this id.
bool IsDateFolderFormatId(qint32 id);

// The pattern of the entry with this id; the first entry's pattern for an unknown id.
QString DateFolderPattern(qint32 id);

} // namespace model
