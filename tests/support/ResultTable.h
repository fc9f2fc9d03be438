#pragma once

#include <QList>
#include <QStringList>

// The rows of a GO/NG result table file, each as its six fields in order, read through QtSql.
QList<QStringList> ReadResultTable(const QString& path);
