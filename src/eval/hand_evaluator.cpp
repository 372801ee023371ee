#include "eval/hand_evaluator.h"


#include <bit>

namespace {

// Bit 4 × number of every number: a set of numbers, one bit per number.
constexpr std::uint64_t everyNumber = 0x1111'1111'1111'1111;
constexpr int ace = 14;

constexpr int cardBit(int number, int suit) { return 4 * number + suit; }
constexpr int numberOf(int bit) { return bit / 4; }
constexpr int suitOf(int bit) { return bit % 4; }

int highestBit(std::uint64_t bits) { return std::bit_width(bits) - 1; }
int lowestBit(std::uint64_t bits) { return std::countr_zero(bits); }
int highestNumber(std::uint64_t numbers) { return numberOf(highestBit(numbers)); }

// The cards (bits) below a card: the slots before it.
constexpr std::uint64_t below(int bit) { return (std::uint64_t{1} << bit) - 1; }
constexpr std::uint64_t ofSuit(int suit) { return everyNumber << suit; }
// Every card of a set of numbers.
constexpr std::uint64_t cardsOf(std::uint64_t numbers) { return numbers * 0xF; }

} // namespace

HandResult HandEvaluator::evaluate(Card* const* cards, bool withHidden) {
    loadCards(cards, withHidden);
    findGroups();
    findTwoPairOrFullHouse();
    findStraights();
    findFlush();
    return result;
}

void HandEvaluator::clearWork() {
    held = 0;
    cardCount = 0;
    suitTally = 0;
    result.keyNumber = 0;
    result.rank = HighCard;
    result.keySuit = 0;
}

// Takes every card of the seat, or only those the other seats can see. A card
// that does not take part costs no branch: its bit is simply not set.
void HandEvaluator::loadCards(Card* const* cards, bool withHidden) {
    clearWork();
    std::uint64_t taken = 0;
    int count = 0;
    std::uint32_t tally = 0;
    for (int j = 0; j < 7; ++j) {
        const Card* card = cards[j];
        if (card == nullptr) {
            continue;
        }
        const unsigned takesPart = unsigned(withHidden) | unsigned(card->isHidden() != 1);
        taken |= std::uint64_t(takesPart) << cardBit(card->getNumber(), card->getSuit());
        count += static_cast<int>(takesPart);
        tally += takesPart << (8 * card->getSuit());
    }
    held = taken;
    cardCount = count;
    suitTally = tally;
    countMatches();
}

