#include "database/Database.h"

#include "database/ParadoxFormat.h"
#include "database/TableFiles.h"
#include "files/FileSystem.h"

#include <algorithm>

namespace database {

namespace px = paradox;

namespace {

std::string quoted(const std::string& text)
{
    return "'" + text + "'";
}

bool sameText(const std::string& a, const std::string& b)
{
    return files::upperAscii(a) == files::upperAscii(b);
}

[[noreturn]] void fail(EngineError::Code code, const std::string& text)
{
    throw EngineError(code, text);
}

bool isText(px::FieldType type)
{
    return type == px::FieldType::Alpha || type == px::FieldType::Memo ||
           type == px::FieldType::FormattedMemo;
}

} // namespace

EngineError::EngineError(Code code, const std::string& text) : std::runtime_error(text), m_code(code) {}

EngineError::Code EngineError::code() const
{
    return m_code;
}

// ---- Session ------------------------------------------------------------------

struct TSession::Impl
{
    std::vector<std::string> passwords;
    std::string netFileDir;
    PasswordPrompt prompt;
    std::vector<TDatabase*> databases;

    bool knows(std::uint32_t check) const
    {
        return std::any_of(passwords.begin(), passwords.end(), [&](const std::string& p) {
            return px::passwordCheck(files::toCp950(p)) == check;
        });
    }
};

TSession::TSession() : m(std::make_unique<Impl>()) {}

TSession::~TSession() = default;

std::string TSession::SessionName() const
{
    return "Default";
}

void TSession::AddPassword(const std::string& password)
{
    if (std::find(m->passwords.begin(), m->passwords.end(), password) == m->passwords.end())
        m->passwords.push_back(password);
}

void TSession::RemoveAllPasswords()
{
    m->passwords.clear();
}

std::string TSession::NetFileDir() const
{
    return m->netFileDir;
}

void TSession::SetNetFileDir(const std::string& folder)
{
    if (!folder.empty() && !files::directoryExists(folder))
        fail(EngineError::Code::FolderNotFound,
             "Network control folder " + quoted(folder) + " does not exist.");
    m->netFileDir = folder;
}

void TSession::SetPasswordPrompt(PasswordPrompt prompt)
{
    m->prompt = std::move(prompt);
}

TDatabase* TSession::FindDatabase(const std::string& databaseName) const
{
    for (TDatabase* database : m->databases) {
        if (!databaseName.empty() && sameText(database->DatabaseName(), databaseName))
            return database;
    }
    return nullptr;
}

TSession& Session()
{
    static TSession session;
    return session;
}

// ---- Database -------------------------------------------------------------------

struct TDatabase::Impl
{
    std::string name;
    std::string driver;
    std::string sessionName = "Default";
    std::vector<std::string> params;
    bool connected = false;
    std::string folder;
    std::vector<TTable*> tables; // open through this database
};

TDatabase::TDatabase() : m(std::make_unique<Impl>())
{
    Session().m->databases.push_back(this);
}

TDatabase::~TDatabase()
{
    Close();
    auto& all = Session().m->databases;
    all.erase(std::remove(all.begin(), all.end(), this), all.end());
}

std::string TDatabase::DatabaseName() const
{
    return m->name;
}

void TDatabase::SetDatabaseName(const std::string& name)
{
    m->name = name;
}

std::string TDatabase::DriverName() const
{
    return m->driver;
}

void TDatabase::SetDriverName(const std::string& name)
{
    m->driver = name;
}

std::string TDatabase::SessionName() const
{
    return m->sessionName;
}

void TDatabase::SetSessionName(const std::string& name)
{
    m->sessionName = name;
}

std::vector<std::string>& TDatabase::Params()
{
    return m->params;
}

const std::vector<std::string>& TDatabase::Params() const
{
    return m->params;
}

void TDatabase::Open()
{
    if (m->connected)
        return;
    if (m->name.empty())
        fail(EngineError::Code::General, "The database has no name.");
    if (!sameText(m->driver, "STANDARD"))
        fail(EngineError::Code::General,
             "Database " + quoted(m->name) + ": unknown driver " + quoted(m->driver) + ".");
    if (!m->sessionName.empty() && !sameText(m->sessionName, Session().SessionName()))
        fail(EngineError::Code::General,
             "Database " + quoted(m->name) + ": unknown session " + quoted(m->sessionName) + ".");
    std::string folder;
    bool hasPath = false;
    for (const std::string& line : m->params) {
        std::size_t equals = line.find('=');
        if (equals != std::string::npos && sameText(line.substr(0, equals), "PATH")) {
            folder = line.substr(equals + 1);
            hasPath = true;
        }
    }
    if (!hasPath || folder.empty())
        folder = files::currentFolder();
    if (!files::directoryExists(folder))
        fail(EngineError::Code::FolderNotFound,
             "Folder " + quoted(folder) + " of database " + quoted(m->name) + " does not exist.");
    m->folder = files::expandPath(folder);
    m->connected = true;
}

void TDatabase::Close()
{
    std::vector<TTable*> open = m->tables;
    for (TTable* table : open)
        table->Close();
    m->tables.clear();
    m->connected = false;
    m->folder.clear();
}

bool TDatabase::Connected() const
{
    return m->connected;
}

void TDatabase::SetConnected(bool connected)
{
    connected ? Open() : Close();
}

std::string TDatabase::Directory() const
{
    return m->folder;
}

// ---- Table ------------------------------------------------------------------------

struct TTable::Impl
{
    TTable& self;
    std::string databaseName;
    std::string tableName;
    DataSetState state = DataSetState::Inactive;
    TDatabase* database = nullptr;
    std::string path;      // of the data file
    std::string indexPath; // of the primary index
    px::Table table;
    std::vector<std::unique_ptr<TField>> fields;
    std::size_t current = 0;
    bool eof = true;
    std::string buffer;   // the row being edited or inserted
    std::string original; // the row as it was when editing began

