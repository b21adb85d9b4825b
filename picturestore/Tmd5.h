// MD5 digests of 8-bit texts, as upper-case hexadecimal text. The thumbnail cache names its files by the digest
// of a picture's path.
#pragma once

#include <QByteArray>
#include <QObject>

class TMD5 : public QObject
{
public:
    explicit TMD5(QObject* owner = nullptr);

    QByteArray GetInputString() const { return InputString; }
    void SetInputString(const QByteArray& text) { InputString = text; }

    // Digests the bytes of text before its terminating zero and puts the 32-character result in DigestText.
    void MDString(const char* text);
    // MDString over InputString.
    void HashString();

    // The result of the last digest: the 16 digest bytes in order, each as two upper-case hexadecimal digits.
    QByteArray DigestText;

private:
    QByteArray InputString;
};
