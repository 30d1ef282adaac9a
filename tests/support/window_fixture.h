// A calculator window in a folder of its own, with recorded message boxes and
// the full stop as decimal separator, driven the way a person drives it.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "model/curves.h"
#include "support/fake_message_boxes.h"
#include "support/fake_platform_services.h"
#include "support/test_files.h"
#include "ui/form/main_window.h"
#include "ui/graphs/raster_surface.h"

inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace ign {
inline void PrintTo(const Rgb& c, std::ostream* os)
{
    *os << "RGB(" << int(c.r) << ", " << int(c.g) << ", " << int(c.b) << ")";
}
}  // namespace ign

namespace ign::ui::test {

class WindowTest : public ::testing::Test {
protected:
    QTemporaryDir folder;
    FakeMessageBoxes boxes;
    FakeFileDialogs dialogs;
    FakeProcessLauncher launcher;
    FakeUrlOpener opener;
    std::unique_ptr<MainWindow> window;

    void SetUp() override
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        ASSERT_TRUE(folder.isValid());
    }
    void TearDown() override
    {
        window.reset();
        QLocale::setDefault(QLocale::system());
    }

    // Starts the program; a second call is the next run in the same folder.
    MainWindow& start()
    {
        window.reset();
        window = std::make_unique<MainWindow>(
            MainWindowOptions{folder.path(), folder.path(), &boxes, &dialogs, &launcher, &opener});
        window->show();
        QApplication::setActiveWindow(window.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        // The hidden panels follow the first picture.
        EXPECT_TRUE(QTest::qWaitFor(
            [this] { return window->findChild<QObject*>(QStringLiteral("Frame1")) != nullptr; }));
        return *window;
    }

    template <class T = QWidget> T* find(const QString& name) const
    {
        T* w = window->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QLineEdit* field(const char* array, int index) const
    {
        return find<QLineEdit>(QStringLiteral("%1_%2").arg(QLatin1String(array)).arg(index));
    }
    QComboBox* combo(const char* array, int index) const
    {
        return find<QComboBox>(QStringLiteral("%1_%2").arg(QLatin1String(array)).arg(index));
    }
    QPushButton* button(const char* name) const { return find<QPushButton>(QLatin1String(name)); }

    // What the controls show, read from the controls themselves; the texts
    // of the table panel, which has none, come from the model.
    Inputs shownInputs() const
    {
        Inputs in = window->inputs().values();
        for (int i = 0; i < 2; ++i) {
            const auto at = static_cast<std::size_t>(i);
            in.combo1[at] = combo("Combo1", i)->currentText().toStdString();
            in.combo2[at] = combo("Combo2", i)->currentText().toStdString();
            in.option1[at] = find<QAbstractButton>(QStringLiteral("Option1_%1").arg(i))->isChecked();
        }
        in.check1 = find<QAbstractButton>(QStringLiteral("Check1"))->isChecked();
        const auto texts = [this](auto& array, const char* name, int first) {
            for (int i = first; i < int(array.size()); ++i)
                array[static_cast<std::size_t>(i)] = field(name, i)->text().toStdString();
        };
        texts(in.text1, "Text1", 1);
        texts(in.text4, "Text4", 0);
        texts(in.text6, "Text6", 0);
        return in;
    }
    QAction* action(const char* name) const { return find<QAction>(QLatin1String(name)); }

    void click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }
    // Check boxes and option buttons react on their mark and caption only.
    void clickMark(QWidget* w)
    {
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(8, w->height() / 2));
    }

    // Focus by a click, then keys carrying the text, as a keyboard sends
    // them; QTest's own typing cannot carry Cyrillic.
    void type(QWidget* w, const QString& text)
    {
        QTest::mouseClick(w, Qt::LeftButton);
        sendKeys(w, text);
    }
    void sendKeys(QWidget* w, const QString& text)
    {
        for (const QChar ch : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
            QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(w, &press);
            QApplication::sendEvent(w, &release);
        }
    }

    // A field that does not select its text on focus: select it by keyboard.
    void retype(QWidget* w, const QString& text)
    {
        QTest::mouseClick(w, Qt::LeftButton);
        QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
        sendKeys(w, text);
    }

    // "По точкам" in the settings panel, applied; nothing is redrawn yet.
    void chooseByPoints()
    {
        action("settings")->trigger();
        clickMark(find<QWidget>(QStringLiteral("Option1_1")));
        click(button("Command4"));
    }

    QStringList listingLines() const
    {
        return find<QPlainTextEdit>(QStringLiteral("Text2"))
            ->toPlainText()
            .split(QLatin1Char('\n'));
    }

    RasterSurface& picture(int n) const
    {
        return *find<RasterSurface>(QStringLiteral("Picture%1").arg(n));
    }
    Rgb pixel1(int x, int y) const { return picture(1).pixel(x, y); }
    int countPixels(int pictureNumber, Rgb colour) const
    {
        const QImage& image = picture(pictureNumber).image();
        const QRgb wanted = qRgb(colour.r, colour.g, colour.b);
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += (image.pixel(x, y) & 0xFFFFFF) == (wanted & 0xFFFFFF);
        return n;
    }

    std::filesystem::path path(const char* name) const
    {
        return std::filesystem::path(folder.filePath(QLatin1String(name)).toStdString());
    }
    std::string readFile(const char* name) const { return ign::test::readBytes(path(name)); }
    void writeFile(const char* name, const std::string& bytes) const
    {
        ign::test::writeBytes(path(name), bytes);
    }
    bool exists(const char* name) const { return std::filesystem::exists(path(name)); }
};

inline const Rgb kBackground{191, 191, 191};

}  // namespace ign::ui::test
