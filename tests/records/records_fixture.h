// Temporary folders and generated answers for the records tests.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "dealing/problem_dealer.h"
#include "dealing/random_source.h"
#include "records/answer_record.h"

namespace zelkon::testing {

class TempDir {
public:
    TempDir() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "zelkon-records-XXXXXX").string();
        m_path = ::mkdtemp(pattern.data());
    }
    ~TempDir() {
        std::error_code error;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, error);
        std::filesystem::remove_all(m_path, error);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

inline std::string FileBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Plain-dealer hands (seeded), answered right about half the time, spread over the 60 days
// before end.
inline std::vector<AnswerRecord> GeneratedAnswers(int count, unsigned seed, UnixMillis end) {
    SeedDraws(seed);
    std::mt19937 random(seed);
    std::vector<AnswerRecord> answers;
    answers.reserve(static_cast<std::size_t>(count));
    Problem problem{};
    for (int i = 0; i < count; ++i) {
        DealProblem(problem);
        NumberSet waits = 0;
        for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
            waits = static_cast<NumberSet>(
                waits | (problem.isWait[static_cast<std::size_t>(n)] ? NumberBit(n) : 0));
        }
        NumberSet picks = waits;
        if (random() % 2 == 0) {
            picks = static_cast<NumberSet>(picks ^
                                           NumberBit(static_cast<TileNumber>(1 + random() % 9)));
        }
        const UnixMillis at = end - static_cast<UnixMillis>(random() % (60ull * 86'400'000ull));
        const double seconds = 0.5 + static_cast<double>(random() % 60000) / 1000.0;
        answers.push_back(MakeAnswerRecord(problem.dealOrder, static_cast<SuitKind>(random() % 3),
                                           static_cast<DealKind>(random() % 6), RecordedBand::None,
                                           picks, seconds, at));
    }
    return answers;
}

}  // namespace zelkon::testing
