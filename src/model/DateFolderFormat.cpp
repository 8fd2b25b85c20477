#include "model/DateFolderFormat.h"

#include <algorithm>
#include <array>

namespace model {

namespace {

constexpr std::array<DateFolderFormatEntry, 8> formats{{
    {1, u"%Y_%m_%d"},
    {2, u"%Y%m%d"},
    {3, u"%Y_%m_%d_%H_%M_%S"},
    {4, u"%Y%m%d%H%M%S"},
    {5, u"%y_%m_%d"},
    {6, u"%y%m%d"},
    {7, u"%y_%m_%d_%H_%M_%S"},
    {8, u"%y%m%d%H%M%S"},
}};

const DateFolderFormatEntry *find(qint32 id)
{
    const auto it = std::find_if(formats.begin(), formats.end(),
                                 [id](const DateFolderFormatEntry &entry) { return entry.Id == id; });
    return it == formats.end() ? nullptr : &*it;
}

} // namespace

std::span<const DateFolderFormatEntry> DateFolderFormats()
{
    return formats;
}

bool IsDateFolderFormatId(qint32 id)
{
    return find(id) != nullptr;
}

QString DateFolderPattern(qint32 id)
{
    const DateFolderFormatEntry *entry = find(id);
    return QString::fromUtf16((entry != nullptr ? entry : &formats.front())->Pattern);
}

} // namespace model
