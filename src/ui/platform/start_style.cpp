#include "ui/platform/start_style.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QWidget>

#include <memory>

namespace ign::ui {
namespace {

// Asks the style for a standard icon only when something needs its pixels.
class DeferredStandardIcon : public QIconEngine {
public:
    DeferredStandardIcon(const QStyle* style, QStyle::StandardPixmap which)
        : style_(style), which_(which)
    {
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override
    {
        return icon().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    // The style has the icon; saying so costs no fetch.
    bool isNull() override { return false; }
    QIconEngine* clone() const override { return new DeferredStandardIcon(style_, which_); }

private:
    const QIcon& icon()
    {
        if (!fetched_) {
            icon_ = style_->standardIcon(which_);
            fetched_ = true;
        }
        return icon_;
    }

    const QStyle* style_;
    QStyle::StandardPixmap which_;
    QIcon icon_;
    bool fetched_ = false;
};

class StartStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap which, const QStyleOption* option,
                       const QWidget* widget) const override
    {
        if (which == SP_ToolBarHorizontalExtensionButton && !option)
            return QIcon(new DeferredStandardIcon(baseStyle(), which));
        return QProxyStyle::standardIcon(which, option, widget);
    }

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override
    {
        if (element == CE_PushButtonBevel && widget &&
            widget->palette().isBrushSet(QPalette::Active, QPalette::Button)) {
            if (QStyle* style = colouredButtonStyle()) {
                style->drawControl(element, option, painter, widget);
                return;
            }
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }

private:
    // Made when the first coloured button is drawn; none where the platform
    // style is Fusion already.
    QStyle* colouredButtonStyle() const
    {
        if (!fusion_ && baseStyle()->name().compare(u"fusion", Qt::CaseInsensitive) != 0)
            fusion_.reset(QStyleFactory::create(QStringLiteral("Fusion")));
        return fusion_.get();
    }

    mutable std::unique_ptr<QStyle> fusion_;
};

}  // namespace

QStyle* makeStartStyle(QStyle* platformStyle)
{
    return platformStyle ? new StartStyle(platformStyle) : nullptr;
}

QStyle* makeStartStyle()
{
    return makeStartStyle(QStyleFactory::create(QApplication::style()->name()));
}

}  // namespace ign::ui
