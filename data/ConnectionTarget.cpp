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

// A value in braces only where the ODBC grammar needs them: drivers outside the SQL Server families (the
// SQLite one among them) read a braced value with its braces.
QString bracedIfNeeded(const QString& value) {
    const bool plain = !value.contains(QLatin1Char(';')) && !value.contains(QLatin1Char('{')) &&
                       !value.contains(QLatin1Char('}')) && value.trimmed() == value;
    return plain ? value : braced(value);
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

namespace {

QString serverConnectString(const QString& driver, const QMap<QString, QString>& pairs,
                            const OdbcSettings& odbc) {
    const QString source = pairs.value(QStringLiteral("data source")).trimmed();
    const QString database =
        QStringLiteral("DATABASE=") + braced(pairs.value(QStringLiteral("initial catalog")));
    const QString user = QStringLiteral("UID=") + braced(pairs.value(QStringLiteral("user id")));
    const QString password = QStringLiteral("PWD=") + braced(pairs.value(QStringLiteral("password")));
    const QString workstation =
        QStringLiteral("WSID=") + braced(pairs.value(QStringLiteral("workstation id")));
    const QString application = QStringLiteral("APP={Printing Server}");
    QStringList parts{QStringLiteral("DRIVER=") + braced(driver)};
    switch (odbcFamilyOf(driver)) {
    case OdbcFamily::Microsoft:
        // Microsoft's drivers take "host", "host,port" and "host\instance" as SQL Server writes them, and
        // ignore a PORT of their own.
        parts << QStringLiteral("SERVER=") + braced(source) << database << user << password << workstation
              << application;
        if (!odbc.encrypt.isEmpty()) {
            parts << QStringLiteral("Encrypt=") + braced(odbc.encrypt.toLower());
        }
        if (!odbc.trustServerCertificate.isEmpty()) {
            parts << QStringLiteral("TrustServerCertificate=") +
                         braced(odbc.trustServerCertificate.toLower());
        }
        break;
    case OdbcFamily::FreeTds: {
        // FreeTDS wants the port apart and resolves a named instance itself.
        QString server = source;
        QString port;
        const qsizetype comma = server.indexOf(QLatin1Char(','));
        if (comma >= 0) {
            port = server.mid(comma + 1).trimmed();
            server = server.left(comma).trimmed();
        }
        parts << QStringLiteral("SERVER=") + braced(server);
        if (!port.isEmpty()) {
            parts << QStringLiteral("PORT=") + braced(port);
        }
        parts << database << user << password << workstation << application
              << QStringLiteral("TDS_Version=7.4") << QStringLiteral("ClientCharset=UTF-8");
        // FreeTDS has no certificate switch; its Encryption takes off, require or strict.
        const QString encrypt = odbc.encrypt.toLower();
        if (encrypt == QLatin1String("yes")) {
            parts << QStringLiteral("Encryption=require");
        } else if (encrypt == QLatin1String("no")) {
            parts << QStringLiteral("Encryption=off");
        } else if (encrypt == QLatin1String("strict")) {
            parts << QStringLiteral("Encryption=strict");
        }
        break;
    }
    case OdbcFamily::Generic:
        if (!source.isEmpty()) {
            parts << QStringLiteral("SERVER=") + bracedIfNeeded(source);
        }
        parts << QStringLiteral("DATABASE=") + bracedIfNeeded(pairs.value(QStringLiteral("initial catalog")))
              << QStringLiteral("UID=") + bracedIfNeeded(pairs.value(QStringLiteral("user id")))
              << QStringLiteral("PWD=") + bracedIfNeeded(pairs.value(QStringLiteral("password")));
        break;
    }
    return parts.join(QLatin1Char(';')) + QLatin1Char(';');
}

} // namespace

ConnectionTarget parseConnectionTarget(const QString& connectionString, const OdbcSettings& odbc) {
    return parseConnectionTarget(connectionString, odbc, installedOdbcDrivers);
}

ConnectionTarget parseConnectionTarget(const QString& connectionString, const OdbcSettings& odbc,
                                       const std::function<QStringList()>& installedDrivers) {
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
    // The driver manager is asked for its drivers only when neither the environment nor the settings name
    // one.
    const bool named =
        !qEnvironmentVariable("VELORIA_ODBC_DRIVER").isEmpty() || !odbc.driver.trimmed().isEmpty();
    const QString driver = chooseOdbcDriver(odbc.driver, named ? QStringList() : installedDrivers());
    target.odbcDriver = driver;
    target.odbcPassword = pairs.value(QStringLiteral("password"));
    target.odbcCatalog = pairs.value(QStringLiteral("initial catalog"));
    target.odbcConnectString = serverConnectString(driver, pairs, odbc);
    return target;
}
