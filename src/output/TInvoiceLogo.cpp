#include "output/TInvoiceLogo.h"

#include "foundation/PathText.h"
#include "imaging/DibAccess.h"
#include "imaging/OpenDib.h"

TInvoiceLogo::TInvoiceLogo(const std::u16string& fileName)
{
    if (fileName.empty())
        return;
    // The image layer takes the name as the file system spells it.
    const std::string path = TextToPath(fileName);
    image_.bits = nullptr;
    OpenDib(&image_, path.c_str(), 0, 0);
}

TInvoiceLogo::~TInvoiceLogo()
{
    FreeDib(image_);
}

int32_t TInvoiceLogo::Width() const
{
    return DibWidth(image_);
}

int32_t TInvoiceLogo::Height() const
{
    return DibHeight(image_);
}
