#include "script/CommandToken.h"

#include <array>

namespace {

// 0-based index past the last place the name's ending character may stand (position 11).
constexpr qsizetype NameLimit = 11;
// 0-based index past the last place the argument's "}" may stand (position 31).
constexpr qsizetype ArgumentLimit = 31;

bool endsName(char c)
{
    return c == ':' || c == '.' || c == '}';
}

CommandToken abandon(QByteArray &line)
{
    CommandToken token;
    token.abandoned = true;
    if (!line.isEmpty()) {
        token.plain = line.at(0);
        dropFromLine(line, 1);
    }
    return token;
}

} // namespace

void dropFromLine(QByteArray &line, qsizetype n)
{
    line.remove(0, qMin(n, line.size()));
    if (line.size() > 255)
        line.truncate(255);
}

bool isCommandName(QByteArrayView name)
{
    static const std::array<QByteArrayView, 22> names = {
        "GRAPHIC", "BREAKON", "BREAKOFF", "BREAK", "STOP", "ECHO",   "REM", "PAUSE",
        "WAIT",    "DO",      "RPT",      "DATE",  "TIME", "A",      "A=",  "A+",
        "A-",      "B",       "B=",       "B+",    "B-",   "GET1284"};
    for (QByteArrayView known : names)
        if (known == name)
            return true;
    return false;
}

CommandToken readCommandToken(QByteArray &line)
{
    qsizetype nameEnd = -1;
    for (qsizetype i = 1; i < NameLimit && i < line.size(); ++i) {
        if (endsName(line.at(i))) {
            nameEnd = i;
            break;
        }
    }
    if (nameEnd < 0)
        return abandon(line);

    QByteArray name = line.mid(1, nameEnd - 1).toUpper();
    qsizetype spaces = 0;
    while (spaces < name.size() && name.at(spaces) == ' ')
        ++spaces;
    name.remove(0, spaces);
    const bool separator = line.at(nameEnd) != '}';
    dropFromLine(line, separator ? nameEnd + 1 : nameEnd);

    const bool known = isCommandName(name);
    for (qsizetype pos = 0; pos < ArgumentLimit; ++pos) {
        if (pos >= line.size() || line.at(pos) != '}')
            continue;
        if (known) {
            CommandToken token;
            token.name = name;
            token.argument = line.left(pos);
            dropFromLine(line, pos + 1);
            return token;
        }
        // An unknown name drops the line up to this "}" and searches on from the position
        // after it, counted in the shortened line.
        dropFromLine(line, pos + 1);
    }
    return abandon(line);
}
