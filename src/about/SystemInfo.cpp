#include "about/SystemInfo.h"

#include "about/SystemKeys.h"
#include "terminal/Operator.h"

void SystemInfo::StartSysInfo()
{
    QString path;
    bool found = GetKeyValue(SystemKeys::LocalMachine,
                             QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                             QStringLiteral("PATH"), path);
    if (!found) {
        QString folder;
        if (GetKeyValue(SystemKeys::LocalMachine,
                        QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"),
                        QStringLiteral("MSINFO"), folder)) {
            path = folder + QStringLiteral("\\MSINFO32.EXE");
            found = m_keys.fileExists(path);
        }
    }
    if (!found || !m_keys.startProgram(path))
        m_operator.message(QStringLiteral("System Information Is Unavailable At This Time"));
}

bool SystemInfo::GetKeyValue(quint32 KeyRoot, const QString &KeyName, const QString &SubKeyRef,
                             QString &KeyVal)
{
    KeyVal.clear();
    const auto key = m_keys.openKey(KeyRoot, KeyName, SystemKeys::AllAccess);
    if (!key)
        return false;
    const auto value = m_keys.queryValue(*key, SubKeyRef);
    m_keys.closeKey(*key);
    if (!value || value->data.size() > BufferSize || value->type != SystemKeys::StringType)
        return false;
    QByteArray data = value->data;
    if (data.endsWith('\0'))
        data.chop(1);
    KeyVal = QString::fromLocal8Bit(data);
    return true;
}
