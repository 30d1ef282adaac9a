#include "ui/form/settings_panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "model/inputs_model.h"
#include "ui/form/field_binder.h"
#include "ui/form/field_colours.h"
#include "ui/form/input_field.h"
#include "ui/form/widget_factory.h"

namespace ign::ui {
namespace {

constexpr int kLabelX = 8;
// Fields take a typed value of seven characters; the captions wrap beside them.
constexpr int kLabelWidth = 156;
constexpr int kFieldX = 168;
constexpr int kFieldWidth = 72;
constexpr int kRowPitch = 50;

QGroupBox* makeSubFrame(QWidget* parent, int index, const QString& caption, QRect rect)
{
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(elementName("Frame2", index));
    frame->setFont(titleFont(10));
    frame->setGeometry(rect);
    return frame;
}

// A caption in the panel's normal font beside its field, both on row `row`.
QLabel* rowLabel(QWidget* frame, int index, const char* text, int row)
{
    QLabel* label = makeLabel(frame, elementName("Label1", index), QString::fromUtf8(text),
                              QRect(kLabelX, 22 + row * kRowPitch, kLabelWidth, 46));
    return label;
}

QRect fieldRect(int row)
{
    return QRect(kFieldX, 26 + row * kRowPitch, kFieldWidth, 22);
}

}  // namespace

SettingsPanel::SettingsPanel(QWidget* parent, FieldBinder& binder)
    : QGroupBox(QStringLiteral("Настройки"), parent)
{
    setObjectName(QStringLiteral("Frame1"));
    hide();
    setFont(titleFont(11));
    // The style's own group box lays a tint over the panel colour; a frame of
    // our own keeps the panel and its sub-frames exactly the panel grey.
    setStyleSheet(QStringLiteral(
        "QGroupBox { background-color: rgb(224, 224, 224); border: 1px solid rgb(160, 160, 160);"
        " border-radius: 3px; margin-top: 9px; }"
        "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left; left: 8px;"
        " padding: 0px 3px; color: rgb(0, 0, 192); }"
        // The panel itself has nothing above it to leave room for: its
        // caption goes inside the frame, so no strip of it stays unpainted.
        "QGroupBox#Frame1 { margin-top: 0px; }"
        "QGroupBox#Frame1::title { subcontrol-origin: border; top: 4px; }"));
    setBackgroundColour(this, kPanelColour);
    resize(528, 384);

    buildController(binder);
    buildSensor(binder);
    buildMethod(binder);

    auto* check1 = new QCheckBox(
        QStringLiteral("   Автоматически  сохранять результаты раcчетов перед выходом"), this);
    check1->setObjectName(QStringLiteral("Check1"));
    check1->setGeometry(16, 312, 496, 24);
    binder.bind({Control::Check1, 0}, check1);
    QPushButton* command4 = makeButton(this, QStringLiteral("Command4"),
                                       QStringLiteral("Применить"), QRect(146, 346, 110, 27),
                                       kComputeButtonColour);
    QPushButton* command5 = makeButton(this, QStringLiteral("Command5"), QStringLiteral("Отмена"),
                                       QRect(272, 346, 110, 27), kCancelButtonColour);
    // Only the frame captions are bold serif; the controls keep the plain font.
    for (QWidget* w : findChildren<QWidget*>())
        if (!qobject_cast<QGroupBox*>(w))
            w->setFont(QFont());
    connect(command4, &QPushButton::clicked, this, &SettingsPanel::applyClicked);
    connect(command5, &QPushButton::clicked, this, &SettingsPanel::cancelClicked);
}

void SettingsPanel::buildController(FieldBinder& binder)
{
    QGroupBox* frame = makeSubFrame(this, 0, QStringLiteral("Контроллер"), QRect(8, 24, 248, 276));
    rowLabel(frame, 1, "Коэффициент деления предделителя TMR1", 0);
    binder.bind({Control::Combo1, 0}, makeCombo(frame, elementName("Combo1", 0),
                                                itemList(kPrescalerItems), false, fieldRect(0)));
    const auto field = [&](int index, int row) {
        InputField* text1 = makeField(frame, elementName("Text1", index), QString(), fieldRect(row));
        binder.bind({Control::Text1, index}, text1);
        return text1;
    };
    rowLabel(frame, 12, "Время рассчета УОЗ, мкс", 1);
    InputField* computeTime = field(1, 1);
    rowLabel(frame, 5, "Рабочая частота тактово- го генератора,  МГц", 2);
    InputField* clock = field(2, 2);
    rowLabel(frame, 10, "Задержка обработки сигнала с датчика, мкс", 3);
    field(3, 3);
    rowLabel(frame, 11, "Длительность управляю- щего импульса, мкс", 4);
    field(4, 4);
    // Shown for information only: nothing is computed from them.
    computeTime->setEnabled(false);
    clock->setEnabled(false);
}

void SettingsPanel::buildSensor(FieldBinder& binder)
{
    QGroupBox* frame = makeSubFrame(this, 1, QStringLiteral("Датчик"), QRect(264, 24, 256, 176));
    rowLabel(frame, 6, "Начальный угол опереже- ния зажигания, град", 0);
    binder.bind({Control::Text1, 5},
                makeField(frame, elementName("Text1", 5), QString(), fieldRect(0)));
    rowLabel(frame, 9, "Угол между отрицаель- ным и положительным импульсами, град", 1);
    binder.bind({Control::Text1, 6},
                makeField(frame, elementName("Text1", 6), QString(), fieldRect(1)));
    rowLabel(frame, 13, "Число отрицательных импульсов за один оборот КВ", 2);
    binder.bind({Control::Combo1, 1}, makeCombo(frame, elementName("Combo1", 1),
                                                itemList(kPulseCountItems), false, fieldRect(2)));
}

void SettingsPanel::buildMethod(FieldBinder& binder)
{
    QGroupBox* frame = makeSubFrame(this, 2, QStringLiteral("Расчет"), QRect(264, 204, 256, 96));
    const char* captions[] = {"По коэффициентам", "По точкам"};
    for (int i = 0; i < 2; ++i) {
        auto* option = new QRadioButton(QString::fromUtf8(captions[i]), frame);
        option->setObjectName(elementName("Option1", i));
        option->setGeometry(16, 28 + 30 * i, 220, 24);
        binder.bind({Control::Option1, i}, option);
    }
}

}  // namespace ign::ui
