#include "Tmd5.h"

#include <QCryptographicHash>

#include <cstring>

TMD5::TMD5(QObject* owner) : QObject(owner) {}

void TMD5::MDString(const char* text)
{
    const QByteArrayView bytes(text, qsizetype(std::strlen(text)));
    DigestText = QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex().toUpper();
}

void TMD5::HashString()
{
    MDString(InputString.constData());
}
