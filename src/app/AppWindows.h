#pragma once

#include <memory>

class TAboutBox;
class TDataPathForm;
class TDruckeForm;
class TEditTextbauForm;
class TKundenForm;
class TKundeUbernehmenForm;
class TNewArtForm;
class TRechnungsForm;

// All windows of the program, created in a fixed order with the main window first; all but
// the main window stay hidden until called. Destroy() (or the destructor) ends them in
// reverse order, the main window last, which writes save.dat.
class AppWindows {
public:
    AppWindows();
    ~AppWindows();

    TRechnungsForm* RechnungsForm() const { return RechnungsForm_.get(); }
    TDataPathForm* DataPathForm() const { return DataPathForm_.get(); }
    TAboutBox* AboutBox() const { return AboutBox_.get(); }
    TKundenForm* KundenForm() const { return KundenForm_.get(); }
    TKundeUbernehmenForm* KundeUbernehmenForm() const { return KundeUbernehmenForm_.get(); }
    TDruckeForm* DruckeForm() const { return DruckeForm_.get(); }

    void Destroy();

private:
    std::unique_ptr<TRechnungsForm> RechnungsForm_;
    std::unique_ptr<TAboutBox> AboutBox_;
    std::unique_ptr<TDruckeForm> DruckeForm_;
    std::unique_ptr<TKundenForm> KundenForm_;  // owns its column dialogs
    std::unique_ptr<TKundeUbernehmenForm> KundeUbernehmenForm_;
    std::unique_ptr<TNewArtForm> NewArtForm_;
    std::unique_ptr<TEditTextbauForm> EditTextbauForm_;
    std::unique_ptr<TDataPathForm> DataPathForm_;
};
