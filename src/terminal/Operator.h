#pragma once

#include <QString>

#include <optional>

// The person at the terminal: message boxes and the open-file dialog. Windows show real
// dialogs, the command-line tool prints and answers by rule, tests script the answers.
class Operator
{
public:
    enum class Buttons { Ok, OkCancel, RetryCancel, YesNoCancel };
    enum class Icon { None, Information, Exclamation, Critical, Question };
    enum class Answer { Ok, Cancel, Retry, Yes, No };

    struct FileRequest
    {
        QString title;
        // The system's filter form: "Description|*.ext|Description|*.a;*.b".
        QString filter;
        // Added to a typed name that has no extension; empty for none.
        QString defaultExtension;
        // The name the dialog starts with.
        QString fileName;
    };

    virtual ~Operator() = default;

    // An empty title means the application's title, "Terminal".
    virtual Answer message(const QString &text, Buttons buttons = Buttons::Ok,
                           Icon icon = Icon::None, const QString &title = {}) = 0;
    // The chosen path, or nullopt when the operator cancels.
    virtual std::optional<QString> openFile(const FileRequest &request) = 0;
};

inline const QString &applicationTitle()
{
    static const QString title = QStringLiteral("Terminal");
    return title;
}
