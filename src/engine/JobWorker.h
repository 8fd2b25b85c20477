#pragma once

class CListData;
class RunContext;

// Runs one job from its start line to the append of its record files (or, in a run from a
// Kopierdatei, the pairs of that file), reporting to the front end in pane `pane`.
void JobWorker(RunContext &run, const CListData *job, int jobIndex, int pane);
