// The data module's start-up update check, kept apart from the settings and the connection.
#include "DataModule1.h"
#include "FileVersion.h"
#include "UpdateServiceClient.h"

namespace {

// How this program names itself to the application web service.
const QString ApplicationId = QStringLiteral("Printing Server");

} // namespace

bool TDataModule1::CheckVersion(QString& Response_Code, QString& Response_Desc) {
    Response_Code.clear();
    Response_Desc.clear();
    if (UpdateService.serviceUrl.isEmpty()) {
        return true;
    }
    const QString localVersion = ownFileVersionText();
    // A fresh client per check: nothing of a previous call is kept.
    UpdateServiceClient client(QUrl(UpdateService.serviceUrl));
    const ApplicationVersionReply reply = client.CheckApplicationVersion(ApplicationId, localVersion);
    Response_Code = reply.code;
    Response_Desc = reply.desc;
    return Response_Code == QLatin1String("OK");
}
