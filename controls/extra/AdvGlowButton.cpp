#include "AdvGlowButton.h"

#include "Fonts.h"

#include <QEvent>
#include <QKeySequence>
#include <QScopedValueRollback>
#include <QTimer>

namespace {

constexpr int dropDownPart = 13; // the drop-down part's share of the automatic size
constexpr QSize smallGlyph(16, 16);

// The face colours of a look blended from two others.
void blendFace(TGlowLook& look, const TGlowLook& a, const TGlowLook& b, int percent)
{
    look.Color = BlendColor(a.Color, b.Color, percent);
    look.ColorTo = BlendColor(a.ColorTo, b.ColorTo, percent);
    look.ColorMirror = BlendColor(a.ColorMirror, b.ColorMirror, percent);
    look.ColorMirrorTo = BlendColor(a.ColorMirrorTo, b.ColorMirrorTo, percent);
}

// The lines of the notes as one text, without the break after the last one.
QString notesText(const TStringList& notes)
{
    QString text = notes.GetText();
    if (text.endsWith(QLatin1String("\r\n")))
        text.chop(2);
    return text;
}

} // namespace

TAdvCustomGlowButton::TAdvCustomGlowButton(QWidget* parent) : QWidget(parent), TActionClient(this)
{
    Fonts::registerApplicationFonts();
    resize(100, 41);
    setFocusPolicy(Qt::NoFocus);
    // The drop-down part looks hot under the pointer.
    setMouseTracking(true);
    notesFont.Name = QStringLiteral("Tahoma");
    notesFont.SetSize(8);
    picture.OnChange = [this](TGraphic*) { PerformResize(); };
    disabledPicture.OnChange = [this](TGraphic*) { PerformResize(); };
    appearance.OnChange = [this](TGlowButtonAppearance*) {
        update();
        refreshKeyTipColours();
    };
}

TAdvCustomGlowButton::~TAdvCustomGlowButton() = default;

void TAdvCustomGlowButton::SetCaption(const QString& value)
{
    if (value == caption)
        return;
    caption = value;
    // The caption's accelerator ("&" before a letter) clicks the button.
    if (accelerator != 0)
        releaseShortcut(accelerator);
    const QKeySequence mnemonic = QKeySequence::mnemonic(caption);
    accelerator = mnemonic.isEmpty() ? 0 : grabShortcut(mnemonic);
    PerformResize();
}

void TAdvCustomGlowButton::SetWideCaption(const QString& value)
{
    if (value == wideCaption)
        return;
    wideCaption = value;
    PerformResize();
}

void TAdvCustomGlowButton::SetFont(const TFont& value)
{
    font = value;
    parentFont = false;
    update();
}

void TAdvCustomGlowButton::SetParentFont(bool value)
{
    SetAndUpdate(*this, parentFont, value);
}

void TAdvCustomGlowButton::SetAutoSizeEx(bool value)
{
    if (value == autoSize)
        return;
    autoSize = value;
    PerformResize();
}

void TAdvCustomGlowButton::SetImageIndex(int value)
{
    if (value == imageIndex)
        return;
    imageIndex = value;
    PerformResize();
}

void TAdvCustomGlowButton::SetImages(TImageList* value)
{
    if (value == images)
        return;
    images = value;
    update();
}

void TAdvCustomGlowButton::SetDisabledImages(TImageList* value)
{
    if (value == disabledImages)
        return;
    disabledImages = value;
    update();
}

void TAdvCustomGlowButton::SetDisabledPicture(const TGDIPPicture& value)
{
    disabledPicture.Assign(&value);
    update();
}

void TAdvCustomGlowButton::SetMarginVert(int value)
{
    if (value == marginVert)
        return;
    marginVert = value;
    PerformResize();
}

void TAdvCustomGlowButton::SetMarginHorz(int value)
{
    if (value == marginHorz)
        return;
    marginHorz = value;
    PerformResize();
}

void TAdvCustomGlowButton::SetNotes(const TStringList& value)
{
    notes = value;
    update();
}

void TAdvCustomGlowButton::SetShowCaption(bool value)
{
    if (value == showCaption)
        return;
    showCaption = value;
    PerformResize();
}

void TAdvCustomGlowButton::SetAllowAllUp(bool value)
{
    if (value == allowAllUp)
        return;
    allowAllUp = value;
    UpdateExclusive();
}

