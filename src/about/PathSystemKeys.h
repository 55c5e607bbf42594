#pragma once

#include "about/SystemKeys.h"

#include <QStringList>

// The system's keys on a desktop without a registry: the system-information tool's "PATH"
// value is the first system-information program found on the search path; no other key
// exists. Programs are started detached.
class PathSystemKeys : public SystemKeys
{
public:
    // An empty search path means the PATH of the environment.
    explicit PathSystemKeys(QStringList searchPaths = {})
        : m_searchPaths(std::move(searchPaths))
    {
    }

    std::optional<Handle> openKey(quint32 root, const QString &keyName, quint32 access) override;
    std::optional<Value> queryValue(Handle key, const QString &valueName) override;
    void closeKey(Handle) override {}
    bool fileExists(const QString &path) override;
    bool startProgram(const QString &path) override;

    // The programs looked for, in order.
    static QStringList toolNames();

private:
    QStringList m_searchPaths;
};
