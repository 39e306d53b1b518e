// A thin RAII layer over the SQLite C API for the records library. It throws SqliteError; the
// public functions of the library catch it and report a RecordsStatus instead.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace zelkon {

class SqliteError : public std::runtime_error {
public:
    SqliteError(int code, const std::string& message, int systemErrno = 0)
        : std::runtime_error(message), m_code(code), m_systemErrno(systemErrno) {}
    int code() const { return m_code; }  // extended result code
    int primaryCode() const { return m_code & 0xff; }
    // errno of the failed system call behind an I/O error, or 0.
    int systemErrno() const { return m_systemErrno; }

private:
    int m_code;
    int m_systemErrno;
};

class SqliteStatement {
public:
    SqliteStatement(sqlite3* db, std::string_view sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    // Parameters count from 1, as in SQL.
    SqliteStatement& bind(int index, std::int64_t value);
    SqliteStatement& bind(int index, double value);
    SqliteStatement& bind(int index, std::string_view text);
    SqliteStatement& bindNull(int index);

    // True while a row is ready; false once the statement is done.
    bool step();
    // Runs a statement that returns no row, then resets it for the next bindings.
    void run();
    void reset();

    bool isNull(int column) const;
    std::int64_t int64(int column) const;
    double real(int column) const;
    // Valid until the next step or reset.
    std::string_view text(int column) const;

private:
    sqlite3* m_db;
    sqlite3_stmt* m_statement = nullptr;
};

class SqliteDatabase {
public:
    // flags: SQLITE_OPEN_* values. Throws SqliteError when SQLite cannot open the file.
    SqliteDatabase(const std::filesystem::path& path, int flags);
    ~SqliteDatabase();
    SqliteDatabase(const SqliteDatabase&) = delete;
    SqliteDatabase& operator=(const SqliteDatabase&) = delete;

    void execute(std::string_view sql);
    SqliteStatement prepare(std::string_view sql) { return SqliteStatement(m_db, sql); }
    // The first column of the first row of a query, as an integer.
    std::int64_t queryInt64(std::string_view sql);
    std::string queryText(std::string_view sql);
    bool isReadOnly() const;
    sqlite3* handle() const { return m_db; }

    // Throws the error SQLite holds for this connection, with what was being done.
    [[noreturn]] void fail(int code, std::string_view doing) const;

private:
    sqlite3* m_db = nullptr;
};

// BEGIN on construction (IMMEDIATE for writers, so two writers queue at once instead of
// deadlocking later); ROLLBACK on destruction unless committed.
class SqliteTransaction {
public:
    enum class Kind { Read, Write };
    SqliteTransaction(SqliteDatabase& database, Kind kind);
    ~SqliteTransaction();
    SqliteTransaction(const SqliteTransaction&) = delete;
    SqliteTransaction& operator=(const SqliteTransaction&) = delete;

    void commit();

private:
    SqliteDatabase& m_database;
    bool m_open = true;
};

}  // namespace zelkon
