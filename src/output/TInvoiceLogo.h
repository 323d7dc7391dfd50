#pragma once

#include "imaging/dib.h"

#include <cstdint>
#include <string>

// The company logo of one layout run: loaded from the logo file when the run begins and
// released when it ends. A name that is empty, or a file that cannot be read as an image,
// gives no logo, silently.
class TInvoiceLogo {
public:
    explicit TInvoiceLogo(const std::u16string& fileName);
    ~TInvoiceLogo();

    TInvoiceLogo(const TInvoiceLogo&) = delete;
    TInvoiceLogo& operator=(const TInvoiceLogo&) = delete;

    bool Loaded() const { return image_.bits != nullptr; }
    const dib& Image() const { return image_; }
    int32_t Width() const;
    int32_t Height() const;

private:
    dib image_{};
};
