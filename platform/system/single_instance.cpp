#include "platform/system/single_instance.h"

#include <QDir>
#include <QStandardPaths>

#include <unistd.h>

namespace {

QString desktopName()
{
    for (const char* variable : {"WAYLAND_DISPLAY", "DISPLAY"}) {
        QString value = qEnvironmentVariable(variable);
        if (!value.isEmpty())
            return value.replace('/', '_');
    }
    return "console";
}

} // namespace

SingleInstance::SingleInstance(const QString& program, const QString& directory)
{
    QString dir = directory;
    QString name = program + "-" + desktopName() + ".lock";
    if (dir.isEmpty() && !qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) {
        // No runtime directory: the shared temporary one, with the user in the name.
        dir = QDir::tempPath();
        name = program + "-" + QString::number(getuid()) + "-" + desktopName() + ".lock";
    }
    path_ = QDir(dir).filePath(name);
}

bool SingleInstance::acquire()
{
    lock_ = std::make_unique<QLockFile>(path_);
    lock_->setStaleLockTime(0); // only a lock whose owner has died is stale
    if (lock_->tryLock(0))
        return true;
    lock_.reset();
    return false;
}
