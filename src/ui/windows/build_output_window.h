// What the assembler printed and how it ended. A console assembler has no
// window of its own, so this small window shows it once the run is over; it
// never blocks the main window.
#pragma once

#include <QWidget>

class QLabel;
class QPlainTextEdit;

namespace ign::ui {

class BuildOutputWindow final : public QWidget {
    Q_OBJECT
public:
    explicit BuildOutputWindow(QWidget* owner = nullptr);

    // Replaces what an earlier run showed, and brings the window up.
    void showRun(const QString& commandLine, const QString& output, const QString& status);

    QString commandLine() const;
    QString output() const;
    QString status() const;

private:
    QLabel* command_;
    QPlainTextEdit* output_;
    QLabel* status_;
};

}  // namespace ign::ui
