// A fixture of the floors check: the ground may not include from the window's floor.
#pragma once

#include "app/main_frame.h"
