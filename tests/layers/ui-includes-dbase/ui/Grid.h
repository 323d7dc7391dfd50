#pragma once

#include "dbase/Dbf.h"
