#include "platform/system/single_instance.h"

#include <QDir>
#include <QStandardPaths>

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
    QString dir = directory.isEmpty()
                      ? QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation)
                      : directory;
    if (dir.isEmpty())
        dir = QDir::tempPath();
    path_ = QDir(dir).filePath(program + "-" + desktopName() + ".lock");
}

bool SingleInstance::acquire()
{
    lock_ = std::make_unique<QLockFile>(path_);
    lock_->setStaleLockTime(0);  // only a lock whose owner has died is stale
    if (lock_->tryLock(0))
        return true;
    lock_.reset();
    return false;
}
