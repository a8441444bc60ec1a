#include "platform/system/message_boxes.h"

#include <QCoreApplication>
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

void MessageBoxes::offer(const std::string& caption, const std::string& text,
                         std::function<void()> accepted)
{
    auto* box = new QMessageBox(QMessageBox::Question, qt(caption), qt(text),
                                QMessageBox::Ok | QMessageBox::Cancel, parent_);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setObjectName("offered");
    QObject::connect(box, &QMessageBox::finished, box, [box, accepted = std::move(accepted)] {
        if (box->result() == QMessageBox::Ok && accepted)
            accepted();
    });
    box->open();
}

std::function<void(const std::string& text)> errorShownOnGuiThread(UserMessages& messages,
                                                                   std::string caption)
{
    return [&messages, caption = std::move(caption)](const std::string& text) {
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [&messages, caption, text] { messages.showError(caption, text); },
            Qt::QueuedConnection);
    };
}
