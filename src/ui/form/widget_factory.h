// Controls placed the way the window's layout gives them: a name, a caption and
// a rectangle in pixels. Keeps the panel builders to one line per control.
#pragma once

#include <array>
#include <cstddef>

#include <QFont>
#include <QRect>
#include <QString>
#include <QStringList>

class QComboBox;
class QLabel;
class QPushButton;
class QWidget;

namespace ign::ui {

class InputField;
class RasterSurface;

// An array element's object name: "Text6" and 12 give "Text6_12".
QString elementName(const char* array, int index);

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, QRect rect);
InputField* makeField(QWidget* parent, const QString& name, const QString& text, QRect rect);
QPushButton* makeButton(QWidget* parent, const QString& name, const QString& text, QRect rect,
                        const QColor& colour);
// A picture box for graphs or scale labels, writing labels in the scale font.
RasterSurface* makeSurface(QWidget* parent, const char* name, QRect rect, bool sunkenBorder);
// A drop-down list accepts only its items; an editable combo box any text,
// offering the items as suggestions without adding what is typed.
QComboBox* makeCombo(QWidget* parent, const QString& name, const QStringList& items, bool editable,
                     QRect rect);

template <std::size_t N> QStringList itemList(const std::array<const char*, N>& items)
{
    QStringList out;
    for (const char* item : items)
        out << QString::fromUtf8(item);
    return out;
}

// Plain serif of the given size, in the face the machine serves for Times.
QFont serifFont(double pointSize);
// Bold serif, for titles and panel captions.
QFont titleFont(double pointSize);
// The fixed-pitch system font, for the listing.
QFont listingFont();
// Small plain sans serif of the scale labels, without smoothing.
QFont scaleFont();

}  // namespace ign::ui
