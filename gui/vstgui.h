// The whole toolkit.
#pragma once

#include "canimknob.h"
#include "cbitmap.h"
#include "cbuttons.h"
#include "ccontrol.h"
#include "cdrawcontext.h"
#include "cframe.h"
#include "cparamdisplay.h"
#include "cslider.h"
#include "cview.h"
