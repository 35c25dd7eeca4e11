// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/player/background_priority.h"

#if defined(__linux__)
#include <cerrno>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace trimvox {

void LowerThisThreadPriority(int steps) {
#if defined(__linux__)
    // On Linux the nice value belongs to each thread; the call only ever lowers the priority, which needs no
    // privilege. A failure leaves the thread as it was.
    const auto thread = static_cast<id_t>(syscall(SYS_gettid));
    errno = 0;
    const int nice = getpriority(PRIO_PROCESS, thread);
    if (errno == 0) {
        setpriority(PRIO_PROCESS, thread, nice + steps);
    }
#else
    (void)steps;
#endif
}

} // namespace trimvox
