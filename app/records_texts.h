// What the records items say to the player: every Japanese text of the records in one place.
#pragma once

#include <cstdint>
#include <filesystem>

#include <QString>

#include "analysis/decomposition.h"
#include "records/records_status.h"
#include "records/statistics.h"

namespace zelkon {

enum class RecordsMoment {
    Opening,  // recording could not start: it stays off
    Writing,  // one answer or run was not kept: the next is tried again
};

// The message for a store that could not be opened or written, in a player's words (SQLite's
// own stay in status.message for the logs); empty for none.
QString RecordsFailureText(const RecordsStatus& status, const std::filesystem::path& path,
                           RecordsMoment moment = RecordsMoment::Opening);
// Neither HOME nor XDG_DATA_HOME names a folder for the records.
QString NoRecordsFolderText();
// The 成績 window's module could not be loaded (detail: why, for the curious).
QString StatisticsUnavailableText(const QString& detail);

// Over the progress of an upgrade of an older records file.
QString UpgradeProgressText();

// The panel's status line while review is on: the cards due.
QString ReviewStatusText(std::int64_t dueCount);
// The 出題 status line while weak-shape dealing is on.
QString WeakShapeStatusText(WaitShape shape);
// 苦手な形 aimed at a family: "出題：苦手な形（竜巻）".
QString WeakFamilyStatusText(FamilyIndex family);

// "12/9 14:05　1112345678999m　選んだ牌：258　待ち：2589": one line of the mistakes list.
QString MistakeText(const Mistake& mistake);

}  // namespace zelkon
