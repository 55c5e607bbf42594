#pragma once

#include <QString>

// Hands a document to the desktop, which opens it with the program registered for its
// type. Whether that works is not reported.
class DocumentOpener
{
public:
    virtual ~DocumentOpener() = default;
    virtual void open(const QString &path) = 0;
};
