#pragma once

#include "ui/Window.h"
