#pragma once
// The shared message box, progress dialog and adapter choice.

#include "dialogs/FormMessageBox.h"
#include "dialogs/FormProgressMsg.h"
#include "dialogs/FormSelectCard.h"
