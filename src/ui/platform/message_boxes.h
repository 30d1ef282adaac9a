// Message boxes behind an interface, so tests record what the program asks
// and answer as they like.
#pragma once

#include <QString>

#include "model/messages.h"

class QWidget;

namespace ign::ui {

enum class Answer { Ok, Yes, No, Cancel };

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // A message with an OK button.
    virtual void inform(QWidget* parent, const QString& text, const QString& title, Icon icon) = 0;
    // Yes, No and Cancel, Cancel being the default button.
    virtual Answer askYesNoCancel(QWidget* parent, const QString& text, const QString& title,
                                  Icon icon) = 0;
};

// The real boxes, QMessageBox.
class QtMessageBoxes final : public MessageBoxes {
public:
    void inform(QWidget* parent, const QString& text, const QString& title, Icon icon) override;
    Answer askYesNoCancel(QWidget* parent, const QString& text, const QString& title,
                          Icon icon) override;
};

}  // namespace ign::ui
