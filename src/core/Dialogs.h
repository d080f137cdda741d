#pragma once
// The shared message box, progress dialog and adapter choice.

#include "core/FormMessageBox.h"
#include "core/FormProgressMsg.h"
#include "core/FormSelectCard.h"
