#include "ErrorQueue.h"

#include <utility>

void ErrorQueue::push(const ScpiError& error)
{
    if (entries_.size() < capacity)
        entries_.push_back(error.entry());
}

std::string ErrorQueue::pop()
{
    if (entries_.empty())
        return "0,\"No error\"";
    std::string entry = std::move(entries_.front());
    entries_.pop_front();
    return entry;
}
