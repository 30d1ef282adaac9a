#include "ui/windows/build_output_window.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ign::ui {

BuildOutputWindow::BuildOutputWindow(QWidget* owner)
    : QWidget(owner, Qt::Window), command_(new QLabel(this)), output_(new QPlainTextEdit(this)),
      status_(new QLabel(this))
{
    setObjectName(QStringLiteral("BuildOutput"));
    setWindowTitle(QStringLiteral("Создание прошивки"));
    resize(560, 320);

    command_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    output_->setReadOnly(true);
    // Assembler messages line up in columns.
    output_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    output_->setLineWrapMode(QPlainTextEdit::NoWrap);
    status_->setWordWrap(true);

    auto* close = new QPushButton(QStringLiteral("Закрыть"), this);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(command_);
    layout->addWidget(output_, 1);
    layout->addWidget(status_);
    layout->addLayout(buttons);
}

void BuildOutputWindow::showRun(const QString& commandLine, const QString& output,
                                const QString& status)
{
    command_->setText(commandLine);
    output_->setPlainText(output);
    status_->setText(status);
    show();
    raise();
    activateWindow();
}

QString BuildOutputWindow::commandLine() const
{
    return command_->text();
}

QString BuildOutputWindow::output() const
{
    return output_->toPlainText();
}

QString BuildOutputWindow::status() const
{
    return status_->text();
}

}  // namespace ign::ui
