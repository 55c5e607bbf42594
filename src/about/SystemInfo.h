#pragma once

#include <QString>

class Operator;
class SystemKeys;

// Finds the system-information tool through the system's keys and starts it.
class SystemInfo
{
public:
    SystemInfo(Operator &op, SystemKeys &keys)
        : m_operator(op)
        , m_keys(keys)
    {
    }

    void StartSysInfo();
    // Reads the string value SubKeyRef of the key KeyName under KeyRoot into KeyVal; on any
    // failure KeyVal is emptied and the result is false.
    bool GetKeyValue(quint32 KeyRoot, const QString &KeyName, const QString &SubKeyRef,
                     QString &KeyVal);

    // What the value buffer holds; longer values do not fit and are not read.
    static constexpr int BufferSize = 1024;

private:
    Operator &m_operator;
    SystemKeys &m_keys;
};
