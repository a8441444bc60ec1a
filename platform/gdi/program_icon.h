#pragma once

#include <QIcon>
#include <QString>

namespace gdi {

// The program's icon in every size compiled in (":/icons/<size>/apps/<program>.png"), the same
// pictures its menu entry shows. A null icon for a program without icons.
QIcon programIcon(const QString& program);

// Gives every window of the running application the program's icon and tells the desktop
// which menu entry (desktop file id, such as "org.solfara.Solfara") the windows belong to.
// Call after the QApplication exists.
void presentAsDesktopProgram(const QString& program, const QString& desktopId);

} // namespace gdi
