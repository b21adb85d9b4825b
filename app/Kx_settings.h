// The user's settings file, config.ini: a small key store of "Section_Key=value" lines, and the exchange that
// loads or saves the display settings and the tree report settings through it, always with the same keys in
// the same order.
#pragma once

#include "Toolkit.h"

#include <QString>
#include <QStringList>

#include <optional>

class KX_Settings
{
public:
    enum class LoadResult {
        Loaded,
        Missing,   // no file: nothing to read, every field keeps its default
        Unreadable // the file could not be read as text; a file (not a folder) was renamed to path + ".bak" so
                   // that the next save cannot destroy what the user had in it
    };

    // Reads the lines of path: UTF-16LE (with or without its byte-order mark) or UTF-8 (with or without its
    // mark). When Unreadable, error (when given) says why.
    LoadResult Load(const QString& path, QString* error = nullptr);
    // Replaces path atomically with the lines in UTF-16LE with a byte-order mark, each line ended by CR LF. On
    // failure the old file is untouched, false is returned and error (when given) says why.
    bool Save(const QString& path, QString* error = nullptr) const;

    QString GetString(const QString& section, const QString& key, const QString& defaultValue) const;
    // A decimal whole number with an optional sign (blanks before it are skipped); anything else gives the default.
    int GetInt(const QString& section, const QString& key, int defaultValue) const;
    // True exactly when the value is "1"; the default only when there is no such line.
    bool GetBool(const QString& section, const QString& key, bool defaultValue) const;

    // With load, field := the stored value (its current value when there is none); without it, the field is
    // appended as a new line.
    void ExchangeBool(bool load, const QString& section, const QString& key, bool& field);
    void ExchangeInt(bool load, const QString& section, const QString& key, int& field);
    void ExchangeColor(bool load, const QString& section, const QString& key, TColor& field);
    void ExchangeString(bool load, const QString& section, const QString& key, QString& field);

private:
    // The value of the first line named section + "_" + key (letter case ignored).
    std::optional<QString> find(const QString& section, const QString& key) const;
    void append(const QString& section, const QString& key, const QString& value);

    QStringList lines;
};

// The user's settings folder (under the user's configuration folder), ending with "/".
QString UserSettingsFolder();

// Loads (load true) or saves every stored field of gSettings and gTreeSetings from or into store, in the fixed
// order of the settings file.
void ExchangeSettings(KX_Settings& store, bool load);