void TAdvCustomGlowButton::SetDown(bool value)
{
    // A plain button outside a group never stays down.
    if (style == bsButton && groupIndex == 0)
        value = false;
    if (style == bsCheck) {
        down = value;
        state = down ? absDown : absUp;
        update();
    } else {
        if (value == down || (down && !allowAllUp))
            return;
        down = value;
        state = down ? absExclusive : absUp;
        update();
    }
    // A bound action in step with the button releases the rest of its group itself.
    if (down && !(GetAction() && checkedLinked))
        UpdateExclusive();
}

void TAdvCustomGlowButton::SetGroupIndex(int value)
{
    if (value == groupIndex)
        return;
    groupIndex = value;
    UpdateExclusive();
}

void TAdvCustomGlowButton::SetLayout(TButtonLayout value)
{
    layout = value;
    update();
}

void TAdvCustomGlowButton::SetDropDownButton(bool value)
{
    if (value == dropDownButton)
        return;
    dropDownButton = value;
    PerformResize();
}

void TAdvCustomGlowButton::SetDropDownPosition(TDropDownPosition value)
{
    if (value == dropDownPosition)
        return;
    dropDownPosition = value;
    if (dropDownButton)
        PerformResize();
}

void TAdvCustomGlowButton::SetComponentStyle(TQRBStyle AStyle)
{
    appearance.LoadScheme(AStyle);
    update();
    refreshKeyTipColours();
}

void TAdvCustomGlowButton::UpdateExclusive()
{
    if (groupIndex == 0 || !parentWidget())
        return;
    const auto buttons = parentWidget()->findChildren<TAdvCustomGlowButton*>(Qt::FindDirectChildrenOnly);
    for (TAdvCustomGlowButton* button : buttons)
        button->ButtonPressed(groupIndex, this);
}

void TAdvCustomGlowButton::ButtonPressed(int pressedGroup, TAdvCustomGlowButton* sender)
{
    if (pressedGroup != groupIndex || sender == this || !sender->down || !down)
        return;
    comeUp();
}

void TAdvCustomGlowButton::comeUp()
{
    down = false;
    state = absUp;
    update();
}

void TAdvCustomGlowButton::PerformResize()
{
    if (!autoSize) {
        update();
        return;
    }
    const TPoint wanted = GetButtonSize(buttonSizeState);
    int w = wanted.X;
    int h = wanted.Y;
    if (OnSetButtonSize)
        OnSetButtonSize(this, w, h);
    if (w != width() || h != height())
        resize(w, h);
    update();
}

void TAdvCustomGlowButton::Loaded()
{
    EndLoading();
    if (autoSize)
        PerformResize();
}

TPoint TAdvCustomGlowButton::GetButtonSize(TButtonSizeState sizeState)
{
    TBitmap tool(1, 1);
    TGlowButtonFace face = FaceInputs(sizeState, tool, true);
    face.MeasureOnly = true;
    if (autoSize) {
        // The large state keeps the button's own arrangement; the smaller ones put the glyph left.
        const bool large = sizeState == bsLarge;
        const bool isLarge = buttonSizeState == bsLarge;
        face.Layout = large ? (isLarge ? layout : savedLayout) : blGlyphLeft;
        face.DropDownPosition = large ? (isLarge ? dropDownPosition : savedDropDownPosition) : dpRight;
        // A small picture is measured as the tool image it is shrunk into.
        if (sizeState < bsLarge && face.Picture && tool.GetWidth() <= 1 && tool.GetHeight() <= 1) {
            face.Picture->GetImageSizes();
            tool.SetSize(face.Picture->GetWidth(), face.Picture->GetHeight());
            face.Picture = nullptr;
        }
    }
    TCanvas measuring;
    const TPoint measured = DrawGlowButtonFace(measuring, face);
    TPoint size{3 * spacing + measured.X + 2 + 2 * marginHorz, 2 * spacing + measured.Y + 2 * marginVert};
    if (dropDownButton && face.DropDownPosition == dpBottom)
        size.Y += dropDownPart;
    else if (dropDownButton)
        size.X += dropDownPart;
    return size;
}

void TAdvCustomGlowButton::SetButtonSizeState(TButtonSizeState value)
{
    if (value == buttonSizeState)
        return;
    if (buttonSizeState == bsLarge) {
        savedLayout = layout;
        savedDropDownPosition = dropDownPosition;
    }
    buttonSizeState = value;
    if (autoSize) {
        const bool large = value == bsLarge;
        SetLayout(large ? savedLayout : blGlyphLeft);
        SetDropDownPosition(large ? savedDropDownPosition : dpRight);
    }
    PerformResize();
}

void TAdvCustomGlowButton::SetMaxButtonSizeState(TButtonSizeState value)
{
    if (value == maxButtonSizeState)
        return;
    maxButtonSizeState = value;
    SetButtonSizeState(value);
}