    explicit Impl(TTable& owner) : self(owner) {}

    void requireActive() const
    {
        if (state == DataSetState::Inactive)
            fail(EngineError::Code::General,
                 "Cannot perform this operation on a closed dataset (table " + quoted(tableName) + ").");
    }

    bool hasRow() const
    {
        return current < table.records.size();
    }

    std::string_view row() const
    {
        if (state == DataSetState::Edit || state == DataSetState::Insert)
            return buffer;
        return hasRow() ? std::string_view(table.records[current]) : std::string_view();
    }

    void locate()
    {
        TDatabase* found = Session().FindDatabase(databaseName);
        if (found == nullptr)
            fail(EngineError::Code::DatabaseNotFound, "Database " + quoted(databaseName) + " not found.");
        found->Open();
        std::string name = tableName;
        std::size_t slash = name.rfind('\\');
        if (name.find('.', slash == std::string::npos ? 0 : slash) == std::string::npos)
            name += ".DB";
        bool absolute = name.find(':') != std::string::npos || (!name.empty() && name[0] == '\\');
        path = files::expandPath(absolute ? name : files::joinName(found->Directory(), name));
        std::size_t dot = path.rfind('.');
        std::string ext = path.substr(dot);
        bool lower = ext != files::upperAscii(ext);
        indexPath = path.substr(0, dot) + (lower ? ".px" : ".PX");
        database = found;
    }

    // The table as its files hold it now, readable with the session's passwords.
    px::Table load()
    {
        std::string bytes;
        int error = files::NoError;
        if (!detail::readTableFile(path, bytes, error)) {
            if (error == files::FileNotFound || error == files::PathNotFound)
                fail(EngineError::Code::TableNotFound, "Table " + quoted(path) + " does not exist.");
            fail(EngineError::Code::General,
                 "Cannot read table " + quoted(path) + " (error " + std::to_string(error) + ").");
        }
        px::Table t;
        try {
            t = px::parseTable(bytes);
        } catch (const px::FormatError& e) {
            fail(EngineError::Code::CorruptTable, "Table " + quoted(path) + " is corrupt: " + e.what() + ".");
        }
        if (t.passwordCheck != 0)
            requirePassword(t.passwordCheck);
        return t;
    }

    void requirePassword(std::uint32_t check)
    {
        TSession::Impl& session = *Session().m;
        while (!session.knows(check)) {
            std::optional<std::string> given;
            if (session.prompt)
                given = session.prompt(path);
            if (!given)
                fail(EngineError::Code::WrongPassword,
                     "Table " + quoted(path) + " is protected by a password that was not given.");
            if (px::passwordCheck(files::toCp950(*given)) == check)
                Session().AddPassword(*given);
        }
    }

