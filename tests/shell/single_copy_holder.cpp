// single_copy_holder UID
//
// Holds the single-copy name of the user UID until it is killed, as a running
// copy of that user does; run as another user, it is someone who took that
// user's name. Prints "held" once it has the name (or a copy of the same user
// already has it), and ends with status 1 at once if it cannot have it.
#include <unistd.h>

#include <cstdio>
#include <string>

#include "launch/instance_guard.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: single_copy_holder UID\n", stderr);
        return 2;
    }
    const auto user = static_cast<uid_t>(std::stoul(argv[1]));  // a user id the test read from id -u
    const dravik::launch::InstanceGuard guard(dravik::launch::singleCopyName(user));
    if (guard.isOff()) return 1;
    std::puts("held");
    std::fflush(stdout);
    ::pause();
    return 0;
}
