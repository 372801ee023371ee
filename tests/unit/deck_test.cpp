// The deck: its order after construction, handing out cards, and the shuffle
// with its pacing and the exchanges it makes.
#include "card_pictures.h"
#include "cards/deck.h"
#include "cards/linear_congruential.h"
#include "fake/fake_console.h"
#include "game/layout.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace {

class DeckTest : public ::testing::Test {
  protected:
    void SetUp() override { fake::reset(); }

    // The deck order, each card told by its suit and number.
    std::vector<std::pair<int, int>> order() const {
        std::vector<std::pair<int, int>> out;
        for (int i = 0; i < 52; ++i) {
            out.emplace_back(deck.at(i)->getSuit(), deck.at(i)->getNumber());
        }
        return out;
    }

    Deck deck{layout::deck.x, layout::deck.y};
};

TEST_F(DeckTest, BuiltInSuitOrderDiamondsHeartsClubsSpades) {
    const struct {
        int index;
        int suit;
        int number;
    } expected[] = {{0, Diamonds, 2},  {12, Diamonds, 14}, {13, Hearts, 2}, {25, Hearts, 14},
                    {26, Clubs, 2},    {38, Clubs, 14},    {39, Spades, 2}, {51, Spades, 14},
                    {5, Diamonds, 7}, {44, Spades, 7}};
    for (const auto& e : expected) {
        EXPECT_EQ(deck.at(e.index)->getSuit(), e.suit) << e.index;
        EXPECT_EQ(deck.at(e.index)->getNumber(), e.number) << e.index;
    }
    for (int i = 0; i < 52; ++i) {
        const Card* card = deck.at(i);
        EXPECT_TRUE(card->isFaceDown());
        EXPECT_EQ(card->isDealt(), 0);
        EXPECT_EQ(card->isHidden(), 0);
        EXPECT_EQ(card->getX(), layout::deck.x);
        EXPECT_EQ(card->getY(), layout::deck.y);
    }
}

TEST_F(DeckTest, DrawNextStartsAtTheTopAgainAfterReset) {
    for (int i = 0; i < 10; ++i) {
        deck.drawNext(1);
    }
    deck.at(3)->flipUp();
    deck.reset();
    EXPECT_TRUE(deck.at(3)->isFaceDown());
    EXPECT_EQ(deck.at(3)->isHidden(), 0);

    Card* first = deck.drawNext(1);
    Card* second = deck.drawNext(0);
    EXPECT_EQ(first, deck.at(0));
    EXPECT_EQ(second, deck.at(1));
    EXPECT_EQ(first->isDealt(), 1);
    EXPECT_EQ(first->isHidden(), 1);
    EXPECT_EQ(second->isDealt(), 1);
    EXPECT_EQ(second->isHidden(), 0);
    // A hole card stays hidden when it is turned up; only reset clears it.
    first->flipUp();
    EXPECT_EQ(first->isHidden(), 1);
    EXPECT_EQ(deck.at(2)->isDealt(), 0);
}

TEST_F(DeckTest, ShuffleTakes48FramesOf50MsAndEndsWithOneBackAtTheDeck) {
    LinearCongruential random;
    deck.shuffle(random);
    EXPECT_EQ(fake::clockMs(), 48 * 50);
    EXPECT_EQ(fake::clearCount(), 48);
    pictures::expectPicture(pictures::back, layout::deck.x, layout::deck.y);
    EXPECT_EQ(fake::text(layout::deck.x + pictures::cardCells, layout::deck.y, 20), std::string(20, ' '))
        << fake::dump();
}

// Plays the shuffle's 200 exchanges on an order, drawing from a generator
// exactly as the deck does.
void exchange(std::vector<std::pair<int, int>>& cards, LinearCongruential random) {
    for (int n = 0; n < 200; ++n) {
        const int i = random.next() % 52;
        const int j = random.next() % 52;
        std::swap(cards[static_cast<std::size_t>(i)], cards[static_cast<std::size_t>(j)]);
    }
}

// The second round only matches when the shuffle starts from the order the
// first one left, not from the order the deck was built in.
TEST_F(DeckTest, EachShuffleStartsFromTheOrderTheLastOneLeft) {
    auto expected = order();
    for (unsigned seed : {7u, 1234u}) {
        LinearCongruential random(seed);
        deck.shuffle(random);
        exchange(expected, LinearCongruential(seed));
        EXPECT_EQ(order(), expected) << "seed " << seed;
    }
}

// What a saved game keeps of the deck gives back the same order on a fresh
// deck, and an order that is not every card once is refused untouched.
TEST_F(DeckTest, OrderPutBackOnAFreshDeck) {
    LinearCongruential random(99);
    deck.shuffle(random);
    Deck fresh{layout::deck.x, layout::deck.y};
    ASSERT_TRUE(fresh.restoreOrder(deck.order()));
    EXPECT_EQ(fresh.order(), deck.order());
    for (int i = 0; i < 52; ++i) {
        EXPECT_EQ(fresh.at(i)->getSuit(), deck.at(i)->getSuit());
        EXPECT_EQ(fresh.at(i)->getNumber(), deck.at(i)->getNumber());
    }
    std::array<int, 52> twice = deck.order();
    twice[7] = twice[8];
    std::array<int, 52> outside = deck.order();
    outside[3] = 52;
    for (const auto& bad : {twice, outside}) {
        const std::array<int, 52> before = fresh.order();
        EXPECT_FALSE(fresh.restoreOrder(bad));
        EXPECT_EQ(fresh.order(), before);
    }
}

// The Windows C runtime's rand(): the published first draws of seed 1, the
// draws of a few other seeds worked out by its formula, and a state that
// carries a game on exactly where it stopped.
TEST(LinearCongruentialTest, DrawsAsTheWindowsRuntimeDoes) {
    const struct {
        std::uint32_t seed;
        std::array<int, 5> draws;
    } cases[] = {{1, {41, 18467, 6334, 26500, 19169}},
                 {0, {38, 7719, 21238, 2437, 8855}},
                 {100013, {31726, 1079, 28186, 873, 30978}},
                 {4294967295u, {35, 29739, 3374, 11141, 31308}}};
    for (const auto& c : cases) {
        LinearCongruential random(c.seed);
        for (const int expected : c.draws) {
            EXPECT_EQ(random.next(), expected) << "seed " << c.seed;
        }
        LinearCongruential resumed(0);
        resumed.seed(random.state());
        EXPECT_EQ(resumed.next(), random.next()) << "seed " << c.seed;
    }
    EXPECT_EQ(LinearCongruential().next(), 41); // unseeded, as rand() before srand()
}

} // namespace

#ifdef _WIN32
// On Windows the C runtime's own rand() is there to hold the generator
// against: the same draws, seed after seed.
TEST(LinearCongruentialTest, DrawsAsThisRuntimesRand) {
    for (const unsigned seed : {1u, 0u, 7u, 100013u, 4294967295u}) {
        std::srand(seed);
        LinearCongruential random(seed);
        for (int n = 0; n < 1000; ++n) {
            ASSERT_EQ(random.next(), std::rand()) << "seed " << seed << ", draw " << n;
        }
    }
}
#endif
