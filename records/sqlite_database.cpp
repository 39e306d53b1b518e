#include "sqlite_database.h"

#include <cassert>
#include <sqlite3.h>

namespace zelkon {

namespace {

std::string describe(sqlite3* db, int code, std::string_view doing) {
    std::string message(doing);
    message += ": ";
    message += db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(code);
    return message;
}

}  // namespace

SqliteStatement::SqliteStatement(sqlite3* db, std::string_view sql) : m_db(db) {
    const int code =
        sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &m_statement, nullptr);
    if (code != SQLITE_OK) {
        throw SqliteError(sqlite3_extended_errcode(db), describe(db, code, sql));
    }
}

SqliteStatement::~SqliteStatement() {
    sqlite3_finalize(m_statement);
}

SqliteStatement& SqliteStatement::bind(int index, std::int64_t value) {
    sqlite3_bind_int64(m_statement, index, value);
    return *this;
}

SqliteStatement& SqliteStatement::bind(int index, double value) {
    sqlite3_bind_double(m_statement, index, value);
    return *this;
}

SqliteStatement& SqliteStatement::bind(int index, std::string_view text) {
    sqlite3_bind_text(m_statement, index, text.data(), static_cast<int>(text.size()),
                      SQLITE_TRANSIENT);
    return *this;
}

SqliteStatement& SqliteStatement::bindNull(int index) {
    sqlite3_bind_null(m_statement, index);
    return *this;
}

bool SqliteStatement::step() {
    const int code = sqlite3_step(m_statement);
    if (code == SQLITE_ROW) {
        return true;
    }
    if (code == SQLITE_DONE) {
        return false;
    }
    const int extended = sqlite3_extended_errcode(m_db);
    const int systemErrno = sqlite3_system_errno(m_db);
    const std::string message = describe(m_db, code, sqlite3_sql(m_statement));
    sqlite3_reset(m_statement);
    throw SqliteError(extended, message, systemErrno);
}

void SqliteStatement::run() {
    while (step()) {
    }
    reset();
}

void SqliteStatement::reset() {
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
}

bool SqliteStatement::isNull(int column) const {
    return sqlite3_column_type(m_statement, column) == SQLITE_NULL;
}

std::int64_t SqliteStatement::int64(int column) const {
    return sqlite3_column_int64(m_statement, column);
}

double SqliteStatement::real(int column) const {
    return sqlite3_column_double(m_statement, column);
}

std::string_view SqliteStatement::text(int column) const {
    const unsigned char* text = sqlite3_column_text(m_statement, column);
    if (text == nullptr) {
        return {};
    }
    return {reinterpret_cast<const char*>(text),
            static_cast<std::size_t>(sqlite3_column_bytes(m_statement, column))};
}

SqliteDatabase::SqliteDatabase(const std::filesystem::path& path, int flags) {
    const int code = sqlite3_open_v2(path.c_str(), &m_db, flags | SQLITE_OPEN_EXRESCODE, nullptr);
    if (code != SQLITE_OK) {
        const std::string message = describe(m_db, code, "cannot open " + path.string());
        const int extended = m_db != nullptr ? sqlite3_extended_errcode(m_db) : code;
        const int systemErrno = m_db != nullptr ? sqlite3_system_errno(m_db) : 0;
        sqlite3_close_v2(m_db);
        m_db = nullptr;
        throw SqliteError(extended, message, systemErrno);
    }
}

SqliteDatabase::~SqliteDatabase() {
    // A borrower left would reset a finalized statement and free its flag's memory.
    for ([[maybe_unused]] const auto& [sql, kept] : m_kept) {
        assert(!kept.lent);
    }
    m_kept.clear();
    sqlite3_close_v2(m_db);
}

ReusedStatement SqliteDatabase::reuse(std::string_view sql) {
    auto [kept, added] = m_kept.try_emplace(std::string(sql));
    if (kept->second.lent) {
        return ReusedStatement(std::make_unique<SqliteStatement>(m_db, sql));
    }
    if (added) {
        try {
            kept->second.statement = std::make_unique<SqliteStatement>(m_db, sql);
        } catch (...) {
            m_kept.erase(kept);
            throw;
        }
    }
    return ReusedStatement(*kept->second.statement, kept->second.lent);
}

ReusedStatement::~ReusedStatement() {
    if (m_statement != nullptr) {
        m_statement->reset();
    }
    if (m_lent != nullptr) {
        *m_lent = false;
    }
}

void SqliteDatabase::execute(std::string_view sql) {
    const std::string text(sql);
    const int code = sqlite3_exec(m_db, text.c_str(), nullptr, nullptr, nullptr);
    if (code != SQLITE_OK) {
        fail(code, sql);
    }
}

std::int64_t SqliteDatabase::queryInt64(std::string_view sql) {
    SqliteStatement statement(m_db, sql);
    return statement.step() ? statement.int64(0) : 0;
}

std::string SqliteDatabase::queryText(std::string_view sql) {
    SqliteStatement statement(m_db, sql);
    return statement.step() ? std::string(statement.text(0)) : std::string();
}

bool SqliteDatabase::isReadOnly() const {
    return sqlite3_db_readonly(m_db, "main") == 1;
}

void SqliteDatabase::fail(int code, std::string_view doing) const {
    throw SqliteError(sqlite3_extended_errcode(m_db), describe(m_db, code, doing),
                      sqlite3_system_errno(m_db));
}

SqliteTransaction::SqliteTransaction(SqliteDatabase& database, Kind kind) : m_database(database) {
    m_database.execute(kind == Kind::Write ? "BEGIN IMMEDIATE" : "BEGIN");
}

SqliteTransaction::~SqliteTransaction() {
    if (m_open && sqlite3_get_autocommit(m_database.handle()) == 0) {
        sqlite3_exec(m_database.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
    }
}

void SqliteTransaction::commit() {
    m_database.execute("COMMIT");
    m_open = false;
}

}  // namespace zelkon
