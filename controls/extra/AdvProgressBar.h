// A progress bar whose fill changes colour with the percentage reached (level 0 below the first threshold, then
// levels 1 and 2, level 3 when complete), or shows the lower levels side by side (stacked). The fill is solid or a
// mirrored two-colour gradient, smooth or in blocks; the bar lies or stands, shows the percentage, the position
// or a formatted text in its middle, and can run an endless animation instead.
#pragma once

#include "Canvas.h"
#include "ControlProperty.h"

#include <QPointer>
#include <QString>
#include <QWidget>

class QTimer;

enum TGaugeOrientation { goHorizontal, goVertical };

// Everything the bar's drawing needs, taken from the bar for one paint; the values are those of a new bar.
struct TGaugeSettings
{
    TColor Level0Color = RGB(0, 255, 0);
    TColor Level0ColorTo = RGB(225, 255, 225);
    TColor Level1Color = RGB(255, 255, 0);
    TColor Level1ColorTo = RGB(255, 255, 202);
    TColor Level2Color = RGB(255, 169, 83);
    TColor Level2ColorTo = RGB(255, 211, 168);
    TColor Level3Color = RGB(255, 0, 0);
    TColor Level3ColorTo = RGB(255, 202, 202);
    int Level1Perc = 70;
    int Level2Perc = 90;
    TColor BorderColor = RGB(128, 128, 128);
    TColor Level0BkColor = clNone;
    TColor Level1BkColor = clNone;
    TColor Level2BkColor = clNone;
    bool ShowBorder = true;
    bool Stacked = false;
    bool ShowPercentage = true;
    bool ShowPosition = true;
    TFont Font;
    bool CompletionSmooth = false;
    bool ShowGradient = true;
    int Steps = 8;
    int Percentage = 0;
    int Position = 50;
    int Max = 100;
    TColor BackgroundColor = RGB(255, 255, 255);
    TGaugeOrientation Orientation = goHorizontal;
    bool Rounded = true;
    QString Format;
    bool Infinite = false;
    int InfinitePosition = 0;
};

// Draws the bar into rect. With Rounded the corners outside the rounded frame are left transparent.
void DrawGauge(TCanvas& canvas, const TRect& rect, TGaugeSettings settings);
// The text in the bar's middle: Format with the position and the maximum for its two placeholders, else the
// percentage followed by "%", else the position.
QString GaugeText(const TGaugeSettings& settings);

class TAdvProgressBar : public QWidget
{
    Q_OBJECT
public:
    explicit TAdvProgressBar(QWidget* parent = nullptr);

