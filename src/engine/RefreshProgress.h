#pragma once

struct JobContext;

// Tells the pane, the main window and the job row how far the job is (after a file every
// 3000 ms and at the end of the copy phase).
void RefreshProgress(JobContext &job);
