#pragma once

#include <QString>

// The text of the transcript pane: appends at the end and, once it passes 20000
// characters, keeps only the last 2000, so that appends stay cheap however long it runs.
class Transcript
{
public:
    static constexpr qsizetype Limit = 20000;
    static constexpr qsizetype Kept = 2000;

    void append(const QString &text);
    void clear();
    const QString &text() const { return m_text; }
    // Counts trims, so that a view can tell a plain append from a replaced text.
    quint64 trimCount() const { return m_trims; }

private:
    QString m_text;
    quint64 m_trims = 0;
};
