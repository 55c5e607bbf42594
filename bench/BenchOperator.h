#pragma once

#include "terminal/Operator.h"

#include <cstdio>

// The benchmarks' operator: prints any box (none is expected) and gives up at once.
class BenchOperator : public Operator
{
public:
    Answer message(const QString &text, Buttons, Icon, const QString &) override
    {
        ++shown;
        std::fprintf(stderr, "box: %s\n", text.toLocal8Bit().constData());
        return Answer::Cancel;
    }
    std::optional<QString> openFile(const FileRequest &) override { return std::nullopt; }

    int shown = 0;
};
