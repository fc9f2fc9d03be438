#include "ReplyParsing.h"

bool IsRefusal(const QByteArray& line)
{
    const QByteArray upper = line.toUpper();
    return upper.contains("TOO") || (upper.contains("INVALID") && upper.contains("PARA")) ||
           upper.contains("COMMAND");
}
