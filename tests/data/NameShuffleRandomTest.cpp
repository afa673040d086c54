// The randomness contract: every shuffle draw reseeds from the tick count, later rand() use
// continues from the last seed, and randomFraction stays within 0 to 1.

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "data/NameShuffleRandom.h"
#include "data/RandomFraction.h"

namespace {

uint32_t clockNow = 0;
uint32_t fakeTicks() {
    return clockNow;
}

std::vector<int> sequenceAfterSeed(unsigned seed, int count) {
    srand(seed);
    std::vector<int> values;
    for (int i = 0; i < count; ++i) values.push_back(rand());
    return values;
}

TEST(NameShuffleRandomTest, EachDrawReseedsFromTheTickCount) {
    NameShuffleRandom random(&fakeTicks);
    clockNow = 1234;
    std::vector<int> expected = sequenceAfterSeed(1234, 3);
    srand(999);
    EXPECT_EQ(random(1000), expected[0] % 1000);
    // Later draws of the program continue from that seed.
    EXPECT_EQ(rand(), expected[1]);
    // Within the same millisecond a draw repeats the first value.
    EXPECT_EQ(random(1000), expected[0] % 1000);
    clockNow = 1235;
    EXPECT_EQ(random(1000), sequenceAfterSeed(1235, 1)[0] % 1000);
    EXPECT_EQ(random(0), 0);
}

TEST(NameShuffleRandomTest, ShuffleSwapsEachElementWithADrawBelowItsIndexPlusOne) {
    NameShuffleRandom random(&fakeTicks);
    clockNow = 42;
    const int first = sequenceAfterSeed(42, 1)[0];
    std::vector<std::string> names = {"a", "b", "c", "d", "e"};
    std::vector<std::string> expected = names;
    for (size_t i = 1; i < expected.size(); ++i)
        std::swap(expected[i], expected[static_cast<size_t>(first) % (i + 1)]);
    random.shuffle(names);
    EXPECT_EQ(names, expected);

    std::vector<std::string> none;
    random.shuffle(none);
    std::vector<std::string> one = {"solo"};
    random.shuffle(one);
    EXPECT_EQ(one, std::vector<std::string>{"solo"});
}

TEST(RandomFractionTest, StaysBetweenZeroAndOneWithoutSeeding) {
    srand(5);
    double low = 1;
    double high = 0;
    for (int i = 0; i < 20000; ++i) {
        double value = randomFraction();
        ASSERT_GE(value, 0.0);
        ASSERT_LE(value, 1.0);
        low = std::min(low, value);
        high = std::max(high, value);
    }
    EXPECT_LT(low, 0.01);  // the whole range is used, not a sliver of it
    EXPECT_GT(high, 0.99);
    srand(5);
    int first = rand();
    srand(5);
    randomFraction();
    EXPECT_NE(rand(), first);  // it drew from the generator and did not reseed it
}

}  // namespace
