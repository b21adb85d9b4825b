#include "Kx_settings.h"

#include "FileSystem.h"
#include "Settings.h"
#include "TreeSetings.h"
#include "Vh_langmanager.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QStringEncoder>

namespace {

const QByteArray utf16Bom("\xFF\xFE", 2);
const QByteArray utf8Bom("\xEF\xBB\xBF", 3);

std::optional<QString> decodeUtf8(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

std::optional<QString> decodeUtf16(const QByteArray& bytes)
{
    if (bytes.size() % 2 != 0)
        return std::nullopt;
    QStringDecoder decoder(QStringConverter::Utf16LE, QStringConverter::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

// The text of a settings file. The program writes UTF-16LE with a byte-order mark; a file edited by hand may
// have lost the mark or been saved as UTF-8. Without a mark, a text with no zero byte cannot be UTF-16 of the
// ASCII key names, so it must be UTF-8.
std::optional<QString> decodeSettingsText(const QByteArray& bytes)
{
    if (bytes.startsWith(utf16Bom))
        return decodeUtf16(bytes.mid(utf16Bom.size()));
    if (bytes.startsWith(utf8Bom))
        return decodeUtf8(bytes.mid(utf8Bom.size()));
    if (!bytes.contains('\0'))
        return decodeUtf8(bytes);
    return decodeUtf16(bytes);
}

// Renames an unusable settings file out of the way, replacing an older copy kept aside.
bool keepAside(const QString& path, QString* error)
{
    const QString backup = path + QStringLiteral(".bak");
    if (QFileInfo(backup).isFile())
        QFile::remove(backup);
    if (QFile::rename(path, backup))
        return true;
    if (error) {
        const QString failure =
            gLangM.FormatStr2(QStringLiteral("LABEL_NIE_MOZNA_ZMIENIC_NAZWY_PLIKU_[%S]_NA_[%S]"), path, backup);
        *error = error->isEmpty() ? failure : *error + QStringLiteral("; ") + failure;
    }
    return false;
}

bool isUnreadableFile(const QString& path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile())
        return false;
    return !file.open(QIODevice::ReadOnly) || !decodeSettingsText(file.readAll());
}

// Whole numbers as the settings file has always held them: blanks before the number are skipped, nothing may
// follow it.
std::optional<int> parseInt(const QString& text)
{
    static const QRegularExpression wholeNumber(QStringLiteral("^ *([+-]?[0-9]+)$"));
    const QRegularExpressionMatch match = wholeNumber.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    bool ok = false;
    const int value = match.captured(1).toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

} // namespace

KX_Settings::LoadResult KX_Settings::Load(const QString& path, QString* error)
{
    lines.clear();
    if (!QFileInfo::exists(path))
        return LoadResult::Missing;

    QFile file(path);
    std::optional<QString> text;
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, file.errorString());
    } else {
        text = decodeSettingsText(file.readAll());
        if (!text && error)
            *error = QStringLiteral("%1: %2").arg(path, gLangM.Get(QStringLiteral("LABEL_PLIK_NIE_JEST_TEKSTEM_UTF")));
    }
    if (!text) {
        // Only a file can be kept aside; a folder in its place is left for the save to report.
        if (QFileInfo(path).isFile())
            keepAside(path, error);
        return LoadResult::Unreadable;
    }
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    lines = text->split(lineBreak);
    // The last line's break leaves an empty piece behind it.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return LoadResult::Loaded;
}

bool KX_Settings::Save(const QString& path, QString* error) const
{
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    // A file that cannot be read and could not be kept aside at load is never replaced: it may hold the only
    // record of the user's data folder.
    if (isUnreadableFile(path) && !keepAside(path, error))
        return false;
    QStringEncoder encoder(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    const QByteArray data = encoder.encode(text);
    return FileSystem::atomicWrite(path, data, error);
}

std::optional<QString> KX_Settings::find(const QString& section, const QString& key) const
{
    const QString name = section + u'_' + key;
    for (const QString& line : lines) {
        const qsizetype separator = line.indexOf(u'=');
        if (separator >= 0 && QStringView(line).left(separator).compare(name, Qt::CaseInsensitive) == 0)
            return line.mid(separator + 1);
    }
    return std::nullopt;
}

void KX_Settings::append(const QString& section, const QString& key, const QString& value)
{
    lines.append(section + u'_' + key + u'=' + value);
}

QString KX_Settings::GetString(const QString& section, const QString& key, const QString& defaultValue) const
{
    return find(section, key).value_or(defaultValue);
}

int KX_Settings::GetInt(const QString& section, const QString& key, int defaultValue) const
{
    const std::optional<QString> value = find(section, key);
    return value ? parseInt(*value).value_or(defaultValue) : defaultValue;
}

bool KX_Settings::GetBool(const QString& section, const QString& key, bool defaultValue) const
{
    const std::optional<QString> value = find(section, key);
    return value ? *value == u"1" : defaultValue;
}

void KX_Settings::ExchangeBool(bool load, const QString& section, const QString& key, bool& field)
{
    if (load)
        field = GetBool(section, key, field);
    else
        append(section, key, field ? QStringLiteral("1") : QStringLiteral("0"));
}

void KX_Settings::ExchangeInt(bool load, const QString& section, const QString& key, int& field)
{
    if (load)
        field = GetInt(section, key, field);
    else
        append(section, key, QString::number(field));
}

void KX_Settings::ExchangeColor(bool load, const QString& section, const QString& key, TColor& field)
{
    // Colours are stored as signed 32-bit numbers, so a system colour (top bit set) reads back as it was saved.
    int value = static_cast<qint32>(field);
    ExchangeInt(load, section, key, value);
    field = static_cast<TColor>(value);
}

void KX_Settings::ExchangeString(bool load, const QString& section, const QString& key, QString& field)
{
    if (load)
        field = GetString(section, key, field);
    else
        append(section, key, field);
}

QString UserSettingsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Varnhold/Kronvel/");
}

void ExchangeSettings(KX_Settings& store, bool load)
{
    const QString common = QStringLiteral("Common");
    store.ExchangeBool(load, common, QStringLiteral("MaxOnStartup"), gSettings.MaxOnStartup);
    store.ExchangeBool(load, common, QStringLiteral("CheckUpdate"), gSettings.CheckUpdate);
    store.ExchangeBool(load, common, QStringLiteral("BirthdayForAlive"), gSettings.BirthdayForAlive);
    store.ExchangeBool(load, common, QStringLiteral("ShowPlacesInPersonDescription"),
                       gSettings.ShowPlacesInPersonDescription);
    store.ExchangeString(load, QStringLiteral("Data"), QStringLiteral("Folder"), gSettings.Data_Folder);
    store.ExchangeInt(load, QStringLiteral("Update"), QStringLiteral("LastCheck"), gSettings.LastCheck);
    store.ExchangeInt(load, QStringLiteral("PersonList"), QStringLiteral("PersonListStyle"), gSettings.PersonListStyle);

    const QString tree = QStringLiteral("TreeSettings");
    KV_TreeSetings& t = gTreeSetings;
    store.ExchangeBool(load, tree, QStringLiteral("MirrorWidok"), t.MirrorWidok);
    store.ExchangeString(load, tree, QStringLiteral("PDFFontName"), t.PDFFontName);
    store.ExchangeString(load, tree, QStringLiteral("PDFFontDaty"), t.PDFFontDaty);
    store.ExchangeString(load, tree, QStringLiteral("PDFFontWsp"), t.PDFFontWsp);
    store.ExchangeColor(load, tree, QStringLiteral("PDFFontDatyColor"), t.PDFFontDatyColor);
    store.ExchangeColor(load, tree, QStringLiteral("PDFFontNameColor"), t.PDFFontNameColor);
    store.ExchangeColor(load, tree, QStringLiteral("PDFFontWspColor"), t.PDFFontWspColor);
    store.ExchangeString(load, tree, QStringLiteral("TitleFont"), t.TitleFont);
    store.ExchangeColor(load, tree, QStringLiteral("TitleColor"), t.TitleColor);
    store.ExchangeColor(load, tree, QStringLiteral("ColorToChild"), t.ColorToChild);
    store.ExchangeBool(load, tree, QStringLiteral("ShowPicture"), t.ShowPicture);
    store.ExchangeBool(load, tree, QStringLiteral("ShowNamesInOneLines"), t.ShowNamesInOneLines);
    store.ExchangeBool(load, tree, QStringLiteral("ShowPlaces"), t.ShowPlaces);
    store.ExchangeBool(load, tree, QStringLiteral("ShowSpouses"), t.ShowSpouses);
    store.ExchangeBool(load, tree, QStringLiteral("ShowOnlyManDescendents"), t.ShowOnlyManDescendents);
    store.ExchangeBool(load, tree, QStringLiteral("ShowAncestorsFamilyName"), t.ShowAncestorsFamilyName);
    for (int i = 0; i < 3; ++i) {
        const QString frame = QStringLiteral("Frame%1").arg(i);
        KV_FrameStyle& style = t.Frames[i];
        store.ExchangeInt(load, tree, frame + QStringLiteral("fill"), style.fill);
        store.ExchangeColor(load, tree, frame + QStringLiteral("fill_color_from"), style.fill_color_from);
        store.ExchangeColor(load, tree, frame + QStringLiteral("fill_color_to"), style.fill_color_to);
        store.ExchangeInt(load, tree, frame + QStringLiteral("border"), style.border);
        store.ExchangeColor(load, tree, frame + QStringLiteral("border_color"), style.border_color);
    }
}
