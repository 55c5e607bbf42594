#pragma once

#include <QPlainTextEdit>
#include <QTimer>

class Transcript;

// The transcript pane. It shows the core's transcript text and repaints at most once a
// frame, however many texts are appended in between, so that showing traffic never limits
// a fast line.
class TranscriptView : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit TranscriptView(const Transcript &transcript, QWidget *parent = nullptr);

    // Marks the view stale; the next frame brings it up to date.
    void scheduleUpdate();
    // Brings the view up to date now.
    void updateNow();

private:
    const Transcript &m_transcript;
    QTimer m_frame;
    qsizetype m_shownLength = 0;
    quint64 m_shownTrims = 0;
};
