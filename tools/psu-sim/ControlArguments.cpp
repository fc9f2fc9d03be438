#include "ControlArguments.h"

#include "Text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace {

std::string describe(long value)
{
    return std::to_string(value);
}

std::string describe(double value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%g", value);
    return buffer;
}

template <typename T> T checked(const char* name, T value, T min, T max)
{
    if (!(value >= min && value <= max))
        throw std::invalid_argument(std::string(name) + " must be from " + describe(min) + " to " +
                                    describe(max));
    return value;
}

[[noreturn]] void throwNotANumber(const char* name, std::string_view word)
{
    throw std::invalid_argument(std::string(name) + " is not a number: " + std::string(word));
}

} // namespace

ControlArguments::ControlArguments(std::string_view text) : words_(text::words(text)) {}

double ControlArguments::number(const char* name, double min, double max)
{
    const std::string word(take(name));
    char* end = nullptr;
    const double value = std::strtod(word.c_str(), &end);
    if (end != word.c_str() + word.size() || !std::isfinite(value))
        throwNotANumber(name, word);
    return checked(name, value, min, max);
}

long ControlArguments::integer(const char* name, long min, long max)
{
    const std::string_view word = take(name);
    long value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size())
        throwNotANumber(name, word);
    return checked(name, value, min, max);
}

void ControlArguments::finish() const
{
    if (!atEnd())
        throw std::invalid_argument("unexpected " + std::string(words_[next_]));
}

std::string_view ControlArguments::take(const char* name)
{
    if (atEnd())
        throw std::invalid_argument(std::string("missing ") + name);
    return words_[next_++];
}
