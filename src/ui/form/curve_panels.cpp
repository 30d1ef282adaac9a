#include "ui/form/curve_panels.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QTabWidget>

#include "model/inputs_model.h"
#include "ui/form/field_binder.h"
#include "ui/form/field_colours.h"
#include "ui/form/fixed_pictures.h"
#include "ui/form/input_field.h"
#include "ui/form/widget_factory.h"

namespace ign::ui {
namespace {

QFrame* makePanel(QWidget* parent, const char* name, QRect rect)
{
    auto* frame = new QFrame(parent);
    frame->setObjectName(QLatin1String(name));
    frame->setFrameShape(QFrame::NoFrame);
    frame->setGeometry(rect);
    // A plain panel keeps the toolkit's colour, not the grey of the window.
    setBackgroundColour(frame, QApplication::palette().color(QPalette::Window));
    return frame;
}

// Points panel rows: 1000..5000 rpm in the left column, 6000..10000 and
// 14000 rpm in the right one.
QPoint pointRow(int k)
{
    const int column = k <= 5 ? 0 : 1;
    const int row = column == 0 ? k - 1 : k - 6;
    return {column * 126, 6 + 32 * row};
}

// The speed captions wrap after the number, which leaves each field room for
// the longest angle the editor writes back (" 100.25") and a typed value of
// seven characters within the tab strip's width.
constexpr int kPointLabelWidth = 50;
constexpr int kPointFieldWidth = 70;

}  // namespace

CurvePanels::CurvePanels(QWidget* form, FieldBinder& binder)
    : QObject(form), form_(form), binder_(binder)
{
    tabStrip1_ = new QTabWidget(form);
    tabStrip1_->setObjectName(QStringLiteral("TabStrip1"));
    tabStrip1_->setGeometry(512, 24, 265, 233);
    const QList<QIcon> imageList1 = tabImages();
    tabStrip1_->addTab(new QWidget, imageList1[0], QStringLiteral("График 1"));
    tabStrip1_->addTab(new QWidget, imageList1[1], QStringLiteral("График 2"));
    connect(tabStrip1_, &QTabWidget::currentChanged, this, &CurvePanels::tabChanged);
    buildCoefficients();
}

void CurvePanels::buildCoefficients()
{
    frame3_ = makePanel(form_, "Frame3", QRect(516, 52, 257, 200));
    makeLabel(
        frame3_, elementName("Label1", 0),
        QStringLiteral("Коэффициенты функции зависи-     мости угла опережения зажига-        "
                       "ния  от  оборотов KB"),
        QRect(6, 2, 245, 48));
    auto* image2 = new QLabel(frame3_);
    image2->setObjectName(QStringLiteral("Image2"));
    image2->setGeometry(24, 52, 200, 46);
    image2->setPixmap(formulaPicture(image2->size(), frame3_->palette().color(QPalette::Window)));
    const int labels[] = {10, 11, 9};
    const char* captions[] = {"a=", "b=", "c="};
    for (int row = 0; row < 3; ++row) {
        const int y = 106 + 30 * row;
        makeLabel(frame3_, elementName("Label2", labels[row]), QLatin1String(captions[row]),
                  QRect(56, y + 3, 24, 20));
        for (int ch = 0; ch < 2; ++ch) {
            const int index = 3 * ch + row;
            InputField* field = makeField(frame3_, elementName("Text4", index), QString(),
                                          QRect(82 + 96 * ch, y, 90, 22));
            text4_[static_cast<std::size_t>(index)] = field;
            binder_.bind({Control::Text4, index}, field);
            connect(field, &InputField::keyReleased, this, &CurvePanels::coefficientKeyReleased);
        }
    }
    for (int i = 3; i < 6; ++i)
        text4(i)->hide();
}

void CurvePanels::buildPointsPanel()
{
    if (frame5_)
        return;
    frame5_ = makePanel(form_, "Frame5", QRect(524, 52, 253, 200));
    frame5_->hide();
    for (int k = 1; k <= kTopPoint; ++k) {
        const QPoint at = pointRow(k);
        const int labelIndex = k == kTopPoint ? 1 : 12 + k;
        const int rpm = static_cast<int>(pointRpm(k));
        QLabel* caption = makeLabel(frame5_, elementName("Label2", labelIndex),
                                    QStringLiteral("%1 об/мин").arg(rpm),
                                    QRect(at.x() + 2, at.y() - 4, kPointLabelWidth, 30));
        caption->setWordWrap(true);
    }
    // Built late, the fields would come last as Tab moves the focus; they
    // keep their place after the coefficients.
    QWidget* previous = text4(5);
    const auto fieldAt = [&](int index, QPoint at) {
        InputField* field = makeField(frame5_, elementName("Text6", index), QString(),
                                      QRect(at, QSize(kPointFieldWidth, 22)));
        text6_[static_cast<std::size_t>(index)] = field;
        binder_.bind({Control::Text6, index}, field);
        connect(field, &InputField::keyReleased, this, &CurvePanels::pointKeyReleased);
        QWidget::setTabOrder(previous, field);
        previous = field;
    };
    const int xField = kPointLabelWidth + 2;
    // Characteristic 2's field of each point lies exactly over characteristic 1's.
    for (int k = 1; k <= kTopPoint; ++k) {
        const QPoint at = pointRow(k) + QPoint(xField, 0);
        fieldAt(pointField(0, k), at);
        fieldAt(pointField(1, k), at);
    }
    // The 0 rpm points take part in the calculation but are never shown.
    fieldAt(pointField(0, 0), QPoint(0, 0));
    fieldAt(pointField(1, 0), QPoint(0, 0));
    text6(pointField(0, 0))->hide();
    text6(pointField(1, 0))->hide();
    showSelectedPoints();
}

int CurvePanels::selectedTab() const
{
    return tabStrip1_->currentIndex() + 1;
}

void CurvePanels::showSelectedCharacteristic()
{
    const bool first = selectedTab() == 1;
    for (int i = 0; i < 3; ++i) {
        text4(i)->setVisible(first);
        text4(i + 3)->setVisible(!first);
    }
    if (frame5_)
        showSelectedPoints();
}

void CurvePanels::showSelectedPoints()
{
    const bool first = selectedTab() == 1;
    for (int k = 1; k <= kTopPoint; ++k) {
        text6(pointField(0, k))->setVisible(first);
        text6(pointField(1, k))->setVisible(!first);
    }
}

void CurvePanels::showMethod(bool byCoefficients)
{
    if (!byCoefficients)
        buildPointsPanel();
    frame3_->setVisible(byCoefficients);
    if (frame5_)
        frame5_->setVisible(!byCoefficients);
}

void CurvePanels::alignCoefficientFields()
{
    for (int i = 3; i < 6; ++i)
        text4(i)->move(text4(0)->x(), text4(i)->y());
}

}  // namespace ign::ui
