#include "ui/platform/message_boxes.h"

#include <QMessageBox>

namespace ign::ui {
namespace {

QMessageBox::Icon toQt(Icon icon)
{
    switch (icon) {
    case Icon::Critical:
        return QMessageBox::Critical;
    case Icon::Exclamation:
        return QMessageBox::Warning;
    case Icon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

void QtMessageBoxes::inform(QWidget* parent, const QString& text, const QString& title, Icon icon)
{
    QMessageBox box(toQt(icon), title, text, QMessageBox::Ok, parent);
    box.exec();
}

Answer QtMessageBoxes::askYesNoCancel(QWidget* parent, const QString& text, const QString& title,
                                      Icon icon)
{
    QMessageBox box(toQt(icon), title, text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

}  // namespace ign::ui
