// MD5 digests of 8-bit texts, as upper-case hexadecimal text. The thumbnail cache names its files by the digest
// of a picture's path.
#pragma once

#include <QByteArray>
#include <QObject>

#include <cstdint>

// The running state of one digest: four state words, the bit count (low word first) and the pending input.
struct MD5_CTX
{
    uint32_t state[4];
    uint32_t count[2];
    unsigned char buffer[64];
};

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
    void MD5Init(MD5_CTX* context);
    void MD5Update(MD5_CTX* context, const unsigned char* input, unsigned int inputLen);
    void MD5Final(unsigned char digest[16], MD5_CTX* context);
    void MD5Transform(uint32_t state[4], const unsigned char block[64]);
    void Encode(unsigned char* output, const uint32_t* input, unsigned int len);
    void Decode(uint32_t* output, const unsigned char* input, unsigned int len);
    void MD5_memcpy(unsigned char* output, const unsigned char* input, unsigned int len);
    void MD5_memset(unsigned char* output, int value, unsigned int len);

    QByteArray InputString;
};
