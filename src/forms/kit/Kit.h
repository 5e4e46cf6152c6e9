#pragma once

// The widget kit of the main window: every control kind the forms are built from.
#include "forms/kit/Buttons.h"
#include "forms/kit/Containers.h"
#include "forms/kit/Fields.h"
#include "forms/kit/KitControl.h"
#include "forms/kit/TrackBar.h"
