// The draws of a deal. Players compare deals by seed, so the source is the C library's rand()
// unless a test replaces it.
#pragma once

namespace zelkon {

// Returns a non-negative number, as rand() does.
using RandomSource = int (*)();

// The next draw of the current source.
int Draw();

// Installs source (nullptr restores rand()) and returns the one it replaces.
RandomSource SetRandomSource(RandomSource source);

}  // namespace zelkon
