#pragma once

#include <QDateTime>

#include <cstdint>

// MS-DOS date and time of ZIP headers, always in local time with a two-second resolution.
struct ZipDosDateTime {
    uint16_t Time = 0;
    uint16_t Date = 0;
};

// Converts a point in time to local DOS date and time. Years outside the format's range
// 1980 to 2107 are written as the nearest year of that range; month and day stay.
ZipDosDateTime ToDosDateTime(const QDateTime &moment);

// The local point in time a DOS date and time name; invalid when the fields are out of range.
QDateTime FromDosDateTime(uint16_t date, uint16_t time);
