#pragma once
#include <QByteArray>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// One SQLite connection, closed with the object. Paths are never read as URIs.
class SqliteDatabase {
public:
    // Files of others are read through their bytes only; a file this process
    // has just written and still holds may be read back in place.
    enum Mode { CreateNew, ReadOwnFile };
    SqliteDatabase(const QString& path, Mode mode);
    // A read-only database over the bytes of a file, which must outlive it:
    // nothing beside that file, no journal and no WAL, is ever looked at.
    explicit SqliteDatabase(QByteArray& fileBytes);
    ~SqliteDatabase();
    SqliteDatabase(const SqliteDatabase&) = delete;
    SqliteDatabase& operator=(const SqliteDatabase&) = delete;

    bool isOpen() const { return db_ != nullptr; }
    bool execute(const QString& sql);
    int errorCode() const;
    QString errorText() const;
    sqlite3* handle() { return db_; }

private:
    void secure();

    sqlite3* db_ = nullptr;
    int openError_ = 0;
};

// A prepared statement; values bind from 1, columns read from 0.
class SqliteStatement {
public:
    SqliteStatement(SqliteDatabase& db, const QString& sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    bool isValid() const { return stmt_ != nullptr; }
    void bindNull(int index);
    void bindInteger(int index, std::int64_t value);
    void bindText(int index, const QString& text);
    // Bytes that stay unchanged until the statement is stepped.
    void bindUtf8(int index, QByteArrayView utf8);
    void bindBlob(int index, const QByteArray& bytes);
    // Runs an insert or fetches the next row; false at the end or on an error.
    bool step();
    bool failed() const { return failed_; }
    void reset();

    enum Type { Integer = 1, Float = 2, Text = 3, Blob = 4, Null = 5 };
    Type columnType(int column) const;
    std::int64_t columnInteger(int column) const;
    QString columnText(int column) const;
    QByteArrayView columnUtf8(int column) const;
    // The text without an allocation: valid until the next call.
    QStringView columnTextView(int column);
    QByteArray columnBytes(int column) const;

private:
    sqlite3_stmt* stmt_ = nullptr;
    bool failed_ = false;
    std::vector<char16_t> textBuffer_;
};
