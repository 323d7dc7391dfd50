#include "ChildPeakMemory.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A field of /proc/self/status in bytes ("VmRSS:    1234 kB"), or -1.
int64_t StatusBytes(const char* field)
{
    std::FILE* f = std::fopen("/proc/self/status", "r");
    if (!f)
        return -1;
    char line[256];
    int64_t value = -1;
    const size_t length = std::strlen(field);
    while (std::fgets(line, sizeof line, f)) {
        if (std::strncmp(line, field, length) == 0 && line[length] == ':') {
            long long kib = 0;
            if (std::sscanf(line + length + 1, "%lld", &kib) == 1)
                value = int64_t(kib) * 1024;
            break;
        }
    }
    std::fclose(f);
    return value;
}

// Sets the peak resident size back to the current one.
bool ResetPeak()
{
    const int fd = ::open("/proc/self/clear_refs", O_WRONLY);
    if (fd < 0)
        return false;
    const bool ok = ::write(fd, "5", 1) == 1;
    ::close(fd);
    return ok;
}

struct Report {
    int64_t growth;
    int32_t result;
};

}

bool UnderAddressSanitizer()
{
#if defined(__SANITIZE_ADDRESS__)
    return true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    return true;
#else
    return false;
#endif
#else
    return false;
#endif
}

ChildPeak MeasureInChild(const std::function<int()>& work, uint64_t addressSpaceAllowance)
{
    ChildPeak peak;
    int fds[2];
    if (::pipe(fds) != 0)
        return peak;
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        return peak;
    }
    if (pid == 0) {
        ::close(fds[0]);
        const int64_t size = StatusBytes("VmSize");
        if (!UnderAddressSanitizer() && size > 0) {
            const rlimit cap{rlim_t(size) + addressSpaceAllowance, rlim_t(size) + addressSpaceAllowance};
            ::setrlimit(RLIMIT_AS, &cap);
        }
        const int64_t before = StatusBytes("VmRSS");
        if (before < 0 || !ResetPeak())
            ::_exit(2);
        const int result = work();
        const int64_t high = StatusBytes("VmHWM");
        if (high < 0)
            ::_exit(2);
        const Report report{high - before, int32_t(result)};
        const bool written = ::write(fds[1], &report, sizeof report) == ssize_t(sizeof report);
        ::_exit(written ? 0 : 2);
    }
    ::close(fds[1]);
    Report report{};
    const bool got = ::read(fds[0], &report, sizeof report) == ssize_t(sizeof report);
    ::close(fds[0]);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (got && WIFEXITED(status) && WEXITSTATUS(status) == 0) {
        peak.measured = true;
        peak.growth = report.growth;
        peak.result = report.result;
    }
    return peak;
}
