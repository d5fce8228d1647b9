#include "DbCommand.h"

void DbCommand::execute() {
    QSqlQuery query = run();
    query.finish();
}
