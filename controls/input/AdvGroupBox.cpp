#include "AdvGroupBox.h"

TAdvCustomGroupBox::TAdvCustomGroupBox(QWidget* Owner) : QWidget(Owner), TAlignHost(this)
{
    resize(185, 105);
    setFont(font.ToQFont());
}

void TAdvCustomGroupBox::SetCaption(const QString& Value)
{
    if (Value == caption)
        return;
    caption = Value;
    relayout();
}

void TAdvCustomGroupBox::SetFont(const TFont& Value)
{
    font = Value;
    setFont(font.ToQFont());
    relayout();
}

void TAdvCustomGroupBox::SetColor(TColor Value)
{
    if (Value == color)
        return;
    color = Value;
    update();
}

void TAdvCustomGroupBox::SetCtl3D(bool Value)
{
    if (Value == ctl3D)
        return;
    ctl3D = Value;
    relayout();
}

void TAdvCustomGroupBox::SetTransparent(bool Value)
{
    if (Value == transparent)
        return;
    transparent = Value;
    update();
}

void TAdvCustomGroupBox::SetBorderColor(TColor Value)
{
    if (Value == borderColor)
        return;
    borderColor = Value;
    update();
}

void TAdvCustomGroupBox::SetBorderStyle(TBorderStyle Value)
{
    if (Value == borderStyle)
        return;
    borderStyle = Value;
    relayout();
}

void TAdvCustomGroupBox::SetCaptionPosition(TCaptionPosition Value)
{
    if (Value == captionPosition)
        return;
    captionPosition = Value;
    relayout();
}

void TAdvCustomGroupBox::SetRoundEdges(bool Value)
{
    if (Value == roundEdges)
        return;
    roundEdges = Value;
    update();
}

void TAdvCustomGroupBox::SetImages(TImageList* Value)
{
    if (Value == images)
        return;
    if (images)
        disconnect(images, nullptr, this, nullptr);
    images = Value;
    if (images) {
        connect(images, &TImageList::Change, this, [this] { relayout(); });
        // A list deleted elsewhere takes the image index with it.
        connect(images, &QObject::destroyed, this, [this] {
            imageIndex = -1;
            relayout();
        });
    } else {
        imageIndex = -1;
    }
    relayout();
}

void TAdvCustomGroupBox::SetImageIndex(int Value)
{
    if (Value == imageIndex)
        return;
    imageIndex = Value;
    relayout();
}

void TAdvCustomGroupBox::relayout()
{
    update();
    Realign();
}

void TAdvCustomGroupBox::resizeEvent(QResizeEvent*)
{
    update();
}

bool TAdvCustomGroupBox::hasImage() const
{
    return images && imageIndex >= 0;
}

bool TAdvCustomGroupBox::hasCaptionContent() const
{
    return !caption.isEmpty() || hasImage();
}

int TAdvCustomGroupBox::GetBorderWidth() const
{
    switch (borderStyle) {
    case bsNone:
        return 1;
    case bsSingle:
        return ctl3D ? 2 : 1;
    case bsDouble:
        return ctl3D ? 4 : 2;
    }
    return 1;
}

void TAdvCustomGroupBox::GetCaptionRect(TRect& R) const
{
    int tw = 0;
    int th = 0;
    if (!caption.isEmpty()) {
        TCanvas canvas;
        canvas.Font = font;
        TRect text = Rect(0, 0, 1000, 100);
        canvas.DrawText(caption, text, DT_CALCRECT | DT_SINGLELINE);
        tw = text.Width();
        th = text.Height();
    }
    const int iw = hasImage() ? images->GetWidth() : 0;
    const int ih = hasImage() ? images->GetHeight() : 0;
    const int gap = tw > 0 && iw > 0 ? 3 : 0;
    const int w = iw + gap + tw;
    const int h = qMax(ih, th) + 2;
    const int margin = 8;
    switch (captionPosition) {
    case cpTopLeft:
    case cpBottomLeft:
        R.Left = margin;
        R.Right = R.Left + w;
        break;
    case cpTopRight:
    case cpBottomRight:
        R.Right = width() - margin;
        R.Left = R.Right - w;
        break;
    case cpTopCenter:
    case cpBottomCenter:
        R.Left = (width() - w) / 2;
        R.Right = R.Left + w;
        break;
    }
    R.Top = isTopPosition() ? 0 : height() - h;
    R.Bottom = isTopPosition() ? h : height();
}

