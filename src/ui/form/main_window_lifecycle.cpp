// The window's start-up and shutdown: reading the settings file, laying the
// form out, and on the way out writing the settings, then the table as the
// core's exit plan says.
#include "ui/form/main_window.h"

#include <QCloseEvent>

#include "model/exit_plan.h"
#include "ui/form/curve_panels.h"
#include "ui/form/field_binder.h"
#include "ui/platform/message_boxes.h"
#include "ui/platform/qt_strings.h"

namespace ign::ui {

void MainWindow::Form_Load()
{
    // A first start has no settings file: the fields then keep the start
    // texts, so the calculator can be used at once. Read before the fields
    // exist, the settings fill them once.
    commands_.loadSettings();
    buildForm();
    adjustSize();
    setFixedSize(sizeHint());

    finishLayout();
    curves_->alignCoefficientFields();
    curves_->showMethod(inputs_.byCoefficients());
    commands_.startUp();
    DrawCurvesBySelectedMethod();
    if (const auto warning = commands_.settingsWarning())
        showMessage(*warning);
}

bool MainWindow::Form_Unload()
{
    const CalculatorCommands::ExitPlan plan = commands_.exitProgram();
    for (const Message& message : plan.messages)
        showMessage(message);
    switch (plan.table) {
    case ExitTable::Leave:
        return true;
    case ExitTable::Save:
        saveTable();
        return true;
    case ExitTable::Ask:
        break;
    }
    switch (boxes_.askYesNoCancel(this, QString::fromUtf8(text::kSaveBeforeExit),
                                  QString::fromUtf8(text::kExitCaption), Icon::Question)) {
    case Answer::Yes:
        saveTable();
        return true;
    case Answer::No:
        return true;
    default:
        return false;
    }
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!Form_Unload()) {
        event->ignore();
        return;
    }
    event->accept();
    emit programEnded();
}

void MainWindow::exit_Click()
{
    close();
}

}  // namespace ign::ui
