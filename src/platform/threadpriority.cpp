#include "platform/threadpriority.h"

#include <array>
#include <cerrno>
#include <sys/resource.h>
#include <unistd.h>

namespace velmoro::platform {

int GuiNicenessOfPosition(int position)
{
    constexpr std::array<int, 4> kNiceness{-5, 19, 0, -10};
    return position >= 0 && position < int(kNiceness.size()) ? kNiceness[position] : 0;
}

// On Linux a thread's id names it alone to setpriority.
bool SetCallingThreadNiceness(int niceness)
{
    return setpriority(PRIO_PROCESS, id_t(gettid()), niceness) == 0;
}

int CallingThreadNiceness()
{
    errno = 0;
    return getpriority(PRIO_PROCESS, id_t(gettid()));
}

} // namespace velmoro::platform
