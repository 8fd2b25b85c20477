#include "engine/CopiedArchive.h"

UnpackResult UnpackCopiedArchive(JobContext &)
{
    return UnpackResult{};
}
