#pragma once

#include "ErrorQueue.h"
#include "PowerSupply.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Executes SCPI command lines against the supply. A line holds ';'-separated parts; queries
// contribute to the reply, refused parts go to the error queue.
class ScpiInterpreter
{
public:
    explicit ScpiInterpreter(PowerSupply& supply);

    // Returns the replies of the line's queries joined by ';' (without line feed), or nothing
    // when the line held no answered query.
    std::optional<std::string> execute(std::string_view line);

private:
    using Query = std::function<std::string()>;
    using Setting = std::function<void(std::string_view parameter)>;

    struct Command
    {
        const char* header;
        Query query;
        Setting setting;
    };

    std::vector<Command> buildCommands();
    std::optional<std::string> executePart(std::string_view part);
    const Command* find(std::string_view header) const;

    std::string outputState() const;
    std::string selectedSetpoint(Quantity quantity) const;
    std::string selectedMeasurement(Quantity quantity) const;
    std::string setpointList(Quantity quantity) const;
    std::string measurementList(Quantity quantity) const;
    void setAllSetpoints(Quantity quantity, std::string_view parameter);
    void setSelectedSetpoint(Quantity quantity, std::string_view parameter);
    double validSetpoint(Quantity quantity, int channel, std::string_view text) const;
    void setOutput(std::string_view parameter);
    void selectChannel(std::string_view parameter);

    PowerSupply& supply_;
    ErrorQueue errors_;
    const std::vector<Command> commands_;
};
