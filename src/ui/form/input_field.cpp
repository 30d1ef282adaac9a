#include "ui/form/input_field.h"

#include <QFocusEvent>

#include "ui/form/field_colours.h"

namespace ign::ui {

InputField::InputField(const QString& name, const QString& text, QWidget* parent)
    : QLineEdit(text, parent)
{
    setObjectName(name);
}

void InputField::gotFocus()
{
    clearFieldHighlight(this);
    selectAll();
}

void InputField::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    focusedByMouse_ = event->reason() == Qt::MouseFocusReason;
    gotFocus();
}

void InputField::mousePressEvent(QMouseEvent* event)
{
    QLineEdit::mousePressEvent(event);
    if (focusedByMouse_)
        selectAll();
}

void InputField::mouseReleaseEvent(QMouseEvent* event)
{
    QLineEdit::mouseReleaseEvent(event);
    if (focusedByMouse_)
        selectAll();
    focusedByMouse_ = false;
}

void InputField::keyReleaseEvent(QKeyEvent* event)
{
    QLineEdit::keyReleaseEvent(event);
    emit keyReleased();
}

}  // namespace ign::ui
