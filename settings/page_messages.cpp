#include "settings/page_messages.h"

#include <QMessageBox>

namespace {

class MessageBoxes final : public PageMessages {
public:
    void tell(QWidget* page, const QString& caption, const QString& text) override
    {
        QMessageBox::warning(page, caption, text);
    }
    bool ask(QWidget* page, const QString& caption, const QString& text) override
    {
        return QMessageBox::question(page, caption, text, QMessageBox::Ok | QMessageBox::Cancel) ==
               QMessageBox::Ok;
    }
};

} // namespace

PageMessages& pageMessageBoxes()
{
    static MessageBoxes boxes;
    return boxes;
}
