#include "TestDatabase.h"

#include "DataModule1.h"
#include "DbErrors.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <stdexcept>

QString sqliteSchemaScript() {
    QFile file(qEnvironmentVariable("VELORIA_SOURCE_DIR") + QStringLiteral("/data/schema/sqlite.sql"));
    if (!file.open(QIODevice::ReadOnly)) {
        throw std::runtime_error("cannot read the schema: " + file.fileName().toStdString());
    }
    return QString::fromUtf8(file.readAll());
}

TestDatabase::TestDatabase() : path_(dir_.filePath(QStringLiteral("restaurant.db"))) {
    QFile file(path_);
    if (!file.open(QIODevice::WriteOnly)) {
        throw std::runtime_error("cannot create " + path_.toStdString());
    }
    file.close();
    setup_ = std::make_unique<DbConnection>();
    setup_->setConnectionString(connectionString());
    setup_->open();
    setup_->executeScript(sqliteSchemaScript());
}

QString TestDatabase::connectionString() const {
    return composeConnectionString(QString(), QString(), QString(), QStringLiteral("sqlite:") + path_,
                                   QStringLiteral("TEST"));
}

void TestDatabase::reopen() {
    setup_->close();
    setup_->open();
}

void TestDatabase::exec(const QString& script) {
    setup_->executeScript(script);
}

QVariant TestDatabase::scalar(const QString& sql) {
    QSqlQuery query(setup_->database());
    if (!query.exec(sql) || !query.next()) {
        throw std::runtime_error("scalar failed: " + sql.toStdString() + ": " +
                                 query.lastError().text().toStdString());
    }
    return query.value(0);
}
