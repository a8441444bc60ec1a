#include "solfara/message_box_messages.h"

#include <QMessageBox>

void MessageBoxMessages::showError(const std::string& caption, const std::string& text)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(caption),
                    QString::fromStdString(text), QMessageBox::Ok);
    box.exec();
}
