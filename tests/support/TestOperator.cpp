#include "support/TestOperator.h"

Operator::Answer TestOperator::message(const QString &text, Buttons buttons, Icon icon,
                                       const QString &title)
{
    shown.append({text, buttons, icon, title});
    if (onMessage)
        onMessage(shown.constLast());
    if (!answers.isEmpty())
        return answers.takeFirst();
    switch (buttons) {
    case Buttons::Ok:
    case Buttons::OkCancel: return Answer::Ok;
    default: return Answer::Cancel;
    }
}

std::optional<QString> TestOperator::openFile(const FileRequest &request)
{
    requests.append(request);
    if (files.isEmpty())
        return std::nullopt;
    return files.takeFirst();
}

QStringList TestOperator::texts() const
{
    QStringList list;
    for (const Shown &s : shown)
        list.append(s.text);
    return list;
}
