// The records' tables, the check that a file is ours, and the one upgrade path from every older
// version to kRecordsSchemaVersion.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "records_status.h"

namespace zelkon {

class SqliteDatabase;

// The schema version this program writes; files of lower versions are upgraded in place when
// opened, files of higher versions are refused (RecordsError::Newer) and left untouched.
inline constexpr int kRecordsSchemaVersion = 4;
// PRAGMA application_id of every records file ("ZLKN").
inline constexpr std::int32_t kRecordsApplicationId = 0x5A4C4B4E;

// Rows done and rows in all, called now and then while an upgrade rewrites the answers.
using UpgradeProgress = std::function<void(std::int64_t done, std::int64_t total)>;

// Judges a file from its first 100 bytes, before SQLite opens it: SQLite would roll back a hot
// journal or checkpoint a log of a file that is not ours, and that is writing it.
RecordsStatus CheckHeader(const std::filesystem::path& path);

// Makes the current schema in an empty database (the caller holds a write transaction).
void CreateSchema(SqliteDatabase& database);

// Indexes the figures need, made IF NOT EXISTS at every writable open: they change no version,
// and a file without them (read-only) reads the same, only slower.
void CreateHelpIndexes(SqliteDatabase& database);

// Checks that the open file is ours and of a version this program reads; makes the schema in an
// empty file and upgrades an older one (both only when writable is true, else a failure).
// Writes nothing when the file is not ours or newer.
RecordsStatus PrepareSchema(SqliteDatabase& database, const std::string& where, bool writable,
                            const UpgradeProgress& progress);

}  // namespace zelkon
