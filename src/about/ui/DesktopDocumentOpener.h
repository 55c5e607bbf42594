#pragma once

#include "about/DocumentOpener.h"

// Opens documents with the desktop's default handler for their type.
class DesktopDocumentOpener : public DocumentOpener
{
public:
    void open(const QString &path) override;
};
