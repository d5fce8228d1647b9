#include "ConnectionFailure.h"

#include "DbConnection.h"
#include "DbErrors.h"

QString connectionFailureLogLine(std::exception_ptr failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const DataAccessError& e) {
        return QStringLiteral("ADO Database Connection Error\r\n") + e.message();
    } catch (const DatabaseError& e) {
        return QStringLiteral("General Database Connection Error \r\n") + e.message();
    } catch (const std::exception& e) {
        return QStringLiteral("Error Connecting to Database\r\n") + QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("Error Connecting to Database\r\nUnknown error");
    }
}

bool connectLogged(DbConnection& connection, const std::function<void(const QString&)>& log) {
    try {
        if (connection.isOpen()) {
            return true;
        }
        connection.open();
        return true;
    } catch (...) {
        const QString line = connectionFailureLogLine(std::current_exception());
        connection.close();
        log(line);
        return false;
    }
}
