#include "ui/form/editor_overlay.h"

#include <QFrame>
#include <QPushButton>

#include "ui/form/field_colours.h"
#include "ui/form/widget_factory.h"
#include "ui/graphs/raster_surface.h"
#include "ui/graphs/reading_box.h"

namespace ign::ui {

EditorOverlay::EditorOverlay(QWidget* form)
{
    frame6_ = new QFrame(form);
    frame6_->setObjectName(QStringLiteral("Frame6"));
    frame6_->setFrameShape(QFrame::NoFrame);
    frame6_->setGeometry(0, 0, 801, 577);
    picture4_ = makeSurface(frame6_, "Picture4", QRect(36, 4, 730, 505), true);
    picture5_ = makeSurface(frame6_, "Picture5", QRect(12, 4, 25, 521), false);
    picture6_ = makeSurface(frame6_, "Picture6", QRect(36, 508, 1025, 17), false);
    // The scales sit behind the graph they belong to.
    picture5_->lower();
    picture6_->lower();
    text7_ = new ReadingBox(QStringLiteral("Text7"), picture4_);
    text7_->setObjectName(QStringLiteral("Text7"));
    // Its reading sizes it and turns its scroll bars off.
    text7_->move(10, 10);
    text7_->hide();
    command8_ = makeButton(frame6_, QStringLiteral("Command8"), QStringLiteral("Применить"),
                           QRect(528, 528, 109, 21), kComputeButtonColour);
    command7_ = makeButton(frame6_, QStringLiteral("Command7"), QStringLiteral("Отмена"),
                           QRect(644, 528, 109, 21), kCancelButtonColour);
    frame6_->hide();
}

}  // namespace ign::ui
