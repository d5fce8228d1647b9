#pragma once

#include "DbConnection.h"

#include <QString>
#include <QTemporaryDir>
#include <QVariant>
#include <memory>

// A throw-away embedded restaurant database in a temporary folder, built from the schema the demo uses.
// It has its own connection for setting rows up and reading them back, apart from the connection under
// test.
class TestDatabase {
public:
    TestDatabase();

    QString filePath() const { return path_; }
    QString folder() const { return dir_.path(); }
    // The connection string the data module composes for a database whose "Source" is "sqlite:<file>".
    QString connectionString() const;

    void exec(const QString& script);
    QVariant scalar(const QString& sql);
    // Connects the set-up connection again, to the file the path names now (a copy put in its place).
    void reopen();

private:
    QTemporaryDir dir_;
    QString path_;
    std::unique_ptr<DbConnection> setup_;
};

// The embedded schema's script, read from the source tree.
QString sqliteSchemaScript();
