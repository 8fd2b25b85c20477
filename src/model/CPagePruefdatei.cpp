#include "model/CPagePruefdatei.h"

namespace model {

void CPagePruefdatei::Reset()
{
    *this = CPagePruefdatei{};
}

} // namespace model