    void open()
    {
        locate();
        table = load();
        fields.clear();
        for (std::size_t i = 0; i < table.fields.size(); ++i)
            fields.push_back(std::unique_ptr<TField>(new TField(self, i)));
        state = DataSetState::Browse;
        current = 0;
        eof = table.records.empty();
        database->m->tables.push_back(&self);
    }

    void close()
    {
        if (database != nullptr) {
            auto& open = database->m->tables;
            open.erase(std::remove(open.begin(), open.end(), &self), open.end());
        }
        database = nullptr;
        state = DataSetState::Inactive;
        table = px::Table();
        fields.clear();
        buffer.clear();
        original.clear();
        current = 0;
        eof = true;
    }

    std::string fieldName(std::size_t index) const
    {
        return files::fromCp950(table.fields[index].name);
    }

    // Posts a pending change, as moving to another row does.
    void checkBrowseMode()
    {
        if (state == DataSetState::Edit || state == DataSetState::Insert) {
            if (state == DataSetState::Edit && buffer == original)
                state = DataSetState::Browse;
            else
                post();
        }
    }

    // The position of a row in fresh, by key or, in an unkeyed table, by its bytes.
    std::optional<std::size_t> find(const px::Table& fresh, const std::string& record) const
    {
        for (std::size_t i = 0; i < fresh.records.size(); ++i) {
            if (fresh.keyed ? px::sameKey(fresh, fresh.records[i], record) : fresh.records[i] == record)
                return i;
        }
        return std::nullopt;
    }

    bool sameLayout(const px::Table& fresh) const
    {
        if (fresh.fields.size() != table.fields.size() || fresh.keyFields != table.keyFields ||
            fresh.recordSize != table.recordSize)
            return false;
        for (std::size_t i = 0; i < fresh.fields.size(); ++i) {
            if (fresh.fields[i].type != table.fields[i].type || fresh.fields[i].size != table.fields[i].size)
                return false;
        }
        return true;
    }

    // Applies one change to the table as it is on disk now, under the lock,
    // and rewrites it; change returns the position of the row to make
    // current, or nothing when the table stays as it is.
    template <typename Change> void rewrite(Change change)
    {
        detail::TableLock lock(path);
        px::Table fresh = load();
        if (!sameLayout(fresh))
            fail(EngineError::Code::General,
                 "Table " + quoted(path) + " was restructured by another program; open it again.");
        std::optional<std::size_t> position = change(fresh);
        if (position) {
            if (fresh.writeProtected)
                fail(EngineError::Code::ReadOnly, "Table " + quoted(path) + " is write-protected.");
            std::vector<std::string> indexes = detail::secondaryIndexFiles(path);
            if (!indexes.empty())
                fail(EngineError::Code::ReadOnly, "Table " + quoted(path) + " has secondary indexes (" +
                                                      indexes.front() +
                                                      "); changing it would leave them out of date.");
            std::string data, index;
            std::string oldIndex;
            try {
                data = px::writeTable(fresh);
                if (fresh.keyed) {
                    int ignored;
                    if (files::fileExists(indexPath) && !detail::readTableFile(indexPath, oldIndex, ignored))
                        oldIndex.clear();
                    index = px::writePrimaryIndex(fresh, oldIndex);
                }
            } catch (const px::FormatError& e) {
                fail(EngineError::Code::WriteFailed,
                     "Cannot write table " + quoted(path) + ": " + e.what() + ".");
            }
            int indexError = files::NoError;
            bool indexWritten = detail::replaceTableFiles(path, data, fresh.keyed ? indexPath : std::string(),
                                                          index, indexError);
            adopt(std::move(fresh), *position);
            if (!indexWritten)
                fail(EngineError::Code::WriteFailed,
                     "The rows of table " + quoted(path) + " were written, but its primary index " +
                         quoted(indexPath) + " could not be (error " + std::to_string(indexError) +
                         "); the next change rewrites it.");
        } else {
            adopt(std::move(fresh), current);
        }
    }

