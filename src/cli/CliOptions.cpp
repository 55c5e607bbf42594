#include "cli/CliOptions.h"

namespace {

bool isWholeNumber(const QString &text, qint64 low, qint64 high)
{
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    return ok && value >= low && value <= high && !text.startsWith(QLatin1Char('+'));
}

// Checks a value against its option's rule and stores it; an error text when it fails.
QString applyOption(CliOptions &o, const QString &name, const QString &value)
{
    const auto oneOf = [&value](std::initializer_list<const char *> allowed) {
        for (const char *a : allowed)
            if (value == QLatin1String(a))
                return true;
        return false;
    };
    if (name == QLatin1String("--port")) {
        o.settings.IOPort = value;
    } else if (name == QLatin1String("--baud")) {
        if (!isWholeNumber(value, 1, 100000000))
            return QStringLiteral("--baud wants a positive whole number, not \"%1\"").arg(value);
        o.settings.BaudRate = value;
    } else if (name == QLatin1String("--parity")) {
        const QString upper = value.toUpper();
        if (upper != QLatin1String("N") && upper != QLatin1String("E") &&
            upper != QLatin1String("O"))
            return QStringLiteral("--parity wants N, E or O, not \"%1\"").arg(value);
        o.settings.Parity = upper;
    } else if (name == QLatin1String("--data")) {
        if (!oneOf({"7", "8"}))
            return QStringLiteral("--data wants 7 or 8, not \"%1\"").arg(value);
        o.settings.Bits = value;
    } else if (name == QLatin1String("--stop")) {
        if (!oneOf({"1", "2"}))
            return QStringLiteral("--stop wants 1 or 2, not \"%1\"").arg(value);
        o.settings.StopBits = value;
    } else if (name == QLatin1String("--flow")) {
        if (!oneOf({"0", "1", "2"}))
            return QStringLiteral("--flow wants 0, 1 or 2, not \"%1\"").arg(value);
        o.settings.Flow = qint16(value.toShort());
    } else if (name == QLatin1String("--display")) {
        const QString mode = value.toLower();
        if (mode == QLatin1String("normal"))
            o.displayMode = DisplayMode::Normal;
        else if (mode == QLatin1String("hex"))
            o.displayMode = DisplayMode::Hex;
        else if (mode == QLatin1String("dec"))
            o.displayMode = DisplayMode::Dec;
        else
            return QStringLiteral("--display wants normal, hex or dec, not \"%1\"").arg(value);
    } else if (name == QLatin1String("--packet-size")) {
        if (!isWholeNumber(value, -32768, 32767))
            return QStringLiteral("--packet-size wants a whole number from -32768 to 32767, "
                                  "not \"%1\"")
                .arg(value);
        o.packetSize = value;
    } else if (name == QLatin1String("--log")) {
        o.logFile = value;
    } else if (name == QLatin1String("--send")) {
        o.actions.append({CliAction::Kind::Send, value});
    } else if (name == QLatin1String("--script")) {
        o.actions.append({CliAction::Kind::Script, value});
    }
    return {};
}

bool takesValue(const QString &name)
{
    static const QStringList names = {"--port", "--baud", "--parity",  "--data",
                                      "--stop", "--flow", "--display", "--packet-size",
                                      "--log",  "--send", "--script"};
    return names.contains(name);
}

} // namespace

CliParse parseCliArguments(const QStringList &arguments)
{
    CliParse result;
    CliOptions options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        QString name = arguments.at(i);
        std::optional<QString> value;
        const qsizetype equals = name.indexOf(QLatin1Char('='));
        if (name.startsWith(QLatin1String("--")) && equals > 2) {
            value = name.mid(equals + 1);
            name.truncate(equals);
        }
        if (name == QLatin1String("--help") || name == QLatin1String("-h")) {
            result.help = true;
            return result;
        }
        if (takesValue(name)) {
            if (!value) {
                if (i + 1 >= arguments.size()) {
                    result.error = QStringLiteral("%1 needs a value").arg(name);
                    return result;
                }
                value = arguments.at(++i);
            }
            result.error = applyOption(options, name, *value);
            if (!result.error.isEmpty())
                return result;
            continue;
        }
        if (value) {
            result.error = QStringLiteral("%1 takes no value").arg(name);
            return result;
        }
        if (name == QLatin1String("--no-auto-query"))
            options.autoQuery = false;
        else if (name == QLatin1String("--no-transcript"))
            options.transcript = false;
        else if (name == QLatin1String("--get-response"))
            options.actions.append({CliAction::Kind::GetResponse, {}});
        else if (name == QLatin1String("--break"))
            options.actions.append({CliAction::Kind::Break, {}});
        else {
            result.error = QStringLiteral("unknown argument \"%1\"").arg(name);
            return result;
        }
    }
    if (options.actions.isEmpty()) {
        result.error = QStringLiteral("no action given");
        return result;
    }
    result.options = options;
    return result;
}

QString cliUsage()
{
    return QStringLiteral(
        "Usage: corvane-cli [options] action...\n"
        "Talks to a Corvane printer the way the terminal window does. Standard output gets\n"
        "exactly what the transcript pane would show; message boxes go to standard error.\n"
        "\n"
        "Options (defaults are the terminal's first-run values):\n"
        "  --port NAME          the port (None)\n"
        "  --baud RATE          line speed (19200)\n"
        "  --parity N|E|O       parity (N)\n"
        "  --data 7|8           data bits (8)\n"
        "  --stop 1|2           stop bits (1)\n"
        "  --flow 0|1|2         none, Xon/Xoff, hardware (2)\n"
        "  --display normal|hex|dec   how received bytes are shown (normal)\n"
        "  --no-auto-query      do not read the answer after each command\n"
        "  --no-transcript      clear the Transcript box\n"
        "  --packet-size N      script packet size (20)\n"
        "  --log FILE           append the transcript to FILE\n"
        "\n"
        "Actions, run in the order given:\n"
        "  --send TEXT          Send Command with TEXT as the command line\n"
        "  --get-response       Get Response\n"
        "  --break              Break\n"
        "  --script FILE        Send Script with FILE\n"
        "\n"
        "Exit status: 0 when every action ran to its end, 1 when an output was cancelled or\n"
        "a named file could not be used, 2 for a usage error.\n");
}
