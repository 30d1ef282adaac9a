// A text field of the window. Taking the focus drops a refused-value highlight
// and selects the whole text, so the first key typed replaces the old value;
// every key release is reported, whatever the key.
#pragma once

#include <QLineEdit>

namespace ign::ui {

class InputField : public QLineEdit {
    Q_OBJECT

public:
    InputField(const QString& name, const QString& text, QWidget* parent);

signals:
    void keyReleased();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void gotFocus();

    // A click that brings the focus would put the cursor where it landed and
    // undo the selection; such a click keeps the whole text selected.
    bool focusedByMouse_ = false;
};

}  // namespace ign::ui
