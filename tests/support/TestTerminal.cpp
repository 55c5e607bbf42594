#include "support/TestTerminal.h"

TestTerminal::TestTerminal() : terminal(ports, op, pacer, pacer)
{
    QObject::connect(&terminal, &Terminal::transcriptAppended, &terminal,
                     [this](const QString &text) { transcript += text; });
}
