#include "ui/form/widget_factory.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QPushButton>

#include "ui/form/field_colours.h"
#include "ui/form/input_field.h"
#include "ui/graphs/raster_surface.h"

namespace ign::ui {

QString elementName(const char* array, int index)
{
    return QStringLiteral("%1_%2").arg(QLatin1String(array)).arg(index);
}

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, QRect rect)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(rect);
    return label;
}

InputField* makeField(QWidget* parent, const QString& name, const QString& text, QRect rect)
{
    auto* field = new InputField(name, text, parent);
    field->setGeometry(rect);
    return field;
}

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& text, QRect rect,
                        const QColor& colour)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setGeometry(rect);
    setButtonColour(button, colour);
    return button;
}

RasterSurface* makeSurface(QWidget* parent, const char* name, QRect rect, bool sunkenBorder)
{
    auto* surface = new RasterSurface(rect.size(), sunkenBorder, parent);
    surface->setObjectName(QLatin1String(name));
    surface->move(rect.topLeft());
    surface->setLabelFont(scaleFont());
    return surface;
}

QComboBox* makeCombo(QWidget* parent, const QString& name, const QStringList& items, bool editable,
                     QRect rect)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(editable);
    if (editable)
        combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(items);
    combo->setGeometry(rect);
    return combo;
}

QFont titleFont(double pointSize)
{
    QFont font;
    font.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("serif")});
    font.setStyleHint(QFont::Serif);
    font.setPointSizeF(pointSize);
    font.setBold(true);
    return font;
}

QFont listingFont()
{
    return QFontDatabase::systemFont(QFontDatabase::FixedFont);
}

QFont scaleFont()
{
    QFont font;
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.25);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

}  // namespace ign::ui
