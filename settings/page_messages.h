#pragma once

#include <QString>

class QWidget;

// How the Scales and Custom Melody pages tell the user something or ask a
// question. The program shows message boxes owned by the page; tests record.
class PageMessages {
public:
    virtual ~PageMessages() = default;
    // A message with an OK button and a warning icon.
    virtual void tell(QWidget* page, const QString& caption, const QString& text) = 0;
    // OK and Cancel with a question icon; true for OK.
    virtual bool ask(QWidget* page, const QString& caption, const QString& text) = 0;
};

// The message boxes of the program.
PageMessages& pageMessageBoxes();
