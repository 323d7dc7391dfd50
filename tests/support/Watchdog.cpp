#include "support/Watchdog.h"

#include <csignal>
#include <cstring>
#include <unistd.h>

namespace {

const char* g_what = "";

void Bark(int)
{
    const char prefix[] = "\nWatchdog: blockiert, Test abgebrochen: ";
    ssize_t ignored = write(2, prefix, sizeof prefix - 1);
    ignored = write(2, g_what, std::strlen(g_what));
    ignored = write(2, "\n", 1);
    (void)ignored;
    _exit(1);
}

}  // namespace

Watchdog::Watchdog(unsigned seconds, const char* what)
{
    g_what = what;
    std::signal(SIGALRM, Bark);
    alarm(seconds);
}

Watchdog::~Watchdog()
{
    alarm(0);
    std::signal(SIGALRM, SIG_DFL);
}
