// Drawing in tenths of a millimetre with y growing upward, as printed pages are laid out: the page's top-left
// corner is (0, 0) and everything below it has negative y. Each call maps its co-ordinates, lengths and font
// heights onto the canvas's device pixels at the device's resolution, so one layout serves a printer, a PDF file
// and a preview image alike.
#pragma once

#include "Canvas.h"

class LoMetricCanvas
{
public:
    // origin: the device pixel where the page's top-left corner lies.
    LoMetricCanvas(TCanvas& canvas, double dpiX, double dpiY, const QPoint& origin = QPoint());

    TCanvas& Canvas() { return canvas; }
    double DpiX() const { return dpiX; }
    double DpiY() const { return dpiY; }

    int ToDeviceX(int x) const;
    int ToDeviceY(int y) const;
    // A rectangle given by its left, top (the larger y), right and bottom (the smaller y), in device pixels.
    TRect ToDevice(const TRect& rect) const;
    int FromDeviceWidth(int pixels) const;
    int FromDeviceHeight(int pixels) const;

    // The font at its point size, as tall on the device as the size makes it on paper.
    void SetFont(const TFont& font);
    int TextWidth(const QString& text) const;
    int TextHeight(const QString& text) const;
    // The pen's width in tenths of a millimetre; at least one device pixel.
    void SetPen(TColor color, TPenStyle style, int width);
    void Line(int x1, int y1, int x2, int y2);
    void TextOut(int x, int y, const QString& text);
    // The text with its top-left corner at (x, top), clipped to the cell, which the brush fills first.
    void TextRect(const TRect& cell, int x, int top, const QString& text);

private:
    TCanvas& canvas;
    double dpiX;
    double dpiY;
    QPoint origin;
};

// Points to tenths of a millimetre and back.
int MapFontHeight(int size);
int MapFontSize(int height);
