// A painter that reaches up into the effect object: the layering check must refuse it.
#include "effect/viz_lumeko.h"
#include "settings/setup_info.h"
