// A thin RAII layer over the SQLite C API for the records library. It throws SqliteError; the
// public functions of the library catch it and report a RecordsStatus instead.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>

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

// A statement the database keeps prepared for the next use of the same text (those run at
// every answer), lent out one borrower at a time. It is reset, its bindings cleared, when the
// borrower is done, so that no read is left open to hold up a writer. It must not outlive the
// database.
class ReusedStatement {
public:
    ReusedStatement(ReusedStatement&& other) noexcept
        : m_statement(other.m_statement), m_lent(other.m_lent), m_own(std::move(other.m_own)) {
        other.m_statement = nullptr;
        other.m_lent = nullptr;
    }
    ReusedStatement& operator=(ReusedStatement&&) = delete;
    ~ReusedStatement();

    SqliteStatement& operator*() const { return *m_statement; }
    SqliteStatement* operator->() const { return m_statement; }

private:
    friend class SqliteDatabase;
    ReusedStatement(SqliteStatement& kept, bool& lent) : m_statement(&kept), m_lent(&lent) {
        lent = true;
    }
    explicit ReusedStatement(std::unique_ptr<SqliteStatement> own)
        : m_statement(own.get()), m_own(std::move(own)) {}

    SqliteStatement* m_statement;
    bool* m_lent = nullptr;
    std::unique_ptr<SqliteStatement> m_own;  // a second borrower of a text in use gets its own
};

// One connection, used by one thread at a time (the statements it keeps are not locked).
class SqliteDatabase {
public:
    // flags: SQLITE_OPEN_* values. Throws SqliteError when SQLite cannot open the file.
    SqliteDatabase(const std::filesystem::path& path, int flags);
    ~SqliteDatabase();
    SqliteDatabase(const SqliteDatabase&) = delete;
    SqliteDatabase& operator=(const SqliteDatabase&) = delete;

    void execute(std::string_view sql);
    SqliteStatement prepare(std::string_view sql) { return SqliteStatement(m_db, sql); }
    // The statement of this text kept from its last use, prepared on the first: preparing takes
    // longer than running the small statements of an answer.
    ReusedStatement reuse(std::string_view sql);
    // The first column of the first row of a query, as an integer.
    std::int64_t queryInt64(std::string_view sql);
    std::string queryText(std::string_view sql);
    bool isReadOnly() const;
    sqlite3* handle() const { return m_db; }

    // Throws the error SQLite holds for this connection, with what was being done.
    [[noreturn]] void fail(int code, std::string_view doing) const;

private:
    struct Kept {
        std::unique_ptr<SqliteStatement> statement;
        bool lent = false;
    };

    sqlite3* m_db = nullptr;
    std::unordered_map<std::string, Kept> m_kept;
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
