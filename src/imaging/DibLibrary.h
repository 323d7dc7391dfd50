#pragma once

// The image layer in one include: the `dib` record, the nine functions that load, make, save
// and halftone images (newdib, deldib, getpixel, setpixel, OpenDib, SaveDib,
// GetDIBOpenFilter, DIBHalftoneDIB, DIBHalftoneDIBXY), and the accessors and release.
#include "imaging/DibAccess.h"
#include "imaging/DibDecoder.h"
#include "imaging/DibHalftone.h"
#include "imaging/DibMemory.h"
#include "imaging/DibPixels.h"
#include "imaging/OpenDib.h"
#include "imaging/SaveDib.h"
#include "imaging/dib.h"
