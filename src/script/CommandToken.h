#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

// What a "{" at the front of a script line turned out to be: a command with its name and
// argument, or an abandoned token whose first character is sent as it stands.
struct CommandToken
{
    bool abandoned = false;
    // Upper-cased, leading spaces removed.
    QByteArray name;
    // As written: no trimming, no change of case.
    QByteArray argument;
    // For an abandoned token, the character sent in its place; nullopt when the line ran
    // out.
    std::optional<char> plain;
};

// Reads the command token at the front of line (which starts with "{") and removes what
// it used, keeping at most 255 characters of the rest after every removal. An unknown name
// goes on searching the line for "}" and ends abandoned, so that {FOO}ABC sends ABC.
CommandToken readCommandToken(QByteArray &line);

// True for the names of the script commands.
bool isCommandName(QByteArrayView name);

// Removes n characters from the front of a line and cuts the rest to 255 characters.
void dropFromLine(QByteArray &line, qsizetype n);
