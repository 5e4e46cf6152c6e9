#include "link/IoLog.h"

Q_LOGGING_CATEGORY(lcLink, "dsptuner.link")
