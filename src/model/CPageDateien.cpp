#include "model/CPageDateien.h"

namespace model {

void CPageDateien::Reset()
{
    *this = CPageDateien{};
}

} // namespace model
