#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The system's store of named keys and values, and the program starter, through which the
// About box finds and starts the system-information tool. Tests replace it so that no
// real program is started.
class SystemKeys
{
public:
    using Handle = quint32;
    struct Value
    {
        quint32 type = 0;
        QByteArray data;
    };

    static constexpr quint32 LocalMachine = 0x80000002;
    static constexpr quint32 AllAccess = 0x2003F;
    static constexpr quint32 StringType = 1;

    virtual ~SystemKeys() = default;
    // A handle of the key, or nullopt when it does not exist or cannot be opened.
    virtual std::optional<Handle> openKey(quint32 root, const QString &keyName, quint32 access) = 0;
    // The value's type and data, or nullopt when it cannot be read.
    virtual std::optional<Value> queryValue(Handle key, const QString &valueName) = 0;
    virtual void closeKey(Handle key) = 0;
    virtual bool fileExists(const QString &path) = 0;
    // Starts a program with its window shown; false when it could not be started.
    virtual bool startProgram(const QString &path) = 0;
};
