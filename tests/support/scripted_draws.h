#pragma once
// Chance for the computer policy from a list: each draw takes the next number,
// and a draw past the end of the list fails the test.

#include <gtest/gtest.h>

#include <cstddef>
#include <memory>
#include <vector>

class ScriptedDraws {
  public:
    explicit ScriptedDraws(std::vector<int> numbers) : state(std::make_shared<State>(State{std::move(numbers), 0})) {}

    int operator()() const {
        if (state->used == state->numbers.size()) {
            ADD_FAILURE() << "a draw more than the " << state->numbers.size() << " scripted";
            return 1;
        }
        return state->numbers[state->used++];
    }

    std::size_t used() const { return state->used; }

  private:
    struct State {
        std::vector<int> numbers;
        std::size_t used;
    };
    // Shared, so the count stays readable while a copy is in use as the draws.
    std::shared_ptr<State> state;
};
