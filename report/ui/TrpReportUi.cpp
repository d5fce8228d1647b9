#include "TrpReportUi.h"

#include "TrpPreviewForm.h"
#include "TrpPreviewHook.h"
#include "TrpPrintDialog.h"
#include "TrpPrintDialogHook.h"

#include <QApplication>

void TrpReportUi::install() {
    TrpPrintDialogHook::setHandler([](TrpPrintOptions& options, int currentPage, int) {
        TrpPrintDialog dialog(options, currentPage, QApplication::activeWindow());
        return dialog.exec() == QDialog::Accepted;
    });
    TrpPreviewHook::setHandler(&TrpPreviewForm::ShowModal);
}
