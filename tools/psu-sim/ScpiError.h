#pragma once

#include <stdexcept>
#include <string>

// A refused command part, as it is reported through SYST:ERR?.
class ScpiError : public std::runtime_error
{
public:
    static ScpiError commandError() { return {-100, "Command error"}; }
    static ScpiError invalidValue() { return {-224, "Invalid parameter value"}; }
    static ScpiError valueTooLarge() { return {-222, "Data out of range, value too large"}; }
    static ScpiError valueTooSmall() { return {-222, "Data out of range, value too small"}; }

    // The error-queue form: -222,"Data out of range, value too large"
    std::string entry() const { return std::to_string(code_) + ",\"" + what() + '"'; }

private:
    ScpiError(int code, const char* message) : std::runtime_error(message), code_(code) {}

    int code_;
};
