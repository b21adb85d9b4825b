#include "Random.h"

namespace {

std::optional<quint32> fixedSeed;

} // namespace

RandomNumbers::RandomNumbers() : generator(fixedSeed.value_or(QRandomGenerator::system()->generate())) {}

int RandomNumbers::Random(int n)
{
    return n <= 0 ? 0 : int(generator.bounded(quint32(n)));
}

void RandomNumbers::SetFixedSeed(std::optional<quint32> seed)
{
    fixedSeed = seed;
}
