#pragma once

#include <cstdio>

namespace platform {

// True when `stream` is connected to a terminal.
bool IsTerminal(std::FILE *stream);

// The width of the terminal behind `stream` in columns; 80 when it cannot be asked.
int TerminalColumns(std::FILE *stream);

} // namespace platform
