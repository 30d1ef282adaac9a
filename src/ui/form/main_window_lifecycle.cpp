// The window's start-up and shutdown: laying the form out, reading the
// settings file, and on the way out writing it, then the table as the core's
// exit plan says.
#include "ui/form/main_window.h"

#include <QCloseEvent>

#include "model/exit_plan.h"
#include "storage/settings_file.h"
#include "ui/form/curve_panels.h"
#include "ui/form/form_controls.h"
#include "ui/platform/message_boxes.h"
#include "ui/platform/qt_strings.h"

namespace ign::ui {

void MainWindow::Form_Load()
{
    FormControls& c = *controls_;
    adjustSize();
    setFixedSize(sizeHint());

    c.finishLayout();
    c.curves->alignCoefficientFields();

    // The texts the fields carry before any settings file is read; the core
    // keeps them, so the window and the batch tool start from the same ones.
    // A first start has no settings file: the fields then keep these texts,
    // so the calculator can be used at once.
    Inputs loaded = initialInputs();
    const std::filesystem::path settingsFile = programFile(kSettingsFileName);
    settingsLoad_ = loadSettingsFile(settingsFile, loaded);
    showInputs(loaded);
    c.curves->showMethod(byCoefficients());
    startUp(state_, gatherInputs());
    DrawCurvesBySelectedMethod();
    if (const std::string warning = settingsLoadWarning(settingsFile, settingsLoad_);
        !warning.empty())
        boxes_.inform(this, toQt(warning), windowCaption(), Icon::Exclamation);
}

bool MainWindow::Form_Unload()
{
    const Inputs in = gatherInputs();
    const SettingsSaveOutcome saved =
        saveSettingsAtShutdown(programFile(kSettingsFileName), in, settingsLoad_);
    if (!saved.written.ok)
        tellWriteFailure(saved.file, saved.written.reason);
    else if (!saved.notice.empty())
        boxes_.inform(this, toQt(saved.notice), windowCaption(), Icon::Exclamation);
    switch (exitTable(in, state_)) {
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
