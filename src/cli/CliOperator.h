#pragma once

#include "terminal/Operator.h"

#include <functional>

// The operator of the command-line tool: each message box is one line on standard error,
// answered by rule (an output or log retry is given up, every other box is accepted).
class CliOperator : public Operator
{
public:
    Answer message(const QString &text, Buttons buttons, Icon icon, const QString &title) override;
    // There is nobody to choose a file: the dialog counts as cancelled.
    std::optional<QString> openFile(const FileRequest &request) override;

    // Runs before each line is written, so that standard output can be flushed first.
    std::function<void()> beforeLine;
    // Writes one line on standard error.
    void writeLine(const QString &text);
};
