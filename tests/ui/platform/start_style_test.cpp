#include <gtest/gtest.h>

#include <QApplication>
#include <QCommonStyle>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOption>

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

// Paints every push button one grey, whatever its palette says, as Windows'
// own styles paint them in the system theme's colours.
class ThemedButtonStyle : public QCommonStyle {
public:
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override
    {
        if (element == CE_PushButtonBevel)
            painter->fillRect(option->rect, kThemeGrey);
        else
            QCommonStyle::drawControl(element, option, painter, widget);
    }
    static constexpr QRgb kThemeGrey = 0xFF808080;
};

TEST(StartStyle, ButtonsGivenAColourShowItWhereThePlatformStyleWouldNot)
{
    const std::unique_ptr<QStyle> style(makeStartStyle(new ThemedButtonStyle));
    const QColor green(128, 255, 128);
    QPushButton coloured(QStringLiteral("Рассчитать"));
    QPalette palette = coloured.palette();
    palette.setColor(QPalette::Button, green);
    coloured.setPalette(palette);
    QPushButton plain(QStringLiteral("Закрыть"));
    for (QPushButton* button : {&coloured, &plain}) {
        button->setStyle(style.get());
        button->resize(109, 30);
    }
    // Away from the centred caption, inside the bevel: Fusion's shading of
    // the button's own colour.
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    QPushButton reference(QStringLiteral("Рассчитать"));
    reference.setPalette(palette);
    reference.setStyle(fusion.get());
    reference.resize(109, 30);
    const QColor shown = coloured.grab().toImage().pixelColor(8, 15);
    EXPECT_EQ(shown, reference.grab().toImage().pixelColor(8, 15));
    EXPECT_GT(shown.green(), shown.red() + 40);
    EXPECT_EQ(plain.grab().toImage().pixel(8, 15), ThemedButtonStyle::kThemeGrey);
}

}  // namespace
}  // namespace ign::ui
