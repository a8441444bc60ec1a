#include "platform/gdi/program_icon.h"

#include <QDir>
#include <QGuiApplication>

namespace gdi {

QIcon programIcon(const QString& program)
{
    QIcon icon;
    const QDir sizes(QStringLiteral(":/icons"));
    for (const QString& size : sizes.entryList(QDir::Dirs)) {
        const QString file = sizes.filePath(size + "/apps/" + program + ".png");
        if (QFile::exists(file))
            icon.addFile(file);
    }
    return icon;
}

void presentAsDesktopProgram(const QString& program, const QString& desktopId)
{
    QGuiApplication::setWindowIcon(programIcon(program));
    QGuiApplication::setDesktopFileName(desktopId);
}

} // namespace gdi
