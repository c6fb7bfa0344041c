#pragma once

#include <QFont>
#include <QPainter>
#include <QPointF>

#include "platform/Printer.h"

class QPrinter;

namespace polvane {

// A print job on a Qt printer (a real one, or a PDF file when the printer is set to write
// one). The job paints on the whole paper, from its corner, in the printer's device pixels.
// A text that would run past the bottom of the paper starts a new page, as printers do.
//
// The only picture is "Logo", a 630 by 166 pixel wordmark drawn by the program itself.
class QtPrinter : public Printer {
public:
    // Starts the job; throws std::runtime_error when the printer refuses it.
    explicit QtPrinter(QPrinter& printer);
    // A job neither ended nor cancelled is cancelled.
    ~QtPrinter() override;
    QtPrinter(const QtPrinter&) = delete;
    QtPrinter& operator=(const QtPrinter&) = delete;

    float PageWidth() const override { return pageWidth_; }
    float PageHeight() const override { return pageHeight_; }
    float TwipsPerPixelX() const override;
    void SetFont(float points, bool bold) override;
    float TextWidth(const std::string& text) const override;
    float TextHeight(const std::string& text) const override;
    void Print(const std::string& text) override;
    void DrawLine(float x1, float y1, float x2, float y2) override;
    void DrawCircle(float cx, float cy, float radius) override;
    void DrawPie(float cx, float cy, float radius, float startAngle, float endAngle) override;
    void PaintPicture(const std::string& name, float x, float y, float width,
                      float height) override;
    int Page() const override { return page_; }
    void EndDoc() override;
    void KillDoc() override;

private:
    QPointF ToDevice(float x, float y) const;
    // Pen and brush for the next outline, in the current colours and width.
    void PrepareOutline();
    // Ends the job on the printer; cancelled or not, nothing more is drawn afterwards.
    void Finish(bool cancel);

    QPrinter& printer_;
    QPainter painter_;
    QFont font_;
    double dpiX_ = 0;
    double dpiY_ = 0;
    float pageWidth_ = 0;
    float pageHeight_ = 0;
    int page_ = 1;
    bool finished_ = false;
};

} // namespace polvane
