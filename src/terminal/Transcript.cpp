#include "terminal/Transcript.h"

void Transcript::append(const QString &text)
{
    m_text.append(text);
    if (m_text.size() > Limit) {
        m_text = m_text.right(Kept);
        ++m_trims;
    }
}

void Transcript::clear()
{
    m_text.clear();
    ++m_trims;
}
