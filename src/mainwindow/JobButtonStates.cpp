#include "mainwindow/JobButtonStates.h"

JobButtonStates JobButtonStates::For(int selected, int rows)
{
    JobButtonStates states;
    states.Change = selected == 1;
    states.Copy = selected == 1;
    states.Delete = selected >= 1;
    states.MoveUp = selected >= 1;
    states.MoveDown = selected >= 1;
    states.Test = rows >= 1;
    return states;
}
