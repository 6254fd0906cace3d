// A small RAII wrapper of SQLite's C API: one connection, prepared statements with bound values,
// and a failure as an exception that carries SQLite's own code and message.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace velmarto::store {

class SqliteFailure : public std::runtime_error {
public:
    SqliteFailure(int code, const std::string& message)
        : std::runtime_error(message), m_code(code) {}
    int Code() const { return m_code; }
    bool Busy() const;
    bool NotADatabase() const;
    // The file cannot be written.
    bool ReadOnly() const;
    // The file, or one beside it (-wal, -shm), cannot be opened or made.
    bool CannotOpen() const;

private:
    int m_code;
};

class Connection {
public:
    enum class Open {
        CreateIfMissing,
        ExistingOnly,
        ReadOnly,   // never writes, though it may make the -wal and -shm files to read a WAL
        Immutable,  // reads the file as it is: for a folder where those files cannot be made
    };
    Connection(const std::string& path, Open open);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Fixed statements without parameters or results: pragmas, the schema, transactions.
    void Execute(std::string_view sql);
    std::int64_t LastInsertId() const;
    // Rows the last INSERT, UPDATE or DELETE touched.
    std::int64_t Changes() const;
    // True when SQLite opened the file for reading only, asked to or not.
    bool ReadOnly() const;
    sqlite3* Handle() const { return m_db; }
    [[noreturn]] void Fail(int code) const;

private:
    sqlite3* m_db = nullptr;
};

class Statement {
public:
    Statement(Connection& connection, std::string_view sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& Bind(int index, std::int64_t value);
    Statement& Bind(int index, std::string_view text);
    // True while there is a row to read; false when done.
    bool Step();
    std::int64_t Integer(int column) const;
    bool IsNull(int column) const;
    std::string Text(int column) const;
    void Reset();

private:
    Connection& m_connection;
    sqlite3_stmt* m_statement = nullptr;
};

// Commits on Commit(); rolls back when left any other way. A write transaction takes the write
// lock up front (BEGIN IMMEDIATE), so what it read cannot change before it writes.
class Transaction {
public:
    enum class Kind { Read, Write };
    explicit Transaction(Connection& connection, Kind kind = Kind::Write);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void Commit();

private:
    Connection& m_connection;
    bool m_open = true;
};

}  // namespace velmarto::store
