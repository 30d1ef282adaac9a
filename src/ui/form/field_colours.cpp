#include "ui/form/field_colours.h"

#include <QApplication>
#include <QWidget>

namespace ign::ui {
namespace {

void setRole(QWidget* widget, QPalette::ColorRole role, const QColor& colour)
{
    QPalette p = widget->palette();
    p.setColor(role, colour);
    widget->setPalette(p);
}

}  // namespace

void highlightField(QWidget* field)
{
    setRole(field, QPalette::Base, kHighlightColour);
}

void clearFieldHighlight(QWidget* field)
{
    // The platform's own text field colour, not a fixed white.
    setRole(field, QPalette::Base, QApplication::palette(field).color(QPalette::Base));
}

QColor fieldBackground(const QWidget* field)
{
    return field->palette().color(QPalette::Base);
}

void setBackgroundColour(QWidget* widget, const QColor& colour)
{
    setRole(widget, QPalette::Window, colour);
    widget->setAutoFillBackground(true);
}

void setButtonColour(QWidget* button, const QColor& colour)
{
    setRole(button, QPalette::Button, colour);
}

}  // namespace ign::ui
