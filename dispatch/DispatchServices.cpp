#include "DispatchServices.h"

#include "DataModule1.h"
#include "DbCommand.h"
#include "DispatchFailure.h"

#include <QEventLoop>
#include <QTimer>

DispatchServices::DispatchServices(PrintServerState& state, PrintServerPanel& panel, QString reportPath,
                                   std::function<bool()> stopRequested, QString archiveFolder)
    : state_(state), panel_(panel), reportPath_(std::move(reportPath)), recordFolder_(archiveFolder),
      stopRequested_(std::move(stopRequested)), tickets_([this](const QString& line) { log(line); }),
      printedTickets_([this](const QString& line) { log(line); }, std::move(archiveFolder),
                      [&panel] { return panel.dataModule().TicketArchiveDays; }) {
    adapterOwner_.setObjectName(QStringLiteral("MainForm"));
    tickets_.setRecords(&printedTickets_);
}

void DispatchServices::checkNotStopped() const {
    if (stopRequested()) {
        throw CycleStopped();
    }
}

DbConnection& DispatchServices::connection() {
    return panel_.dataModule().ADOConnection1;
}

void DispatchServices::bindOutlet(DbStatement& statement) {
    const TDataModule1& data = panel_.dataModule();
    statement.setConnection(&panel_.dataModule().ADOConnection1);
    data.bindOutletKey(statement);
}

void DispatchServices::execute(DbCommand& command, const QString& key, qint64 id) {
    checkNotStopped();
    bindOutlet(command);
    command.setParameter(key, id);
    command.execute();
}

void DispatchServices::awaitWritersTurn() {
    if (!lastUnitEnded_.isValid()) {
        return;
    }
    const qint64 left = connection().writersTurnMs() - lastUnitEnded_.elapsed();
    if (left > 0) {
        QEventLoop wait;
        QTimer::singleShot(static_cast<int>(left), Qt::PreciseTimer, &wait, &QEventLoop::quit);
        wait.exec();
    }
    checkNotStopped();
}
