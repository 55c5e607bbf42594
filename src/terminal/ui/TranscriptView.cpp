#include "terminal/ui/TranscriptView.h"

#include "terminal/Transcript.h"

#include <QScrollBar>

TranscriptView::TranscriptView(const Transcript &transcript, QWidget *parent)
    : QPlainTextEdit(parent)
    , m_transcript(transcript)
{
    setReadOnly(true);
    setUndoRedoEnabled(false);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_frame.setSingleShot(true);
    m_frame.setInterval(16);
    connect(&m_frame, &QTimer::timeout, this, &TranscriptView::updateNow);
}

void TranscriptView::scheduleUpdate()
{
    if (!m_frame.isActive())
        m_frame.start();
}

void TranscriptView::updateNow()
{
    m_frame.stop();
    const QString &text = m_transcript.text();
    if (m_shownTrims != m_transcript.trimCount() || text.size() < m_shownLength) {
        setPlainText(QString(text).remove(QLatin1Char('\r')));
    } else if (text.size() > m_shownLength) {
        QTextCursor cursor(document());
        cursor.movePosition(QTextCursor::End);
        // The pane shows CR LF as one line break and a lone CR as nothing.
        QString added = text.mid(m_shownLength);
        added.remove(QLatin1Char('\r'));
        cursor.insertText(added);
    }
    m_shownLength = text.size();
    m_shownTrims = m_transcript.trimCount();
    moveCursor(QTextCursor::End);
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}
