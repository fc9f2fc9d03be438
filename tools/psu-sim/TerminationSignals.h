#pragma once

#include <csignal>

// SIGTERM and SIGINT request a clean exit. They stay blocked except while the event loop waits
// in ppoll() with waitMask(), so a request can never slip in between checking received() and
// going to sleep.
class TerminationSignals
{
public:
    TerminationSignals();

    bool received() const;
    const sigset_t* waitMask() const { return &waitMask_; }

private:
    sigset_t waitMask_;
};
