#pragma once

#include <string_view>

namespace scpi {

// Compares a command header such as "inst:nsel" with a pattern such as "INSTrument:NSELect":
// each node may be given in its short form (the upper-case letters) or in full, in any case.
bool headerMatches(std::string_view pattern, std::string_view header);

// Parses a decimal number with optional sign and exponent; throws ScpiError::invalidValue
// for anything else.
double parseNumber(std::string_view text);

} // namespace scpi
