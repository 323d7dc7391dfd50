#include "foundation/InstanceLock.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

// Another instance holds the lock exclusively only while it removes leftovers.
constexpr auto kSharedWait = std::chrono::seconds(5);
constexpr auto kRetryStep = std::chrono::milliseconds(10);

std::mutex& Guard()
{
    static std::mutex mutex;
    return mutex;
}

// The process's open lock files by path; they stay open (and locked) until the process ends.
std::map<std::string, int>& OpenLocks()
{
    static std::map<std::string, int> locks;
    return locks;
}

int OpenLockFile(const std::string& path)
{
    auto& locks = OpenLocks();
    const auto found = locks.find(path);
    if (found != locks.end())
        return found->second;
    // Not through a link, and without waiting should the name be a pipe.
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0)
        fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return -1;
    }
    locks.emplace(path, fd);
    return fd;
}

bool LockShared(int fd)
{
    const auto until = std::chrono::steady_clock::now() + kSharedWait;
    for (;;) {
        if (flock(fd, LOCK_SH | LOCK_NB) == 0)
            return true;
        if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() >= until)
            return false;
        std::this_thread::sleep_for(kRetryStep);
    }
}

}  // namespace

bool InstanceLock::HoldShared(const std::string& lockPath)
{
    std::lock_guard<std::mutex> lock(Guard());
    const int fd = OpenLockFile(lockPath);
    return fd >= 0 && LockShared(fd);
}

bool InstanceLock::WhileAlone(const std::string& lockPath, const std::function<void()>& work)
{
    std::lock_guard<std::mutex> lock(Guard());
    const int fd = OpenLockFile(lockPath);
    if (fd < 0)
        return false;
    // A failed change from shared to exclusive gives up the shared lock; it is taken again
    // below.
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        LockShared(fd);
        return false;
    }
    try {
        work();
    } catch (...) {
        LockShared(fd);
        throw;
    }
    LockShared(fd);
    return true;
}
