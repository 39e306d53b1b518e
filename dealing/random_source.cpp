#include "random_source.h"

#include <cstdlib>

namespace zelkon {

namespace {

int LibraryRand() {
    return std::rand();
}

RandomSource currentSource = LibraryRand;

}  // namespace

int Draw() {
    return currentSource();
}

RandomSource SetRandomSource(RandomSource source) {
    const RandomSource previous = currentSource;
    currentSource = source != nullptr ? source : LibraryRand;
    return previous;
}

}  // namespace zelkon
