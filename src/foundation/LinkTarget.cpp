#include "foundation/LinkTarget.h"

#include "foundation/IoError.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kMaxLinkSteps = 40;

std::string ReadLink(const std::string& link)
{
    std::vector<char> buffer(256);
    for (;;) {
        const ssize_t n = readlink(link.c_str(), buffer.data(), buffer.size());
        if (n < 0)
            throw IoError::FromErrno(link);
        if (static_cast<size_t>(n) < buffer.size())
            return std::string(buffer.data(), static_cast<size_t>(n));
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace

std::string LinkTarget(const std::string& path)
{
    std::string current = path;
    for (int step = 0; step <= kMaxLinkSteps; ++step) {
        struct stat st {};
        if (lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return current;
        std::string target = ReadLink(current);
        if (target.empty() || target[0] != '/') {
            const size_t slash = current.find_last_of('/');
            if (slash != std::string::npos)
                target = current.substr(0, slash + 1) + target;
        }
        current = std::move(target);
    }
    errno = ELOOP;
    throw IoError::FromErrno(path);
}
