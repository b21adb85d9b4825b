// The panel's place, size and collapsed state kept in an INI file between runs.
#include "AdvPanel.h"

#include "IniFile.h"

namespace {

// A file edited by hand cannot place the panel beyond what a window can show, nor make it allocate a huge shade.
constexpr int minCoordinate = -32768;
constexpr int maxCoordinate = 32767;
constexpr int maxSize = 32767;

const QString topName = QStringLiteral("Top");
const QString leftName = QStringLiteral("Left");
const QString heightName = QStringLiteral("Height");
const QString fullHeightName = QStringLiteral("FullHeight");
const QString widthName = QStringLiteral("Width");
const QString collapsName = QStringLiteral("Collaps");

} // namespace

void TPanelPosition::Assign(const TPanelPosition& Source)
{
    key = Source.key;
    section = Source.section;
    save = Source.save;
    location = Source.location;
}

void TCustomAdvPanel::SavePosition()
{
    if (position.GetKey().isEmpty() || position.GetSection().isEmpty())
        return;
    TIniFile store(PersistenceFile(position.GetKey(), position.GetLocation() == clRegistry));
    const QString section = position.GetSection();
    store.WriteInteger(section, topName, y());
    store.WriteInteger(section, leftName, x());
    store.WriteInteger(section, heightName, height());
    store.WriteInteger(section, fullHeightName, fullHeight);
    store.WriteInteger(section, widthName, width());
    store.WriteInteger(section, collapsName, collaps ? 1 : 0);
    store.UpdateFile();
}

// A value that is missing or no number keeps the present one. Without a stored full height the panel expands to
// the size it had before the collapse step.
void TCustomAdvPanel::LoadPosition()
{
    if (position.GetKey().isEmpty() || position.GetSection().isEmpty())
        return;
    const TIniFile store(PersistenceFile(position.GetKey(), position.GetLocation() == clRegistry));
    const QString section = position.GetSection();
    move(x(), qBound(minCoordinate, store.ReadInteger(section, topName, y()), maxCoordinate));
    move(qBound(minCoordinate, store.ReadInteger(section, leftName, x()), maxCoordinate), y());
    SetHeight(qBound(0, store.ReadInteger(section, heightName, height()), maxSize));
    SetWidth(qBound(0, store.ReadInteger(section, widthName, width()), maxSize));
    const int expanded = captionAtTop() ? height() : width();
    SetCollaps(store.ReadInteger(section, collapsName, 0) == 1);
    fullHeight = qBound(0, store.ReadInteger(section, fullHeightName, expanded), maxSize);
}
