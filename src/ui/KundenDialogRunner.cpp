#include "ui/KundenDialogRunner.h"

#include <QDialog>

namespace {

class ModalRunner final : public KundenDialogRunner {
public:
    int Run(QDialog& dialog) override { return dialog.exec(); }
};

}  // namespace

KundenDialogRunner& KundenDialogRunner::Modal()
{
    static ModalRunner runner;
    return runner;
}
