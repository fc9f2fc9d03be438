#pragma once

#include "ScpiError.h"

#include <deque>
#include <string>

// The instrument's error queue, read oldest first through SYST:ERR?.
class ErrorQueue
{
public:
    void push(const ScpiError& error);
    // Removes and returns the oldest entry, or 0,"No error" when the queue is empty.
    std::string pop();
    void clear() { entries_.clear(); }

private:
    // Bounded like an instrument's queue, so a client that never reads it costs no memory;
    // errors beyond the bound are dropped.
    static constexpr std::size_t capacity = 20;

    std::deque<std::string> entries_;
};
