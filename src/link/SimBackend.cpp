#include "link/SimBackend.h"

#include "sim/SimLine.h"

bool SimBackend::open(const QString &)
{
    m_open = true;
    m_line.opened();
    return true;
}

qint64 SimBackend::write(const QByteArray &data)
{
    if (!m_open)
        return 0;
    m_line.write(data);
    return data.size();
}

QByteArray SimBackend::read(int count, int, int)
{
    if (!m_open || count <= 0)
        return {};
    return m_line.read(count);
}
