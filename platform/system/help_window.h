#pragma once

#include <QTextBrowser>
#include <QUrl>

// A window that shows one of the programs' own help pages (HTML compiled in as
// a Qt resource), with its links followable inside it.
class HelpWindow : public QTextBrowser {
public:
    HelpWindow(const QString& title, const QUrl& page, QWidget* owner = nullptr);

    // Shows the window, raised, on its first page.
    void present();

private:
    QUrl page_;
};
