#pragma once

// The database engine of the programs: the session with the registered
// table passwords, databases of Paradox tables in one folder (driver
// STANDARD), and tables read row by row in key order and changed through
// an edit buffer. Files are reached through the file-system layer, so
// paths are Windows paths and names match without regard to letter case.

#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace database {

// Every failure of the engine. The text names the table, field or folder.
class EngineError : public std::runtime_error
{
public:
    enum class Code
    {
        General,
        DatabaseNotFound, // no database component of that name
        FolderNotFound,   // a database's or the network-control folder
        TableNotFound,
        CorruptTable,
        WrongPassword, // protected table and no password that fits
        KeyViolation,
        FieldNotFound, // "Field '%s' not found"
        InvalidValue,
        NotEditing,  // a field written, or a row posted, outside edit or insert
        TableLocked, // another program holds the table too long
        ReadOnly,    // write-protected, or secondary indexes a rewrite would leave stale
        WriteFailed,
    };

    EngineError(Code code, const std::string& text);
    Code code() const;

private:
    Code m_code;
};

class TDatabase;
class TTable;

// Asks the user for the password of a protected table (the window
// library's password dialog); nullopt when the user cancels.
using PasswordPrompt = std::function<std::optional<std::string>(const std::string& tableName)>;

// The default session, "Default": registered passwords, the network-control
// folder and the databases that exist.
class TSession
{
public:
    TSession();
    ~TSession();
    TSession(const TSession&) = delete;
    TSession& operator=(const TSession&) = delete;

    std::string SessionName() const;

    // Protected tables open when one of these passwords is theirs.
    void AddPassword(const std::string& password);
    void RemoveAllPasswords();

    // The folder of the engine's network-control file; "" for none. A value
    // that is no existing folder is refused with an engine error.
    std::string NetFileDir() const;
    void SetNetFileDir(const std::string& folder);

    // Asked when a protected table has none of the registered passwords,
    // again after every password that does not fit, until one fits or the
    // user cancels. Without one, such a table does not open.
    void SetPasswordPrompt(PasswordPrompt prompt);

    // The database component of that name, without regard to letter case.
    TDatabase* FindDatabase(const std::string& databaseName) const;

private:
    friend class TDatabase;
    friend class TTable;
    struct Impl;
    std::unique_ptr<Impl> m;
};

TSession& Session();

// A database component: the tables in one folder, named by the PATH entry
// of Params, or the current folder at connection when there is none.
class TDatabase
{
public:
    TDatabase();
    ~TDatabase();
    TDatabase(const TDatabase&) = delete;
    TDatabase& operator=(const TDatabase&) = delete;

    std::string DatabaseName() const;
    void SetDatabaseName(const std::string& name);
    std::string DriverName() const;
    void SetDriverName(const std::string& name);
    std::string SessionName() const;
    void SetSessionName(const std::string& name);
    // "NAME=value" lines.
    std::vector<std::string>& Params();
    const std::vector<std::string>& Params() const;

    // Connecting checks the folder; disconnecting closes the open tables.
    void Open();
    void Close();
    bool Connected() const;
    void SetConnected(bool connected);
    // The folder of the tables while connected.
    std::string Directory() const;

private:
    friend class TTable;
    struct Impl;
    std::unique_ptr<Impl> m;
};

class TField
{
public:
    TField(const TField&) = delete;
    TField& operator=(const TField&) = delete;

    std::string FieldName() const;
    // The current row's value as text ("" for null or when there is no row).
    std::string AsString() const;
    // Writes the edit buffer; only in edit or insert state. Text longer
    // than an alpha field is cut to its width in code-page bytes.
    void SetAsString(const std::string& value);

private:
    friend class TTable;
    TField(TTable& table, std::size_t index);
    TTable* m_table;
    std::size_t m_index;
};

enum class DataSetState
{
    Inactive,
    Browse,
    Edit,
    Insert,
};

// A table component. Opening reads the table; Post and Delete change the
// table on disk at once, under a lock, on what the table holds then.
class TTable
{
public:
    TTable();
    ~TTable();
    TTable(const TTable&) = delete;
    TTable& operator=(const TTable&) = delete;

    std::string DatabaseName() const;
    void SetDatabaseName(const std::string& name);
    // Without an extension the table is name + ".DB".
    std::string TableName() const;
    void SetTableName(const std::string& name);

    void Open();
    void Close();
    bool Active() const;
    void SetActive(bool active);
    DataSetState State() const;

    int RecordCount() const;
    void First();
    void Next();
    bool Eof() const;

    // Throws "Field '%s' not found".
    TField& FieldByName(const std::string& name);
    // Makes the first row whose first key field equals value current.
    bool FindKey(const std::string& value);

    void Edit();
    void Append();
    void Post();
    void Cancel();
    void Delete();

private:
    friend class TField;
    friend class TDatabase;
    struct Impl;
    std::unique_ptr<Impl> m;
};

// A table opened for one step: closed on every way out, which also drops a
// row left in edit or insert state by a failed post, so that the next step
// finds the table as it is on disk.
class OpenTable
{
public:
    explicit OpenTable(TTable& table);
    ~OpenTable();
    OpenTable(const OpenTable&) = delete;
    OpenTable& operator=(const OpenTable&) = delete;

private:
    TTable& m_table;
};

} // namespace database
