#include "Tmd5.h"

#include <cstring>

namespace {

// Per-step left rotations of the four rounds.
constexpr int S11 = 7, S12 = 12, S13 = 17, S14 = 22;
constexpr int S21 = 5, S22 = 9, S23 = 14, S24 = 20;
constexpr int S31 = 4, S32 = 11, S33 = 16, S34 = 23;
constexpr int S41 = 6, S42 = 10, S43 = 15, S44 = 21;

// The first padding byte is 0x80, the rest zeros.
constexpr unsigned char padding[64] = {0x80};

constexpr uint32_t F(uint32_t x, uint32_t y, uint32_t z)
{
    return (x & y) | (~x & z);
}
constexpr uint32_t G(uint32_t x, uint32_t y, uint32_t z)
{
    return (x & z) | (y & ~z);
}
constexpr uint32_t H(uint32_t x, uint32_t y, uint32_t z)
{
    return x ^ y ^ z;
}
constexpr uint32_t I(uint32_t x, uint32_t y, uint32_t z)
{
    return y ^ (x | ~z);
}

constexpr uint32_t rotateLeft(uint32_t x, int n)
{
    return (x << n) | (x >> (32 - n));
}

// One step of a round: a = b + ((a + f(b, c, d) + x + ac) <<< s).
template <uint32_t (*f)(uint32_t, uint32_t, uint32_t)>
void step(uint32_t& a, uint32_t b, uint32_t c, uint32_t d, uint32_t x, int s, uint32_t ac)
{
    a = b + rotateLeft(a + f(b, c, d) + x + ac, s);
}

} // namespace

TMD5::TMD5(QObject* owner) : QObject(owner) {}

void TMD5::MDString(const char* text)
{
    MD5_CTX context;
    unsigned char digest[16];
    MD5Init(&context);
    MD5Update(&context, reinterpret_cast<const unsigned char*>(text), static_cast<unsigned int>(std::strlen(text)));
    MD5Final(digest, &context);

    DigestText = QByteArray(reinterpret_cast<const char*>(digest), sizeof digest).toHex().toUpper();
}

void TMD5::HashString()
{
    MDString(InputString.constData());
}

void TMD5::MD5Init(MD5_CTX* context)
{
    context->count[0] = context->count[1] = 0;
    context->state[0] = 0x67452301;
    context->state[1] = 0xefcdab89;
    context->state[2] = 0x98badcfe;
    context->state[3] = 0x10325476;
}

void TMD5::MD5Update(MD5_CTX* context, const unsigned char* input, unsigned int inputLen)
{
    // Bytes already waiting in the buffer.
    unsigned int index = (context->count[0] >> 3) & 0x3F;

    // Add the input's length in bits to the 64-bit count.
    const uint32_t bits = static_cast<uint32_t>(inputLen) << 3;
    context->count[0] += bits;
    if (context->count[0] < bits)
        ++context->count[1];
    context->count[1] += static_cast<uint32_t>(inputLen) >> 29;

    const unsigned int partLen = 64 - index;
    unsigned int i = 0;
    if (inputLen >= partLen) {
        MD5_memcpy(&context->buffer[index], input, partLen);
        MD5Transform(context->state, context->buffer);
        for (i = partLen; i + 63 < inputLen; i += 64)
            MD5Transform(context->state, &input[i]);
        index = 0;
    }
    MD5_memcpy(&context->buffer[index], &input[i], inputLen - i);
}

void TMD5::MD5Final(unsigned char digest[16], MD5_CTX* context)
{
    unsigned char bits[8];
    Encode(bits, context->count, 8);

    // Pad to 56 bytes mod 64, then append the length.
    const unsigned int index = (context->count[0] >> 3) & 0x3F;
    const unsigned int padLen = index < 56 ? 56 - index : 120 - index;
    MD5Update(context, padding, padLen);
    MD5Update(context, bits, 8);

    Encode(digest, context->state, 16);
    // Leave nothing of the input behind in memory.
    MD5_memset(reinterpret_cast<unsigned char*>(context), 0, sizeof *context);
}

