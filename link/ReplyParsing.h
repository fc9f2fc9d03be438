#pragma once

#include <QByteArray>

// A reply line refuses its command when, with its letters in capitals, it contains "TOO", or
// both "INVALID" and "PARA", or "COMMAND", anywhere in the line.
bool IsRefusal(const QByteArray& line);
