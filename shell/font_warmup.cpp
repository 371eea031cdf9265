#include "shell/font_warmup.h"

#include <fontconfig/fontconfig.h>

namespace dravik::shell {

FontConfigurationWarmUp::FontConfigurationWarmUp() : thread_([] { FcInit(); }) {}

}  // namespace dravik::shell
