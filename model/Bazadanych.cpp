#include "Bazadanych.h"

QString gAppFolder;
QString gDataFolder;
QString gTempFolder;
QString gReportsFolder;
QString gDocumentsFolder;
QString gProductName;
QString gProductVersion;
QString gWebAddress;
QString gSettingsFolder;
QString gConfigFile;

KV_DB gDB;
