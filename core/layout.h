#pragma once

// layoutTop, the height of the self-drawn title strip, lives with the drawing code.
#include "render/layout_top.h"
