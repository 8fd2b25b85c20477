#pragma once

// Which buttons of the job list are enabled for a selection of `selected` rows out of `rows`.
struct JobButtonStates {
    bool Change = false;   // "Ändern ..."
    bool Copy = false;     // "Kopieren ..."
    bool Delete = false;   // "Löschen ..."
    bool Test = false;     // "Testen"
    bool MoveUp = false;
    bool MoveDown = false;

    static JobButtonStates For(int selected, int rows);

    friend bool operator==(const JobButtonStates &, const JobButtonStates &) = default;
};
