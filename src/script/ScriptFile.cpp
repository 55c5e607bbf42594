#include "script/ScriptFile.h"

std::optional<QString> ScriptFile::open(const QString &path)
{
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::ReadOnly))
        return m_file.errorString();
    return std::nullopt;
}

bool ScriptFile::refill()
{
    if (m_endMet)
        return false;
    m_buffer = m_file.read(64 * 1024);
    m_pos = 0;
    if (m_buffer.isEmpty()) {
        m_endMet = true;
        return false;
    }
    return true;
}

int ScriptFile::next()
{
    if (m_pos >= m_buffer.size() && !refill())
        return -1;
    return static_cast<unsigned char>(m_buffer.at(m_pos++));
}

QByteArray ScriptFile::readLine()
{
    int c = next();
    while (c >= 0 && c < 32)
        c = next();
    QByteArray line;
    while (c >= 0) {
        if (line.size() < LineKept)
            line.append(static_cast<char>(c));
        if (c < 32)
            break;
        c = next();
    }
    return line;
}

QByteArray ScriptFile::readBlock(qsizetype max)
{
    QByteArray block;
    block.reserve(max);
    while (block.size() < max) {
        if (m_pos >= m_buffer.size() && !refill())
            break;
        const qsizetype take = qMin(max - block.size(), m_buffer.size() - m_pos);
        block.append(m_buffer.constData() + m_pos, take);
        m_pos += take;
    }
    return block;
}
