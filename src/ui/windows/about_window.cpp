#include "ui/windows/about_window.h"
#include "ui/windows/single_window.h"

#include "ui/platform/platform_services.h"
#include "ui/windows/crank_picture.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QUrl>

namespace ign::ui {
namespace {

QPointer<AboutWindow> openWindow;

// Twips of the window's layout to pixels.
constexpr int px(int twips)
{
    return twips / 15;
}

const QString kCredit = QStringLiteral("Калькулятор зажигания    V " IGN_VERSION) +
    QString(20, QLatin1Char(' ')) + QStringLiteral("Разработчик: ") +
    QStringLiteral("команда проекта") + QStringLiteral("  ");

}  // namespace

AboutWindow* AboutWindow::showSingle(UrlOpener& opener, QWidget* owner)
{
    return showSingleWindow(openWindow, [&] { return new AboutWindow(opener, owner); });
}

AboutWindow* AboutWindow::instance()
{
    return openWindow;
}

QUrl AboutWindow::mailUrl(const QString& address)
{
    // The subject is Cyrillic and has a blank: both must be percent-encoded
    // (UTF-8) for a mail program to read them back.
    return QUrl::fromEncoded("mailto:" + QUrl::toPercentEncoding(address, "@") +
                                 "?Subject=" + QUrl::toPercentEncoding(kMailSubject),
                             QUrl::StrictMode);
}

AboutWindow::AboutWindow(UrlOpener& opener, QWidget* owner)
    : QWidget(owner, Qt::Window | Qt::MSWindowsFixedSizeDialogHint), opener_(opener)
{
    setObjectName(QStringLiteral("Form2"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("О программе"));
    QFont small = font();
    small.setPixelSize(11);
    setFont(small);
    setFixedSize(px(7800), px(3195));

    const QPixmap picture = crankMechanismPicture(140);
    setWindowIcon(QIcon(picture));
    QLabel* picture1 = addLabel("Picture1", QString(), 420, 240, 2130, 2130);
    picture1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picture1->setAlignment(Qt::AlignCenter);
    picture1->setPixmap(picture);

    QLabel* label1 = addLabel("Label1", kCredit, 2955, 840, 3405, 435);
    label1->setWordWrap(true);
    label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    addLabel("Label3", QStringLiteral("Web Сайт:"), 2970, 1350, 855, 225);
    label2_ = addLabel("Label2", kProjectWebAddress, 3870, 1350, 2475, 225);
    addLabel("Label4", QStringLiteral(" E-mail: "), 2970, 1650, 675, 225);
    label5_ = addLabel("Label5", kProjectMailAddress, 3690, 1650, 2655, 225);
    for (QLabel* link : {label2_, label5_}) {
        QPalette blue = link->palette();
        blue.setColor(QPalette::WindowText, QColor(0, 0, 255));
        link->setPalette(blue);
        link->setCursor(linkHandPointer());
        link->installEventFilter(this);
    }

    auto* command1 = new QPushButton(QStringLiteral("Ok"), this);
    command1->setObjectName(QStringLiteral("Command1"));
    command1->setGeometry(px(2715), px(2700), px(1815), px(375));
    command1->setDefault(true);
    connect(command1, &QPushButton::clicked, this, &QWidget::close);
}

QLabel* AboutWindow::addLabel(const char* name, const QString& text, int left, int top, int width,
                              int height)
{
    auto* label = new QLabel(text, this);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(px(left), px(top), px(width), px(height));
    return label;
}

bool AboutWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease && (watched == label2_ || watched == label5_)) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const auto* label = static_cast<QLabel*>(watched);
        if (mouse->button() == Qt::LeftButton &&
            label->rect().contains(mouse->position().toPoint())) {
            // The link is whatever the label shows.
            follow(watched == label2_ ? QUrl(label->text(), QUrl::StrictMode)
                                      : mailUrl(label->text()));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void AboutWindow::follow(const QUrl& url)
{
    // Whether a browser or mail program took the address or not, the window
    // has done its part.
    opener_.openUrl(url);
    close();
}

void AboutWindow::closeEvent(QCloseEvent* event)
{
    // Closed means gone: the next about_programm builds a new window, even
    // before this one has been deleted.
    openWindow = nullptr;
    QWidget::closeEvent(event);
}

}  // namespace ign::ui
