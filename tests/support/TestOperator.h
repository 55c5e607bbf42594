#pragma once

#include "terminal/Operator.h"

#include <QList>
#include <QStringList>

#include <functional>

// Scripted answers and a record of every message box and file dialog shown.
class TestOperator : public Operator
{
public:
    struct Shown
    {
        QString text;
        Buttons buttons;
        Icon icon;
        QString title;
    };

    Answer message(const QString &text, Buttons buttons, Icon icon, const QString &title) override;
    std::optional<QString> openFile(const FileRequest &request) override;

    // Answers in order; when they run out, Ok (or Cancel where Ok is not offered).
    QList<Answer> answers;
    // Dialog results in order; nullopt is a cancel. When they run out, a cancel.
    QList<std::optional<QString>> files;
    // Runs while a box is shown, before it is answered (to act "during" a dialog).
    std::function<void(const Shown &)> onMessage;

    QList<Shown> shown;
    QList<FileRequest> requests;

    QStringList texts() const;
};
