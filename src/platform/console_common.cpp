// The parts of the console layer that every backend shares: typed words and
// numbers are cut from typed lines the same way everywhere.
#include "platform/backend.h"
#include "platform/console.h"
#include "platform/typed_input.h"

namespace platform {

namespace {

TypedInput& typedInput() {
    static TypedInput input(&backend::readTypedLine);
    return input;
}

} // namespace

void backend::discardTypedInput() { typedInput().discardLine(); }

std::string readWord() { return typedInput().readWord(); }

std::optional<int> readInt() { return typedInput().readInt(); }

} // namespace platform