int TAdvCustomGroupBox::GetCaptionHeight() const
{
    TRect r;
    GetCaptionRect(r);
    return qMax(r.Height(), GetBorderWidth());
}

void TAdvCustomGroupBox::GetBorderRect(TRect& R) const
{
    R = FromQRect(rect());
    if (isTopPosition()) {
        R.Top += GetCaptionHeight() / 2;
    } else if (hasCaptionContent()) {
        R.Bottom -= GetCaptionHeight() / 2;
        if (borderStyle == bsDouble)
            R.Bottom += 1;
    }
}

void TAdvCustomGroupBox::AdjustClientRect(TRect& R)
{
    const int bw = GetBorderWidth();
    const int reserved = qMax(bw, GetCaptionHeight());
    if (isTopPosition()) {
        R.Top += reserved;
        R = Rect(R.Left + bw, R.Top, R.Right - bw, R.Bottom - bw);
    } else {
        R.Bottom -= reserved;
        R = Rect(R.Left + bw, R.Top + bw, R.Right - bw, R.Bottom);
    }
    R = Rect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
}

TRect TAdvCustomGroupBox::GetClientRect()
{
    TRect r = FromQRect(rect());
    AdjustClientRect(r);
    return r;
}

void TAdvCustomGroupBox::drawFrame(TCanvas& canvas, const TRect& BR)
{
    canvas.Brush.Style = bsClear;
    auto draw = [&](TColor pen, int left, int top, int right, int bottom) {
        canvas.Pen.Color = pen;
        if (roundEdges)
            canvas.RoundRect(left, top, right, bottom, 6, 6);
        else
            canvas.Rectangle(left, top, right, bottom);
    };
    const int l = BR.Left, t = BR.Top, r = BR.Right, b = BR.Bottom;
    switch (borderStyle) {
    case bsNone:
        break;
    case bsSingle:
        draw(borderColor, l, t, r, b);
        break;
    case bsDouble:
        if (ctl3D) {
            draw(clWhite, l + 1, t + 1, r, b);
            draw(clGray, l, t, r - 1, b - 1);
            draw(clWhite, l + 3, t + 3, r - 2, b - 2);
            draw(clGray, l + 2, t + 2, r - 3, b - 3);
        } else {
            draw(borderColor, l, t, r, b);
            draw(borderColor, l + 2, t + 2, r - 2, b - 2);
        }
        break;
    }
    canvas.Brush.Style = bsSolid;
}

void TAdvCustomGroupBox::paintEvent(QPaintEvent*)
{
    TCanvas canvas(this);
    if (!transparent) {
        canvas.Brush.Color = color;
        canvas.FillRect(FromQRect(rect()));
    }
    TRect cr;
    GetCaptionRect(cr);
    TRect br;
    GetBorderRect(br);
    // The frame line is broken behind the caption, with a pixel to spare on each side.
    if (hasCaptionContent())
        canvas.ExcludeClipRect(Rect(cr.Left - 1, cr.Top, cr.Right + 1, cr.Bottom));
    drawFrame(canvas, br);
    canvas.ResetClip();

    int x = cr.Left;
    if (hasImage()) {
        images->Draw(canvas, cr.Left, cr.Top, imageIndex, isEnabled());
        x = cr.Left + images->GetWidth() + 3;
    }
    if (!caption.isEmpty()) {
        canvas.Brush.Style = bsClear;
        canvas.Font = font;
        TRect text = Rect(x, cr.Top, cr.Right, cr.Bottom);
        canvas.DrawText(caption, text, DT_SINGLELINE | DT_VCENTER);
    }
}

TAdvGroupBox::TAdvGroupBox(QWidget* Owner) : TAdvCustomGroupBox(Owner) {}
