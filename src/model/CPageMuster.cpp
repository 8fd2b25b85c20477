#include "model/CPageMuster.h"

namespace model {

void CPageMuster::Reset()
{
    *this = CPageMuster{};
}

} // namespace model
