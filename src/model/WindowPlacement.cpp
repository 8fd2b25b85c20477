#include "model/WindowPlacement.h"

#include <QtEndian>

#include <array>

namespace model {

namespace {

// The fields in record order.
constexpr std::array<qint32 WindowPlacement::*, 11> fields{
    &WindowPlacement::Length, &WindowPlacement::Flags, &WindowPlacement::ShowCommand,
    &WindowPlacement::MinX,   &WindowPlacement::MinY,  &WindowPlacement::MaxX,
    &WindowPlacement::MaxY,   &WindowPlacement::Left,  &WindowPlacement::Top,
    &WindowPlacement::Right,  &WindowPlacement::Bottom};

static_assert(fields.size() * sizeof(qint32) == WindowPlacement::RecordSize);

} // namespace

QByteArray WindowPlacement::ToBytes() const
{
    QByteArray bytes(RecordSize, Qt::Uninitialized);
    qsizetype offset = 0;
    for (qint32 WindowPlacement::*field : fields) {
        qToLittleEndian<qint32>(this->*field, bytes.data() + offset);
        offset += 4;
    }
    return bytes;
}

std::optional<WindowPlacement> WindowPlacement::FromBytes(QByteArrayView bytes)
{
    if (bytes.size() != RecordSize)
        return std::nullopt;
    WindowPlacement placement;
    qsizetype offset = 0;
    for (qint32 WindowPlacement::*field : fields) {
        placement.*field = qFromLittleEndian<qint32>(bytes.data() + offset);
        offset += 4;
    }
    return placement;
}

} // namespace model
