#include "sim/SimLine.h"

SimLine::SimLine()
{
    QObject::connect(&m_printer, &VirtualPrinter::answered, &m_printer,
                     [this](const QByteArray &answer) { m_answers += answer; });
}

QByteArray SimLine::read(int count)
{
    const QByteArray part = m_answers.left(count);
    m_answers.remove(0, part.size());
    return part;
}

void SimLine::opened()
{
    if (m_everOpened)
        return;
    m_everOpened = true;
    if (m_firstOpen)
        m_firstOpen();
}
