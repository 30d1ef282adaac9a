#include "ui/form/settings_panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "model/settings_check.h"
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

QString boolText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

void selectItem(QComboBox* combo, const QString& text)
{
    const int index = combo->findText(text, Qt::MatchExactly);
    if (index >= 0)
        combo->setCurrentIndex(index);
}

}  // namespace

SettingsPanel::SettingsPanel(QWidget* parent) : QGroupBox(QStringLiteral("Настройки"), parent)
{
    setObjectName(QStringLiteral("Frame1"));
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

    buildController();
    buildSensor();
    buildMethod();

    check1_ = new QCheckBox(
        QStringLiteral("   Автоматически  сохранять результаты раcчетов перед выходом"), this);
    check1_->setObjectName(QStringLiteral("Check1"));
    check1_->setGeometry(16, 312, 496, 24);
    command4_ = makeButton(this, QStringLiteral("Command4"), QStringLiteral("Применить"),
                           QRect(146, 346, 110, 27), kComputeButtonColour);
    command5_ = makeButton(this, QStringLiteral("Command5"), QStringLiteral("Отмена"),
                           QRect(272, 346, 110, 27), kCancelButtonColour);
    // Only the frame captions are bold serif; the controls keep the plain font.
    for (QWidget* w : findChildren<QWidget*>())
        if (!qobject_cast<QGroupBox*>(w))
            w->setFont(QFont());
    connect(command4_, &QPushButton::clicked, this, &SettingsPanel::Command4_Click);
    connect(command5_, &QPushButton::clicked, this, &SettingsPanel::Command5_Click);
}

void SettingsPanel::buildController()
{
    QGroupBox* frame = makeSubFrame(this, 0, QStringLiteral("Контроллер"), QRect(8, 24, 248, 276));
    rowLabel(frame, 1, "Коэффициент деления предделителя TMR1", 0);
    combo1_[0] =
        makeCombo(frame, elementName("Combo1", 0), itemList(kPrescalerItems), false, fieldRect(0));
    rowLabel(frame, 12, "Время рассчета УОЗ, мкс", 1);
    text1_[1] = makeField(frame, elementName("Text1", 1), QString(), fieldRect(1));
    rowLabel(frame, 5, "Рабочая частота тактово- го генератора,  МГц", 2);
    text1_[2] = makeField(frame, elementName("Text1", 2), QString(), fieldRect(2));
    rowLabel(frame, 10, "Задержка обработки сигнала с датчика, мкс", 3);
    text1_[3] = makeField(frame, elementName("Text1", 3), QString(), fieldRect(3));
    rowLabel(frame, 11, "Длительность управляю- щего импульса, мкс", 4);
    text1_[4] = makeField(frame, elementName("Text1", 4), QString(), fieldRect(4));
    // Shown for information only: nothing is computed from them.
    text1_[1]->setEnabled(false);
    text1_[2]->setEnabled(false);
}

void SettingsPanel::buildSensor()
{
    QGroupBox* frame = makeSubFrame(this, 1, QStringLiteral("Датчик"), QRect(264, 24, 256, 176));
    rowLabel(frame, 6, "Начальный угол опереже- ния зажигания, град", 0);
    text1_[5] = makeField(frame, elementName("Text1", 5), QString(), fieldRect(0));
    rowLabel(frame, 9, "Угол между отрицаель- ным и положительным импульсами, град", 1);
    text1_[6] = makeField(frame, elementName("Text1", 6), QString(), fieldRect(1));
    rowLabel(frame, 13, "Число отрицательных импульсов за один оборот КВ", 2);
    combo1_[1] =
        makeCombo(frame, elementName("Combo1", 1), itemList(kPulseCountItems), false, fieldRect(2));
}

void SettingsPanel::buildMethod()
{
    QGroupBox* frame = makeSubFrame(this, 2, QStringLiteral("Расчет"), QRect(264, 204, 256, 96));
    const char* captions[] = {"По коэффициентам", "По точкам"};
    for (int i = 0; i < 2; ++i) {
        auto* option = new QRadioButton(QString::fromUtf8(captions[i]), frame);
        option->setObjectName(elementName("Option1", i));
        option->setGeometry(16, 28 + 30 * i, 220, 24);
        option1_[static_cast<std::size_t>(i)] = option;
    }
    option1_[0]->setChecked(true);
}

void SettingsPanel::readInto(Inputs& in) const
{
    for (std::size_t i = 1; i <= 6; ++i)
        in.text1[i] = text1_[i]->text().toStdString();
    for (std::size_t i = 0; i < 2; ++i) {
        in.combo1[i] = combo1_[i]->currentText().toStdString();
        in.option1[i] = option1_[i]->isChecked();
    }
    in.check1 = check1_->isChecked();
}

void SettingsPanel::applyFrom(const Inputs& in)
{
    for (std::size_t i = 1; i <= 6; ++i)
        text1_[i]->setText(QString::fromStdString(in.text1[i]));
    for (std::size_t i = 0; i < 2; ++i)
        selectItem(combo1_[i], QString::fromStdString(in.combo1[i]));
    setOptionStates(in.option1[0], in.option1[1]);
    check1_->setChecked(in.check1);
}

bool SettingsPanel::byCoefficients() const
{
    return option1_[0]->isChecked();
}

void SettingsPanel::setOptionStates(bool byCoefficients, bool byPoints)
{
    const std::array<bool, 2> states = optionGroupStates(byCoefficients, byPoints);
    for (QRadioButton* option : option1_)
        option->setAutoExclusive(false);
    option1_[0]->setChecked(states[0]);
    option1_[1]->setChecked(states[1]);
    for (QRadioButton* option : option1_)
        option->setAutoExclusive(true);
}

void SettingsPanel::settings_Click()
{
    show();
    raise();
    for (std::size_t i = 1; i <= 6; ++i)
        settingsSnapshot[i] = text1_[i]->text();
    settingsSnapshot[7] = combo1_[0]->currentText();
    settingsSnapshot[8] = combo1_[1]->currentText();
    settingsSnapshot[9] = boolText(option1_[0]->isChecked());
    settingsSnapshot[10] = boolText(option1_[1]->isChecked());
}

void SettingsPanel::Command4_Click()
{
    Inputs in;
    readInto(in);
    if (const auto message = checkSettings(in)) {
        emit refused(*message);
        return;
    }
    hide();
    emit applied();
}

void SettingsPanel::Command5_Click()
{
    hide();
    for (std::size_t i = 1; i <= 6; ++i)
        text1_[i]->setText(settingsSnapshot[i]);
    selectItem(combo1_[0], settingsSnapshot[7]);
    selectItem(combo1_[1], settingsSnapshot[8]);
    setOptionStates(settingsSnapshot[9] == QLatin1String("True"),
                    settingsSnapshot[10] == QLatin1String("True"));
}

}  // namespace ign::ui
