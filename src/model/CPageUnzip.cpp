#include "model/CPageUnzip.h"

namespace model {

void CPageUnzip::Reset()
{
    *this = CPageUnzip{};
}

} // namespace model
