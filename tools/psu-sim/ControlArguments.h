#pragma once

#include <string_view>
#include <vector>

// Reads the values of a control line one by one (separated by blanks or commas). Every
// problem throws std::invalid_argument naming the offending value.
class ControlArguments
{
public:
    explicit ControlArguments(std::string_view text);

    bool atEnd() const { return next_ == words_.size(); }
    double number(const char* name, double min, double max);
    long integer(const char* name, long min, long max);
    // Throws when values are left over.
    void finish() const;

private:
    std::string_view take(const char* name);

    std::vector<std::string_view> words_;
    std::size_t next_ = 0;
};
