#include "ui/commands/field_history.h"

#include <QAction>
#include <QUndoCommand>

#include "ui/platform/qt_strings.h"

namespace ign::ui {
namespace {

class FieldStepCommand : public QUndoCommand {
public:
    FieldStepCommand(FieldStep step, FieldHistory::ShowTexts show)
        : QUndoCommand(toQt(step.name)), step_(std::move(step)), show_(std::move(show))
    { }

    void undo() override { show_(step_.before, step_.redraw); }
    void redo() override
    {
        // The command itself did the first time, before it was recorded.
        if (done_)
            show_(step_.after, step_.redraw);
        done_ = true;
    }

private:
    FieldStep step_;
    FieldHistory::ShowTexts show_;
    bool done_ = false;
};

}  // namespace

FieldHistory::FieldHistory(QAction* undo, QAction* redo, ShowTexts show, QObject* parent)
    : QObject(parent), undo_(undo), redo_(redo), show_(std::move(show))
{
    group_.addStack(&stack_);
    group_.setActiveStack(&stack_);
    connect(undo_, &QAction::triggered, &group_, &QUndoGroup::undo);
    connect(redo_, &QAction::triggered, &group_, &QUndoGroup::redo);
    for (auto signal : {&QUndoGroup::canUndoChanged, &QUndoGroup::canRedoChanged})
        connect(&group_, signal, this, &FieldHistory::refreshMenu);
    for (auto signal : {&QUndoGroup::undoTextChanged, &QUndoGroup::redoTextChanged})
        connect(&group_, signal, this, &FieldHistory::refreshMenu);
    connect(&group_, &QUndoGroup::activeStackChanged, this, &FieldHistory::refreshMenu);
    refreshMenu();
}

FieldHistory::~FieldHistory()
{
    // The stacks leaving the group report changes nobody needs any more.
    group_.disconnect(this);
}

void FieldHistory::record(const std::optional<FieldStep>& step)
{
    if (step)
        stack_.push(new FieldStepCommand(*step, show_));
}

void FieldHistory::activate(QUndoStack* stack)
{
    QUndoStack* wanted = stack ? stack : &stack_;
    if (!group_.stacks().contains(wanted))
        group_.addStack(wanted);
    group_.setActiveStack(wanted);
}

void FieldHistory::refreshMenu()
{
    if (!undo_ || !redo_)
        return;
    undo_->setEnabled(group_.canUndo());
    redo_->setEnabled(group_.canRedo());
    undo_->setText(toQt(undoMenuText(group_.canUndo() ? group_.undoText().toStdString() : "")));
    redo_->setText(toQt(redoMenuText(group_.canRedo() ? group_.redoText().toStdString() : "")));
}

}  // namespace ign::ui