    TColor GetLevel0Color() const { return props.Level0Color; }
    void SetLevel0Color(TColor value) { SetAndUpdate(*this, props.Level0Color, value); }
    TColor GetLevel0ColorTo() const { return props.Level0ColorTo; }
    void SetLevel0ColorTo(TColor value) { SetAndUpdate(*this, props.Level0ColorTo, value); }
    TColor GetLevel1Color() const { return props.Level1Color; }
    void SetLevel1Color(TColor value) { SetAndUpdate(*this, props.Level1Color, value); }
    TColor GetLevel1ColorTo() const { return props.Level1ColorTo; }
    void SetLevel1ColorTo(TColor value) { SetAndUpdate(*this, props.Level1ColorTo, value); }
    TColor GetLevel2Color() const { return props.Level2Color; }
    void SetLevel2Color(TColor value) { SetAndUpdate(*this, props.Level2Color, value); }
    TColor GetLevel2ColorTo() const { return props.Level2ColorTo; }
    void SetLevel2ColorTo(TColor value) { SetAndUpdate(*this, props.Level2ColorTo, value); }
    TColor GetLevel3Color() const { return props.Level3Color; }
    void SetLevel3Color(TColor value) { SetAndUpdate(*this, props.Level3Color, value); }
    TColor GetLevel3ColorTo() const { return props.Level3ColorTo; }
    void SetLevel3ColorTo(TColor value) { SetAndUpdate(*this, props.Level3ColorTo, value); }
    // Thresholds in percent. A second threshold below the first acts as the first.
    int GetLevel1Perc() const { return props.Level1Perc; }
    void SetLevel1Perc(int value) { SetAndUpdate(*this, props.Level1Perc, value); }
    int GetLevel2Perc() const { return props.Level2Perc; }
    void SetLevel2Perc(int value) { SetAndUpdate(*this, props.Level2Perc, value); }
    // Backgrounds of the empty bar up to the first threshold, up to the second and to the end; clNone for none.
    TColor GetLevel0BkColor() const { return props.Level0BkColor; }
    void SetLevel0BkColor(TColor value) { SetAndUpdate(*this, props.Level0BkColor, value); }
    TColor GetLevel1BkColor() const { return props.Level1BkColor; }
    void SetLevel1BkColor(TColor value) { SetAndUpdate(*this, props.Level1BkColor, value); }
    TColor GetLevel2BkColor() const { return props.Level2BkColor; }
    void SetLevel2BkColor(TColor value) { SetAndUpdate(*this, props.Level2BkColor, value); }
    TColor GetBorderColor() const { return props.BorderColor; }
    void SetBorderColor(TColor value) { SetAndUpdate(*this, props.BorderColor, value); }
    // Without the border the frame is drawn in the background colour.
    bool GetShowBorder() const { return props.ShowBorder; }
    void SetShowBorder(bool value) { SetAndUpdate(*this, props.ShowBorder, value); }
    bool GetStacked() const { return props.Stacked; }
    void SetStacked(bool value) { SetAndUpdate(*this, props.Stacked, value); }
    bool GetShowPercentage() const { return props.ShowPercentage; }
    void SetShowPercentage(bool value) { SetAndUpdate(*this, props.ShowPercentage, value); }
    // Whether there is a text in the middle at all.
    bool GetShowPosition() const { return props.ShowPosition; }
    void SetShowPosition(bool value) { SetAndUpdate(*this, props.ShowPosition, value); }
    const TFont& GetFont() const { return props.Font; }
    void SetFont(const TFont& value) { SetAndUpdate(*this, props.Font, value); }
    // One smooth fill instead of blocks.
    bool GetCompletionSmooth() const { return props.CompletionSmooth; }
    void SetCompletionSmooth(bool value) { SetAndUpdate(*this, props.CompletionSmooth, value); }
    bool GetShowGradient() const { return props.ShowGradient; }
    void SetShowGradient(bool value) { SetAndUpdate(*this, props.ShowGradient, value); }
    // Colour bands per half of the gradient; below 1 counts as 1.
    int GetSteps() const { return props.Steps; }
    void SetSteps(int value) { SetAndUpdate(*this, props.Steps, value); }
    TColor GetBackgroundColor() const { return props.BackgroundColor; }
    void SetBackgroundColor(TColor value) { SetAndUpdate(*this, props.BackgroundColor, value); }
    TGaugeOrientation GetOrientation() const { return props.Orientation; }
    void SetOrientation(TGaugeOrientation value) { SetAndUpdate(*this, props.Orientation, value); }
    // A rounded frame with transparent corners.
    bool GetRounded() const { return props.Rounded; }
    void SetRounded(bool value) { SetAndUpdate(*this, props.Rounded, value); }
    // "%d" placeholders for the position and the maximum, in that order.
    QString GetFormat() const { return props.Format; }
    void SetFormat(const QString& value) { SetAndUpdate(*this, props.Format, value); }

    int GetMin() const { return min; }
    void SetMin(int value);
    int GetMax() const { return props.Max; }
    void SetMax(int value);
    int GetPosition() const { return props.Position; }
    // Clamped to Min..Max. Paints at once about once per percent of the span, not at every value.
    void SetPosition(int value);

    // The endless animation: a window of the bar moving to and fro, while Infinite and Animated are both on.
    bool GetInfinite() const { return props.Infinite; }
    void SetInfinite(bool value);
    bool GetAnimated() const { return animated; }
    void SetAnimated(bool value);
    int GetInfiniteInterval() const { return infiniteInterval; }
    // Milliseconds per step of the animation; below 1 counts as 1.
    void SetInfiniteInterval(int value);
    // Where the moving window is, 0..100.
    int GetInfinitePosition() const { return props.InfinitePosition; }
    // One step of the animation: the window moves by 4 percent and turns at either end.
    void TimerProc();

    QString GetVersion() const { return VersionNrText(GetVersionNr()); }
    void SetVersion(const QString&) {}
    quint32 GetVersionNr() const { return 0x01020000; }

    // What a paint would draw now.
    TGaugeSettings GaugeSettings() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int percentage() const;
    // The value kept within Min and Max, Max winning when they cross.
    int boundedPosition(int value) const;
    // Runs the timer exactly while the animation is wanted.
    void updateTimer();

    // The properties as a paint takes them; the percentage is worked out for each paint.
    TGaugeSettings props;
    int min = 0;
    // Positions between two paints from SetPosition: about one percent of the span.
    int repaintStep = 1;
    bool animated = false;
    bool movingUp = false;
    int infiniteInterval = 50;
    int lastPaintedStep = 0;
    QTimer* timer = nullptr;
};
