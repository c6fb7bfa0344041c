#include "platform/QtScreenInfo.h"

#include <cmath>

#include <QGuiApplication>
#include <QScreen>

namespace polvane {

namespace {
QScreen* PrimaryScreen()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::primaryScreen()
                                                                        : nullptr;
}
} // namespace

int QtScreenInfo::TwipsPerPixelFor(double dotsPerInch)
{
    if (!(dotsPerInch > 0))
        return 15;
    const double twips = std::round(1440.0 / dotsPerInch);
    return twips < 1 ? 1 : static_cast<int>(twips);
}

int QtScreenInfo::Width() const
{
    const QScreen* screen = PrimaryScreen();
    return screen ? screen->size().width() : 1024;
}

int QtScreenInfo::Height() const
{
    const QScreen* screen = PrimaryScreen();
    return screen ? screen->size().height() : 768;
}

int QtScreenInfo::TwipsPerPixelX() const
{
    const QScreen* screen = PrimaryScreen();
    return TwipsPerPixelFor(screen ? screen->logicalDotsPerInchX() : 96.0);
}

int QtScreenInfo::TwipsPerPixelY() const
{
    const QScreen* screen = PrimaryScreen();
    return TwipsPerPixelFor(screen ? screen->logicalDotsPerInchY() : 96.0);
}

} // namespace polvane
