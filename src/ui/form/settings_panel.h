// The settings panel "Настройки": controller and sensor parameters, the
// calculation method and automatic saving. It lies over the window without
// blocking it; "Отмена" puts back what the fields held when it was opened.
#pragma once

#include <array>

#include <QGroupBox>

#include "model/inputs.h"

class QCheckBox;
class QComboBox;
class QPushButton;
class QRadioButton;

namespace ign::ui {

class InputField;
class MessageBoxes;

class SettingsPanel : public QGroupBox {
    Q_OBJECT

public:
    SettingsPanel(MessageBoxes& boxes, QWidget* parent);

    void readInto(Inputs& in) const;
    // Drop-down lists take only their own items; the option buttons behave as
    // one group.
    void applyFrom(const Inputs& in);

    bool byCoefficients() const;
    void setOptionStates(bool byCoefficients, bool byPoints);

    InputField* text1(int index) const { return text1_[static_cast<std::size_t>(index)]; }
    QComboBox* combo1(int index) const { return combo1_[static_cast<std::size_t>(index)]; }

public slots:
    void settings_Click();
    void Command4_Click();
    void Command5_Click();

signals:
    // The panel closed after a successful "Применить".
    void applied();

private:
    void buildController();
    void buildSensor();
    void buildMethod();

    MessageBoxes& boxes_;
    std::array<InputField*, 7> text1_{};  // elements 1..6
    std::array<QComboBox*, 2> combo1_{};
    std::array<QRadioButton*, 2> option1_{};
    QCheckBox* check1_ = nullptr;
    QPushButton* command4_ = nullptr;
    QPushButton* command5_ = nullptr;
    // Texts 1..6 of Text1, then Combo1(0), Combo1(1) and the two option
    // states as "True"/"False"; element 0 stays empty.
    std::array<QString, 11> settingsSnapshot;
};

}  // namespace ign::ui
