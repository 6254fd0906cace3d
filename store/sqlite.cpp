// Every call's result is checked; a failure becomes an SqliteFailure with SQLite's message.
#include "store/sqlite.h"

#include "store/database_path.h"

#include <sqlite3.h>

#include <filesystem>

namespace velmarto::store {

bool SqliteFailure::Busy() const {
    return (m_code & 0xff) == SQLITE_BUSY || (m_code & 0xff) == SQLITE_LOCKED;
}

bool SqliteFailure::NotADatabase() const {
    return (m_code & 0xff) == SQLITE_NOTADB;
}

bool SqliteFailure::ReadOnly() const {
    return (m_code & 0xff) == SQLITE_READONLY || (m_code & 0xff) == SQLITE_PERM;
}

bool SqliteFailure::CannotOpen() const {
    return (m_code & 0xff) == SQLITE_CANTOPEN;
}

namespace {

// A URI names the file for the read-only ways of opening; the characters a URI reserves are
// escaped, and the path is made absolute, with forward slashes and a slash before a drive letter
// (file:///C:/…), so that it never reads as an authority.
std::string FileUri(const std::string& path, std::string_view query) {
    const std::u8string absolute = std::filesystem::absolute(PathFromUtf8(path)).generic_u8string();
    std::string uri = absolute.starts_with(u8'/') ? "file://" : "file:///";
    for (const char8_t c8 : absolute) {
        const char c = static_cast<char>(c8);
        if (c == '%' || c == '?' || c == '#') {
            constexpr std::string_view kHex = "0123456789ABCDEF";
            const auto byte = static_cast<unsigned char>(c);
            uri += {'%', kHex[byte >> 4], kHex[byte & 0xf]};
        } else {
            uri += c;
        }
    }
    return uri + "?" + std::string(query);
}

struct Opening {
    int flags;
    std::string name;
};

Opening OpeningOf(const std::string& path, Connection::Open open) {
    constexpr int kAlways = SQLITE_OPEN_EXRESCODE;
    switch (open) {
        case Connection::Open::CreateIfMissing:
            return {kAlways | SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, path};
        case Connection::Open::ExistingOnly:
            return {kAlways | SQLITE_OPEN_READWRITE, path};
        case Connection::Open::ReadOnly:
            return {kAlways | SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, FileUri(path, "mode=ro")};
        case Connection::Open::Immutable:
            break;
    }
    return {kAlways | SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, FileUri(path, "immutable=1")};
}

}  // namespace

Connection::Connection(const std::string& path, Open open) {
    const Opening opening = OpeningOf(path, open);
    const int code = sqlite3_open_v2(opening.name.c_str(), &m_db, opening.flags, nullptr);
    if (code != SQLITE_OK) {
        const std::string message = m_db ? sqlite3_errmsg(m_db) : sqlite3_errstr(code);
        sqlite3_close(m_db);
        m_db = nullptr;
        throw SqliteFailure(code, message);
    }
}

Connection::~Connection() {
    sqlite3_close(m_db);
}

void Connection::Fail(int code) const {
    throw SqliteFailure(code, sqlite3_errmsg(m_db));
}

void Connection::Execute(std::string_view sql) {
    // sqlite3_exec runs every statement of a script, where a prepared statement takes only one.
    const int code = sqlite3_exec(m_db, std::string(sql).c_str(), nullptr, nullptr, nullptr);
    if (code != SQLITE_OK) {
        Fail(code);
    }
}

std::int64_t Connection::LastInsertId() const {
    return sqlite3_last_insert_rowid(m_db);
}

std::int64_t Connection::Changes() const {
    return sqlite3_changes64(m_db);
}

bool Connection::ReadOnly() const {
    return sqlite3_db_readonly(m_db, "main") == 1;
}

Statement::Statement(Connection& connection, std::string_view sql) : m_connection(connection) {
    const int code = sqlite3_prepare_v2(connection.Handle(), sql.data(),
                                        static_cast<int>(sql.size()), &m_statement, nullptr);
    if (code != SQLITE_OK) {
        connection.Fail(code);
    }
}

Statement::~Statement() {
    sqlite3_finalize(m_statement);
}

Statement& Statement::Bind(int index, std::int64_t value) {
    const int code = sqlite3_bind_int64(m_statement, index, value);
    if (code != SQLITE_OK) {
        m_connection.Fail(code);
    }
    return *this;
}

Statement& Statement::Bind(int index, std::string_view text) {
    const int code = sqlite3_bind_text(m_statement, index, text.data(),
                                       static_cast<int>(text.size()), SQLITE_TRANSIENT);
    if (code != SQLITE_OK) {
        m_connection.Fail(code);
    }
    return *this;
}

bool Statement::Step() {
    const int code = sqlite3_step(m_statement);
    if (code == SQLITE_ROW) {
        return true;
    }
    if (code != SQLITE_DONE) {
        m_connection.Fail(code);
    }
    return false;
}

std::int64_t Statement::Integer(int column) const {
    return sqlite3_column_int64(m_statement, column);
}

bool Statement::IsNull(int column) const {
    return sqlite3_column_type(m_statement, column) == SQLITE_NULL;
}

std::string Statement::Text(int column) const {
    const unsigned char* text = sqlite3_column_text(m_statement, column);
    return text ? std::string(reinterpret_cast<const char*>(text),
                              static_cast<std::size_t>(sqlite3_column_bytes(m_statement, column)))
                : std::string();
}

void Statement::Reset() {
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
}

Transaction::Transaction(Connection& connection, Kind kind) : m_connection(connection) {
    connection.Execute(kind == Kind::Write ? "BEGIN IMMEDIATE" : "BEGIN");
}

Transaction::~Transaction() {
    if (m_open) {
        sqlite3_exec(m_connection.Handle(), "ROLLBACK", nullptr, nullptr, nullptr);
    }
}

void Transaction::Commit() {
    m_connection.Execute("COMMIT");
    m_open = false;
}

}  // namespace velmarto::store