    void adopt(px::Table fresh, std::size_t position)
    {
        table = std::move(fresh);
        state = DataSetState::Browse;
        buffer.clear();
        original.clear();
        current = std::min(position, table.records.empty() ? 0 : table.records.size() - 1);
        eof = table.records.empty();
    }

    void giveAutoIncrements(px::Table& fresh, std::string& record) const
    {
        for (const px::Field& field : fresh.fields) {
            if (field.type != px::FieldType::AutoIncrement)
                continue;
            std::int64_t next = fresh.autoIncrement;
            for (const std::string& r : fresh.records) {
                std::string text = px::valueText(field, px::fieldBytes(field, r));
                if (!text.empty())
                    next = std::max<std::int64_t>(next, std::stoll(text));
            }
            ++next;
            fresh.autoIncrement = std::int32_t(next);
            std::string raw = std::to_string(next);
            px::Field writable = field;
            writable.type = px::FieldType::Long;
            px::storeText(writable, raw, record.data() + field.offset);
        }
    }

    // Where a new row goes: after every row with a lower key.
    std::size_t insertionPoint(const px::Table& fresh, const std::string& record) const
    {
        if (!fresh.keyed)
            return fresh.records.size();
        for (std::size_t i = 0; i < fresh.records.size(); ++i) {
            if (px::compareKeys(fresh, fresh.records[i], record) > 0)
                return i;
        }
        return fresh.records.size();
    }

    void post()
    {
        if (state != DataSetState::Edit && state != DataSetState::Insert)
            fail(EngineError::Code::NotEditing,
                 "Table " + quoted(tableName) + " is not in edit or insert mode.");
        bool inserting = state == DataSetState::Insert;
        std::string record = buffer;
        std::string was = original;
        rewrite([&](px::Table& fresh) -> std::optional<std::size_t> {
            // Not a conditional expression: GCC 12 at -Os then takes the empty
            // optional for an uninitialised one (-Wmaybe-uninitialized).
            std::optional<std::size_t> old;
            if (!inserting)
                old = find(fresh, was);
            if (old && fresh.records[*old] == record)
                return std::nullopt; // nothing to change
            if (old)
                fresh.records.erase(fresh.records.begin() + std::ptrdiff_t(*old));
            else if (inserting)
                giveAutoIncrements(fresh, record);
            if (fresh.keyed && find(fresh, record))
                fail(EngineError::Code::KeyViolation, "Key violation in table " + quoted(path) + ".");
            std::size_t at = !fresh.keyed && old ? *old : insertionPoint(fresh, record);
            fresh.records.insert(fresh.records.begin() + std::ptrdiff_t(at), record);
            return at;
        });
    }

