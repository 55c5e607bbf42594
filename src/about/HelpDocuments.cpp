#include "about/HelpDocuments.h"

#include "about/DocumentOpener.h"
#include "terminal/Terminal.h"

#include <QDir>

void HelpDocuments::Operation_Click()
{
    openDocument(QStringLiteral("CVDEMO.htm"));
}

void HelpDocuments::CVCommands_Click()
{
    openDocument(QStringLiteral("CVCmd.htm"));
}

void HelpDocuments::PGMGuide_Click()
{
    openDocument(QStringLiteral("CVpgm.htm"));
}

void HelpDocuments::CVMacroHelp()
{
    openDocument(QStringLiteral("CVMacro.htm"));
}

QString HelpDocuments::documentPath(const QString &startDir, const QString &name)
{
    return startDir + QDir::separator() + name;
}

void HelpDocuments::openDocument(const QString &name)
{
    if (m_opener)
        m_opener->open(documentPath(m_terminal.StartDir, name));
}
