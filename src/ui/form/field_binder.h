// Ties the window's input controls to the inputs model: each control shows
// its value from the model, at once and after every change, and hands what
// the user does in it back to the model. Panels built late bind their
// controls when they are built, so they show the model as it is then.
#pragma once

#include <cstddef>
#include <map>
#include <utility>

#include <QObject>
#include <QPointer>

#include "model/inputs_model.h"
#include "model/messages.h"

class QAbstractButton;
class QComboBox;
class QLineEdit;
class QWidget;

namespace ign::ui {

class FieldBinder : public QObject {
    Q_OBJECT

public:
    // `model` must outlive the binder.
    FieldBinder(InputsModel& model, QObject* parent = nullptr);
    ~FieldBinder() override;

    void bind(FieldId field, QLineEdit* edit);
    // A drop-down list or an editable combo box.
    void bind(FieldId field, QComboBox* combo);
    // The check box, or an option button.
    void bind(FieldId field, QAbstractButton* button);

    // The control that shows `field`; null while its panel is not built.
    QWidget* control(FieldId field) const;
    // The control a message points at, or null.
    QWidget* control(Highlight highlight) const;

private:
    using Key = std::pair<int, int>;
    static Key key(FieldId field) { return {static_cast<int>(field.control), field.index}; }
    void show(FieldId field);
    // Hands a user's edit to the model. The control already shows it, and
    // Qt may still be changing the option buttons, so nothing is shown back.
    template <class Change> void forward(Change change);

    InputsModel& model_;
    std::size_t listener_;
    std::map<Key, QPointer<QWidget>> controls_;
    bool forwarding_ = false;
};

}  // namespace ign::ui
