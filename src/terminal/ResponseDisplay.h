#pragma once

#include <QByteArrayView>
#include <QString>

enum class DisplayMode;

// How received bytes and status answers read in the transcript.

// One received byte in a display mode: <1B> (Hex), <27> (Dec), or in Normal mode the
// character, its control name, a line break for LF, nothing for CR and <200> above 127.
QString receivedByteText(quint8 byte, DisplayMode mode);

// The message for a status answer (ACK or NAK, then an item code), judged on the first two
// bytes only; empty when they are not one.
QString statusMessage(QByteArrayView answer);