    void remove()
    {
        std::string record = table.records[current];
        std::size_t at = current;
        rewrite([&](px::Table& fresh) -> std::optional<std::size_t> {
            std::optional<std::size_t> found = find(fresh, record);
            if (!found)
                return std::nullopt; // already gone
            fresh.records.erase(fresh.records.begin() + std::ptrdiff_t(*found));
            return std::min(at, *found);
        });
    }
};

TTable::TTable() : m(std::make_unique<Impl>(*this)) {}

TTable::~TTable()
{
    Close();
}

std::string TTable::DatabaseName() const
{
    return m->databaseName;
}

void TTable::SetDatabaseName(const std::string& name)
{
    m->databaseName = name;
}

std::string TTable::TableName() const
{
    return m->tableName;
}

void TTable::SetTableName(const std::string& name)
{
    m->tableName = name;
}

void TTable::Open()
{
    if (m->state != DataSetState::Inactive)
        return;
    try {
        m->open();
    } catch (...) {
        m->close();
        throw;
    }
}

void TTable::Close()
{
    m->close();
}

bool TTable::Active() const
{
    return m->state != DataSetState::Inactive;
}

void TTable::SetActive(bool active)
{
    active ? Open() : Close();
}

DataSetState TTable::State() const
{
    return m->state;
}

int TTable::RecordCount() const
{
    m->requireActive();
    return int(m->table.records.size());
}

void TTable::First()
{
    m->requireActive();
    m->checkBrowseMode();
    m->current = 0;
    m->eof = m->table.records.empty();
}

void TTable::Next()
{
    m->requireActive();
    m->checkBrowseMode();
    if (m->current + 1 < m->table.records.size())
        ++m->current;
    else
        m->eof = true;
}

bool TTable::Eof() const
{
    m->requireActive();
    return m->eof;
}

TField& TTable::FieldByName(const std::string& name)
{
    m->requireActive();
    for (std::size_t i = 0; i < m->fields.size(); ++i) {
        if (sameText(m->fieldName(i), name))
            return *m->fields[i];
    }
    fail(EngineError::Code::FieldNotFound, "Field '" + name + "' not found");
}

bool TTable::FindKey(const std::string& value)
{
    m->requireActive();
    m->checkBrowseMode();
    const px::Table& t = m->table;
    if (!t.keyed)
        fail(EngineError::Code::General, "Table " + quoted(m->path) + " has no primary key to search.");
    const px::Field& key = t.fields[0];
    std::string raw(std::size_t(key.size), '\0');
    if (!px::storeText(key, isText(key.type) ? files::toCp950(value) : value, raw.data()))
        fail(EngineError::Code::InvalidValue,
             quoted(value) + " is not a valid value for field " + quoted(m->fieldName(0)) + ".");
    for (std::size_t i = 0; i < t.records.size(); ++i) {
        if (px::fieldBytes(key, t.records[i]) == raw) {
            m->current = i;
            m->eof = false;
            return true;
        }
    }
    return false;
}

void TTable::Edit()
{
    m->requireActive();
    if (m->state != DataSetState::Browse)
        return;
    if (!m->hasRow()) {
        Append();
        return;
    }
    m->buffer = m->table.records[m->current];
    m->original = m->buffer;
    m->state = DataSetState::Edit;
}

void TTable::Append()
{
    m->requireActive();
    m->checkBrowseMode();
    m->buffer.assign(std::size_t(m->table.recordSize), '\0');
    m->original.clear();
    m->state = DataSetState::Insert;
}

void TTable::Post()
{
    m->requireActive();
    m->post();
}

void TTable::Cancel()
{
    m->requireActive();
    if (m->state == DataSetState::Edit || m->state == DataSetState::Insert) {
        m->state = DataSetState::Browse;
        m->buffer.clear();
        m->original.clear();
    }
}

void TTable::Delete()
{
    m->requireActive();
    if (m->state == DataSetState::Insert) {
        Cancel();
        return;
    }
    Cancel();
    if (!m->hasRow() || m->table.records.empty())
        fail(EngineError::Code::General, "Cannot delete from table " + quoted(m->path) + ": it has no rows.");
    m->remove();
}

// ---- Field ---------------------------------------------------------------------------

TField::TField(TTable& table, std::size_t index) : m_table(&table), m_index(index) {}

std::string TField::FieldName() const
{
    return m_table->m->fieldName(m_index);
}

std::string TField::AsString() const
{
    TTable::Impl& t = *m_table->m;
    t.requireActive();
    std::string_view row = t.row();
    if (row.empty())
        return "";
    const px::Field& field = t.table.fields[m_index];
    std::string text = px::valueText(field, px::fieldBytes(field, row));
    return isText(field.type) ? files::fromCp950(text) : text;
}

void TField::SetAsString(const std::string& value)
{
    TTable::Impl& t = *m_table->m;
    t.requireActive();
    if (t.state != DataSetState::Edit && t.state != DataSetState::Insert)
        fail(EngineError::Code::NotEditing,
             "Table " + quoted(t.tableName) + " is not in edit or insert mode.");
    const px::Field& field = t.table.fields[m_index];
    if (field.type == px::FieldType::AutoIncrement)
        fail(EngineError::Code::InvalidValue, "Field " + quoted(FieldName()) + " cannot be modified.");
    std::string stored = isText(field.type) ? files::toCp950(value) : value;
    if (!px::storeText(field, stored, t.buffer.data() + field.offset))
        fail(EngineError::Code::InvalidValue,
             quoted(value) + " is not a valid value for field " + quoted(FieldName()) + ".");
}

OpenTable::OpenTable(TTable& table) : m_table(table)
{
    m_table.Open();
}

OpenTable::~OpenTable()
{
    m_table.Close();
}

} // namespace database