void TMD5::MD5Transform(uint32_t state[4], const unsigned char block[64])
{
    uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
    uint32_t x[16];
    Decode(x, block, 64);

    // Round 1
    step<F>(a, b, c, d, x[0], S11, 0xd76aa478);
    step<F>(d, a, b, c, x[1], S12, 0xe8c7b756);
    step<F>(c, d, a, b, x[2], S13, 0x242070db);
    step<F>(b, c, d, a, x[3], S14, 0xc1bdceee);
    step<F>(a, b, c, d, x[4], S11, 0xf57c0faf);
    step<F>(d, a, b, c, x[5], S12, 0x4787c62a);
    step<F>(c, d, a, b, x[6], S13, 0xa8304613);
    step<F>(b, c, d, a, x[7], S14, 0xfd469501);
    step<F>(a, b, c, d, x[8], S11, 0x698098d8);
    step<F>(d, a, b, c, x[9], S12, 0x8b44f7af);
    step<F>(c, d, a, b, x[10], S13, 0xffff5bb1);
    step<F>(b, c, d, a, x[11], S14, 0x895cd7be);
    step<F>(a, b, c, d, x[12], S11, 0x6b901122);
    step<F>(d, a, b, c, x[13], S12, 0xfd987193);
    step<F>(c, d, a, b, x[14], S13, 0xa679438e);
    step<F>(b, c, d, a, x[15], S14, 0x49b40821);

    // Round 2
    step<G>(a, b, c, d, x[1], S21, 0xf61e2562);
    step<G>(d, a, b, c, x[6], S22, 0xc040b340);
    step<G>(c, d, a, b, x[11], S23, 0x265e5a51);
    step<G>(b, c, d, a, x[0], S24, 0xe9b6c7aa);
    step<G>(a, b, c, d, x[5], S21, 0xd62f105d);
    step<G>(d, a, b, c, x[10], S22, 0x02441453);
    step<G>(c, d, a, b, x[15], S23, 0xd8a1e681);
    step<G>(b, c, d, a, x[4], S24, 0xe7d3fbc8);
    step<G>(a, b, c, d, x[9], S21, 0x21e1cde6);
    step<G>(d, a, b, c, x[14], S22, 0xc33707d6);
    step<G>(c, d, a, b, x[3], S23, 0xf4d50d87);
    step<G>(b, c, d, a, x[8], S24, 0x455a14ed);
    step<G>(a, b, c, d, x[13], S21, 0xa9e3e905);
    step<G>(d, a, b, c, x[2], S22, 0xfcefa3f8);
    step<G>(c, d, a, b, x[7], S23, 0x676f02d9);
    step<G>(b, c, d, a, x[12], S24, 0x8d2a4c8a);

    // Round 3
    step<H>(a, b, c, d, x[5], S31, 0xfffa3942);
    step<H>(d, a, b, c, x[8], S32, 0x8771f681);
    step<H>(c, d, a, b, x[11], S33, 0x6d9d6122);
    step<H>(b, c, d, a, x[14], S34, 0xfde5380c);
    step<H>(a, b, c, d, x[1], S31, 0xa4beea44);
    step<H>(d, a, b, c, x[4], S32, 0x4bdecfa9);
    step<H>(c, d, a, b, x[7], S33, 0xf6bb4b60);
    step<H>(b, c, d, a, x[10], S34, 0xbebfbc70);
    step<H>(a, b, c, d, x[13], S31, 0x289b7ec6);
    step<H>(d, a, b, c, x[0], S32, 0xeaa127fa);
    step<H>(c, d, a, b, x[3], S33, 0xd4ef3085);
    step<H>(b, c, d, a, x[6], S34, 0x04881d05);
    step<H>(a, b, c, d, x[9], S31, 0xd9d4d039);
    step<H>(d, a, b, c, x[12], S32, 0xe6db99e5);
    step<H>(c, d, a, b, x[15], S33, 0x1fa27cf8);
    step<H>(b, c, d, a, x[2], S34, 0xc4ac5665);

    // Round 4
    step<I>(a, b, c, d, x[0], S41, 0xf4292244);
    step<I>(d, a, b, c, x[7], S42, 0x432aff97);
    step<I>(c, d, a, b, x[14], S43, 0xab9423a7);
    step<I>(b, c, d, a, x[5], S44, 0xfc93a039);
    step<I>(a, b, c, d, x[12], S41, 0x655b59c3);
    step<I>(d, a, b, c, x[3], S42, 0x8f0ccc92);
    step<I>(c, d, a, b, x[10], S43, 0xffeff47d);
    step<I>(b, c, d, a, x[1], S44, 0x85845dd1);
    step<I>(a, b, c, d, x[8], S41, 0x6fa87e4f);
    step<I>(d, a, b, c, x[15], S42, 0xfe2ce6e0);
    step<I>(c, d, a, b, x[6], S43, 0xa3014314);
    step<I>(b, c, d, a, x[13], S44, 0x4e0811a1);
    step<I>(a, b, c, d, x[4], S41, 0xf7537e82);
    step<I>(d, a, b, c, x[11], S42, 0xbd3af235);
    step<I>(c, d, a, b, x[2], S43, 0x2ad7d2bb);
    step<I>(b, c, d, a, x[9], S44, 0xeb86d391);

    state[0] += a;
    state[1] += b;
    state[2] += c;
    state[3] += d;

    MD5_memset(reinterpret_cast<unsigned char*>(x), 0, sizeof x);
}

// Words to bytes, least significant byte first; len is a multiple of 4.
void TMD5::Encode(unsigned char* output, const uint32_t* input, unsigned int len)
{
    for (unsigned int i = 0, j = 0; j < len; ++i, j += 4) {
        output[j] = static_cast<unsigned char>(input[i] & 0xff);
        output[j + 1] = static_cast<unsigned char>((input[i] >> 8) & 0xff);
        output[j + 2] = static_cast<unsigned char>((input[i] >> 16) & 0xff);
        output[j + 3] = static_cast<unsigned char>((input[i] >> 24) & 0xff);
    }
}

// Bytes to words, least significant byte first; len is a multiple of 4.
void TMD5::Decode(uint32_t* output, const unsigned char* input, unsigned int len)
{
    for (unsigned int i = 0, j = 0; j < len; ++i, j += 4)
        output[i] = uint32_t(input[j]) | (uint32_t(input[j + 1]) << 8) | (uint32_t(input[j + 2]) << 16) |
                    (uint32_t(input[j + 3]) << 24);
}

void TMD5::MD5_memcpy(unsigned char* output, const unsigned char* input, unsigned int len)
{
    if (len > 0)
        std::memcpy(output, input, len);
}

void TMD5::MD5_memset(unsigned char* output, int value, unsigned int len)
{
    // volatile so that wiping a context that is about to die is not optimised away.
    volatile unsigned char* p = output;
    while (len-- > 0)
        *p++ = static_cast<unsigned char>(value);
}
