// What the view reads from the window that holds it, each time it deals.
#pragma once

#include <cstdint>

namespace zelkon {

class QuizSettings {
public:
    virtual ~QuizSettings() = default;
    // 0 to 2 a SuitKind, 3 a suit drawn for every problem.
    virtual std::int32_t suitMode() const = 0;
    // 1 sorted, 0 in deal order.
    virtual std::uint8_t sortMode() const = 0;
};

}  // namespace zelkon
