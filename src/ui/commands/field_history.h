// The history of the commands that overwrite many fields at once, and the
// two menu items that take a step back and do it again. Another history, the
// points editor's, can take the menu items over while it is active.
#pragma once

#include <functional>

#include <QObject>
#include <QPointer>
#include <QUndoGroup>
#include <QUndoStack>

#include "model/field_steps.h"

class QAction;

namespace ign::ui {

class FieldHistory : public QObject {
    Q_OBJECT

public:
    // Writes the texts into the coefficient and point fields and redraws the
    // main graph as asked.
    using ShowTexts = std::function<void(const CurveTexts&, MainGraphRedraw)>;

    FieldHistory(QAction* undo, QAction* redo, ShowTexts show, QObject* parent = nullptr);
    ~FieldHistory() override;

    // Records a command that has already run; nothing when it changed no text.
    void record(const std::optional<FieldStep>& step);

    // Hands the menu items to `stack`, or back to the window's own history.
    void activate(QUndoStack* stack);

private:
    void refreshMenu();

    // The menu may go first when the window closes.
    QPointer<QAction> undo_;
    QPointer<QAction> redo_;
    ShowTexts show_;
    QUndoGroup group_;
    QUndoStack stack_;
};

}  // namespace ign::ui
