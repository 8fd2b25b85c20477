#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

namespace model {

// The 44-byte window placement record the settings keep per window: length, flags, show
// command, minimised position, maximised position and the normal rectangle, all 32-bit
// little-endian.
struct WindowPlacement {
    static constexpr qsizetype RecordSize = 44;
    static constexpr qint32 ShowNormal = 1;
    static constexpr qint32 ShowMinimized = 2;
    static constexpr qint32 ShowMaximized = 3;
    static constexpr qint32 Show = 5;

    qint32 Length = RecordSize;
    qint32 Flags = 0;
    qint32 ShowCommand = ShowNormal;
    qint32 MinX = 0;
    qint32 MinY = 0;
    qint32 MaxX = 0;
    qint32 MaxY = 0;
    qint32 Left = 0;
    qint32 Top = 0;
    qint32 Right = 0;
    qint32 Bottom = 0;

    QByteArray ToBytes() const;
    // None unless `bytes` is exactly one record long.
    static std::optional<WindowPlacement> FromBytes(QByteArrayView bytes);

    friend bool operator==(const WindowPlacement &, const WindowPlacement &) = default;
};

} // namespace model