// Sorts the numbers held by how many cards each has, all at once: the four
// bits of each number are added up in place.
void HandEvaluator::countMatches() {
    std::uint64_t sizes = held - ((held >> 1) & 0x5555'5555'5555'5555);
    sizes = (sizes & 0x3333'3333'3333'3333) + ((sizes >> 2) & 0x3333'3333'3333'3333);
    fours = (sizes >> 2) & everyNumber;
    triples = sizes & (sizes >> 1) & everyNumber;
    pairs = (sizes >> 1) & ~sizes & everyNumber;
    singles = sizes & ~(sizes >> 1) & ~(sizes >> 2) & everyNumber;
}

int HandEvaluator::cardsOfSuit(int suit) const { return (suitTally >> (8 * suit)) & 0xFF; }

int HandEvaluator::topSuit(int number) const {
    return highestBit((held >> cardBit(number, 0)) & 0xF);
}

void HandEvaluator::setKey(int rank, int number) {
    result.rank = rank;
    result.keyNumber = number;
    result.keySuit = topSuit(number);
}

// The biggest group wins, then the highest number, keyed on the highest suit
// of that number; a hand without any group is keyed on its highest card.
void HandEvaluator::findGroups() {
    if (fours != 0) {
        setKey(FourCard, highestNumber(fours));
    } else if (triples != 0) {
        setKey(Triple, highestNumber(triples));
    } else if (pairs != 0) {
        setKey(OnePair, highestNumber(pairs));
    } else if (held != 0) {
        setKey(HighCard, highestNumber(held));
    }
}

// Pairs and triples combine, a four never does. Two groups with a triple
// among them are a full house keyed on the highest triple; two or three
// pairs are a two pair keyed on the highest pair alone.
void HandEvaluator::findTwoPairOrFullHouse() {
    const std::uint64_t groups = pairs | triples;
    const bool twoGroups = (groups & (groups - 1)) != 0;
    if (!twoGroups) {
        return;
    }
    const int found = triples != 0 ? FullHouse : TwoPair;
    if (found > result.rank) {
        setKey(found, highestNumber(found == FullHouse ? triples : pairs));
    }
}

// The walk of a straight flush down from the card below the run's last card,
// which counts as 1 whatever its suit: a card of the reference suit counts;
// another card is passed over when a neighbour has its number; any other
// card ends the walk. The walk does not stop at the bottom of the run.
int HandEvaluator::countDownFrom(int topCard, int refSuit) const {
    const std::uint64_t counted = held & ofSuit(refSuit);
    const std::uint64_t stoppers = held & cardsOf(singles) & ~counted & below(topCard);
    std::uint64_t walked = below(topCard);
    if (stoppers != 0) {
        walked &= ~below(highestBit(stoppers) + 1);
    }
    return 1 + std::popcount(counted & walked);
}

// The walk of a back straight flush up from the lowest card, starting at 1: a
// card of the reference suit counts; another card is passed over when the
// next card has its number; any other card ends the walk.
int HandEvaluator::countUpFromBottom(int refSuit) const {
    const std::uint64_t counted = held & ofSuit(refSuit);
    const std::uint64_t higherInNumber = ((held >> 1) & 0x7777'7777'7777'7777) |
                                         ((held >> 2) & 0x3333'3333'3333'3333) |
                                         ((held >> 3) & 0x1111'1111'1111'1111);
    const std::uint64_t stoppers = held & ~higherInNumber & ~counted;
    const std::uint64_t walked = stoppers != 0 ? below(lowestBit(stoppers)) : held;
    return 1 + std::popcount(counted & walked);
}

// Runs are stretches of numbers in a row. Only a run of four numbers or more
// matters, and seven cards hold at most one.
void HandEvaluator::findStraights() {
    const std::uint64_t numbers = (held | held >> 1 | held >> 2 | held >> 3) & everyNumber;
    const std::uint64_t fourInRowTops = numbers & numbers << 4 & numbers << 8 & numbers << 12;
    if (fourInRowTops == 0) {
        return;
    }
    Run run;
    run.top = highestNumber(fourInRowTops);
    run.bottom = numberOf(lowestBit(fourInRowTops)) - 3;
    run.lastCard = cardBit(run.top, topSuit(run.top));

    const HandResult candidate = straightCandidate(run);
    if (makesStraightFlush(candidate, run)) {
        // The three straight flushes stand in the order of their straights.
        result.assign(candidate);
        result.rank = StraightFlush + (candidate.rank - Straight);
    }
    if (result.rank < candidate.rank) {
        result.assign(candidate);
    }
}

// Five or more numbers make a straight, a mountain when it ends on the Ace,
// keyed on the run's last card. A run from 2 of four or more numbers with an
// Ace as the seventh card is a back straight keyed on that Ace, however long
// the run.
HandResult HandEvaluator::straightCandidate(const Run& run) const {
    HandResult candidate;
    if (run.length() >= 5) {
        candidate.rank = run.top == ace ? Mountain : Straight;
        candidate.keyNumber = run.top;
        candidate.keySuit = suitOf(run.lastCard);
    }
    const int seventhCard = highestBit(held);
    if (run.bottom == 2 && cardCount == 7 && numberOf(seventhCard) == ace &&
        candidate.rank < BackStraight) {
        candidate.rank = BackStraight;
        candidate.keyNumber = ace;
        candidate.keySuit = suitOf(seventhCard);
    }
    return candidate;
}

// A straight or mountain takes its reference suit from the card as many
// slots below the run's last card as the run has numbers beyond five, and
// needs five in its walk; a back straight takes the suit of the run's last
// card and needs four.
bool HandEvaluator::makesStraightFlush(const HandResult& candidate, const Run& run) const {
    if (candidate.rank == BackStraight) {
        return countUpFromBottom(suitOf(run.lastCard)) >= 4;
    }
    if (candidate.rank != Straight && candidate.rank != Mountain) {
        return false;
    }
    int refCard = run.lastCard;
    for (int extra = run.length() - 5; extra > 0; --extra) {
        refCard = highestBit(held & below(refCard));
    }
    return countDownFrom(run.lastCard, suitOf(refCard)) >= 5;
}

// Five or more cards of one suit make a flush keyed on that suit's highest
// card; it replaces every kind of straight but not a full house or better.
void HandEvaluator::findFlush() {
    for (int suit = 0; suit < 4; ++suit) {
        if (cardsOfSuit(suit) >= 5 && result.rank < Flush) {
            result.rank = Flush;
            result.keySuit = suit;
            result.keyNumber = highestNumber(held & ofSuit(suit));
        }
    }
}
