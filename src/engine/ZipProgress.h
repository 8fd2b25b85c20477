#pragma once

#include "zip/CompressionRequest.h"

struct CProgressData;
class RunContext;

// The progress callback of one compression or unpacking. It reports through `display`, a
// copy of the job's record, so that the ZIP component's events leave the job's own counters
// alone: after every chunk it shows the file's size, the bytes done and the request's file
// path; a failure's error text becomes an error line; and it hands the run's cancel flag to
// the component. `display` must outlive the callback.
CompressionProgressCallback MakeZipProgressCallback(RunContext &run, CProgressData &display);
