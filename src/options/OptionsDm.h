#pragma once

#include "options/XMLOptionsSerializer.h"

#include <QDir>
#include <QString>
#include <memory>

class TAdminOptions;

// Owns the program's options: loads "Options.xml" from the working folder when created and writes
// it back when destroyed. Created first of all at start-up and destroyed last at shutdown, so every
// other part of the program reaches the options through AdminOptions().
class TOptionsDm {
public:
    // Folder is the working folder the program was started in; tests pass their own.
    explicit TOptionsDm(const QString& Folder = QDir::currentPath());
    ~TOptionsDm();
    TOptionsDm(const TOptionsDm&) = delete;
    TOptionsDm& operator=(const TOptionsDm&) = delete;

    TXMLOptionsSerializer* Serializer() const { return FSerializer.get(); }
    TAdminOptions* AdminOptions() const { return FAdminOptions.get(); }
    // What the load at creation found.
    TXMLLoadResult LoadResult() const { return FLoadResult; }

    // The file name beside "Options.xml" that keeps a file the program could not take as its own.
    static QString DamagedCopyPath(const QString& OptionsPath);

private:
    void KeepDamagedCopy() const;

    std::unique_ptr<TXMLOptionsSerializer> FSerializer;
    std::unique_ptr<TAdminOptions> FAdminOptions;
    TXMLLoadResult FLoadResult = lrNoFile;
};
