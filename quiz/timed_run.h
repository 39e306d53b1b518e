// A timed run of ten problems: the clock, the tally and the status line, free of any toolkit.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include "analysis/vocabulary.h"

namespace zelkon {

class QuizLogic;

// Monotonic time; tests put in a clock they move by hand.
class RunClock {
public:
    virtual ~RunClock() = default;
    virtual std::chrono::nanoseconds now() const = 0;
};

class SteadyRunClock : public RunClock {
public:
    std::chrono::nanoseconds now() const override;
};

struct TimedRunResult {
    std::chrono::nanoseconds time{};
    int problems = 0;
    int fullyRight = 0;  // every wait picked and nothing else
    int waitsMissed = 0;
    int wrongPicks = 0;
};

// "m:ss.t", tenths cut off rather than rounded, so the shown time never runs ahead.
std::string RunTimeText(std::chrono::nanoseconds time);

// The status line's words, one per language: %1 the problem on screen, %2 of how many, %3 the
// time so far.
struct TimedRunPhrases {
    const char* status;
};

const TimedRunPhrases& TimedRunPhrasesFor(Language language);

class TimedRun {
public:
    static constexpr int kProblems = 10;

    explicit TimedRun(const RunClock& clock) : m_clock(&clock) {}

    void setClock(const RunClock& clock) { m_clock = &clock; }

    // Waits for the first problem's display; any earlier run is dropped.
    void Start();
    void Abandon();

    // A new problem is on screen: the first starts the clock.
    void QuestionShown();
    // The problem on screen was answered; the tenth stops the clock and finishes the run.
    void Answered(const QuizLogic& quiz);

    bool running() const { return m_state == State::Running || m_state == State::Starting; }
    bool finished() const { return m_state == State::Finished; }
    // 1 to 10 while running: the problem on screen.
    int current() const { return m_current; }
    std::chrono::nanoseconds elapsed() const;
    const TimedRunResult& result() const { return m_result; }

    // "タイムアタック　3 / 10問　0:42.1", or in English "Time attack  3 / 10  0:42.1".
    std::string StatusText(Language language = Language::Japanese) const;

private:
    enum class State { Idle, Starting, Running, Finished };

    const RunClock* m_clock;
    State m_state = State::Idle;
    int m_current = 0;
    bool m_currentAnswered = false;
    std::chrono::nanoseconds m_start{};
    std::chrono::nanoseconds m_stop{};
    TimedRunResult m_result;
};

}  // namespace zelkon
