// The program's one source of pseudo-random numbers: uniform integers, each generator started from a new seed so
// that every use looks different. Tests fix the seed to make a use repeat.
#pragma once

#include <QRandomGenerator>
#include <optional>

class RandomNumbers
{
public:
    // A generator with a new seed, or with the fixed seed while one is set.
    RandomNumbers();

    // A uniform integer in 0 ... n - 1; 0 for n of 0 or less.
    int Random(int n);

    // Every generator made from now on starts from seed; std::nullopt brings back a new seed for each.
    static void SetFixedSeed(std::optional<quint32> seed);

private:
    QRandomGenerator generator;
};
