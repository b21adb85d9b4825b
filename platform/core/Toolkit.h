// Value types of the desktop toolkit the program was designed on: colours, points, rectangles and the
// string list with its sorting and comma-text rules. Everything here is QtCore-only.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>
#include <exception>
#include <functional>

class QObject;

// 0x00BBGGRR. System colours are 0xFF0000nn (nn = the system colour index); clNone means "no colour".
using TColor = quint32;

constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;
constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;

constexpr TColor clSystemColor = 0xFF000000;
constexpr TColor clScrollBar = clSystemColor | 0;
constexpr TColor clBackground = clSystemColor | 1;
constexpr TColor clActiveCaption = clSystemColor | 2;
constexpr TColor clInactiveCaption = clSystemColor | 3;
constexpr TColor clMenu = clSystemColor | 4;
constexpr TColor clWindow = clSystemColor | 5;
constexpr TColor clWindowFrame = clSystemColor | 6;
constexpr TColor clMenuText = clSystemColor | 7;
constexpr TColor clWindowText = clSystemColor | 8;
constexpr TColor clCaptionText = clSystemColor | 9;
constexpr TColor clActiveBorder = clSystemColor | 10;
constexpr TColor clInactiveBorder = clSystemColor | 11;
constexpr TColor clAppWorkSpace = clSystemColor | 12;
constexpr TColor clHighlight = clSystemColor | 13;
constexpr TColor clHighlightText = clSystemColor | 14;
constexpr TColor clBtnFace = clSystemColor | 15;
constexpr TColor clBtnShadow = clSystemColor | 16;
constexpr TColor clGrayText = clSystemColor | 17;
constexpr TColor clBtnText = clSystemColor | 18;
constexpr TColor clInactiveCaptionText = clSystemColor | 19;
constexpr TColor clBtnHighlight = clSystemColor | 20;
constexpr TColor cl3DDkShadow = clSystemColor | 21;
constexpr TColor cl3DLight = clSystemColor | 22;
constexpr TColor clInfoText = clSystemColor | 23;
constexpr TColor clInfoBk = clSystemColor | 24;
constexpr TColor clHotLight = clSystemColor | 26;
constexpr TColor clGradientActiveCaption = clSystemColor | 27;
constexpr TColor clGradientInactiveCaption = clSystemColor | 28;
constexpr TColor clMenuHighlight = clSystemColor | 29;
constexpr TColor clMenuBar = clSystemColor | 30;

// Resolves a system colour to its RGB value from a fixed table of the classic defaults, so drawing is the
// same on every machine; clNone and clDefault resolve to black, like the toolkit did.
TColor ColorToRGB(TColor color);
constexpr quint8 GetRValue(TColor c)
{
    return quint8(c & 0xFF);
}
constexpr quint8 GetGValue(TColor c)
{
    return quint8((c >> 8) & 0xFF);
}
constexpr quint8 GetBValue(TColor c)
{
    return quint8((c >> 16) & 0xFF);
}
constexpr TColor RGB(int r, int g, int b)
{
    return TColor(quint8(r)) | (TColor(quint8(g)) << 8) | (TColor(quint8(b)) << 16);
}

// Horizontal alignment of text and of a control's parts; TLeftRight uses only the first two.
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
using TLeftRight = TAlignment;
// Vertical placement of text or a glyph.
enum TTextLayout { tlTop, tlCenter, tlBottom };

// The plain notification of controls: the control that raises it is the sender.
using TNotifyEvent = std::function<void(QObject* Sender)>;

// number * numerator / denominator rounded half away from zero, without overflow in between; 0 when the
// denominator is 0. Scales sizes between resolutions.
int MulDiv(int number, int numerator, int denominator);

// The version text controls publish: the four bytes of their version number from the highest down, in decimal,
// joined by "." (0x01060000 reads "1.6.0.0").
QString VersionNrText(quint32 versionNr);

// The toolkit's exceptions: a refusal or failure with a fixed English message, raised by controls and settings
// objects and caught at the program's edges.
class Exception : public std::exception
{
public:
    explicit Exception(const QString& message);
    const QString& Message() const { return message; }
    const char* what() const noexcept override { return utf8.constData(); }

private:
    QString message;
    QByteArray utf8;
};

// A bad index into a list.
class EListError : public Exception
{
public:
    using Exception::Exception;
    // "List index out of bounds (index)", the message of every list.
    static EListError OutOfBounds(int index);
};

// A value that cannot be converted: an impossible date, a text that is no number.
class EConvertError : public Exception
{
public:
    using Exception::Exception;
};

struct TPoint
{
    int X = 0;
    int Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TRect
{
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    bool Contains(const TPoint& p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

inline TRect Rect(int left, int top, int right, int bottom)
{
    return TRect{left, top, right, bottom};
}
inline TPoint Point(int x, int y)
{
    return TPoint{x, y};
}

enum class TDuplicates { dupIgnore, dupAccept, dupError };

// Bevels of panels and labels: none, sunk in, raised, or a gap of the bevel's width.
enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

// The toolkit's string list: an ordered list of texts, each with an optional object pointer. A sorted list
// keeps its texts in order and finds them by binary search; comparison follows the platform's locale
// (Polish collation), ignoring case.
class TStringList
{
public:
    int Count() const { return int(items.size()); }
    const QString& operator[](int index) const { return items[index].text; }
    QString Get(int index) const;
    void* GetObject(int index) const;

    // Returns the index of the added text; on a sorted list that refuses duplicates, the existing index.
    int Add(const QString& text);
    int AddObject(const QString& text, void* object);
    void Clear() { items.clear(); }
    int IndexOf(const QString& text) const;
    // Binary search of a sorted list: true when found; index is the match or the insertion point.
    bool Find(const QString& text, int& index) const;
    void Sort();

    void SetSorted(bool value);
    void SetDuplicates(TDuplicates value) { duplicates = value; }

    // Each line followed by CR LF.
    QString GetText() const;
    // Splits at CR, LF or CR LF.
    void SetText(const QString& text);
    QStringList ToStringList() const;

    int CompareStrings(const QString& a, const QString& b) const;

private:
    struct Item
    {
        QString text;
        void* object = nullptr;
    };
    QVector<Item> items;
    bool sorted = false;
    TDuplicates duplicates = TDuplicates::dupIgnore;
};

// The platform's locale-aware text comparison (Polish), ignoring case.
int LocaleCompare(const QString& a, const QString& b);

// Removes blanks and control characters (U+0000..U+0020) from both ends, as the toolkit's Trim did. Unlike
// QString::trimmed it keeps no-break spaces, which date and death texts put in on purpose.
QString TrimBlanks(const QString& text);

// Comma text as the toolkit writes and reads it: items with blanks, commas or quotes are quoted.
QString ToCommaText(const QStringList& list);
QStringList FromCommaText(const QString& text);
