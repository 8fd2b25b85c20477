#include "platform/Terminal.h"

#include <sys/ioctl.h>
#include <unistd.h>

namespace platform {

bool IsTerminal(std::FILE *stream)
{
    return stream && isatty(fileno(stream)) == 1;
}

int TerminalColumns(std::FILE *stream)
{
    winsize size{};
    if (!stream || ioctl(fileno(stream), TIOCGWINSZ, &size) != 0 || size.ws_col == 0)
        return 80;
    return size.ws_col;
}

} // namespace platform
