#include "ui/form/field_binder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include "ui/platform/qt_strings.h"

namespace ign::ui {
namespace {

FieldId highlighted(Highlight highlight)
{
    switch (highlight) {
    case Highlight::Combo2_0:
        return {Control::Combo2, 0};
    case Highlight::Combo2_1:
        return {Control::Combo2, 1};
    case Highlight::Text1_3:
        return {Control::Text1, 3};
    case Highlight::Text1_4:
        return {Control::Text1, 4};
    case Highlight::None:
        break;
    }
    return {Control::Check1, -1};
}

}  // namespace

FieldBinder::FieldBinder(InputsModel& model, QObject* parent)
    : QObject(parent), model_(model), listener_(model.listen([this](FieldId field) {
          if (!forwarding_)
              show(field);
      }))
{ }

FieldBinder::~FieldBinder()
{
    model_.unlisten(listener_);
}

template <class Change> void FieldBinder::forward(Change change)
{
    const bool outer = !forwarding_;
    forwarding_ = true;
    change();
    if (outer)
        forwarding_ = false;
}

void FieldBinder::bind(FieldId field, QLineEdit* edit)
{
    controls_[key(field)] = edit;
    show(field);
    connect(edit, &QLineEdit::textChanged, this, [this, field](const QString& text) {
        forward([&] { model_.setText(field, text.toStdString()); });
    });
}

void FieldBinder::bind(FieldId field, QComboBox* combo)
{
    controls_[key(field)] = combo;
    show(field);
    const auto edited = [this, field](const QString& text) {
        forward([&] { model_.setText(field, text.toStdString()); });
    };
    if (combo->isEditable())
        connect(combo, &QComboBox::editTextChanged, this, edited);
    else
        connect(combo, &QComboBox::currentTextChanged, this, edited);
}

void FieldBinder::bind(FieldId field, QAbstractButton* button)
{
    controls_[key(field)] = button;
    show(field);
    connect(button, &QAbstractButton::toggled, this,
            [this, field](bool on) { forward([&] { model_.setState(field, on); }); });
}

QWidget* FieldBinder::control(FieldId field) const
{
    const auto it = controls_.find(key(field));
    return it == controls_.end() ? nullptr : it->second.data();
}

QWidget* FieldBinder::control(Highlight highlight) const
{
    return control(highlighted(highlight));
}

void FieldBinder::show(FieldId field)
{
    QWidget* widget = control(field);
    if (!widget)
        return;
    if (field.control == Control::Check1 || field.control == Control::Option1) {
        auto* button = static_cast<QAbstractButton*>(widget);
        // An option button of an exclusive group cannot be cleared by itself,
        // yet the group may be left with neither selected.
        const bool exclusive = button->autoExclusive();
        button->setAutoExclusive(false);
        button->setChecked(model_.state(field));
        button->setAutoExclusive(exclusive);
        return;
    }
    const QString text = toQt(model_.text(field));
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        if (edit->text() != text)
            edit->setText(text);
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        if (combo->isEditable()) {
            if (combo->currentText() != text)
                combo->setEditText(text);
        } else if (const int index = combo->findText(text, Qt::MatchExactly); index >= 0) {
            combo->setCurrentIndex(index);
        }
    }
}

}  // namespace ign::ui
