#include "resources/Strings.h"

#include <unordered_map>

namespace {

const std::unordered_map<int, const char16_t *> &stringTable()
{
    static const std::unordered_map<int, const char16_t *> table = {
        {306, u"*** Fertig ***"},
    };
    return table;
}

const std::unordered_map<int, const char16_t *> &controlTable()
{
    static const std::unordered_map<int, const char16_t *> table = {
        {2011, u"Nur Dateien mit gesetztem Archivbit kopieren (*)"},
    };
    return table;
}

QString lookup(const std::unordered_map<int, const char16_t *> &table, int id)
{
    const auto it = table.find(id);
    return it == table.end() ? QString() : QString::fromUtf16(it->second);
}

} // namespace

QString LoadStr(int id)
{
    return lookup(stringTable(), id);
}

QString ControlText(int controlId)
{
    return lookup(controlTable(), controlId);
}
