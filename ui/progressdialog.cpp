#include "progressdialog.h"

#include <QCoreApplication>
#include <QProgressDialog>

namespace {

// Exports shorter than this finish without a progress dialog flashing up.
constexpr int kProgressDelayMs = 500;

} // namespace

PageProgress pageProgressIn(QProgressDialog *dialog, bool *cancelled)
{
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setMinimumDuration(kProgressDelayMs);
    dialog->setCancelButtonText(QCoreApplication::translate("MainWindow", "Cancel"));
    dialog->setValue(0);
    return [dialog, cancelled](int done, int count) {
        dialog->setMaximum(count);
        dialog->setLabelText(QCoreApplication::translate("MainWindow", "page %1 of %2").arg(done).arg(count));
        // A modal progress dialog handles events while its value is set, which is when Cancel is seen.
        dialog->setValue(done);
        *cancelled = dialog->wasCanceled();
        return !*cancelled;
    };
}
