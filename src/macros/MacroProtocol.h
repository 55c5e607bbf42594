#pragma once

#include <QByteArray>
#include <QString>

// The bytes of the macro protocol: the product query and its answer, the macro commands,
// and the directory listing. Pure functions, no I/O.
namespace MacroProtocol {

// ENQ NAK: asks the printer which product or emulation it is.
QByteArray productQuery();
// ENQ ETB: asks for the macro listing.
QByteArray directoryQuery();

// The model name in an answer to the product query: the 6 characters after "CMD" and one
// separator. Empty when the answer is 10 characters or fewer or carries no name; shorter
// than 6 characters when the answer ends sooner.
QByteArray productName(const QByteArray &answer);
// "R615DX", "CV4200" or "CV4700", compared exactly.
bool isCompatible(const QByteArray &name);
// Only "CV4700" has Extended Store.
bool hasExtendedStore(const QByteArray &name);

// ESC US letter argument NUL.
QByteArray macroCommand(char letter, const QByteArray &argument);
// ESC g 1: starts a recording that prints as it records.
QByteArray recordStart();
// ESC g 2, then ESC US m name NUL, which names what was recorded.
QByteArray recordEnd(const QByteArray &name);

// The macro name as the printer receives it: one byte per character, Latin-1, a character
// outside Latin-1 as "?".
QByteArray nameBytes(const QString &name);
// The listing as shown: the answer without its first two characters, with CR LF and lone
// CR as line breaks.
QString listingText(const QByteArray &answer);

} // namespace MacroProtocol
