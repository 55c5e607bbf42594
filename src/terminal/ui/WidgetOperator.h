#pragma once

#include "terminal/Operator.h"

class QWidget;

// The operator as real message boxes and file dialogs.
class WidgetOperator : public Operator
{
public:
    void setParentWindow(QWidget *parent) { m_parent = parent; }
    Answer message(const QString &text, Buttons buttons, Icon icon, const QString &title) override;
    std::optional<QString> openFile(const FileRequest &request) override;

    // "Log Files (*.LOG)|*.log|All Files (*.*)|*.*" as a Qt filter list.
    static QString qtFilter(const QString &systemFilter);

private:
    QWidget *m_parent = nullptr;
};
