// borvik: the desktop program.

#include "ui/app.h"

wxIMPLEMENT_APP(borvik::ui::CBorvikApp);
