#include "support/fake_platform_services.h"
#include "ui/windows/about_window.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

namespace ign::ui::test {
namespace {

// The window deletes itself on close; let that happen before the next test.
void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QLabel* label(QWidget* window, const char* name)
{
    return window->findChild<QLabel*>(QLatin1String(name));
}

int openAboutWindows()
{
    int count = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("Form2") && w->isVisible())
            ++count;
    return count;
}

TEST(AboutWindow, OneModelessWindowWithItsTextsAndPlaces)
{
    FakeUrlOpener opener;
    AboutWindow* first = AboutWindow::showSingle(opener, nullptr);
    AboutWindow* second = AboutWindow::showSingle(opener, nullptr);
    ASSERT_EQ(first, second);
    EXPECT_EQ(AboutWindow::instance(), first);
    EXPECT_EQ(openAboutWindows(), 1);
    EXPECT_EQ(first->windowModality(), Qt::NonModal);
    EXPECT_EQ(first->windowTitle(), QStringLiteral("О программе"));
    EXPECT_EQ(first->size(), QSize(520, 213));

    QLabel* label1 = label(first, "Label1");
    ASSERT_NE(label1, nullptr);
    EXPECT_EQ(label1->text(),
              QStringLiteral("Калькулятор зажигания    V 1.0.0") + QString(20, QLatin1Char(' ')) +
                  QStringLiteral("Разработчик: команда проекта  "));
    // Title on the first line, the credit on the second, nothing cut off.
    EXPECT_LE(label1->heightForWidth(label1->width()), label1->height());
    EXPECT_EQ(label1->geometry(), QRect(197, 56, 227, 29));
    EXPECT_EQ(label(first, "Label3")->text(), QStringLiteral("Web Сайт:"));
    EXPECT_EQ(label(first, "Label4")->text(), QStringLiteral(" E-mail: "));
    EXPECT_EQ(label(first, "Label2")->text(), QStringLiteral("https://example.org/igncalc"));
    EXPECT_EQ(label(first, "Label2")->geometry(), QRect(258, 90, 165, 15));
    EXPECT_EQ(label(first, "Label5")->text(), QStringLiteral("igncalc@example.org"));
    EXPECT_EQ(label(first, "Label5")->geometry(), QRect(246, 110, 177, 15));
    for (const char* link : {"Label2", "Label5"}) {
        EXPECT_EQ(label(first, link)->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        const QCursor hand = label(first, link)->cursor();
        EXPECT_EQ(hand.shape(), Qt::BitmapCursor);
        EXPECT_EQ(hand.hotSpot(), QPoint(13, 9));
        // Two colours: black where the bitmap is set, white where only the
        // mask is; the hot spot lies on the fingertip's black outline.
        const QImage colour = hand.bitmap().toImage();
        const QImage opaque = hand.mask().toImage();
        ASSERT_EQ(colour.size(), QSize(32, 32));
        ASSERT_EQ(opaque.size(), QSize(32, 32));
        int black = 0, white = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                if (opaque.pixelIndex(x, y) == 1)
                    (colour.pixelIndex(x, y) == 1 ? black : white) += 1;
        EXPECT_GT(black, 50);
        EXPECT_GT(white, 50);
        EXPECT_EQ(colour.pixelIndex(13, 9), 1);
        EXPECT_EQ(opaque.pixelIndex(13, 8), 0);
    }

    QLabel* picture = label(first, "Picture1");
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->geometry(), QRect(28, 16, 142, 142));
    const QImage image = picture->pixmap().toImage();
    EXPECT_EQ(image.size(), QSize(140, 140));
    EXPECT_NE(image.pixel(70, 2), image.pixel(70, 102));  // something is drawn

    auto* ok = first->findChild<QPushButton*>(QStringLiteral("Command1"));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), QStringLiteral("Ok"));
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(AboutWindow::instance(), nullptr);
    EXPECT_EQ(openAboutWindows(), 0);
    EXPECT_TRUE(opener.opened.empty());
    settle();
}

TEST(AboutWindow, WebLinkOpensTheCaptionAndCloses)
{
    FakeUrlOpener opener;
    AboutWindow* window = AboutWindow::showSingle(opener, nullptr);
    QTest::mouseClick(label(window, "Label2"), Qt::LeftButton);
    ASSERT_EQ(opener.opened.size(), 1u);
    EXPECT_EQ(opener.opened[0].toEncoded(), QByteArray("https://example.org/igncalc"));
    EXPECT_EQ(AboutWindow::instance(), nullptr);
    settle();

    // A new window after the old one is gone.
    AboutWindow* again = AboutWindow::showSingle(opener, nullptr);
    EXPECT_EQ(openAboutWindows(), 1);
    again->close();
    settle();
}

TEST(AboutWindow, MailLinkIsEncodedAndClosesEvenWhenNothingOpensIt)
{
    FakeUrlOpener opener;
    opener.works = false;
    AboutWindow* window = AboutWindow::showSingle(opener, nullptr);
    QTest::mouseClick(label(window, "Label5"), Qt::LeftButton);
    ASSERT_EQ(opener.opened.size(), 1u);
    EXPECT_EQ(opener.opened[0].toEncoded(),
              "mailto:igncalc@example.org?Subject=" +
                  QByteArray("Письмо разработчику").toPercentEncoding());
    EXPECT_EQ(opener.opened[0].scheme(), QStringLiteral("mailto"));
    EXPECT_EQ(AboutWindow::instance(), nullptr);
    EXPECT_EQ(openAboutWindows(), 0);
    settle();
}

}  // namespace
}  // namespace ign::ui::test
