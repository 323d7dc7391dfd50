#include "app/AppWindows.h"

#include "ui/customers/TDruckeForm.h"
#include "ui/customers/TKundeUbernehmenForm.h"
#include "ui/customers/TKundenForm.h"
#include "ui/invoices/TEditTextbauForm.h"
#include "ui/invoices/TNewArtForm.h"
#include "ui/invoices/TRechnungsForm.h"
#include "ui/settings/TDataPathForm.h"
#include "ui/shared/LocaleFormat.h"
#include "ui/shared/TAboutBox.h"

AppWindows::AppWindows()
{
    // Number fields take their format when they are made: set it before the first window.
    LocaleFormat::FromSystem().ApplyToWidgets();
    RechnungsForm_ = std::make_unique<TRechnungsForm>();
    QWidget* owner = RechnungsForm_.get();
    AboutBox_ = std::make_unique<TAboutBox>(owner);
    DruckeForm_ = std::make_unique<TDruckeForm>(owner);
    KundenForm_ = std::make_unique<TKundenForm>(owner);
    KundeUbernehmenForm_ = std::make_unique<TKundeUbernehmenForm>(owner);
    NewArtForm_ = std::make_unique<TNewArtForm>(owner);
    EditTextbauForm_ = std::make_unique<TEditTextbauForm>(owner);
    DataPathForm_ = std::make_unique<TDataPathForm>(owner);
    TRechnungsForm::Dialogs dialogs;
    dialogs.AboutBox = AboutBox_.get();
    dialogs.DataPathForm = DataPathForm_.get();
    dialogs.NewArtForm = NewArtForm_.get();
    dialogs.EditTextbauForm = EditTextbauForm_.get();
    dialogs.KundenForm = KundenForm_.get();
    dialogs.KundeUbernehmenForm = KundeUbernehmenForm_.get();
    RechnungsForm_->SetDialogs(dialogs);
    KundenForm_->SetDruckeForm(DruckeForm_.get());
}

AppWindows::~AppWindows()
{
    Destroy();
}

void AppWindows::Destroy()
{
    // The dialogs are children of the main window: release them first, so the main window
    // does not delete them a second time.
    DataPathForm_.reset();
    EditTextbauForm_.reset();
    NewArtForm_.reset();
    KundeUbernehmenForm_.reset();
    KundenForm_.reset();
    DruckeForm_.reset();
    AboutBox_.reset();
    RechnungsForm_.reset();
}
