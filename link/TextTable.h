#pragma once

#include <QString>

#include <optional>

// The table of user-interface texts, looked up by number. Each window takes its captions from
// it when it is created; an element whose text the table lacks keeps its form default.
class TextTable
{
public:
    virtual ~TextTable() = default;

    // the text of `index`, or nothing when the loaded table does not hold that index
    virtual std::optional<QString> text(int index) const = 0;

    QString text(int index, const QString& formDefault) const
    {
        return text(index).value_or(formDefault);
    }
};