void TAdvCustomGlowButton::SetMinButtonSizeState(TButtonSizeState value)
{
    if (value == minButtonSizeState)
        return;
    minButtonSizeState = value;
    if (buttonSizeState < value)
        SetButtonSizeState(value);
}

void TAdvCustomGlowButton::Assign(const TAdvCustomGlowButton* source)
{
    if (!source)
        return;
    SetAlign(this, GetAlign(source));
    SetAction(source->GetAction());
    SetAnchors(this, GetAnchors(source));
    SetAntiAlias(source->antiAlias);
    SetAutoSizeEx(source->autoSize);
    SetBorderStyle(source->borderStyle);
    SetCancel(source->cancel);
    SetCaption(source->caption);
    setMinimumSize(source->minimumSize());
    setMaximumSize(source->maximumSize());
    SetDefault(source->isDefault);
    SetFont(source->font);
    SetImageIndex(source->imageIndex);
    SetImages(source->images);
    SetDisabledImages(source->disabledImages);
    SetDisabledPicture(source->disabledPicture);
    SetFocusType(source->focusType);
    SetHotImages(source->hotImages);
    SetHotPicture(source->hotPicture);
    SetMarginVert(source->marginVert);
    SetMarginHorz(source->marginHorz);
    SetModalResult(source->modalResult);
    SetNotes(source->notes);
    SetNotesFont(source->notesFont);
    officeHint.Assign(&source->officeHint);
    SetParentFont(source->parentFont);
    SetPicture(source->picture);
    SetPosition(source->position);
    SetInitRepeatPause(source->initRepeatPause);
    SetRepeatPause(source->repeatPause);
    SetRepeatClick(source->repeatClick);
    SetRounded(source->rounded);
    SetShortCutHint(source->shortCutHint);
    SetShortCutHintPos(source->shortCutHintPos);
    SetShowCaption(source->showCaption);
    SetShowDisabled(source->showDisabled);
    SetSpacing(source->spacing);
    SetTransparent(source->transparent);
    SetTrimming(source->trimming);
    SetWordWrap(source->wordWrap);
    setToolTip(source->toolTip());
    SetTabStop(source->GetTabStop());
    setVisible(!source->isHidden());
}

TFont TAdvCustomGlowButton::drawnFont() const
{
    if (parentFont)
        return parentWidget() ? TFont::FromQFont(parentWidget()->font(), font.Color) : font;
    TFont drawn = font;
    if (appearance.GetSystemFont())
        drawn.Name = IsVista() ? QStringLiteral("Segoe UI") : QStringLiteral("Tahoma");
    return drawn;
}

void TAdvCustomGlowButton::normaliseState()
{
    if (!isEnabled()) {
        state = absDisabled;
        pressedOnFace = false;
    } else if (state == absDisabled) {
        state = down && groupIndex != 0 ? absExclusive : absUp;
    }
    if (style == bsCheck && down)
        state = absDown;
}

TImageList* TAdvCustomGlowButton::InternalImages()
{
    if (!internalImages)
        internalImages = new TImageList(this);
    return internalImages;
}

