#include <gtest/gtest.h>

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QStyle>

#include <memory>

#include "ui/platform/start_style.h"

namespace ign::ui {
namespace {

// The start style hands out the overflow icon unfetched; drawn, it must be
// the platform style's own, and every other icon must come straight through.
TEST(StartStyle, IconsAreThePlatformStylesOnceDrawn)
{
    const std::unique_ptr<QStyle> style(makeStartStyle());
    ASSERT_NE(style, nullptr);
    QStyle* platform = QApplication::style();
    for (const QStyle::StandardPixmap which :
         {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_MessageBoxWarning}) {
        const QIcon icon = style->standardIcon(which);
        const QIcon own = platform->standardIcon(which);
        EXPECT_FALSE(icon.isNull()) << which;
        for (const int size : {16, 24})
            EXPECT_EQ(icon.pixmap(size).toImage(), own.pixmap(size).toImage()) << which;
        EXPECT_EQ(icon.availableSizes(), own.availableSizes()) << which;
    }
}

}  // namespace
}  // namespace ign::ui
