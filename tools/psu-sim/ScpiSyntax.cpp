#include "ScpiSyntax.h"

#include "ScpiError.h"
#include "Text.h"

#include <cctype>
#include <cstdlib>
#include <regex>
#include <string>

namespace scpi {

namespace {

std::string shortForm(std::string_view node)
{
    std::string result;
    for (const char c : node)
        if (!std::islower(static_cast<unsigned char>(c)))
            result += c;
    return result;
}

bool nodeMatches(std::string_view patternNode, std::string_view headerNode)
{
    const std::string given = text::toUpper(headerNode);
    return given == shortForm(patternNode) || given == text::toUpper(patternNode);
}

} // namespace

bool headerMatches(std::string_view pattern, std::string_view header)
{
    const auto patternNodes = text::split(pattern, ':');
    const auto headerNodes = text::split(header, ':');
    if (patternNodes.size() != headerNodes.size())
        return false;
    for (std::size_t i = 0; i < patternNodes.size(); ++i)
        if (!nodeMatches(patternNodes[i], headerNodes[i]))
            return false;
    return true;
}

double parseNumber(std::string_view text)
{
    static const std::regex decimal(R"([+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?)");
    const std::string number(text::trim(text));
    if (!std::regex_match(number, decimal))
        throw ScpiError::invalidValue();
    return std::strtod(number.c_str(), nullptr);
}

} // namespace scpi
