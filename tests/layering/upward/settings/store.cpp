// Settings may use only the platform: a lyrics include is against the layers.
#include "platform/cp932.h"
#include "lyrics/tag_list.h"
