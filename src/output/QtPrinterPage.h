#pragma once

#include "output/TPrinterPage.h"

// The page of the current printer as Qt's print support reports it: the printable area of
// the default printer in its own pixels at its full resolution, and that resolution. With no
// printer installed (or one that reports no usable page), the no-printer page: A4 at 600
// pixels per inch.
TPrinterPage CurrentPrinterPage();
