#include "ConnectionTarget.h"

#include "DbErrors.h"

#include <QMap>
#include <QStringList>

namespace {

const QString SqlitePrefix = QStringLiteral("sqlite:");

// ODBC values in braces survive ";", "=" and blanks; a closing brace is doubled.
QString braced(QString value) {
    return QLatin1Char('{') + value.replace(QStringLiteral("}"), QStringLiteral("}}")) + QLatin1Char('}');
}

QMap<QString, QString> readPairs(const QString& text) {
    QMap<QString, QString> pairs;
    const QStringList pieces = text.split(QLatin1Char(';'));
    QString previousKey;
    for (const QString& piece : pieces) {
        if (piece.trimmed().isEmpty()) {
            continue;
        }
        const qsizetype eq = piece.indexOf(QLatin1Char('='));
        if (eq < 0) {
            // The piece is most likely the rest of a password or server name that holds ";": it is never
            // quoted, only the property it broke away from is named.
            throw ConnectionStringError(
                previousKey.isEmpty()
                    ? QStringLiteral("The connection string is malformed at its start: no key=value pair")
                    : QStringLiteral("The connection string is malformed: the value of \"%1\" holds \";\"")
                          .arg(previousKey));
        }
        previousKey = piece.left(eq).trimmed();
        pairs.insert(previousKey.toLower(), piece.mid(eq + 1));
    }
    return pairs;
}

} // namespace

ConnectionTarget parseConnectionTarget(const QString& connectionString) {
    if (connectionString.trimmed().isEmpty()) {
        throw DataAccessError(QStringLiteral("Missing connection or connection string"));
    }
    const QMap<QString, QString> pairs = readPairs(connectionString);
    ConnectionTarget target;
    const QString source = pairs.value(QStringLiteral("data source"));
    if (source.startsWith(SqlitePrefix, Qt::CaseInsensitive)) {
        target.backend = ConnectionTarget::Backend::Sqlite;
        target.sqliteFile = source.mid(SqlitePrefix.size());
        return target;
    }

    // SQL Server names an instance as "host", "host,port" or "host\instance"; the driver wants the port
    // apart and resolves a named instance itself.
    QString server = source.trimmed();
    QString port;
    const qsizetype comma = server.indexOf(QLatin1Char(','));
    if (comma >= 0) {
        port = server.mid(comma + 1).trimmed();
        server = server.left(comma).trimmed();
    }
    QString driver = qEnvironmentVariable("VELORIA_ODBC_DRIVER");
    if (driver.isEmpty()) {
        driver = QStringLiteral("FreeTDS");
    }
    QStringList parts;
    parts << QStringLiteral("DRIVER=") + braced(driver) << QStringLiteral("SERVER=") + braced(server);
    if (!port.isEmpty()) {
        parts << QStringLiteral("PORT=") + braced(port);
    }
    parts << QStringLiteral("DATABASE=") + braced(pairs.value(QStringLiteral("initial catalog")))
          << QStringLiteral("UID=") + braced(pairs.value(QStringLiteral("user id")))
          << QStringLiteral("PWD=") + braced(pairs.value(QStringLiteral("password")))
          << QStringLiteral("WSID=") + braced(pairs.value(QStringLiteral("workstation id")))
          << QStringLiteral("APP={Printing Server}") << QStringLiteral("TDS_Version=7.4")
          << QStringLiteral("ClientCharset=UTF-8");
    target.odbcConnectString = parts.join(QLatin1Char(';')) + QLatin1Char(';');
    return target;
}
