// The settings panel "Настройки": controller and sensor parameters, the
// calculation method and automatic saving. It lies over the window without
// blocking it; its fields show the inputs model, and the window decides what
// "Применить" and "Отмена" do.
#pragma once

#include <QGroupBox>

namespace ign::ui {

class FieldBinder;

class SettingsPanel : public QGroupBox {
    Q_OBJECT

public:
    // Built hidden, its fields bound to the inputs.
    SettingsPanel(QWidget* parent, FieldBinder& binder);

signals:
    // "Применить" and "Отмена" were pressed.
    void applyClicked();
    void cancelClicked();

private:
    void buildController(FieldBinder& binder);
    void buildSensor(FieldBinder& binder);
    void buildMethod(FieldBinder& binder);
};

}  // namespace ign::ui
