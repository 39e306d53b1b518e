#include "timed_run.h"

#include <string>

#include "analysis/phrase_text.h"
#include "quiz/quiz_logic.h"

namespace zelkon {

namespace {

constexpr TimedRunPhrases kJapanese{"タイムアタック\u3000%1 / %2問\u3000%3"};
constexpr TimedRunPhrases kEnglish{"Time attack  %1 / %2  %3"};

}  // namespace

const TimedRunPhrases& TimedRunPhrasesFor(Language language) {
    return language == Language::English ? kEnglish : kJapanese;
}

std::chrono::nanoseconds SteadyRunClock::now() const {
    return std::chrono::steady_clock::now().time_since_epoch();
}

// "%lld:%02lld.%lld" by hand: formatted output would pull stdio into the WebAssembly module.
std::string RunTimeText(std::chrono::nanoseconds time) {
    using namespace std::chrono;
    const auto tenths = time.count() < 0 ? 0 : duration_cast<milliseconds>(time).count() / 100;
    const auto seconds = tenths / 10 % 60;
    std::string text = std::to_string(tenths / 600);
    text += ':';
    text += static_cast<char>('0' + seconds / 10);
    text += static_cast<char>('0' + seconds % 10);
    text += '.';
    text += static_cast<char>('0' + tenths % 10);
    return text;
}

void TimedRun::Start() {
    m_state = State::Starting;
    m_current = 0;
    m_currentAnswered = false;
    m_start = m_stop = {};
    m_result = {};
}

void TimedRun::Abandon() {
    m_state = State::Idle;
    m_current = 0;
}

void TimedRun::QuestionShown() {
    if (!running()) {
        return;
    }
    if (m_state == State::Starting) {
        m_state = State::Running;
        m_start = m_clock->now();
    }
    // A problem replaced before its answer is not one of the ten.
    if (m_current == 0 || m_currentAnswered) {
        ++m_current;
    }
    m_currentAnswered = false;
}

void TimedRun::Answered(const QuizLogic& quiz) {
    if (m_state != State::Running || m_currentAnswered) {
        return;
    }
    m_currentAnswered = true;
    int missed = 0;
    int wrong = 0;
    for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
        const bool wait = quiz.isWait(n);
        if (wait && !quiz.selected(n)) {
            ++missed;
        } else if (!wait && quiz.selected(n)) {
            ++wrong;
        }
    }
    ++m_result.problems;
    m_result.waitsMissed += missed;
    m_result.wrongPicks += wrong;
    if (missed == 0 && wrong == 0) {
        ++m_result.fullyRight;
    }
    if (m_current == kProblems) {
        m_stop = m_clock->now();
        m_result.time = m_stop - m_start;
        m_state = State::Finished;
    }
}

std::chrono::nanoseconds TimedRun::elapsed() const {
    switch (m_state) {
        case State::Running:
            return m_clock->now() - m_start;
        case State::Finished:
            return m_result.time;
        default:
            return {};
    }
}

std::string TimedRun::StatusText(Language language) const {
    const std::string shown = std::to_string(m_current < 1 ? 1 : m_current);
    PhraseWriter<96> text;
    text.Fill(TimedRunPhrasesFor(language).status, shown, std::to_string(kProblems),
              RunTimeText(elapsed()));
    return std::string(text.view());
}

}  // namespace zelkon
