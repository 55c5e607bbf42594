#pragma once

#include <QString>

class DocumentOpener;
class Terminal;

// The help documents: each is a file in the folder that was current at startup, handed to
// the desktop to open. Without an opener (no desktop) the requests are ignored.
class HelpDocuments
{
public:
    explicit HelpDocuments(Terminal &terminal)
        : m_terminal(terminal)
    {
    }

    void setOpener(DocumentOpener *opener) { m_opener = opener; }

    void Operation_Click();
    void CVCommands_Click();
    void PGMGuide_Click();
    void CVMacroHelp();

    // StartDir, the native separator, then the document name, passed on as it is.
    static QString documentPath(const QString &startDir, const QString &name);

private:
    void openDocument(const QString &name);

    Terminal &m_terminal;
    DocumentOpener *m_opener = nullptr;
};
