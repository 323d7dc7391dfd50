#include "support/FileRightsApply.h"

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

constexpr unsigned kOverrides = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER);

bool Get(__user_cap_data_struct (&data)[2])
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    return syscall(SYS_capget, &header, data) == 0;
}

bool Set(__user_cap_data_struct (&data)[2])
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    return syscall(SYS_capset, &header, data) == 0;
}

}  // namespace

FileRightsApply::FileRightsApply()
{
    __user_cap_data_struct data[2] = {};
    if (!Get(data))
        return;
    if ((data[0].effective & kOverrides) == 0) {
        active_ = true;  // nothing overrides the permissions
        return;
    }
    saved_[0] = data[0].effective;
    saved_[1] = data[1].effective;
    data[0].effective &= ~kOverrides;
    if (!Set(data))
        return;
    changed_ = true;
    active_ = true;
}

FileRightsApply::~FileRightsApply()
{
    if (!changed_)
        return;
    __user_cap_data_struct data[2] = {};
    if (!Get(data))
        return;
    data[0].effective = saved_[0];
    data[1].effective = saved_[1];
    Set(data);
}
