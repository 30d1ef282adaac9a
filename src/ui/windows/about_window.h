// The About window, Form2: name, version and credit, the crank picture, and
// the project's web and mail addresses as links. Modeless and never more than
// one; it closes after a link has been followed.
#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QUrl;

namespace ign::ui {

class UrlOpener;

inline const QString kProjectWebAddress = QStringLiteral("https://example.org/igncalc");
inline const QString kProjectMailAddress = QStringLiteral("igncalc@example.org");
inline const QString kMailSubject = QStringLiteral("Письмо разработчику");

class AboutWindow final : public QWidget {
    Q_OBJECT
public:
    // about_programm: creates the window on first use and shows it modeless;
    // while it is open the same window is brought up again. `opener` must
    // outlive the window (the owner normally holds both).
    static AboutWindow* showSingle(UrlOpener& opener, QWidget* owner);
    // The window now open, or nothing.
    static AboutWindow* instance();

    // A new mail to `address` with the subject filled in.
    static QUrl mailUrl(const QString& address);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    AboutWindow(UrlOpener& opener, QWidget* owner);
    QLabel* addLabel(const char* name, const QString& text, int left, int top, int width,
                     int height);
    void follow(const QUrl& url);

    UrlOpener& opener_;
    QLabel* label2_ = nullptr;
    QLabel* label5_ = nullptr;
};

}  // namespace ign::ui
