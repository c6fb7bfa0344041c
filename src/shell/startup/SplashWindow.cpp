#include "shell/startup/SplashWindow.h"

#include <cmath>

#include <QApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPalette>
#include <QPainter>
#include <QPixmap>
#include <QVBoxLayout>

#include "files/BuildVersion.h"
#include "model/Angle.h"

namespace polvane {

namespace {

// The splash picture, drawn here so that the program needs no image files: the name on a
// diagonal gradient with a column of cells curving down like a hung array. Below the artwork
// the gradient goes on for the given height: the strip the version is written on. Drawn
// with as many pixels as the screen has for it, so that it is as sharp as the text beside.
QPixmap SplashPicture(int versionStrip, qreal pixelRatio)
{
    const QSizeF size(420, 240 + versionStrip);
    QPixmap pixmap((size * pixelRatio).toSize());
    pixmap.setDevicePixelRatio(pixelRatio);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(0, 0, size.width(), size.height());
    gradient.setColorAt(0, QColor(20, 40, 90));
    gradient.setColorAt(1, QColor(0, 96, 255));
    p.fillRect(QRectF(QPointF(0, 0), size), gradient);

    p.setPen(QPen(QColor(255, 255, 255, 200), 1.5));
    p.setBrush(QColor(255, 255, 255, 60));
    double angle = 0;
    QPointF top(75, 30);
    for (int i = 0; i < 8; ++i) {
        p.save();
        p.translate(top);
        p.rotate(angle);
        p.drawRect(QRectF(-30, 0, 36, 18));
        p.restore();
        top += QPointF(-18 * std::sin(angle * Angle::kPi / 180), 18 * std::cos(angle * Angle::kPi / 180));
        angle += 4;
    }

    p.setPen(Qt::white);
    QFont title(QStringLiteral("Arial"), 22, QFont::Bold);
    p.setFont(title);
    p.drawText(QRectF(125, 70, 290, 50), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Quessel Polvane"));
    QFont sub(QStringLiteral("Arial"), 11);
    p.setFont(sub);
    p.drawText(QRectF(127, 118, 290, 30), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Line-array design"));
    return pixmap;
}

} // namespace

SplashWindow::SplashWindow(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      picture_(new QLabel(this)), version_(new QLabel(QString::fromStdString("Version " + BuildVersion::Text()), this))
{
    setObjectName(QStringLiteral("frmSplash"));
    picture_->setObjectName(QStringLiteral("Picture1"));
    // Clicks on the picture and the version reach the window and hide it.
    picture_->setAttribute(Qt::WA_TransparentForMouseEvents);
    version_->setObjectName(QStringLiteral("VersionLabel"));
    version_->setFont(QFont(QStringLiteral("Arial")));
    version_->setAttribute(Qt::WA_TransparentForMouseEvents);
    // The version is written on the picture itself, light on its gradient, so that the
    // window is one finished panel rather than a picture over a grey strip.
    QPalette onPicture = version_->palette();
    onPicture.setColor(QPalette::WindowText, Qt::white);
    version_->setPalette(onPicture);
    DrawPicture();
    auto* overPicture = new QVBoxLayout(picture_);
    overPicture->setContentsMargins(0, 0, 8, 4);
    overPicture->addStretch();
    overPicture->addWidget(version_, 0, Qt::AlignRight | Qt::AlignBottom);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(picture_);
}

void SplashWindow::DrawPicture()
{
    picture_->setPixmap(SplashPicture(QFontMetrics(version_->font()).height() + 8, devicePixelRatioF()));
}

void SplashWindow::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    Dismiss();
}

void SplashWindow::ShowAsAbout()
{
    show();
    raise();
    activateWindow();
    asAbout_ = true;
}

void SplashWindow::showEvent(QShowEvent* event)
{
    if (!watching_) {
        QCoreApplication::instance()->installEventFilter(this);
        watching_ = true;
    }
    // The screen it shows on may have another pixel ratio than the one it was drawn for.
    if (!qFuzzyCompare(picture_->pixmap().devicePixelRatio(), devicePixelRatioF()))
        DrawPicture();
    QWidget::showEvent(event);
}

bool SplashWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show && watched != this && isVisible()) {
        const auto* shown = qobject_cast<const QWidget*>(watched);
        // Left up, the picture would cover the message and keep the mouse from it.
        if (shown != nullptr && shown->isWindow() && shown->isModal())
            hide();
    } else if (event->type() == QEvent::KeyPress && asAbout_ && isVisible() &&
               QApplication::activeModalWidget() == nullptr && QApplication::activePopupWidget() == nullptr) {
        const int key = static_cast<const QKeyEvent&>(*event).key();
        // The keys that close a message box.
        if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter) {
            Dismiss();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void SplashWindow::hideEvent(QHideEvent* event)
{
    if (watching_) {
        QCoreApplication::instance()->removeEventFilter(this);
        watching_ = false;
    }
    asAbout_ = false;
    QWidget::hideEvent(event);
}

void SplashWindow::Dismiss()
{
    hide();
    emit Dismissed();
}

} // namespace polvane
