#include "ResultTable.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

QList<QStringList> ReadResultTable(const QString& path)
{
    const QString connection = QStringLiteral("ResultTableReader");
    QList<QStringList> rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery query(QStringLiteral("SELECT Channel, Setting, Real, Max, Min, Pass FROM "
                                           "GoNGResults"),
                            db);
            while (query.next()) {
                QStringList row;
                for (int i = 0; i < 6; ++i)
                    row << query.value(i).toString();
                rows << row;
            }
        }
    }
    QSqlDatabase::removeDatabase(connection);
    return rows;
}
