#include "platform/system/help_window.h"

HelpWindow::HelpWindow(const QString& title, const QUrl& page, QWidget* owner)
    : QTextBrowser(owner), page_(page)
{
    setWindowFlag(Qt::Window);
    setWindowTitle(title);
    setOpenExternalLinks(true);
    resize(460, 420);
    setSource(page_);
}

void HelpWindow::present()
{
    if (source() != page_)
        setSource(page_);
    show();
    raise();
    activateWindow();
}
