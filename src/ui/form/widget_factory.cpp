#include "ui/form/widget_factory.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
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

namespace {

// Qt looks for a stand-in face each time a font meets a script it has not met
// before (Cyrillic, Greek, Latin, digits...), and a family the machine lacks,
// as "Times New Roman" on most Linux desktops, costs a search of its own; each
// is a search by fontconfig through every installed font, and the start made
// fourteen of them for four serif sizes and the scale labels. A font that names
// the face really served and does not merge faces is found at once. Merging is
// left out only where that face has every letter the program writes in it, so
// a machine with a poorer face still gets a stand-in instead of empty boxes.
struct ServedFace {
    QString family;
    bool alone = false;  // has every letter: no other face merged in

    QFont apply(QFont font) const
    {
        font.setFamily(family);
        if (alone)
            font.setStyleStrategy(
                QFont::StyleStrategy(font.styleStrategy() | QFont::NoFontMerging));
        return font;
    }
};

ServedFace servedFace(const QFont& wanted, QStringView letters)
{
    ServedFace face{QFontInfo(wanted).family(), true};
    const QFontMetrics metrics(face.apply(wanted));
    for (const char32_t c : letters.toUcs4())
        face.alone = face.alone && metrics.inFontUcs4(c);
    return face;
}

// Every letter the serif captions and pictures use: the Russian alphabet,
// printable ASCII, and the alpha, middle dot and minus sign of the formula.
QString serifLetters()
{
    QString letters;
    for (char16_t c = u'А'; c <= u'я'; ++c)
        letters += QChar(c);
    letters += QStringLiteral("Ёёα·−");
    for (char16_t c = 0x20; c < 0x7F; ++c)
        letters += QChar(c);
    return letters;
}

}  // namespace

QFont serifFont(double pointSize)
{
    QFont font;
    font.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("serif")});
    font.setStyleHint(QFont::Serif);
    static const ServedFace face = servedFace(font, serifLetters());
    font.setPointSizeF(pointSize);
    return face.apply(font);
}

QFont titleFont(double pointSize)
{
    QFont font = serifFont(pointSize);
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
    font.setStyleStrategy(QFont::NoAntialias);
    // The window's own sans serif face, which its first text looks up anyway:
    // asking with the hint would be one more search.
    static const ServedFace face = servedFace(QFont(), u"0123456789-+.,= na");
    font.setPointSizeF(8.25);
    return face.apply(font);
}

}  // namespace ign::ui
