#include "engine/CompressToTemp.h"

// FIXME: the ZIP component does not exist yet. Until it does, every file chosen for
// compression is copied uncompressed, and the job walk says so with its compression-failure
// notice.
bool CompressToTemp(JobContext &, QString *archivePath)
{
    archivePath->clear();
    return false;
}