TGlowButtonFace TAdvCustomGlowButton::FaceInputs(TButtonSizeState sizeState, TBitmap& tool, bool sizing)
{
    const bool enabled = isEnabled();
    const bool fading = !fadeTimer.isNull();
    const bool disabledLook = (state == absDisabled || !enabled) && showDisabled;
    const bool checkedLook = state == absExclusive || (style == bsCheck && state == absDown);

    // The look of the state, blended while a fade runs.
    TGlowLook look = appearance.Normal();
    bool highlighted = false;
    if (disabledLook) {
        look = appearance.Disabled();
    } else if (state == absDown && style == bsButton) {
        look = appearance.Down();
        highlighted = true;
    } else if (checkedLook) {
        look = appearance.Checked();
        if (fading && (hover || (style == bsButton && (groupIndex <= 0 || state == absDown))))
            blendFace(look, appearance.Checked(), appearance.Down(), pressStep);
    } else if (hot) {
        look = appearance.Hot();
        highlighted = true;
    }
    if (fading) {
        if (!pressed && !transparent && !checkedLook) {
            blendFace(look, appearance.Hot(), appearance.Normal(), hoverStep);
            look.BorderColor = BlendColor(appearance.Hot().BorderColor, appearance.Normal().BorderColor, hoverStep);
        } else if (style == bsCheck && pressed) {
            blendFace(look, appearance.Down(), appearance.Checked(), pressStep);
        } else if (style == bsButton && pressed && state != absExclusive) {
            blendFace(look, appearance.Down(), appearance.Hot(), pressStep);
            look.BorderColor = BlendColor(appearance.Down().BorderColor, appearance.Hot().BorderColor, pressStep);
        }
    }

    TGlowButtonFace f;
    f.ClientRect = Rect(0, 0, width(), height());
    if (enabled || !disabledImages) {
        f.Images = hot && hotImages ? hotImages.data() : images.data();
        f.ImageEnabled = enabled;
    } else {
        f.Images = disabledImages;
        f.ImageEnabled = true;
    }
    if (!f.Images) {
        // The glyph that a data-set button loads, disabled or not, into its own list.
        f.Images = internalImages;
        f.ImageEnabled = true;
    }
    if (enabled || disabledPicture.GetEmpty())
        f.Picture = hot && !hotPicture.GetEmpty() ? &hotPicture : &picture;
    else
        f.Picture = &disabledPicture;

    if (showCaption) {
        f.Caption = caption;
        f.WideCaption = wideCaption;
    }
    if ((hover || leftButtonHeld) && dropDownButton)
        f.DropDownHoverPart = dropPartHot ? dhDropDown : dhMain;
    if (position != bpStandalone && leftButtonHeld)
        look.BorderColor = appearance.GetBorderColor();
    if (disabledLook)
        look = appearance.Disabled();
    const bool focusHot = focused && (focusType == ftHot || focusType == ftHotBorder);
    if (focusHot && !pressed) {
        look = appearance.Hot();
        highlighted = true;
    }
    f.FocusFrame = CanDrawFocused();
    f.Font = drawnFont();

    GetToolImage(tool);
    f.ToolImage = &tool;
    f.ImageIndex = imageIndex;
    if (TImageList* shown = actionImages()) {
        const int actionIndex = GetAction()->GetImageIndex();
        if (!sizing || actionIndex == imageIndex) {
            f.Images = shown;
            f.ImageEnabled = enabled;
            f.ImageIndex = actionIndex;
        }
    }
    if (autoSize && sizeState < bsLarge) {
        f.ForcedGlyphSize = smallGlyph;
        if (f.Images && f.ImageIndex >= 0)
            f.Picture = nullptr;
        if (sizeState == bsGlyph)
            f.Caption = f.WideCaption = QString();
    }

    f.Look = look;
    f.Layout = layout;
    f.DropDownButton = dropDownButton;
    f.Highlighted = highlighted;
    f.Enabled = enabled;
    f.DropDownPosition = dropDownPosition;
    f.AntiAlias = antiAlias;
    f.Transparent = transparent && !(mouseInControl || focusHot) && state != absDown;
    f.MouseInControl = mouseInControl;
    f.Position = position;
    f.DropDownSplit = dropDownSplit;
    f.CanDrawBorder = CanDrawBorder();
    f.WordWrap = wordWrap;
    f.Rounded = rounded;
    f.ArrowDown = dropDownDirection == ddDown;
    f.Spacing = spacing;
    f.Trimming = trimming;
    f.Notes = notesText(notes);
    f.NotesFont = notesFont;
    f.Down = down;
    return f;
}

void TAdvCustomGlowButton::paintEvent(QPaintEvent*)
{
    if (painting)
        return;
    const QScopedValueRollback guard(painting, true);
    normaliseState();
    TBitmap tool(1, 1);
    const TGlowButtonFace face = FaceInputs(buttonSizeState, tool);
    TCanvas canvas(this);
    excludeCorners(canvas);
    DrawGlowButtonFace(canvas, face);
    DrawGlyphCaption(canvas);
    if (OnDrawButton) {
        TGlowButtonState drawn = mouseInControl ? gsHot : gsNormal;
        if (state == absDown)
            drawn = gsDown;
        OnDrawButton(this, canvas, face.ClientRect, drawn);
    }
}

// The corner pixels of a button's outer ends stay the parent's, so the rounded border shows its round.
void TAdvCustomGlowButton::excludeCorners(TCanvas& canvas) const
{
    if ((transparent && !mouseInControl && state != absDown && !hot) || position == bpMiddle)
        return;
    const int right = width() - 1;
    const int bottom = height() - 1;
    auto exclude = [&canvas](int x, int y) { canvas.ExcludeClipRect(Rect(x, y, x + 1, y + 1)); };
    if (position != bpRight) {
        exclude(0, 0);
        exclude(0, bottom);
    }
    if (position != bpLeft) {
        exclude(right, 0);
        exclude(right, bottom);
    }
}

void TAdvCustomGlowButton::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange || (event->type() == QEvent::FontChange && parentFont))
        update();
}
