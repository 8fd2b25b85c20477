#include "controls/DocumentTemplate.h"

#include "resources/Strings.h"

namespace DocumentTemplate {

namespace {

constexpr int kTemplateString = 128;

QString field(int index)
{
    return LoadStr(kTemplateString).section(u'\n', index, index);
}

} // namespace

QString AppName()
{
    return field(0);
}

QString FileFilter()
{
    return field(3);
}

QString DefaultExtension()
{
    return field(4);
}

} // namespace DocumentTemplate
