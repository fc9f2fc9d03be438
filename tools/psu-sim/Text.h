#pragma once

#include <string>
#include <string_view>
#include <vector>

// Small string helpers shared by the SCPI and control-line parsers.
namespace text {

std::string_view trim(std::string_view text);
std::vector<std::string_view> split(std::string_view text, char separator);
// Splits at runs of blanks and commas; empty fields are dropped.
std::vector<std::string_view> words(std::string_view text);
std::string toUpper(std::string_view text);
bool equalsIgnoringCase(std::string_view a, std::string_view b);
bool startsWith(std::string_view text, std::string_view prefix);

// Decodes \n, \r, \t, \\ and \xNN; throws std::invalid_argument on a malformed escape.
std::string decodeEscapes(std::string_view text);
// Writes bytes outside printable ASCII, and the backslash itself, as \xNN.
std::string escapeNonPrintable(std::string_view bytes);

} // namespace text
