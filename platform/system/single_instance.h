#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

// Keeps a program to one instance per desktop: a lock file in the user's
// runtime directory, named after the program and the display. A lock left by
// a program that died is taken over.
class SingleInstance {
public:
    // `directory` empty: the user's runtime directory.
    explicit SingleInstance(const QString& program, const QString& directory = {});

    // True when this is the only instance; the lock is held until destruction.
    bool acquire();

    QString lockPath() const { return path_; }

private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
};
