#include "TerminationSignals.h"

namespace {

volatile std::sig_atomic_t terminationRequested = 0;

void requestTermination(int)
{
    terminationRequested = 1;
}

} // namespace

TerminationSignals::TerminationSignals()
{
    sigset_t termination;
    sigemptyset(&termination);
    sigaddset(&termination, SIGTERM);
    sigaddset(&termination, SIGINT);
    sigprocmask(SIG_BLOCK, &termination, &waitMask_);
    sigdelset(&waitMask_, SIGTERM);
    sigdelset(&waitMask_, SIGINT);

    struct sigaction action
    {
    };
    action.sa_handler = requestTermination;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

bool TerminationSignals::received() const
{
    return terminationRequested != 0;
}
