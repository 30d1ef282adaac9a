#include "ui/form/table_panel.h"

#include <QFrame>
#include <QLineEdit>
#include <QScrollBar>

#include "ui/form/widget_factory.h"

namespace ign::ui {

TablePanel::TablePanel(QWidget* form)
{
    frame4_ = new QFrame(form);
    frame4_->setObjectName(QStringLiteral("Frame4"));
    frame4_->setGeometry(8, 640, 260, 24 * 31 + 8);
    frame4_->hide();
    makeLabel(frame4_, elementName("Label1", 2), QStringLiteral("об/мин"), QRect(4, 4, 70, 20));
    for (int j = 0; j < 30; ++j) {
        const int y = 28 + 24 * j;
        makeLabel(frame4_, elementName("Label1", 14 + j), QStringLiteral("об/мин"),
                  QRect(4, y + 2, 70, 20));
        for (int ch = 0; ch < 2; ++ch) {
            const int index = 30 * ch + j;
            auto* field = new QLineEdit(frame4_);
            field->setObjectName(elementName("Text5", index));
            field->setGeometry(80 + 80 * ch, y, 72, 22);
            text5_[static_cast<std::size_t>(index)] = field;
        }
    }
    vScroll1_ = new QScrollBar(Qt::Vertical, form);
    vScroll1_->setObjectName(QStringLiteral("VScroll1"));
    vScroll1_->setGeometry(272, 640, 17, 200);
    vScroll1_->hide();
}

void TablePanel::readInto(Inputs& in) const
{
    for (std::size_t i = 0; i < text5_.size(); ++i)
        in.text5[i] = text5_[i]->text().toStdString();
}

void TablePanel::applyFrom(const Inputs& in)
{
    for (std::size_t i = 0; i < text5_.size(); ++i)
        text5_[i]->setText(QString::fromStdString(in.text5[i]));
}

}  // namespace ign::ui
