#include "platform/system/message_boxes.h"

#include <QMessageBox>

namespace {

QString qt(const std::string& text)
{
    return QString::fromStdString(text);
}

} // namespace

void MessageBoxes::showError(const std::string& caption, const std::string& text)
{
    QMessageBox box(QMessageBox::NoIcon, qt(caption), qt(text), QMessageBox::Ok, parent_);
    box.exec();
}

void MessageBoxes::warn(const std::string& caption, const std::string& text)
{
    QMessageBox::warning(parent_, qt(caption), qt(text));
}

bool MessageBoxes::ask(const std::string& caption, const std::string& text)
{
    return QMessageBox::question(parent_, qt(caption), qt(text),
                                 QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

void MessageBoxes::inform(const std::string& caption, const std::string& text)
{
    auto* box =
        new QMessageBox(QMessageBox::NoIcon, qt(caption), qt(text), QMessageBox::Ok, parent_);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setObjectName("informed");
    box->open();
}
