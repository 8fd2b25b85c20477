#include "engine/CDirStruct.h"

void CDirStruct::AddFile(const QString &name, qint64 size, qint64 time, quint32 flags, const QString &extra)
{
    Names.append(name);
    Sizes.append(size);
    Times.append(time);
    Flags.append(flags);
    Extra.append(extra);
}

void FreeDirStructArray(CDirStructArray &array)
{
    array.clear();
}
