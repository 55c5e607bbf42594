#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QSocketNotifier;
class QTimer;

// A pseudo-terminal whose other end any terminal program can open as a serial port. It
// hands on what the far end writes and sends answers back, one write each, and keeps the
// device usable while the far end opens and closes it between operations.
class PtyServer : public QObject
{
    Q_OBJECT
public:
    explicit PtyServer(QObject *parent = nullptr);
    ~PtyServer() override;

    // Creates the pseudo-terminal; false, with errorText(), when the system refuses.
    bool open();
    // The device the far end opens, such as "/dev/pts/3".
    QString devicePath() const { return m_path; }
    QString errorText() const { return m_error; }

    void send(const QByteArray &bytes);

Q_SIGNALS:
    void received(const QByteArray &bytes);
    // The pseudo-terminal broke; nothing more will arrive.
    void failed(const QString &reason);

private:
    void readMaster();
    void writePending();
    void fail(const QString &what);

    int m_master = -1;
    int m_slave = -1;
    QString m_path;
    QString m_error;
    QByteArray m_pending;
    QSocketNotifier *m_readNotifier = nullptr;
    QSocketNotifier *m_writeNotifier = nullptr;
    QTimer *m_exclusiveTimer = nullptr;
};
