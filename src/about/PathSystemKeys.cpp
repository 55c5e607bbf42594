#include "about/PathSystemKeys.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {
constexpr SystemKeys::Handle ToolKey = 1;
}

QStringList PathSystemKeys::toolNames()
{
    return {QStringLiteral("hardinfo2"), QStringLiteral("hardinfo"), QStringLiteral("kinfocenter"),
            QStringLiteral("cpu-x"), QStringLiteral("lshw-gtk")};
}

std::optional<SystemKeys::Handle> PathSystemKeys::openKey(quint32 root, const QString &keyName,
                                                          quint32)
{
    if (root == LocalMachine &&
        keyName.compare(QLatin1String("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                        Qt::CaseInsensitive) == 0)
        return ToolKey;
    return std::nullopt;
}

std::optional<SystemKeys::Value> PathSystemKeys::queryValue(Handle key, const QString &valueName)
{
    if (key != ToolKey || valueName.compare(QLatin1String("PATH"), Qt::CaseInsensitive) != 0)
        return std::nullopt;
    for (const QString &name : toolNames()) {
        const QString path = QStandardPaths::findExecutable(name, m_searchPaths);
        if (!path.isEmpty())
            return Value{StringType, path.toLocal8Bit() + '\0'};
    }
    return std::nullopt;
}

bool PathSystemKeys::fileExists(const QString &path)
{
    return QFileInfo(path).isFile();
}

bool PathSystemKeys::startProgram(const QString &path)
{
    return QProcess::startDetached(path, {});
}
