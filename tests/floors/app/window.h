// A fixture of the floors check: the top floor may include from any below it.
#pragma once

#include "analysis/problem.h"
