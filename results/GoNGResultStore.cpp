#include "GoNGResultStore.h"

#include "GridCells.h"
#include "SequenceCells.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace GoNGResultStore {
namespace {

const QString kConnection = QStringLiteral("GoNGRecorder");
// how long a store waits for a table that another program holds locked
const QString kBusyTimeout = QStringLiteral("QSQLITE_BUSY_TIMEOUT=1000");

enum GoNGColumn { Setting = 2, Real = 3, Max = 4, Min = 5, Verdict = 7 };

QString Tr(const char* text)
{
    return QCoreApplication::translate("GoNGResultStore", text);
}

// Holds the store's named connection for the time of one operation.
class Connection
{
public:
    explicit Connection(const QString& path)
    {
        m_database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kConnection);
        m_database.setDatabaseName(path);
        m_database.setConnectOptions(kBusyTimeout);
        m_database.open();
    }
    ~Connection()
    {
        m_database.close();
        m_database = QSqlDatabase();
        QSqlDatabase::removeDatabase(kConnection);
    }
    QSqlDatabase& database() { return m_database; }

private:
    QSqlDatabase m_database;
};

QString StoreError(const QString& path, const QSqlError& error)
{
    return Tr("Cannot record the GO/NG results in \"%1\": %2")
        .arg(QDir::toNativeSeparators(path), error.text());
}

QSqlError Execute(QSqlQuery& query)
{
    return query.exec() ? QSqlError() : query.lastError();
}

// The five texts of a grid row: its cells when the channel was tested, "N" otherwise.
QStringList RowTexts(const GridCells& grid, int row)
{
    const bool tested = TakesPart(grid.cell(Setting, row)) && TakesPart(grid.cell(Max, row)) &&
                        TakesPart(grid.cell(Min, row));
    QStringList texts;
    for (int column : {Setting, Real, Max, Min, Verdict})
        texts << (tested ? grid.cell(column, row).left(TextWidth) : QStringLiteral("N"));
    return texts;
}

QSqlError WriteRows(QSqlDatabase& database, const GridCells& grid)
{
    QSqlQuery clear(database);
    clear.prepare(QStringLiteral("DELETE FROM %1").arg(QLatin1String(TableName)));
    if (const QSqlError error = Execute(clear); error.isValid())
        return error;
    QSqlQuery insert(database);
    insert.prepare(QStringLiteral("INSERT INTO %1 (Channel, Setting, Real, Max, Min, Pass) "
                                  "VALUES (?, ?, ?, ?, ?, ?)")
                       .arg(QLatin1String(TableName)));
    for (int step = 0; step < StepCountOf(grid); ++step) {
        for (int channel = 1; channel <= 3; ++channel) {
            insert.addBindValue(channel);
            for (const QString& text : RowTexts(grid, StepRow(step, channel)))
                insert.addBindValue(text);
            if (const QSqlError error = Execute(insert); error.isValid())
                return error;
        }
    }
    return {};
}

} // namespace

QString ResultFolder(const QString& programDir)
{
    return QDir(programDir).filePath(QStringLiteral("db"));
}

QString TableFileName(const QString& recorderName)
{
    // Names that would leave the result folder or that no common file system accepts.
    static const QRegularExpression invalid(QStringLiteral("[\\\\/:*?\"<>|\\x00-\\x1F]"));
    const QString trimmed = recorderName.trimmed();
    if (trimmed.isEmpty() || trimmed != recorderName || recorderName.contains(invalid) ||
        recorderName == QLatin1String(".") || recorderName == QLatin1String(".."))
        return {};
    if (recorderName.toUpper().contains(QLatin1String(".DB")))
        return recorderName;
    return recorderName + QStringLiteral(".db");
}

QString CreateGoNGResultTable(const QString& path)
{
    Connection connection(path);
    QSqlDatabase& database = connection.database();
    if (!database.isOpen())
        return StoreError(path, database.lastError());
    QSqlQuery create(database);
    create.prepare(QStringLiteral("CREATE TABLE %1 (Channel INTEGER, Setting VARCHAR(20), "
                                  "Real VARCHAR(20), Max VARCHAR(20), Min VARCHAR(20), "
                                  "Pass VARCHAR(20))")
                       .arg(QLatin1String(TableName)));
    if (const QSqlError error = Execute(create); error.isValid())
        return StoreError(path, error);
    return {};
}

QString SaveGoNGResults(const QString& programDir, const QString& recorderName,
                        const GridCells& goNGGrid)
{
    const QString fileName = TableFileName(recorderName);
    if (fileName.isEmpty())
        return Tr("The recorder name \"%1\" is not a valid file name; the GO/NG results were "
                  "not recorded.")
            .arg(recorderName);
    const QString folder = ResultFolder(programDir);
    QDir().mkpath(folder);
    const QString path = QDir(folder).filePath(fileName);
    if (!QFile::exists(path)) {
        if (const QString error = CreateGoNGResultTable(path); !error.isEmpty())
            return error;
    }

    Connection connection(path);
    QSqlDatabase& database = connection.database();
    if (!database.isOpen() || !database.transaction())
        return StoreError(path, database.lastError());
    QSqlError error = WriteRows(database, goNGGrid);
    if (!error.isValid() && !database.commit())
        error = database.lastError();
    if (error.isValid()) {
        database.rollback();
        return StoreError(path, error);
    }
    return {};
}

} // namespace GoNGResultStore
