#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>
#include <optional>

// The command escape syntax: <27> and <x1B> give a byte by value, [ESC] names a control
// byte, a backslash takes the next character literally, anything else stands for itself.

// "[NUL]" to "[US]", the names of the control bytes 0 to 31.
const std::array<QByteArray, 32> &ControlMnemonics();

// A numeric text read the way the printer's tools always have: blanks, tabs and line
// feeds ignored, "&H" hex or "&O" octal digits, or a sign, digits, a decimal point and an
// E or D exponent; reading stops at the first character that cannot continue the number
// and no number at all is 0.
double readNumericText(QByteArrayView text);

// Rounds to the nearest whole number, halves to the even neighbour; nullopt outside the
// 16-bit range (or for a value that is not finite).
std::optional<qint16> roundToInt16(double value);

// One token read from the front of a text.
struct Token
{
    char byte = 0;
    // Characters of the text the token used.
    qsizetype length = 1;
    // A number group whose value is not a byte: the caller tells the operator and sends 0.
    bool outOfRange = false;
};

// A number group at the front ("<" then up to four characters then ">"), or nullopt when
// the "<" starts none.
std::optional<Token> readNumberGroup(QByteArrayView text);
// A bracketed control-byte name at the front, or nullopt when the "[" names none.
std::optional<Token> readMnemonic(QByteArrayView text);

// Reads one token from the front of a non-empty text, removes it and cuts what remains to
// at most 255 characters.
Token Next_Token(QByteArray &remaining);

// The message for a number group that is not a byte.
inline QString valueTooLargeMessage()
{
    return QStringLiteral("Value is greater than 255. Press OK to continue");
}

// How a sent byte is echoed in the transcript: a control byte by its name, a byte above
// 127 as "<", a blank, its value and ">" (< 200>), any other byte as itself.
QString sentByteEcho(quint8 byte);

// Latin-1: byte n is the character U+00nn; a character outside it (a whole surrogate pair
// included) becomes one "?".
QByteArray toLatin1Bytes(const QString &text);
