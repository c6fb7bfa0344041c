#include "platform/QtPrinter.h"

#include <QColor>
#include <QFile>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPen>
#include <QPrinter>
#include <QRectF>
#include <QString>

#include <numbers>
#include <stdexcept>

namespace polvane {

namespace {

QColor FromColorRef(std::uint32_t color)
{
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}

// Our own wordmark at the size the page layout expects of the logo.
QImage LogoPicture()
{
    QImage logo(630, 166, QImage::Format_RGB32);
    logo.fill(Qt::white);
    QPainter painter(&logo);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 96, 255));
    // A short column of splayed boxes, like a small array seen from the side.
    for (int i = 0; i < 4; ++i)
        painter.drawRect(QRectF(10 + 6 * i, 12 + 37 * i, 70, 32));
    QFont font;
    font.setPixelSize(104);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(120, 0, 500, 166), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Polvane"));
    return logo;
}

} // namespace

QtPrinter::QtPrinter(QPrinter& printer) : printer_(printer)
{
    printer_.setFullPage(true);
    if (!painter_.begin(&printer_))
        throw std::runtime_error("The printer could not start the print job.");
    dpiX_ = printer_.logicalDpiX();
    dpiY_ = printer_.logicalDpiY();
    const QRectF paper = printer_.pageLayout().fullRect(QPageLayout::Inch);
    pageWidth_ = static_cast<float>(paper.width());
    pageHeight_ = static_cast<float>(paper.height());
    font_ = painter_.font();
}

QtPrinter::~QtPrinter()
{
    if (!finished_)
        Finish(true);
}

float QtPrinter::TwipsPerPixelX() const { return static_cast<float>(1440.0 / dpiX_); }

void QtPrinter::SetFont(float points, bool bold)
{
    font_.setPointSizeF(points);
    font_.setBold(bold);
}

float QtPrinter::TextWidth(const std::string& text) const
{
    return static_cast<float>(
        QFontMetricsF(font_, &printer_).horizontalAdvance(QString::fromStdString(text)) / dpiX_);
}

float QtPrinter::TextHeight(const std::string&) const
{
    return static_cast<float>(QFontMetricsF(font_, &printer_).height() / dpiY_);
}

void QtPrinter::Print(const std::string& text)
{
    const float height = TextHeight(text);
    if (CurrentY() > 0 && CurrentY() + height > pageHeight_) {
        printer_.newPage();
        ++page_;
        SetCurrentY(0);
    }
    painter_.setFont(font_);
    painter_.setPen(FromColorRef(ForeColor()));
    painter_.setBackgroundMode(TransparentText() ? Qt::TransparentMode : Qt::OpaqueMode);
    painter_.setBackground(Qt::white);
    const double ascent = QFontMetricsF(font_, &printer_).ascent();
    painter_.drawText(ToDevice(CurrentX(), CurrentY()) + QPointF(0, ascent),
                      QString::fromStdString(text));
    SetCurrentX(0);
    SetCurrentY(CurrentY() + height);
}

void QtPrinter::DrawLine(float x1, float y1, float x2, float y2)
{
    PrepareOutline();
    painter_.drawLine(ToDevice(x1, y1), ToDevice(x2, y2));
    SetCurrentX(x2);
    SetCurrentY(y2);
}

void QtPrinter::DrawCircle(float cx, float cy, float radius)
{
    PrepareOutline();
    painter_.drawEllipse(ToDevice(cx, cy), radius * dpiX_, radius * dpiY_);
    SetCurrentX(cx);
    SetCurrentY(cy);
}

void QtPrinter::DrawPie(float cx, float cy, float radius, float startAngle, float endAngle)
{
    PrepareOutline();
    const QPointF centre = ToDevice(cx, cy);
    const QRectF bounds(centre.x() - radius * dpiX_, centre.y() - radius * dpiY_,
                        2 * radius * dpiX_, 2 * radius * dpiY_);
    // Qt counts sixteenths of a degree, counter-clockwise from three o'clock, as we do.
    const double sixteenths = 16 * 180 / std::numbers::pi;
    painter_.drawPie(bounds, qRound(startAngle * sixteenths),
                     qRound((endAngle - startAngle) * sixteenths));
    SetCurrentX(cx);
    SetCurrentY(cy);
}

void QtPrinter::PaintPicture(const std::string& name, float x, float y, float width, float height)
{
    if (name != "Logo")
        throw std::invalid_argument("The program has no picture named \"" + name + "\".");
    const QPointF corner = ToDevice(x, y);
    painter_.drawImage(QRectF(corner.x(), corner.y(), width * dpiX_, height * dpiY_),
                       LogoPicture());
}

void QtPrinter::EndDoc() { Finish(false); }

void QtPrinter::KillDoc() { Finish(true); }

QPointF QtPrinter::ToDevice(float x, float y) const { return {x * dpiX_, y * dpiY_}; }

void QtPrinter::PrepareOutline()
{
    painter_.setPen(QPen(FromColorRef(ForeColor()), LineWidth(), Qt::SolidLine, Qt::RoundCap,
                         Qt::RoundJoin));
    if (Fill() == FillStyle::Solid)
        painter_.setBrush(FromColorRef(FillColor()));
    else
        painter_.setBrush(Qt::NoBrush);
}

void QtPrinter::Finish(bool cancel)
{
    finished_ = true;
    if (cancel)
        printer_.abort();
    if (painter_.isActive())
        painter_.end();
    // A PDF file is written as the job goes and cannot be aborted; a cancelled job must not
    // leave one behind.
    if (cancel && printer_.outputFormat() == QPrinter::PdfFormat &&
        !printer_.outputFileName().isEmpty())
        QFile::remove(printer_.outputFileName());
}

} // namespace polvane
