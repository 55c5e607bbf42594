#include "cli/CliOperator.h"

#include <cstdio>

Operator::Answer CliOperator::message(const QString &text, Buttons buttons, Icon, const QString &)
{
    writeLine(text);
    switch (buttons) {
    case Buttons::Ok:
        return Answer::Ok;
    case Buttons::OkCancel:
        if (text == QLatin1String("Unable to output data. Press OK to continue."))
            return Answer::Cancel;
        return Answer::Ok;
    case Buttons::RetryCancel:
        return Answer::Cancel;
    case Buttons::YesNoCancel:
        return Answer::Yes;
    }
    return Answer::Cancel;
}

std::optional<QString> CliOperator::openFile(const FileRequest &)
{
    return std::nullopt;
}

void CliOperator::writeLine(const QString &text)
{
    if (beforeLine)
        beforeLine();
    QString line = text;
    line.replace(QLatin1String("\r\n"), QLatin1String(" "));
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    line.replace(QLatin1Char('\r'), QLatin1Char(' '));
    const QByteArray bytes = line.toLocal8Bit() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
}
